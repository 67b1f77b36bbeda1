#include <gtest/gtest.h>

#include "domain/Identifiers.h"

namespace {

struct CheckCase {
    const char* text;
    bool expected;
    const char* why;
};

TEST(IsValidCnp, ControlDigitOnly) {
    const CheckCase cases[] = {
        {"1800101221144", true, "valid code"},
        {"1800101221145", false, "wrong control digit"},
        {"1945807302151", true, "sum mod 11 is 10: control digit 1"},
        {"1945807302150", false, "sum mod 11 is 10: 0 is not accepted"},
        {"0000000000000", false, "integer value 0 although the control digit matches"},
        {"18A0101221144", true, "letter counts as 0 and the control still matches"},
        {"18A01 1221144", true, "blank counts as 0 as well"},
        {"180010122114", false, "12 characters"},
        {"18001012211440", false, "14 characters"},
        {" 1800101221144", false, "not trimmed: 14 characters"},
        {"1991301400129", true, "month 13: birth date not checked"},
        {"9000000000007", true, "first digit not checked"},
        {"", false, "empty"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidCnp(c.text), c.expected) << c.text << ": " << c.why;
}

TEST(IsValidFiscalCode, CuiKeyForTwoToNineDigits) {
    const CheckCase cases[] = {
        {"18547290", true, "8 digits"},
        {"  0018547290 ", true, "blanks and two leading zeros are dropped"},
        {"18547291", false, "wrong control digit"},
        {"27", true, "shortest code"},
        {"7", false, "a single digit"},
        {"0", false, "zero"},
        {"", false, "empty"},
        {"58537350", true, "(sum x 10) mod 11 is 10: control digit 0"},
        {"1234565", true, "7 digits"},
        {"123456788", false, "9 digits, wrong control"},
        {"123456789", true, "9 digits"},
        {"1234567897", false, "10 significant digits are refused"},
        {"12345678901", false, "11 significant digits are refused"},
        {"123456789012", false, "12 significant digits are refused"},
        {"1800101221144", true, "13 characters: checked as a CNP"},
        {"1800101221145", false, "13 characters: CNP control fails"},
        {" 1800101221144 ", true, "trimmed before the CNP rule"},
        {"RO18547290", false, "no RO prefix handling"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidFiscalCode(c.text), c.expected) << "[" << c.text << "]: " << c.why;
    }
}

TEST(IsValidBankAccount, Iso13616OnTwentyFourCharacters) {
    const CheckCase cases[] = {
        {"RO12RNCB0082004402390001", true, "valid"},
        {"ro12rncb0082004402390001", true, "lower case"},
        {"RO17BTRL01301205S62439XX", true, "letters inside the account"},
        {"RO17BTRL01301205S62439XY", false, "one letter changed"},
        {"RO21RNCB0082004402390001", false, "check digits swapped"},
        {"RO12 RNCB 0082 0044 0239 0001", false, "grouped with blanks"},
        {"RO12RNCB008200440239000", false, "23 characters"},
        {"RO12RNCB00820044023900011", false, "25 characters"},
        {"", false, "empty (callers skip the check for an empty account)"},
        // Reducing five characters at a time by C-style number reading would
        // let these through (a sign or blank cuts a chunk short); they are
        // not account numbers.
        {"A73+WH5T Y9S7W8IQ-IHF5YI", false, "punctuation and a blank inside"},
        {"RO12RNCB-082004402390001", false, "a dash for a zero"},
        {"RO12RNCB0082004402390\xC1"
         "01",
         false, "a high byte expands, never crashes"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidBankAccount(c.text), c.expected) << c.text << ": " << c.why;
    }
}

TEST(IsValidSector, OnlyBucharestHasSectors) {
    struct Case {
        int county;
        const char* sector;
        bool expected;
    };
    const Case cases[] = {
        {kCountyWithSectors, "1", true},
        {kCountyWithSectors, "6", true},
        {kCountyWithSectors, "0", false},
        {kCountyWithSectors, "7", false},
        {kCountyWithSectors, "", false},
        {kCountyWithSectors, " 3", true},
        {kCountyWithSectors, "3x", true},
        {0, "", true},
        {13, "99", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidSector(c.county, c.sector), c.expected) << c.county << " " << c.sector;
    }
}

TEST(RegistryNumber, CutAtTheFirstTwoSlashes) {
    const RegistryNumberParts whole = SplitRegistryNumber("J40/1234/2003");
    EXPECT_EQ("J40", whole.office);
    EXPECT_EQ("1234", whole.number);
    EXPECT_EQ("2003", whole.year);
    const RegistryNumberParts extra = SplitRegistryNumber("J40/1/2003/7");
    EXPECT_EQ("2003/7", extra.year);
    const RegistryNumberParts office = SplitRegistryNumber("J40");
    EXPECT_EQ("J40", office.office);
    EXPECT_TRUE(office.number.empty());
    EXPECT_TRUE(office.year.empty());
    EXPECT_EQ("12", SplitRegistryNumber("J40/12").number);
    EXPECT_TRUE(SplitRegistryNumber("J40/12").year.empty());
}

// The order number and the year end up in numeric fields of the annex files.
TEST(RegistryNumber, OrderNumberAndYearMustBeDigitsThatFitTheirFields) {
    for (const char* good :
         {"", "J40/1234/2003", "J12/345/2005", "J40/12345/2003", "/1/1", "F05/7/99"})
        EXPECT_TRUE(IsValidRegistryNumber(good)) << good;
    for (const char* bad : {"J12/1'2\\3/2021", "J40", "J40/1234", "J40/1234/", "J40//2003",
                            "J40/123456/2003", "J40/1234/20031", "J40/12 3/2003", "J40/1234/2003/1",
                            "J40/-12/2003", "J40/1.5/2003", "J40/1234/ 2003", "J40/1,2/2003"})
        EXPECT_FALSE(IsValidRegistryNumber(bad)) << bad;
}

}  // namespace
