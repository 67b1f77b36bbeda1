#include <gtest/gtest.h>

#include "datalist/DataList.h"

namespace {

struct KindCase {
    const char* kind;
    const char* text;
    const char* shown;
};

class DisplayKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(DisplayKinds, FormatsOrLeavesUnchanged) {
    const KindCase& c = GetParam();
    EXPECT_EQ(FormatDisplayKind(c.text, c.kind), c.shown) << "kind " << c.kind << " of " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayKinds,
    ::testing::Values(
        // dates
        KindCase{"1", "20090501", "01.05.2009"}, KindCase{"1", "2009-05-01", "2009-05-01"},
        KindCase{"1", "2009051", "2009051"}, KindCase{"1", "2009O501", "2009O501"},
        // a stored 0 is no date (an employment still open): nothing is shown
        KindCase{"1", "0", ""}, KindCase{"1", "00000000", ""}, KindCase{"1", "00", ""},
        KindCase{"1", "-0", "-0"}, KindCase{"1", "0.5", "0.5"},
        // months
        KindCase{"2", "200905", "05.2009"}, KindCase{"2", "20090", "20090"},
        KindCase{"2", "2009-5", "2009-5"},
        // grouped numbers
        KindCase{"3", "1234567", "1.234.567"}, KindCase{"3", "-1000", "-1.000"},
        KindCase{"3", "999", "999"}, KindCase{"3", "1234.5", "1.234,5"},
        KindCase{"3", "+1234", "+1.234"}, KindCase{"3", "12a4", "12a4"},
        KindCase{"3", "12-3", "12-3"}, KindCase{"3", "1.2.3", "1.2.3"}, KindCase{"3", "-", "-"},
        KindCase{"3", "+981", "+981"}, KindCase{"3", "+-5", "+-5"},
        // no integer digits: a "0" stands in for them, the decimals stay
        KindCase{"3", ",5", "0,5"}, KindCase{"3", ".5", "0,5"}, KindCase{"3", "-.5", "-0,5"},
        KindCase{"3", "+,25", "+0,25"}, KindCase{"3", ",", ","}, KindCase{"3", "-,", "-,"},
        // timestamps
        KindCase{"4", "20090501123456", "01.05.2009 12:34:56"},
        KindCase{"4", "2009-05-01 12:34:56", "2009-05-01 12:34:56"},
        // amounts
        KindCase{"5", "1234", "1.234,00"}, KindCase{"5", "-5", "-5,00"},
        KindCase{"5", "1234.5", "1.234,50"}, KindCase{"5", "1234,5", "1.234,50"},
        KindCase{"5", "12,", "12,00"}, KindCase{"5", "1.239", "1,23"},
        KindCase{"5", "1234567.25", "1.234.567,25"}, KindCase{"5", "abc", "abc"},
        KindCase{"5", "+1234", "+1.234,00"}, KindCase{"5", "+981.5", "+981,50"},
        KindCase{"5", ",5", "0,50"}, KindCase{"5", ".5", "0,50"}, KindCase{"5", "-,5", "-0,50"},
        KindCase{"5", "-.5", "-0,50"}, KindCase{"5", ".059", "0,05"}, KindCase{"5", "+.", "+."},
        // empty cells stay empty, unknown kinds show the text
        KindCase{"1", "", ""}, KindCase{"3", "", ""}, KindCase{"5", "", ""},
        KindCase{"", "1234", "1234"}, KindCase{"0", "20090501", "20090501"},
        KindCase{"7", "1234", "1234"}));

}  // namespace
