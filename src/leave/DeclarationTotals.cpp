#include "leave/DeclarationTotals.h"

#include "domain/TextNumbers.h"

namespace {

// amount x rate% with the rate in hundredths: the product over 10000,
// rounded half up; a positive product below 1 counts as 1.
long long Contribution(long long amount, int rateHundredths) {
    const long long numerator = amount * rateHundredths;
    if (numerator > 0 && numerator < 10000) return 1;
    return RoundHalfUpRatio(numerator, 10000);
}

}  // namespace

int LeaveRateHundredths(int year) {
    return year < 2007 ? 75 : 85;
}

std::string LeaveRateLabel(int year) {
    return year < 2007 ? "= baza de calcul x 0.75%" : "= baza de calcul x 0.85%";
}

DeclarationTotals ComputeDeclarationTotals(int year, long long employees, long long minimumWage,
                                           long long wageFund, long long faambp) {
    DeclarationTotals totals;
    const long long cap = minimumWage * employees * 12;
    totals.base = wageFund > cap ? cap : wageFund;
    const int rate = LeaveRateHundredths(year);
    totals.f = Contribution(totals.base, rate);
    totals.h = Contribution(faambp, rate);
    totals.i = totals.f + totals.h;
    return totals;
}
