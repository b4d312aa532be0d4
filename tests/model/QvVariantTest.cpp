#include "model/QvVariant.h"
#include "model/GbkCodec.h"

#include <gtest/gtest.h>

namespace {

TQvVariant Var(std::string name, TQvVariant::TValue value) {
    TQvVariant var;
    var.Name = std::move(name);
    var.Value = std::move(value);
    return var;
}

TEST(QvVariant, WithoutValueRendersError) {
    const TQvVariant fresh;
    EXPECT_EQ(fresh.Name, "");
    EXPECT_EQ(fresh.RenderGlobal(), "error");
    EXPECT_EQ(fresh.RenderGlobalMbps(), "error");
    EXPECT_EQ(Var("eth0", {}).RenderGlobal(), "error");
}

TEST(QvVariant, IntegerRendersPlainAndAsBitsPerSecond) {
    EXPECT_EQ(Var("eth0Rx", 20).RenderGlobal(), ":global eth0Rx 20");
    EXPECT_EQ(Var("eth0Rx", 20).RenderGlobalMbps(), ":global eth0Rx 20000000");
    EXPECT_EQ(Var("x", 0).RenderGlobalMbps(), ":global x 0000000");
    // Beyond 32 bits once multiplied: the suffix is text, so nothing overflows.
    EXPECT_EQ(Var("x", 5000).RenderGlobalMbps(), ":global x 5000000000");
    EXPECT_EQ(Var("x", INT32_MAX).RenderGlobalMbps(), ":global x 2147483647000000");
    EXPECT_EQ(Var("x", INT32_MIN).RenderGlobal(), ":global x -2147483648");
    EXPECT_EQ(Var("x", -5).RenderGlobalMbps(), ":global x -5000000");
}

TEST(QvVariant, TextRendersQuotedAndNeverGetsTheMbpsSuffix) {
    EXPECT_EQ(Var("eth0", std::string("ether2")).RenderGlobal(), ":global eth0 \"ether2\"");
    EXPECT_EQ(Var("eth0", std::string("pppoe-out1")).RenderGlobalMbps(), ":global eth0 \"pppoe-out1\"");
    EXPECT_EQ(Var("velmoserver", std::string("192.168.1.200")).RenderGlobal(), ":global velmoserver \"192.168.1.200\"");
    EXPECT_EQ(Var("LANeth", std::string("LAN")).RenderGlobal(), ":global LANeth \"LAN\"");
    EXPECT_EQ(Var("e", std::string()).RenderGlobal(), ":global e \"\"");
    // No trimming, and the name is never escaped.
    EXPECT_EQ(Var("a$b", std::string(" x ")).RenderGlobal(), ":global a$b \" x \"");
}

TEST(QvVariant, SettingAValueReplacesItWhateverItsKind) {
    TQvVariant var = Var("v", 7);
    var.Value = std::string("7");
    EXPECT_EQ(var.RenderGlobal(), ":global v \"7\"");
    EXPECT_EQ(var.AsInteger(), 0);
    var.Value = 8;
    EXPECT_EQ(var.AsText(), "8");
    var.Value = std::monostate{};
    EXPECT_EQ(var.AsText(), "");
}

struct EscapeCase {
    std::string Gbk;
    std::string Escaped;
};

void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << '"' << c.Escaped << '"';
}

class ScriptStringEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(ScriptStringEscape, WritesEveryByteSafelyForAQuotedString) {
    EXPECT_EQ(EscapeScriptString(GetParam().Gbk), GetParam().Escaped);
    EXPECT_EQ(Var("n", GetParam().Gbk).RenderGlobal(), ":global n \"" + GetParam().Escaped + '"');
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ScriptStringEscape,
    testing::Values(EscapeCase{"ether2", "ether2"}, EscapeCase{"pppoe-out1", "pppoe-out1"},
                    EscapeCase{"a \"b\"", "a \\\"b\\\""},
                    EscapeCase{"$[/system reset-configuration]", "\\$[/system reset-configuration]"},
                    EscapeCase{"$(x)$y", "\\$(x)\\$y"}, EscapeCase{"c:\\x", "c:\\\\x"}, EscapeCase{"why?", "why\\3F"},
                    EscapeCase{"a\tb\r\n", "a\\09b\\0D\\0A"},
                    EscapeCase{std::string("\x00\x1F\x7F", 3), "\\00\\1F\\7F"},
                    EscapeCase{"~!@#%^&*()_+{}[]|;:',.<>/`=-", "~!@#%^&*()_+{}[]|;:',.<>/`=-"},
                    // GBK characters: both bytes escaped, even a trail byte that reads as '\' or '@'.
                    EscapeCase{"\x9C\x5C", "\\9C\\5C"}, EscapeCase{"\xBB\x5C", "\\BB\\5C"},
                    EscapeCase{"\xB5\xB1\xC7\xB0", "\\B5\\B1\\C7\\B0"}, EscapeCase{"\x81\x40", "\\81\\40"},
                    EscapeCase{"x\x80y\xFF", "x\\80y\\FF"}, EscapeCase{"\xB5", "\\B5"}));

TEST(GbkCodec, ConvertsExactlyOrRefuses) {
    EXPECT_EQ(Utf8ToGbk("当前"), "\xB5\xB1\xC7\xB0");
    EXPECT_EQ(Utf8ToGbk("淺籠"), "\x9C\x5C\xBB\x5C");
    EXPECT_EQ(Utf8ToGbk("—"), "\xA1\xAA");
    EXPECT_EQ(Utf8ToGbk("plain"), "plain");
    EXPECT_EQ(Utf8ToGbk(""), "");
    EXPECT_EQ(Utf8ToGbk("x😀y"), std::nullopt);
    EXPECT_EQ(Utf8ToGbk("ÿ"), std::nullopt);
    EXPECT_EQ(GbkToUtf8("\x9C\x5C\xBB\x5C-\xA1\xAA"), "淺籠-—");
    EXPECT_THROW(FixedGbk("😀"), std::logic_error);
}

// Where the platforms' converters differ: the single-byte euro, characters a
// converter drops or maps to a look-alike, input that is not text at all.
TEST(GbkCodec, BackendEdgesAreExact) {
    EXPECT_TRUE(GbkCodecReady());
    EXPECT_EQ(Utf8ToGbk("€5"), "\x80"
                               "5");
    EXPECT_EQ(GbkToUtf8("\x80"), "€");
    EXPECT_EQ(Utf8ToGbk("a\u00B7b"), "a\xA1\xA4"
                                     "b");
    for (const char* refused : {"\uFEFFa", "\uFEFF", "\u00A5", "\u30FB", "\uFFFD", "\u203E"})
        EXPECT_EQ(Utf8ToGbk(refused), std::nullopt) << refused;
    // Ill-formed UTF-8: a stray continuation byte, a truncated sequence, an encoded surrogate.
    for (const char* broken : {"a\x80", "\xE4\xB8", "\xED\xA0\x80"})
        EXPECT_EQ(Utf8ToGbk(broken), std::nullopt);
    // A lead byte without its trail shows as U+FFFD, and takes no digit with it.
    EXPECT_EQ(GbkToUtf8("\xB5\xB1\xB5"), "当\uFFFD");
    EXPECT_EQ(GbkToUtf8("\xB5"
                        "1"),
              "\uFFFD"
              "1");
}

} // namespace
