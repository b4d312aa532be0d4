#include "model/InputRules.h"

#include <gtest/gtest.h>

namespace {

TEST(TrimText, StripsControlsAndSpacesFromBothEndsOnly) {
    EXPECT_EQ(TrimText("  ether2 \t"), "ether2");
    EXPECT_EQ(TrimText("\r\n\x01 a b \x1F\x20"), "a b");
    EXPECT_EQ(TrimText(" \t "), "");
    EXPECT_EQ(TrimText(""), "");
    EXPECT_EQ(TrimText("\x7F"
                       "a"),
              "\x7F"
              "a");
    EXPECT_EQ(TrimText(" 电信 "), "电信");
}

struct IntCase {
    std::string Text;
    std::optional<std::int32_t> Value;
};

void PrintTo(const IntCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class IntText : public testing::TestWithParam<IntCase> {};

TEST_P(IntText, ReadsTheIntegerOrRefuses) {
    EXPECT_EQ(ParseIntText(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Accepted, IntText,
                         testing::Values(IntCase{"150", 150}, IntCase{"+150", 150}, IntCase{"0150", 150},
                                         IntCase{"0x96", 150}, IntCase{"0X96", 150}, IntCase{"$96", 150},
                                         IntCase{"x96", 150}, IntCase{"X96", 150}, IntCase{"$fF", 255},
                                         IntCase{"   150", 150}, IntCase{"-5", -5}, IntCase{"0", 0}, IntCase{"-0", 0},
                                         IntCase{"2147483647", INT32_MAX}, IntCase{"-2147483648", INT32_MIN},
                                         IntCase{"000000000002147483647", INT32_MAX}, IntCase{"$7FFFFFFF", INT32_MAX},
                                         IntCase{"$FFFFFFFF", -1}, IntCase{"0x80000000", INT32_MIN},
                                         IntCase{"$000000000001", 1}));

INSTANTIATE_TEST_SUITE_P(Refused, IntText,
                         testing::Values(IntCase{"", {}}, IntCase{"   ", {}}, IntCase{"150 ", {}}, IntCase{"\t150", {}},
                                         IntCase{"1 50", {}}, IntCase{"1.5", {}}, IntCase{"abc", {}},
                                         IntCase{"150abc", {}}, IntCase{"+", {}}, IntCase{"-", {}}, IntCase{"$", {}},
                                         IntCase{"0x", {}}, IntCase{"x", {}}, IntCase{"-$5", {}}, IntCase{"+0x5", {}},
                                         IntCase{"$-5", {}}, IntCase{"0x5g", {}}, IntCase{"2147483648", {}},
                                         IntCase{"-2147483649", {}}, IntCase{"99999999999999999999", {}},
                                         IntCase{"$100000000", {}}, IntCase{"0xFFFFFFFFF", {}}, IntCase{"+-1", {}},
                                         IntCase{"１５０", {}}, IntCase{"$ 5", {}}));

} // namespace
