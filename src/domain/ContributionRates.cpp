#include "domain/ContributionRates.h"

#include <array>
#include <cmath>

#include "domain/TextNumbers.h"

namespace {

struct RatePeriod {
    int lastMonth;  // inclusive; the final period runs open-ended
    int employerTenths;
    int employeeTenths;
};

constexpr std::array<RatePeriod, 7> kRatePeriods = {{
    {199812, 50, 50},
    {200212, 70, 70},
    {200612, 70, 65},
    {200712, 60, 65},
    {200806, 55, 65},
    {200811, 55, 55},
    {2147483647, 52, 55},
}};

// Amounts are kept to ten-thousandths of a leu and rates to hundredths of a
// percent; beyond this the product could leave 64 bits and the plain double
// rule is used instead (such amounts are not salaries).
constexpr double kLargestExactAmount = 1e11;
constexpr long long kAmountScale = 10000;
constexpr long long kRateScale = 100;
// amount x rate x 0.01 = (A / 10^4) x (R / 10^2) / 10^2 = A x R / 10^8
constexpr long long kProductScale = kAmountScale * kRateScale * 100;

}  // namespace

double ContributionRate(int month, int kind) {
    if (kind != kEmployerRate && kind != kEmployeeRate) return 0.0;
    for (const RatePeriod& period : kRatePeriods) {
        if (month <= period.lastMonth) {
            int tenths = kind == kEmployerRate ? period.employerTenths : period.employeeTenths;
            return tenths / 10.0;
        }
    }
    return 0.0;
}

long long OwedContribution(double amount, double ratePercent) {
    if (!std::isfinite(amount) || !std::isfinite(ratePercent) ||
        std::fabs(amount) >= kLargestExactAmount || std::fabs(ratePercent) >= 1000.0) {
        return RoundHalfUp(amount * ratePercent * 0.01);
    }
    // The nearest decimal to each binary value is what the user typed.
    long long scaledAmount = std::llround(amount * kAmountScale);
    long long scaledRate = std::llround(ratePercent * kRateScale);
    return RoundHalfUpRatio(scaledAmount * scaledRate, kProductScale);
}
