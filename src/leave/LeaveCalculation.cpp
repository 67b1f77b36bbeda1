#include "leave/LeaveCalculation.h"

#include <algorithm>
#include <limits>

#include "domain/TextNumbers.h"
#include "leave/HolidayCalendar.h"

namespace {

using Wide = __int128;

constexpr long long kFirstFiveDayMonth = 200612;  // the declaration of December 2006
constexpr long long kFiveCalendarDays = 5;
constexpr long long kScale = 10000;  // the average is kept to 4 decimals

long long Saturate(Wide value) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    constexpr long long kMin = std::numeric_limits<long long>::min();
    if (value > kMax) return kMax;
    if (value < kMin) return kMin;
    return static_cast<long long>(value);
}

// RoundHalfUpRatio's rule (half up; a negative quotient is truncated) on
// products that need not fit 64 bits.
long long DivideHalfUp(Wide numerator, Wide denominator) {
    if (denominator == 0) return 0;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide whole = numerator / denominator;
    const Wide rest = numerator % denominator;
    if (rest > 0 && rest >= denominator - rest) ++whole;
    return Saturate(whole);
}

struct CompactDate {
    long long year, month, day;
    long long Compact() const { return year * 10000 + month * 100 + day; }
};

CompactDate ReadDate(const TypedDate& typed) {
    return {TextToInteger(typed.year), TextToInteger(typed.month), TextToInteger(typed.day)};
}

bool IsValid(const TypedDate& typed) {
    return IsValidCalendarDate(typed.day, typed.month, typed.year);
}

bool IsWeekend(long long dayNumber) {
    const int weekday = WeekdayOfDayNumber(dayNumber);
    return weekday == 0 || weekday == 6;
}

// The day counts as the editor shows them under the code's rule.
void ShowDays(CertificateFigures& figures, DayRule rule, const DaySplit& walked,
              const CertificateFields& fields) {
    figures.totalDays = IntegerToText(walked.total, false);
    switch (rule) {
        case DayRule::Nobody:
            figures.employerDays = figures.fnuassDays = "0";
            break;
        case DayRule::AllFnuass:
            figures.employerDays = "0";
            figures.fnuassDays = IntegerToText(walked.total, false);
            break;
        case DayRule::AsWalked:
            figures.employerDays = IntegerToText(walked.employer, false);
            figures.fnuassDays = IntegerToText(walked.fnuass, false);
            break;
        case DayRule::AsTyped:
            // Written back exactly as typed, so the field the user is typing
            // in never changes under the caret.
            figures.employerDays = fields.employerDays;
            figures.fnuassDays = fields.fnuassDays;
            break;
    }
}

void ShowAmounts(CertificateFigures& figures, const CertificateFields& fields, long long average) {
    const long long percent = TextToInteger(fields.percent);
    const long long employer = ShareAmount(average, TextToInteger(figures.employerDays), percent);
    long long fnuass = ShareAmount(average, TextToInteger(figures.fnuassDays), percent);
    if (StripLeadingZeros(fields.indemnityCode) == "10")
        fnuass =
            Code10FnuassAmount(TextToInteger(fields.income), TextToInteger(fields.reducedIncome));
    figures.employerAmount = IntegerToText(employer, false);
    figures.fnuassAmount = IntegerToText(fnuass, false);
    figures.totalAmount = IntegerToText(Saturate(Wide{employer} + fnuass), false);
}

}  // namespace

std::optional<LeavePeriod> PeriodOf(const TypedDate& start, const TypedDate& end) {
    if (!IsValid(start) || !IsValid(end)) return std::nullopt;
    const CompactDate first = ReadDate(start);
    const CompactDate last = ReadDate(end);
    if (last.Compact() < first.Compact()) return std::nullopt;
    return LeavePeriod{NormalizedDayNumber(first.year, first.month, first.day),
                       NormalizedDayNumber(last.year, last.month, last.day)};
}

long long EmployerDaysIn2006(long long employees) {
    if (employees <= 20) return 7;
    if (employees <= 100) return 12;
    return 17;
}

DaySplit SplitWorkingDays(const LeavePeriod& period, long long declarationMonth,
                          long long employees, HolidayCalendar& calendar) {
    const bool fiveDayRule = declarationMonth >= kFirstFiveDayMonth;
    const long long limit = EmployerDaysIn2006(employees);
    DaySplit split;
    for (long long day = period.first; day <= period.last; ++day) {
        // Weekends first: the calendar is asked about weekdays only.
        if (IsWeekend(day) || calendar.Answer(day) != HolidayAnswer::NotHoliday) continue;
        ++split.total;
        const bool employerPays =
            fiveDayRule ? day - period.first + 1 <= kFiveCalendarDays : split.employer < limit;
        ++(employerPays ? split.employer : split.fnuass);
    }
    return split;
}

DayRule DayRuleOf(std::string_view indemnityCode, LeaveKind kind) {
    const std::string code = StripLeadingZeros(indemnityCode);
    if (code == "2" || code == "3" || code == "4") return DayRule::Nobody;
    if (code == "8" || code == "9" || code == "10" || code == "15") return DayRule::AllFnuass;
    return kind == LeaveKind::Initial ? DayRule::AsWalked : DayRule::AsTyped;
}

std::optional<long long> AverageDailyBase(std::string_view income, std::string_view days) {
    if (TextToInteger(income) <= 0 || TextToInteger(days) <= 0) return std::nullopt;
    // The average is the 4-decimal text the form has always shown; only the
    // amounts built on it are worked out exactly.
    return TextToScaled(RealToText(TextToReal(income) / TextToReal(days), 4, false), 4);
}

std::string AverageText(long long tenThousandths) {
    const std::string whole = IntegerToText(tenThousandths / kScale, false);
    const std::string decimals = IntegerToText(tenThousandths % kScale, false);
    return whole + "." + PadLeftZeros(decimals, 4);
}

long long ShareAmount(long long averageTenThousandths, long long days, long long percent) {
    return DivideHalfUp(Wide{averageTenThousandths} * days * percent, Wide{kScale} * 100);
}

long long Code10FnuassAmount(long long income, long long reducedIncome) {
    // In 24ths of a leu: Bcli = 4 x income, Bmax = income, Ci = Bcli - 24 x reduced.
    const Wide most = income;
    const Wide owed = std::max(Wide{0}, Wide{income} * 4 - Wide{reducedIncome} * 24);
    return DivideHalfUp(owed > most ? most : owed, 24);
}

CertificateFigures RecalculateCertificate(const CertificateFields& fields,
                                          HolidayCalendar& calendar) {
    CertificateFigures figures;
    const auto period = PeriodOf(fields.start, fields.end);
    DaySplit walked;
    if (period)
        walked = SplitWorkingDays(*period, TextToInteger(fields.declarationMonth),
                                  TextToInteger(fields.employees), calendar);
    ShowDays(figures, DayRuleOf(fields.indemnityCode, fields.kind), walked, fields);

    const auto average =
        AverageDailyBase(fields.income, fields.incomeDays);
    if (!average) return figures;
    figures.averageDailyBase = AverageText(*average);
    // A leave without valid dates has no amounts, whatever days were typed.
    if (period) ShowAmounts(figures, fields, *average);
    return figures;
}

CertificateFigures RecalculateCertificate(const CertificateFields& fields, CClient& client) {
    const auto period = PeriodOf(fields.start, fields.end);
    LoadedHolidays holidays =
        period ? LoadHolidays(client, period->first, period->last) : LoadedHolidays::Failed(0, -1);
    return RecalculateCertificate(fields, holidays);
}
