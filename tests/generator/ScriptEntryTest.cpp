#include "generator/RouterOsSources.h"
#include "generator/RouterScript.h"
#include "generator/Sections.h"
#include "model/GbkCodec.h"
#include "model/QvVariant.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The router's program reaches the router as its terminal reads it, and
// nothing of its sources that is not RouterOS.
TEST(RouterProgramText, ReachesTheRouterAsItsTerminalReadsIt) {
    // Chinese in a string as escapes of its GBK bytes; in a comment as GBK bytes.
    EXPECT_EQ(TEntryText(":put \"中\\\"文\"\n#中\n").Fill(), ":put \"\\D6\\D0\\\"\\CE\\C4\"\r\n#\xD6\xD0\r\n");
    // An unfilled placeholder, or Chinese outside a string or comment, is refused.
    EXPECT_THROW(TEntryText("add name={NAME}").Fill(), std::logic_error);
    EXPECT_THROW(TEntryText("add name=中"), std::logic_error);
    for (const auto& [name, source] : RouterOsSource::All) {
        EXPECT_EQ(source.find("\n##"), std::string_view::npos) << name;
        EXPECT_FALSE(source.starts_with("##")) << name;
    }

    // A long line breaks in export layout, inside its string next to an
    // escape and outside between arguments, and reads back as it was.
    const std::string message = "\"" + std::string(60, 'x') + EscapeScriptString(FixedGbk("中文，中文，中文。")) + "\"",
                      line = "add " + std::string(150, 'a') + "=1 b=" + message + " c=" + message;
    std::string wrapped = line;
    WrapLongLines(wrapped);
    const std::vector<TScriptLine> read = LogicalLines(wrapped + "\r\n");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Text, line);
    for (std::size_t at = 0, end; at < wrapped.size(); at = end + 2) {
        end = std::min(wrapped.find("\r\n", at), wrapped.size());
        EXPECT_LE(end - at, 205u);
    }
    EXPECT_NE(wrapped.find("=1 \\\r\n    b="), std::string::npos);
}

} // namespace
