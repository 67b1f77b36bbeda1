#pragma once

// Health-contribution rates by month, in percent.
inline constexpr int kEmployerRate = 0;
inline constexpr int kEmployeeRate = 1;

// Rate for a month YYYYMM (compared as a number) and a payer kind
// (kEmployerRate or kEmployeeRate); any other kind gives 0.
double ContributionRate(int month, int kind);

// Whole lei owed on an amount at a rate in percent: the amount times the rate
// times 0.01, rounded half up (negative results are truncated, as
// RoundHalfUp does). The amount is taken as the decimal (to 1/10000 leu) it
// stands for and the product is exact, so a salary fund summed in binary
// doubles still rounds on the right side of the half: a hundred amounts of
// 0.10 lei add up to 9.99999999999998, and that fund at 5% owes 1 leu, not 0.
long long OwedContribution(double amount, double ratePercent);
