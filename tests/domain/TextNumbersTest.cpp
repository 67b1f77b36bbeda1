#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "domain/TextNumbers.h"

namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(GroupDigits, GroupsIntegerPartAndUsesCommaForDecimals) {
    const TextCase cases[] = {
        {"", "0"},
        {"0", "0"},
        {"999", "999"},
        {"1000", "1.000"},
        {"-1000", "-1.000"},
        {"-999", "-999"},
        {"123456", "123.456"},
        {"1234567", "1.234.567"},
        {"-1234567.5", "-1.234.567,5"},
        {"12,5", "12,5"},
        {"1234.50", "1.234,50"},
        {",5", "0"},  // no integer part: the decimals go as well
        {".75", "0"},
        {"1.2.3", "1,2,3"},  // every "." becomes ","; the first one splits
        {"-", "-"},
        // either sign stays outside the groups
        {"+981", "+981"},
        {"+1000", "+1.000"},
        {"+1234567.5", "+1.234.567,5"},
        {"-981", "-981"},
        {"+", "+"},
    };
    for (const auto& c : cases) EXPECT_EQ(GroupDigits(c.input), c.expected) << c.input;
}

TEST(RealToText, FixedDecimalsWithZeroOnlyForAnEmptyIntegerPart) {
    struct Case {
        double value;
        int decimals;
        bool grouped;
        const char* expected;
    };
    const Case cases[] = {
        {0.5, 2, false, "0.50"},
        {0.996, 2, false, "1.00"},  // rounding carries into the integer part: no "01.00"
        {0.0, 2, false, "0.00"},
        {-0.5, 2, false, "-0.50"},
        {5.5, 1, false, "5.5"},
        {7.0, 1, false, "7.0"},
        {5.2, 1, false, "5.2"},
        {1234.567, 2, false, "1234.57"},
        {1234.567, 2, true, "1.234,57"},
        {-1234567.891, 2, true, "-1.234.567,89"},
        {23.81967213, 4, false, "23.8197"},
        {1e15, 2, true, "1.000.000.000.000.000,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RealToText(c.value, c.decimals, c.grouped), c.expected)
            << c.value << " with " << c.decimals;
    }
}

TEST(RoundHalfUp, HalvesGoUpAndNegativesAreTruncated) {
    struct Case {
        double value;
        long long expected;
    };
    const Case cases[] = {
        {2.5, 3},
        {2.49, 2},
        {0.7, 1},
        {0.2, 0},
        {0.5, 1},
        {0.0, 0},
        {-2.7, -2},
        {-2.5, -2},
        {67.87, 68},
        {1e18, 1000000000000000000LL},
        {1e300, std::numeric_limits<long long>::max()},  // saturates instead of overflowing
        {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfUp(c.value), c.expected) << c.value;
}

TEST(ExactDecimals, RatioRoundingAndScaledReading) {
    struct RatioCase {
        long long numerator;
        long long denominator;
        long long expected;
    };
    const RatioCase ratios[] = {
        {676000LL * 15 * 75, 10000 * 100, 761},  // 67.6000 lei x 15 days x 75% = 760.5
        {2907 - 375 * 6, 6, 110},                // 2907 / 6 - 375 = 109.5
        {5, 2, 3},
        {49, 20, 2},
        {1, 2, 1},
        {0, 7, 0},
        {-5, 2, -2},
        {5, -2, -2},
        {7, 0, 0},
        {std::numeric_limits<long long>::max(), 2, 4611686018427387904LL},
    };
    for (const auto& c : ratios) {
        EXPECT_EQ(RoundHalfUpRatio(c.numerator, c.denominator), c.expected)
            << c.numerator << "/" << c.denominator;
    }
    struct ScaledCase {
        const char* text;
        int decimals;
        long long expected;
    };
    const ScaledCase scaled[] = {
        {"23.8197", 4, 238197},
        {"23.81975", 4, 238197},
        {"12,5", 2, 1200},
        {" -0.5", 2, -50},
        {"", 2, 0},
        {"7", 0, 7},
        {"1.", 3, 1000},
        {".25", 2, 25},
        {"99999999999999999999", 2, std::numeric_limits<long long>::max()},
    };
    for (const auto& c : scaled) {
        EXPECT_EQ(TextToScaled(c.text, c.decimals), c.expected) << c.text;
    }
}

TEST(IntegerTexts, PlainAndGrouped) {
    EXPECT_EQ(IntegerToText(-1234567, false), "-1234567");
    EXPECT_EQ(IntegerToText(-1234567, true), "-1.234.567");
    EXPECT_EQ(IntegerToText(std::numeric_limits<long long>::min(), true),
              "-9.223.372.036.854.775.808");
    EXPECT_EQ(WholeToText(12345.9, true), "12.345");
    EXPECT_EQ(WholeToText(-12345.9, false), "-12345");
    EXPECT_EQ(WholeToText(1e30, false), "9223372036854775807");
}

TEST(TextToInteger, ReadsLikeTheCLibrary) {
    struct Case {
        const char* text;
        long long expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"  -12abc", -12},
        {"\t+7", 7},
        {"007", 7},
        {"12 34", 12},
        {"- 5", 0},
        {"1.5", 1},
        {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"99999999999999999999", std::numeric_limits<long long>::max()},
        {"-99999999999999999999", std::numeric_limits<long long>::min()},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

TEST(TextToReal, PointIsTheOnlyDecimalSeparator) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0.0},         {"x", 0.0},    {" 12.5x", 12.5}, {"12,5", 12.0},  {"-1e3", -1000},
        {".5", 0.5},       {"5.", 5.0},   {"5e", 5.0},      {"5e+", 5.0},    {"1.5E2", 150},
        {"  -.25", -0.25}, {"-.e1", 0.0}, {"0x10", 16.0},   {"1e-999", 0.0}, {"1234.56", 1234.56},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(TextToReal(c.text), c.expected) << c.text;
    EXPECT_TRUE(std::isinf(TextToReal("1e999")));
    EXPECT_TRUE(std::isinf(TextToReal("-inf")));
    EXPECT_TRUE(std::isnan(TextToReal("nan")));
}

TEST(TextShapes, StripTrimPadNormalize) {
    const TextCase strip[] = {
        {"", ""},    {"0", "0"},       {"000", "0"}, {"0012", "12"}, {"0 ", ""},
        {"00 ", ""}, {" 012", " 012"}, {"0a", "a"},  {"100", "100"},
    };
    for (const auto& c : strip) EXPECT_EQ(StripLeadingZeros(c.input), c.expected) << c.input;

    const TextCase normalize[] = {
        {"0012.50", "12.50"}, {"      ", ""},    {"   12.50", "12.50"}, {"000", "0"},
        {"0 ", ""},           {"-0.5 ", "-0.5"}, {"0000000", "0"},
    };
    for (const auto& c : normalize) {
        EXPECT_EQ(NormalizeNumberText(c.input), c.expected) << "[" << c.input << "]";
    }

    EXPECT_EQ(TrimBlanks(" \t\r\n x y \v\f"), "x y");
    EXPECT_EQ(TrimBlanks("\xA0x\xA0"), "\xA0x\xA0");  // only the C library's blanks
    EXPECT_EQ(PadLeftZeros("7", 2), "07");
    EXPECT_EQ(PadLeftZeros("123", 2), "123");
    EXPECT_EQ(PadLeftZeros("", 3), "000");
    EXPECT_EQ(PadLeftZeros("5", -1), "5");
    EXPECT_EQ(ToUpper("ro49aaaa \xe3\xba-z"), "RO49AAAA \xe3\xba-Z");  // ASCII only
}

TEST(SliceChars, ClipsInsteadOfThrowing) {
    struct Case {
        const char* text;
        long long first;
        long long last;
        const char* zeroBased;
        const char* oneBased;
    };
    const Case cases[] = {
        {"20090215", 0, 3, "2009", "200"},
        {"20090215", 4, 5, "02", "90"},
        {"20090215", 6, 7, "15", "21"},
        {"0", 4, 5, "", ""},  // an open record's exit date
        {"0", 0, 3, "0", "0"},
        {"", 0, 0, "", ""},
        {"abc", 2, 1, "", ""},
        {"abc", -5, 1, "ab", "a"},
        {"abc", std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max(), "abc",
         "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SliceChars(c.text, c.first, c.last), c.zeroBased) << c.text << c.first;
        EXPECT_EQ(SliceCharsFrom1(c.text, c.first, c.last), c.oneBased) << c.text << c.first;
    }
    EXPECT_EQ(SliceCharsFrom("CASAB", 3), "AB");
    EXPECT_EQ(SliceCharsFrom("CAS", 3), "");
    EXPECT_EQ(SliceCharsFrom("CAS", 99), "");
}

// Company codes, months, ports and dates are checked with it: a sign, a blank,
// the characters either side of '0'..'9' or an empty text must not pass.
TEST(AllDigits, OnlyOneOrMoreDigits) {
    for (const char* digits : {"0", "12345678", "007", "201003"})
        EXPECT_TRUE(AllDigits(digits)) << digits;
    for (const char* other : {"", " 1", "1 ", "+1", "-1", "1.5", "1,5", "12a", "/", ":", "\xb9"})
        EXPECT_FALSE(AllDigits(other)) << other;
    EXPECT_FALSE(AllDigits(std::string("12") + '\0' + "3"));
}

TEST(ReadWrittenAmount, TheLastSeparatorBeforeOneOrTwoDigitsIsTheDecimalOne) {
    const TextCase read[] = {
        {"5.200,50", "5200.50"},
        {"5200,5", "5200.5"},
        {"5,200.50", "5200.50"},
        {"5200.50", "5200.50"},
        {"5200", "5200"},
        {"5.200", "5200"},
        {"5,200", "5200"},
        {"1.234.567,8", "1234567.8"},
        {"1,234,567", "1234567"},
        {",50", "0.50"},
        {"0,05", "0.05"},
        {"007", "7"},
        {"  -12,5\t", "-12.5"},
        {"+3", "3"},
        {"-0", "-0"},
    };
    for (const TextCase& c : read) {
        const auto plain = ReadWrittenAmount(c.input, 13);
        ASSERT_TRUE(plain.has_value()) << c.input;
        EXPECT_EQ(*plain, c.expected) << c.input;
    }
    const char* refused[] = {
        "",       "-",        "5.",        "5,200.",    "1.2.3",      "5.200.50", "5,200,50",
        "1,2345", "1234,567", "12,34,567", "1.234,567", "12 lei",     "1 234,50", "--5",
        "5-",     "1e3",      ".",         "0x10",      "12.345,6.7",
    };
    for (const char* text : refused) EXPECT_FALSE(ReadWrittenAmount(text, 13)) << text;
}

TEST(ReadWrittenAmount, CountsOnlySignificantIntegerDigitsAgainstTheLimit) {
    EXPECT_TRUE(ReadWrittenAmount("1.234.567.890.123,99", 13));
    EXPECT_FALSE(ReadWrittenAmount("12.345.678.901.234", 13));
    EXPECT_EQ(ReadWrittenAmount("0001234567890123", 13), "1234567890123");
}

}  // namespace
