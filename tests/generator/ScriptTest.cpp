#include "generator/Fixtures.h"
#include "generator/QvVorrel.h"
#include "generator/Sections.h"
#include "model/QvVariant.h"
#include "routerscript/Router.h"
#include "routerscript/Syntax.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// First differing line, for a readable failure instead of two 40 KB strings.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i]) {
            const auto lineOf = [&](const std::string& text) {
                return GbkToUtf8(text.substr(start, text.find("\r\n", start) - start));
            };
            return "line " + std::to_string(line) + "\nexpected: " + lineOf(expected) + "\nactual:   " + lineOf(actual);
        }
        if (expected[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size());
}

// Bytes of the longest line of a text whose lines end in CR LF, the last one
// perhaps not.
std::size_t LongestLine(const std::string& text) {
    std::size_t longest = 0;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2)
        longest = std::max(longest, (end = std::min(text.find("\r\n", at), text.size())) - at);
    return longest;
}

class OneLineScript : public testing::TestWithParam<std::pair<TRouterOs, const char*>> {};

TEST_P(OneLineScript, MatchesTheGoldenBytes) {
    auto wans = MakeWans({{"pppoe-out1", "100.64.1.2", 100, 20}});
    TQvVorrel generator;
    generator.Target = GetParam().first;
    generator.Generate("192.168.1.200", wans, "LAN", 150);
    const std::string expected = ReadTestData(GetParam().second);
    const std::string actual = generator.ScriptText();
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
}

INSTANTIATE_TEST_SUITE_P(Targets, OneLineScript,
                         testing::Values(std::pair{TRouterOs::V5, "script_one_line.txt"},
                                         std::pair{TRouterOs::V6V7, "script_one_line_v6v7.txt"}),
                         [](const auto& target) { return std::string(RouterName(target.param.first)); });

TEST(Script, ThreeLinesWithAnEscapedNameMatchTheGoldenBytes) {
    auto wans = MakeWans({{"ether2", "58.61.10.2", 100, 20},
                          {"电信\"淺$[x]?\\", "10.1.1.1", 200, 30},
                          {"pppoe-out1", "0.0.0.0", 50, 40}});
    TQvVorrel generator;
    generator.Generate(" 10.0.0.5", wans, "bridge-lan", 80);
    const std::string expected = ReadTestData("script_three_lines.txt");
    const std::string actual = generator.ScriptText();
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
}

// The first line of a step of the v6/v7 text that does not read as a step
// should: its body indented, comments and continued lines aside, and the
// globals it declares only above its first statement; empty when all do.
std::string StepLayoutFault(const std::string& text) {
    bool inStep = false, statements = false, goesOn = false;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
        end = std::min(text.find("\r\n", at), text.size());
        const std::string line = text.substr(at, end - at);
        const bool continued = std::exchange(goesOn, line.ends_with('\\'));
        if (line.starts_with("  :if ($QvStep = ")) {
            inStep = true, statements = false;
            continue;
        }
        if (line.starts_with("    :set QvStep "))
            inStep = false;
        if (!inStep || continued || line.empty() || line.starts_with('#'))
            continue;
        const bool declaration = line.starts_with("    :global ") && line.find(' ', 12) == std::string::npos;
        if (!line.starts_with("    ") || (declaration && statements))
            return line;
        statements = statements || !declaration;
    }
    return {};
}

// The v6/v7 text stays near the v5 text's size, which operators paste, and
// its lines no longer than the v5 text's longest, with no TAB, which the
// terminal would take for word completion. Its steps read as blocks.
TEST(Script, TheV6V7TextStaysNearTheV5TextsSize) {
    for (const auto& [count, bound] : {std::pair{8, 1.40}, {64, 1.20}}) {
        std::vector<TWanInput> inputs;
        for (int i = 0; i < count; ++i)
            inputs.push_back({"pppoe-out" + std::to_string(i), "100.64.0." + std::to_string(i), 100, 20});
        const auto wans = MakeWans(inputs);
        std::size_t sizes[2] = {};
        for (const TRouterOs target : {TRouterOs::V5, TRouterOs::V6V7}) {
            TQvVorrel generator;
            generator.Target = target;
            generator.Generate("192.168.1.200", wans, "bridge", 150);
            const std::string text = generator.ScriptText();
            sizes[target == TRouterOs::V6V7] = text.size();
            if (target == TRouterOs::V6V7) {
                EXPECT_LE(LongestLine(text), 205u) << count;
                EXPECT_EQ(text.find('\t'), std::string::npos);
                EXPECT_EQ(StepLayoutFault(text), "") << count;
            }
        }
        EXPECT_LE(double(sizes[1]), bound * double(sizes[0])) << count << " lines";
    }
}

// The router's program reaches the router as its terminal reads it (that its
// notes never do, the embedding's own test shows).
TEST(Script, TheRoutersProgramReachesItAsItsTerminalReadsIt) {
    // Chinese in a string as escapes of its GBK bytes; in a comment as GBK bytes.
    EXPECT_EQ(TEntryText(":put \"中\\\"文\"\n#中\n").Fill(), ":put \"\\D6\\D0\\\"\\CE\\C4\"\r\n#\xD6\xD0\r\n");
    // An unfilled placeholder, or Chinese outside a string or comment, is refused.
    EXPECT_THROW(TEntryText("add name={NAME}").Fill(), std::logic_error);
    EXPECT_THROW(TEntryText("add name=中"), std::logic_error);

    // A long line breaks in export layout, inside its string next to an
    // escape and outside between arguments, and reads back as it was.
    const std::string message = "\"" + std::string(60, 'x') + EscapeScriptString(FixedGbk("中文，中文，中文。")) + "\"",
                      line = "add " + std::string(150, 'a') + "=1 b=" + message + " c=" + message;
    std::string wrapped = line;
    WrapLongLines(wrapped);
    const std::vector<TScriptLine> read = LogicalLines(wrapped + "\r\n");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Text, line);
    EXPECT_LE(LongestLine(wrapped), 205u);
    EXPECT_NE(wrapped.find("=1 \\\r\n    b="), std::string::npos);
}

TEST(Script, ScriptTextEndsEveryEntryWithCrLf) {
    TQvVorrel generator;
    EXPECT_EQ(generator.ScriptText(), "");
    generator.Generate("s", {}, "l", 1);
    const std::string text = generator.ScriptText();
    EXPECT_TRUE(text.ends_with("\r\n#ok\r\n"));
    EXPECT_EQ(generator.Lines.back(), "#ok");
    EXPECT_TRUE(text.starts_with(Gbk("#Tarnwell服务端IP地址\r\n")));
}

// Entries per section for n lines: header 5n + 10, router preparation 8 + n,
// PCQ types 1, mangle rules 3 + 2n, queue tree n + 3.
class SectionCounts : public testing::TestWithParam<std::size_t> {};

TEST_P(SectionCounts, FollowTheNumberOfLines) {
    const std::size_t n = GetParam();
    std::vector<TWanInput> inputs;
    for (std::size_t i = 0; i < n; ++i)
        inputs.push_back({"wan" + std::to_string(i), "10.0.0." + std::to_string(i), 100, 20});
    auto wans = MakeWans(inputs);
    TQvVorrel generator;
    generator.Generate("s", wans, "l", 1);
    const auto& lines = generator.Lines;
    ASSERT_EQ(lines.size(), (5 * n + 10) + (8 + n) + 1 + (3 + 2 * n) + (n + 3));

    const std::size_t preparation = 5 * n + 10;
    const std::size_t pcq = preparation + 8 + n;
    const std::size_t mangle = pcq + 1;
    const std::size_t tree = mangle + 3 + 2 * n;
    EXPECT_TRUE(lines[preparation].starts_with(Gbk("\r\n#清理旧信息")));
    EXPECT_TRUE(lines[pcq].starts_with(Gbk("\r\n#以下操作必须按顺序导入")));
    EXPECT_TRUE(lines[mangle].starts_with(Gbk("\r\n#获取内网")));
    EXPECT_TRUE(lines[tree].starts_with(Gbk("\r\n#固定导入信息")));

    const auto count = [&](std::string_view needle) {
        const std::string text = generator.ScriptText();
        std::size_t found = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
            ++found;
        return found;
    };
    EXPECT_EQ(count("list=Network\r\n"), n);
    EXPECT_EQ(count("\r\nadd action=jump "), 2 * n);
    EXPECT_EQ(count("\r\nadd action=mark-"), 46 * n);
    EXPECT_EQ(count("\r\nadd action=return "), 0u); // the original script
    EXPECT_EQ(count("\r\nadd limit-at="), 2 + 36 * n);
    EXPECT_EQ(count("\r\nadd kind=pcq "), 26u);
    EXPECT_EQ(count("\r\n/queue tree\r\nadd "), 1 + n); // roots, then one per line
}

INSTANTIATE_TEST_SUITE_P(Lines, SectionCounts, testing::Values(0, 1, 3));

TEST(Script, TextAfterTheHeaderDependsOnlyOnTheNumberOfLines) {
    auto first = MakeWans({{"ether2", "1.1.1.1", 100, 20}, {"ether3", "2.2.2.2", 10, 2}});
    auto second = MakeWans({{"电信", "x", 1, 1}, {"联通", "y", 5000, 9}});
    TQvVorrel a;
    TQvVorrel b;
    a.Generate("192.168.1.200", first, "LAN", 150);
    b.Generate("10.0.0.1", second, "bridge", 3);
    ASSERT_EQ(a.Lines.size(), b.Lines.size());
    EXPECT_NE(a.Lines[3], b.Lines[3]);
    EXPECT_TRUE(std::equal(a.Lines.begin() + 20, a.Lines.end(), b.Lines.begin() + 20));
}

TEST(Script, GeneratingAgainMatchesAFreshGenerator) {
    // One generator through more lines, fewer, another router and back: what
    // an earlier run left must never show in a later script.
    TQvVorrel reused;
    for (const auto& [count, target] : {std::pair<std::size_t, TRouterOs>{3, TRouterOs::V5},
                                        {3, TRouterOs::V5},
                                        {1, TRouterOs::V5},
                                        {1, TRouterOs::V6V7},
                                        {2, TRouterOs::V6V7},
                                        {0, TRouterOs::V6V7},
                                        {3, TRouterOs::V5}}) {
        std::vector<TWanInput> inputs;
        for (std::size_t i = 0; i < count; ++i)
            inputs.push_back({"wan" + std::to_string(i), "10.0.0." + std::to_string(i), 100, 20});
        auto wans = MakeWans(inputs);
        TQvVorrel fresh;
        fresh.Target = reused.Target = target;
        fresh.Generate("s", wans, "l", 1);
        reused.Generate("s", wans, "l", 1);
        EXPECT_EQ(reused.Lines, fresh.Lines) << count;
    }
}

} // namespace
