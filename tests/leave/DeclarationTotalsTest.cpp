// The month chain and the declaration totals, without a server.
#include <gtest/gtest.h>

#include "datalist/DataList.h"
#include "leave/DeclarationRegister.h"
#include "leave/DeclarationTotals.h"
#include "leave/MonthChain.h"

namespace {

ChainEntry Cert(const char* tip, const char* cnp, const char* number, double fnuass, int code = 1) {
    ChainEntry e;
    e.tipRectif = tip;
    e.cnp = cnp;
    e.certSerie = "CCMAB";
    e.certNumar = number;
    e.indemnityCode = code;
    e.fnuassAmount = fnuass;
    e.employerAmount = 10;
    e.employerDays = 5;
    e.fnuassDays = 3;
    return e;
}

double J(const std::vector<ChainEntry>& chain) {
    return ChainBenefits(ChainEffects(chain));
}

TEST(MonthChainTest, ModificationsReplaceAndWithdrawalsRemoveTheLatestVersion) {
    const std::vector<ChainEntry> initial = {Cert("", "1800101221144", "1", 300),
                                             Cert("", "2800203400121", "2", 200)};
    EXPECT_EQ(500, J(initial));
    std::vector<ChainEntry> rectified = initial;
    rectified.push_back(Cert("M", "1800101221144", "1", 350));
    rectified.push_back(Cert("S", "2800203400121", "2", 0));
    EXPECT_EQ(350, J(rectified));
    // A second modification replaces the first one, not the original.
    rectified.push_back(Cert("M", "1800101221144", "1", 400));
    EXPECT_EQ(400, J(rectified));
    // Additions always count in, even for a certificate already there.
    rectified.push_back(Cert("A", "1850505123457", "3", 25));
    EXPECT_EQ(425, J(rectified));
}

TEST(MonthChainTest, AWithdrawnCertificateStaysWithdrawnUntilAModificationBringsItBack) {
    std::vector<ChainEntry> chain = {Cert("", "1800101221144", "1", 300),
                                     Cert("S", "1800101221144", "1", 300)};
    EXPECT_EQ(0, J(chain));
    chain.push_back(Cert("S", "1800101221144", "1", 300));
    EXPECT_EQ(0, J(chain)) << "a second withdrawal takes nothing more out";
    chain.push_back(Cert("M", "1800101221144", "1", 120));
    EXPECT_EQ(120, J(chain)) << "a modification after a withdrawal adds as an addition";
    chain.push_back(Cert("M", "1800101221144", "1", 150));
    EXPECT_EQ(150, J(chain));
}

TEST(MonthChainTest, ChangesToUnknownCertificatesAndUnknownTypesChangeNothing) {
    const std::vector<ChainEntry> chain = {
        Cert("", "1800101221144", "1", 300), Cert("M", "1800101221144", "9", 999),
        Cert("S", "2800203400121", "1", 300), Cert("X", "1800101221144", "1", 77)};
    EXPECT_EQ(300, J(chain));
    // Same number, other series: another certificate.
    ChainEntry other = Cert("S", "1800101221144", "1", 0);
    other.certSerie = "CCMCJ";
    EXPECT_EQ(300, J({chain[0], other}));
}

TEST(MonthChainTest, EffectsCarryTheFiguresOfTheVersionTheyTakeOut) {
    const auto effects = ChainEffects(std::vector<ChainEntry>{
        Cert("", "1800101221144", "1", 300, 1), Cert("M", "1800101221144", "1", 350, 8)});
    ASSERT_EQ(3u, effects.size());
    EXPECT_EQ(+1, effects[0].sign);
    EXPECT_EQ(-1, effects[1].sign);
    EXPECT_EQ(1, effects[1].entry.indemnityCode);
    EXPECT_EQ(300, effects[1].entry.fnuassAmount);
    EXPECT_EQ(+1, effects[2].sign);
    EXPECT_EQ(8, effects[2].entry.indemnityCode);
}

TEST(MonthChainTest, SettlementOffsetsBenefitsThenRecoversThenPays) {
    auto expect = [](double i, double j, double k, double l, double m, double n) {
        const MonthSettlement s = SettleMonth(i, j, k);
        EXPECT_EQ(l, s.l) << i << " " << j << " " << k;
        EXPECT_EQ(m, s.m) << i << " " << j << " " << k;
        EXPECT_EQ(n, s.n) << i << " " << j << " " << k;
    };
    expect(1000, 700, 500, 300, 0, 200);
    expect(1000, 300, 200, 200, 500, 0);
    expect(300, 700, 100, 0, 0, 500);
    expect(500, 500, 40, 0, 0, 40);
}

TEST(DeclarationTotalsTest, TheBaseIsCappedAndTheRateFollowsTheYear) {
    DeclarationTotals t = ComputeDeclarationTotals(2010, 5, 600, 50000, 0);
    EXPECT_EQ(36000, t.base);
    EXPECT_EQ(306, t.f);
    EXPECT_EQ(270, ComputeDeclarationTotals(2006, 5, 600, 50000, 0).f);
    EXPECT_EQ("= baza de calcul x 0.75%", LeaveRateLabel(2006));
    EXPECT_EQ("= baza de calcul x 0.85%", LeaveRateLabel(2007));
    t = ComputeDeclarationTotals(2010, 5, 600, 20000, 1000);
    EXPECT_EQ(20000, t.base);
    EXPECT_EQ(170, t.f);
    EXPECT_EQ(9, t.h) << "8.5 rounds half up";
    EXPECT_EQ(179, t.i);
}

TEST(DeclarationTotalsTest, APositiveContributionIsAtLeastOneLeu) {
    EXPECT_EQ(1, ComputeDeclarationTotals(2010, 1, 600, 100, 0).f);
    EXPECT_EQ(1, ComputeDeclarationTotals(2010, 1, 600, 1, 1).h);
    EXPECT_EQ(0, ComputeDeclarationTotals(2010, 1, 600, 0, 0).f);
    EXPECT_EQ(0, ComputeDeclarationTotals(2010, 1, 600, 0, 0).h);
}

TEST(DeclarationTotalsTest, LargeCompaniesAndFundsDoNotOverflow) {
    // 99999 employees x 12 x 4050 is beyond 32 bits.
    const DeclarationTotals t = ComputeDeclarationTotals(2025, 99999, 4050, 999999999999999, 0);
    EXPECT_EQ(99999LL * 12 * 4050, t.base);
    EXPECT_EQ((t.base * 85 + 5000) / 10000, t.f);
}

TEST(DeclarationListTest, ANewDeclarationGoesAfterTheRowsOfItsMonth) {
    DataList list;
    list.AppendColumn("LUNA", "int", 70, DisplayKind::Month);
    list.AppendColumn("RECTIF", "text", 60);
    list.AppendColumn("NR", "text", 50);
    list.AppendColumn("INDEX", "int", 0);
    for (const char* month : {"201002", "201003", "201003", "201005"}) list.AddRow(month);
    EXPECT_EQ(0, DeclarationRegister::InsertPosition(list, 201001));
    EXPECT_EQ(3, DeclarationRegister::InsertPosition(list, 201003));
    EXPECT_EQ(3, DeclarationRegister::InsertPosition(list, 201004));
    EXPECT_EQ(4, DeclarationRegister::InsertPosition(list, 201012));

    DeclarationRecord second;
    second.luna = "201003";
    second.rectificativa = "DA";
    second.rectifNr = "2";
    second.index = "17";
    const int row = DeclarationRegister::InsertListRow(list, second);
    EXPECT_EQ(3, row);
    EXPECT_EQ("DA", list.CellText(3, "RECTIF"));
    EXPECT_EQ("2", list.CellText(3, "NR"));
    EXPECT_EQ("17", list.CellText(3, "INDEX"));
    EXPECT_EQ("201005", list.CellText(4, "LUNA"));

    DeclarationRecord initial;
    initial.luna = "201004";
    initial.rectificativa = "";
    initial.rectifNr = "0";
    initial.index = "18";
    ASSERT_EQ(4, DeclarationRegister::InsertListRow(list, initial));
    EXPECT_EQ("201004", list.CellText(4, "LUNA"));
    EXPECT_EQ("NU", list.CellText(4, "RECTIF"));
    EXPECT_EQ("", list.CellText(4, "NR"));
    EXPECT_EQ("18", list.CellText(4, "INDEX"));
}

}  // namespace
