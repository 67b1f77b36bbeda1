#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "domain/Dates.h"

class CClient;
class HolidayCalendar;

// The day split and the amounts of one medical certificate. The certificate
// editor hands in the texts of its fields and writes the figures back; the
// same fields always give the same figures. Counts and amounts are 64-bit and
// the money is worked out exactly, never by rounding a binary double.

// "Tipul concediului medical:": "initial" or "continuare". A continuation's
// split between employer and FNUASS is typed by the user.
enum class LeaveKind { Initial, Continuation };

// The editor's fields the calculation reads, as typed (numbers are read as
// integers: leading blanks and a sign taken, stopping at the first other
// character, nothing readable is 0).
struct CertificateFields {
    std::string declarationMonth;  // `luna` of the declaration, "YYYYMM"
    std::string employees;         // `nr_ang` of the declaration
    LeaveKind kind = LeaveKind::Initial;
    std::string indemnityCode;  // "01", "9" ...: leading zeros do not count
    TypedDate start;            // first day of the leave: day, month, year fields
    TypedDate end;              // last day of the leave
    std::string income;         // income of the last 6 months forming the base, lei
    std::string incomeDays;     // working days of that income
    std::string percent;        // PERCENT of the indemnity code
    std::string reducedIncome;  // income through reduced working time (code 10), lei
    std::string employerDays;   // typed: used for a continuation only
    std::string fnuassDays;     // typed: used for a continuation only
};

// What the editor shows after a change: day counts and whole lei as integer
// texts, the average daily base with 4 decimals. Every field starts at "0".
struct CertificateFigures {
    std::string totalDays = "0";  // working days of the leave
    std::string employerDays = "0";
    std::string fnuassDays = "0";
    std::string averageDailyBase = "0";
    std::string employerAmount = "0";
    std::string fnuassAmount = "0";
    std::string totalAmount = "0";
    friend bool operator==(const CertificateFigures&, const CertificateFigures&) = default;
};

// Recomputes the figures, asking `calendar` about each weekday of the leave.
// Invalid dates, or an end before the start, give no days and no amounts (a
// continuation keeps its typed split); a day whose holiday look-up failed is
// not a working day.
CertificateFigures RecalculateCertificate(const CertificateFields& fields,
                                          HolidayCalendar& calendar);

// The same with the holidays of the leave's period read in one query.
CertificateFigures RecalculateCertificate(const CertificateFields& fields, CClient& client);

// ---- The rules, one function each, in the order the recalculation applies them.

// The first and last day of the leave (day numbers), when both dates are valid
// form dates and the end is not before the start.
struct LeavePeriod {
    long long first = 0;
    long long last = -1;
};
[[nodiscard]] std::optional<LeavePeriod> PeriodOf(const TypedDate& start, const TypedDate& end);

struct DaySplit {
    long long total = 0;
    long long employer = 0;
    long long fnuass = 0;
    friend bool operator==(const DaySplit&, const DaySplit&) = default;
};

// Declarations of January to November 2006: the employer pays the first N
// working days of a leave, N growing with the company's employees.
long long EmployerDaysIn2006(long long employees);

// The working days of the leave (weekdays the calendar says are no holiday)
// and who pays each: from the declaration of 12.2006 on, the employer pays the
// working days among the first five calendar days of the leave; before it, the
// first EmployerDaysIn2006 working days.
DaySplit SplitWorkingDays(const LeavePeriod& period, long long declarationMonth,
                          long long employees, HolidayCalendar& calendar);

// Who pays the working days under an indemnity code.
enum class DayRule {
    Nobody,     // codes 2, 3, 4: neither the employer nor FNUASS
    AllFnuass,  // codes 8, 9, 10, 15: FNUASS pays every working day
    AsWalked,   // any other code, initial leave: as SplitWorkingDays found
    AsTyped,    // any other code, continuation: as the user typed
};
DayRule DayRuleOf(std::string_view indemnityCode, LeaveKind kind);

// The average daily base in ten-thousandths of a leu: the income and its days
// read as reals, divided, and shown with 4 decimals as RealToText does; read
// back exactly. Nothing unless both, read as integers, are above 0.
[[nodiscard]] std::optional<long long> AverageDailyBase(std::string_view income,
                                                        std::string_view days);
// "23.8197" for 238197.
std::string AverageText(long long tenThousandths);

// average x days x percent%, rounded half up to whole lei.
long long ShareAmount(long long averageTenThousandths, long long days, long long percent);

// Code 10 (reduced working time): the base of the month Bcli = income / days x
// days / 6 = income / 6; FNUASS pays Ci = Bcli - reduced income (not below 0),
// at most Bmax = Bcli x 25%, rounded half up.
long long Code10FnuassAmount(long long income, long long reducedIncome);
