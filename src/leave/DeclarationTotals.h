#pragma once
#include <string>

// The contributions a declaration owes, from what the editor holds: the base
// is the wage fund capped at employees x 12 x the minimum wage; F and H are
// the leave rate of the base and of the work-accident indemnities, rounded
// half up, never below 1 when the product is positive. Counts and amounts
// are 64-bit; the percentages are applied exactly.
struct DeclarationTotals {
    long long base = 0;
    long long f = 0;
    long long h = 0;
    long long i = 0;
};

// The leave rate in hundredths of a percent: 75 before 2007, 85 from 2007.
int LeaveRateHundredths(int year);
// The label beside F for the year.
std::string LeaveRateLabel(int year);

DeclarationTotals ComputeDeclarationTotals(int year, long long employees, long long minimumWage,
                                           long long wageFund, long long faambp);
