// The average daily base and the amounts, worked out exactly.
#include <gtest/gtest.h>

#include "LeaveTestFields.h"
#include "domain/TextNumbers.h"

namespace {

CertificateFigures Recalculate(const CertificateFields& fields) {
    LoadedHolidays calendar = Holidays();
    return RecalculateCertificate(fields, calendar);
}

// A Monday-to-Friday leave: five working days, all the employer's.
CertificateFields Week(const char* income, const char* days, const char* percent) {
    CertificateFields fields = Leave("2010-03-08", "2010-03-12");
    fields.income = income;
    fields.incomeDays = days;
    fields.percent = percent;
    return fields;
}

TEST(LeaveAmounts, AverageAndAmountsOfTheWorkedExample) {
    const CertificateFigures figures = Recalculate(Week("2906", "122", "100"));
    EXPECT_EQ("5", figures.employerDays);
    EXPECT_EQ("23.8197", figures.averageDailyBase);
    EXPECT_EQ("119", figures.employerAmount);  // 119.0985
    EXPECT_EQ("0", figures.fnuassAmount);
    EXPECT_EQ("119", figures.totalAmount);

    // Friday to Friday at 75%: 3 x 23.8197 x 0.75 = 53.59 and the same for FNUASS.
    CertificateFields split = Leave("2010-03-05", "2010-03-12");
    split.income = "2906";
    split.incomeDays = "122";
    const CertificateFigures both = Recalculate(split);
    EXPECT_EQ("54", both.employerAmount);
    EXPECT_EQ("54", both.fnuassAmount);
    EXPECT_EQ("108", both.totalAmount);
}

TEST(LeaveAmounts, NoIncomeOrNoDaysLeavesTheAverageAndAmountsAtZero) {
    for (const auto& [income, days] : {std::pair{"", "122"},
                                       {"2906", ""},
                                       {"0", "122"},
                                       {"2906", "0"},
                                       {"-5", "10"},
                                       {"abc", "10"}}) {
        const CertificateFigures figures = Recalculate(Week(income, days, "100"));
        EXPECT_EQ("0", figures.averageDailyBase) << income << "/" << days;
        EXPECT_EQ("0", figures.totalAmount) << income << "/" << days;
        EXPECT_EQ("5", figures.employerDays);
    }
}

TEST(LeaveAmounts, AHalfLeuAfterExactArithmeticIsRoundedUp) {
    // The binary product of this case lands just below the half.
    ASSERT_EQ(760, RoundHalfUp(TextToReal("67.6000") * 15 * 75 * 0.01));
    EXPECT_EQ(761, ShareAmount(676000, 15, 75));

    CertificateFields fields = Leave("2010-03-01", "2010-03-19");  // 15 working days
    fields.kind = LeaveKind::Continuation;
    fields.employerDays = "0";
    fields.fnuassDays = "15";
    fields.income = "8112";  // over 120 days: 67.6000 a day
    fields.incomeDays = "120";
    const CertificateFigures figures = Recalculate(fields);
    EXPECT_EQ("67.6000", figures.averageDailyBase);
    EXPECT_EQ("761", figures.fnuassAmount);
    EXPECT_EQ("761", figures.totalAmount);
}

TEST(LeaveAmounts, TheAverageIsTheFourDecimalTextOfTheRealDivision) {
    EXPECT_EQ("23.8197", AverageText(*AverageDailyBase("2906", "122")));
    // Read as reals: a typed income with decimals keeps them.
    EXPECT_EQ("23.8238", AverageText(*AverageDailyBase("2906.50", "122")));
    // An exact tie in the fifth decimal is shown as the form always showed it.
    EXPECT_EQ(RealToText(1.0 / 32, 4, false), AverageText(*AverageDailyBase("1", "32")));
    EXPECT_EQ("0.0001", AverageText(*AverageDailyBase("1", "19999")));
    EXPECT_EQ("0.0000", AverageText(*AverageDailyBase("1", "20001")));
    EXPECT_EQ("2906.0000", AverageText(*AverageDailyBase("2906", "1")));
    EXPECT_EQ(1071428571428561LL, ShareAmount(142857142857141429LL, 100, 75));
    EXPECT_FALSE(AverageDailyBase("0", "5"));
    EXPECT_FALSE(AverageDailyBase("5", "0"));
    EXPECT_FALSE(AverageDailyBase("", "5"));
}

TEST(LeaveAmounts, Code10PaysTheLostIncomeUpToAQuarterOfTheBase) {
    EXPECT_EQ(109, Code10FnuassAmount(2906, 375));  // Ci 109.3333, Bmax 121.0833
    EXPECT_EQ(121, Code10FnuassAmount(2906, 300));  // Ci 184.3333 is above Bmax
    EXPECT_EQ(110, Code10FnuassAmount(2907, 375));  // Ci 109.5000 exactly
    EXPECT_EQ(0, Code10FnuassAmount(2906, 600));    // nothing lost: Ci is 0, not negative
    EXPECT_EQ(121, Code10FnuassAmount(2906, 0));

    CertificateFields fields = Leave("2010-03-05", "2010-03-12");
    fields.indemnityCode = "10";
    fields.income = "2906";
    fields.incomeDays = "122";
    fields.percent = "25";
    fields.reducedIncome = "375";
    const CertificateFigures figures = Recalculate(fields);
    EXPECT_EQ("0", figures.employerDays);
    EXPECT_EQ("6", figures.fnuassDays);
    EXPECT_EQ("0", figures.employerAmount);
    EXPECT_EQ("109", figures.fnuassAmount);  // not 6 x 23.8197 x 25%
    EXPECT_EQ("109", figures.totalAmount);
}

}  // namespace
