// The leave declaration's groups and the A1 record, computed without a server
// from chains built in memory.
#include <gtest/gtest.h>

#include <map>

#include "dbf/DbfTableSpec.h"
#include "leave/DeclarationGroups.h"
#include "leave/LeaveFiles.h"
#include "leave/MonthChain.h"

namespace {

ChainEntry Entry(const char* tip, const char* cnp, const char* numar, int code, long long empDays,
                 long long fnDays, double empAmount, double fnAmount) {
    return {tip, cnp, "AB", numar, code, empDays, fnDays, empAmount, fnAmount};
}

DeclarationGroups Groups(const std::vector<ChainEntry>& chain) {
    return GroupsFromEffects(ChainEffects(chain));
}

// The three certificates of the initial declaration: two of code 1, one of 9.
const std::vector<ChainEntry> kInitial = {
    Entry("", "1800101221144", "1001", 1, 5, 3, 500.5, 300),
    Entry("", "2850505123456", "1002", 1, 3, 2, 200, 150),
    Entry("A", "1750101000003", "1003", 9, 0, 7, 0, 420.75),
};

TEST(DeclarationGroups, CodesGoToTheirGroups) {
    EXPECT_EQ(0, GroupOfIndemnityCode(1));
    EXPECT_EQ(0, GroupOfIndemnityCode(0));
    EXPECT_EQ(0, GroupOfIndemnityCode(12));
    EXPECT_EQ(1, GroupOfIndemnityCode(10));
    EXPECT_EQ(1, GroupOfIndemnityCode(11));
    EXPECT_EQ(2, GroupOfIndemnityCode(8));
    EXPECT_EQ(3, GroupOfIndemnityCode(9));
    EXPECT_EQ(4, GroupOfIndemnityCode(15));

    const DeclarationGroups g = Groups(kInitial);
    EXPECT_EQ(2, g[0].cases);
    EXPECT_EQ(8, g[0].employerDays);
    EXPECT_EQ(5, g[0].fnuassDays);
    EXPECT_EQ(13, g[0].BenefitDays());
    EXPECT_DOUBLE_EQ(700.5, g[0].employerAmount);
    EXPECT_DOUBLE_EQ(450, g[0].fnuassAmount);
    EXPECT_EQ(1, g[3].cases);
    EXPECT_DOUBLE_EQ(420.75, g[3].fnuassAmount);
    for (int k : {1, 2, 4}) EXPECT_EQ(0, g[k].cases) << k;
    EXPECT_DOUBLE_EQ(700.5, EmployerAmountOfAllGroups(g));
}

TEST(DeclarationGroups, AModifiedCertificateMovesToItsNewGroupAndAWithdrawnOneLeaves) {
    std::vector<ChainEntry> chain = kInitial;
    // Rectification 1: the first certificate becomes a pregnancy leave (code 8).
    chain.push_back(Entry("M", "1800101221144", "1001", 8, 0, 10, 0, 900));
    DeclarationGroups g = Groups(chain);
    EXPECT_EQ(1, g[0].cases);
    EXPECT_EQ(3, g[0].employerDays);
    EXPECT_DOUBLE_EQ(150, g[0].fnuassAmount);
    EXPECT_DOUBLE_EQ(200, g[0].employerAmount);
    EXPECT_EQ(1, g[2].cases);
    EXPECT_EQ(10, g[2].fnuassDays);
    EXPECT_DOUBLE_EQ(900, g[2].fnuassAmount);
    EXPECT_EQ(1, g[3].cases);

    // Rectification 2 withdraws the second certificate: group 1 is empty again.
    chain.push_back(Entry("S", "2850505123456", "1002", 1, 3, 2, 200, 150));
    g = Groups(chain);
    EXPECT_EQ(0, g[0].cases);
    EXPECT_EQ(0, g[0].employerDays);
    EXPECT_DOUBLE_EQ(0, g[0].employerAmount);
    EXPECT_DOUBLE_EQ(0, g[0].fnuassAmount);
}

TEST(DeclarationGroups, AfterAWithdrawalAnotherWithdrawalChangesNothingAndAModificationCountsAnew) {
    std::vector<ChainEntry> chain = kInitial;
    chain.push_back(Entry("S", "2850505123456", "1002", 1, 3, 2, 200, 150));
    chain.push_back(Entry("S", "2850505123456", "1002", 1, 3, 2, 200, 150));
    DeclarationGroups g = Groups(chain);
    EXPECT_EQ(1, g[0].cases);
    EXPECT_DOUBLE_EQ(300, g[0].fnuassAmount);

    chain.push_back(Entry("M", "2850505123456", "1002", 10, 1, 1, 50, 60));
    g = Groups(chain);
    EXPECT_EQ(1, g[0].cases);
    EXPECT_EQ(1, g[1].cases);
    EXPECT_DOUBLE_EQ(60, g[1].fnuassAmount);
    // An "M" for a certificate never declared changes nothing.
    chain.push_back(Entry("M", "2990909000009", "7777", 15, 1, 1, 50, 60));
    EXPECT_EQ(0, Groups(chain)[4].cases);
}

// The A1 record by field name.
std::map<std::string, std::string> A1ByName(const CompanyRecord& company,
                                            const DeclarationRecord& declaration,
                                            const DeclarationGroups& groups,
                                            const MonthSettlement& amounts) {
    const DbfTableSpec spec = LeaveA1Spec();
    const std::vector<std::string> values = A1Values(declaration, company, groups, amounts);
    EXPECT_EQ(spec.m_names.size(), values.size());
    std::map<std::string, std::string> byName;
    for (std::size_t i = 0; i < values.size() && i < spec.m_names.size(); ++i)
        byName[spec.m_names[i]] = values[i];
    return byName;
}

TEST(LeaveA1Record, TotalsGroupsAndCompanyFields) {
    CompanyRecord company;
    company.cf = "12345678";
    company.denumire = "ALFA SRL";
    company.jud = "MB";
    company.sect = "3";
    DeclarationRecord d;
    d.luna = "201003";
    d.rectificativa = "DA";
    d.rectifNr = "1";
    d.nrAng = "5";
    d.fondDeSalarii = "50000";
    d.contributiiDatorate = "425";
    d.faambp = "1000";
    d.faambpDatorat = "9";
    const MonthSettlement a = SettleMonth(434, 870.75, 100);
    auto v = A1ByName(company, d, Groups(kInitial), a);
    EXPECT_EQ("_B", v["CAS_ANG"]);
    EXPECT_EQ("MB", v["ADR_JUD"]);
    EXPECT_EQ("1", v["TIPD"]);
    EXPECT_EQ("3", v["LN"]);
    EXPECT_EQ("2010", v["AN"]);
    EXPECT_EQ("434", v["FOND_CONTR"]);
    EXPECT_EQ("870", v["TOT_CUANT_"]);
    EXPECT_EQ("2", v["CAZ_G1"]);
    EXPECT_EQ("1", v["CAZ_G4"]);
    EXPECT_EQ("0", v["CAZ_G3"]);
    EXPECT_EQ("13", v["ZI_PRE_G1"]);
    EXPECT_EQ("7", v["ZI_PRE_G4"]);
    // Employer days of the first group only; the employer's amount of all.
    EXPECT_EQ("8", v["TOT_ZI_PRE"]);
    EXPECT_EQ("700", v["TOT_SUM"]);
    EXPECT_EQ("420", v["FN_G4"]);
    EXPECT_EQ("100", v["TOT_ANTER"]);
    EXPECT_EQ("0", v["COMPENSAT"]);
    EXPECT_EQ("0", v["TOT_VIRAT"]);
    EXPECT_EQ("536", v["TOT_RECUP"]);  // 870.75 + 100 - 434, cut
    EXPECT_EQ("3", v["ADR_SECT"]);
    for (const char* empty : {"B2", "F2", "C2", "NRF"}) EXPECT_EQ("", v[empty]) << empty;

    company.jud = "HR";
    EXPECT_EQ("HG", A1ByName(company, d, {}, a)["CAS_ANG"]);
    EXPECT_EQ("HR", A1ByName(company, d, {}, a)["ADR_JUD"]);
    company.jud = "AB";
    EXPECT_EQ("AB", A1ByName(company, d, {}, a)["CAS_ANG"]);
}

TEST(LeaveA1Record, NamesAndLayoutsOfTheTwoFiles) {
    EXPECT_EQ("A1_0310_12345678.dbf", LeaveFileName(1, "201003", "12345678"));
    EXPECT_EQ("A2_1206_1800101221144.dbf", LeaveFileName(2, "200612", "1800101221144"));
    const DbfTableSpec a1 = LeaveA1Spec();
    ASSERT_EQ(58u, a1.m_names.size());
    int length = 1;
    for (auto l : a1.m_lengths) length += l;
    EXPECT_EQ(1 + 2 + 1 + 2 + 4 + 50 + 13 + 20 + 6 + 18 * 6 + 5 * 5 + 4 * 5 + 5 + 18 + 4 * 5 +
                  18 * 5 + 18 * 4 + 25 + 25 + 10 + 10 + 5 + 2 + 3 + 15 + 2 + 2 + 50 + 25 + 25 + 50 +
                  25 + 25 + 50 + 2,
              length);
    const DbfTableSpec a2 = LeaveA2Spec();
    ASSERT_EQ(33u, a2.m_names.size());
    EXPECT_EQ("MZBCI", a2.m_names[31]);
    EXPECT_EQ(13, a2.m_lengths[31]);
    EXPECT_EQ(4, a2.m_decimals[31]);
    EXPECT_EQ("D", a2.m_types[17]);
}

}  // namespace
