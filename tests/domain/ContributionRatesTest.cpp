#include <gtest/gtest.h>

#include <cmath>

#include "domain/ContributionRates.h"
#include "domain/TextNumbers.h"

namespace {

TEST(ContributionRate, PeriodBoundaries) {
    struct Case {
        int month;
        const char* employer;
        const char* employee;
    };
    const Case cases[] = {
        {199812, "5.0", "5.0"}, {199901, "7.0", "7.0"}, {200212, "7.0", "7.0"},
        {200301, "7.0", "6.5"}, {200612, "7.0", "6.5"}, {200701, "6.0", "6.5"},
        {200712, "6.0", "6.5"}, {200801, "5.5", "6.5"}, {200806, "5.5", "6.5"},
        {200807, "5.5", "5.5"}, {200811, "5.5", "5.5"}, {200812, "5.2", "5.5"},
        {201512, "5.2", "5.5"}, {0, "5.0", "5.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RealToText(ContributionRate(c.month, kEmployerRate), 1, false), c.employer)
            << c.month;
        EXPECT_EQ(RealToText(ContributionRate(c.month, kEmployeeRate), 1, false), c.employee)
            << c.month;
    }
    EXPECT_EQ(ContributionRate(200901, 2), 0.0);
    EXPECT_EQ(ContributionRate(200901, -1), 0.0);
}

TEST(OwedContribution, HalfUpOnTheDecimalAmount) {
    struct Case {
        double amount;
        double rate;
        long long expected;
    };
    const Case cases[] = {
        {1234, 5.5, 68},
        {1000, 6.5, 65},
        {1100, 5.5, 61},
        {100, 5.5, 6},
        {9, 5.5, 0},
        {10, 5.5, 1},
        {0, 5.2, 0},
        {1234.56, 5.2, 64},
        {-1234, 5.5, -67},           // negative values are truncated, as RoundHalfUp does
        {1e12, 5.5, 55000000000LL},  // beyond the exact range: the plain rule
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OwedContribution(c.amount, c.rate), c.expected) << c.amount << " at " << c.rate;
    }
}

TEST(OwedContribution, SummedFundRoundsOnTheRightSideOfTheHalf) {
    double fund = 0;
    for (int i = 0; i < 100; ++i) fund += 0.10;
    ASSERT_LT(fund, 10.0);  // binary noise below the decimal 10.00
    EXPECT_EQ(RoundHalfUp(fund * 5 * 0.01), 0);
    EXPECT_EQ(OwedContribution(fund, 5), 1);
}

// Agreement with the plain rule wherever binary noise cannot reach the half:
// every whole and cent amount up to 3000 lei at every rate of the table.
TEST(OwedContribution, AgreesWithThePlainRuleAwayFromNoise) {
    const double rates[] = {5, 5.2, 5.5, 6, 6.5, 7};
    for (double rate : rates) {
        for (long long cents = 0; cents <= 300000; ++cents) {
            double amount = cents / 100.0;
            double plain = amount * rate * 0.01;
            double fraction = plain - std::trunc(plain);
            if (std::fabs(fraction - 0.5) < 1e-9) {
                // Exactly half in decimals: always rounds up.
                ASSERT_EQ(OwedContribution(amount, rate),
                          static_cast<long long>(std::floor(plain)) + 1)
                    << amount << " at " << rate;
                continue;
            }
            ASSERT_EQ(OwedContribution(amount, rate), RoundHalfUp(plain))
                << amount << " at " << rate;
        }
    }
}

}  // namespace
