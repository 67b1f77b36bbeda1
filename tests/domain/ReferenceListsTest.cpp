#include <gtest/gtest.h>

#include <set>
#include <string>

#include "domain/ReferenceLists.h"

namespace {

TEST(MonthName, NamesAndMarker) {
    EXPECT_EQ(MonthName(1), "Ianuarie");
    EXPECT_EQ(MonthName(8), "August");
    EXPECT_EQ(MonthName(12), "Decembrie");
    EXPECT_EQ(MonthName(0), "EROARE");
    EXPECT_EQ(MonthName(13), "EROARE");
    EXPECT_EQ(MonthName(-1), "EROARE");
}

TEST(Counties, CodesNamesAndLookups) {
    struct Case {
        int index;
        const char* code;
        const char* name;
        const char* combo;
    };
    const Case cases[] = {
        {0, "AB", "Alba", "ALBA"},
        {9, "MB", "Municipiul Bucuresti", "BUCURESTI"},
        {12, "CS", "Caras Severin", "CARAS-SEVERIN"},
        {21, "HR", "Harghita", "HARGHITA"},
        {33, "SM", "Satu Mare", "SATU MARE"},
        {41, "VN", "Vrancea", "VRANCEA"},
        {-1, "??", "??", "??"},
        {42, "??", "??", "??"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountyCode(c.index), c.code) << c.index;
        EXPECT_EQ(CountyName(c.index), c.name) << c.index;
        EXPECT_EQ(CountyComboText(c.index), c.combo) << c.index;
    }
    EXPECT_EQ(CountyIndex("MB"), 9);
    EXPECT_EQ(CountyIndex("mb"), -1);
    EXPECT_EQ(CountyIndex(""), -1);
    EXPECT_EQ(CountyIndex("??"), -1);
    std::set<std::string> codes;
    for (int i = 0; i < kCountyCount; ++i) {
        codes.insert(CountyCode(i));
        EXPECT_EQ(CountyIndex(CountyCode(i)), i);
    }
    EXPECT_EQ(codes.size(), 42u);
    EXPECT_EQ(CountyComboTexts().size(), 42u);
}

TEST(InsuranceHouses, PositionsOfBothModuleTables) {
    using enum InsuranceHouseTable;
    struct Case {
        const char* code;
        int health;
        int leave;
    };
    const Case cases[] = {
        {"CAS_B", 0, 0},   {"CAS_A", 2, 2},   {"CASBV", 10, 10}, {"CASBR", 11, 11},
        {"CASCS", 13, 13}, {"CASIF", 27, 27}, {"CASMM", 28, 28}, {"CASSM", 34, 34},
        {"CASVS", 41, 41}, {"CASVN", 43, 43}, {"CASHR", 23, 23},  // employees carried up the ladder
        {"CASHG", -1, 23}, {"CAS_O", -1, -1}, {"casmm", -1, -1}, {"", -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InsuranceHousePosition(c.code, Health), c.health) << c.code;
        EXPECT_EQ(InsuranceHousePosition(c.code, MedicalLeave), c.leave) << c.code;
    }
    EXPECT_EQ(InsuranceHouseCode(23, Health), "CASHR");
    EXPECT_EQ(InsuranceHouseCode(23, MedicalLeave), "CASHG");
    EXPECT_EQ(InsuranceHouseCode(44), "?????");
    EXPECT_EQ(InsuranceHouseCode(-1, MedicalLeave), "?????");
    // Each table is its own exact inverse on its 44 codes.
    for (auto table : {Health, MedicalLeave}) {
        std::set<std::string> codes;
        for (int p = 0; p < kInsuranceHouseCount; ++p) {
            std::string code = InsuranceHouseCode(p, table);
            codes.insert(code);
            EXPECT_EQ(InsuranceHousePosition(code, table), p) << code;
            EXPECT_EQ(code.substr(0, 3), "CAS");
            EXPECT_EQ(code.size(), 5u);
        }
        EXPECT_EQ(codes.size(), 44u);
    }
}

TEST(InsuranceHouses, ComboTexts) {
    EXPECT_EQ(InsuranceHouseComboText(2), "_A - opsnaj");
    EXPECT_EQ(InsuranceHouseComboText(13), "CS - Caras-Severin");
    EXPECT_EQ(InsuranceHouseComboText(23), "HG - Harghita");
    EXPECT_EQ(InsuranceHouseComboText(23, HarghitaLabel::Hr), "HR - Harghita");
    EXPECT_EQ(InsuranceHouseComboText(24, HarghitaLabel::Hr), "HD - Hunedoara");
    EXPECT_EQ(InsuranceHouseComboText(44), "?????");
    auto texts = InsuranceHouseComboTexts();
    ASSERT_EQ(texts.size(), 44u);
    // Every list text starts with the two characters the code ends with, except
    // Harghita's "HG", which the health codes write "HR".
    for (int p = 0; p < kInsuranceHouseCount; ++p) {
        std::string code = InsuranceHouseCode(p, InsuranceHouseTable::MedicalLeave);
        EXPECT_EQ(texts[p].substr(0, 5), code.substr(3, 2) + " - ") << p;
    }
}

TEST(EmploymentForms, CodesAndListTexts) {
    ASSERT_EQ(EmploymentForms().size(), 8u);
    EXPECT_EQ(EmploymentFormListText("SCS"), "SCS - salariat  cu domiciliu in strainatate");
    EXPECT_EQ(EmploymentFormListText("CT"),
              "CT - cenzori, consiliu de administratie, alte categorii");
    EXPECT_EQ(EmploymentFormListText("s"), "");
    EXPECT_EQ(EmploymentFormIndex("S"), 0);
    EXPECT_EQ(EmploymentFormIndex("SS"), 7);
    EXPECT_EQ(EmploymentFormIndex("X"), -1);
    for (const CodedEntry& form : EmploymentForms()) {
        EXPECT_EQ(form.listText.substr(0, form.code.size() + 3), std::string(form.code) + " - ");
    }
    ASSERT_EQ(CoInsuredKinds().size(), 2u);
    EXPECT_EQ(CoInsuredKindListText("S"), "S - sot sau sotie");
    EXPECT_EQ(CoInsuredKindListText("P"), "P - parinte");
    EXPECT_EQ(CoInsuredKindIndex("P"), 1);
    EXPECT_EQ(CoInsuredKindIndex("C"), -1);
}

}  // namespace
