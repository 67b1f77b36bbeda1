#include "domain/Dates.h"

#include <ctime>

#include "domain/TextNumbers.h"

namespace {

constexpr std::size_t kCompactLength = 8;
constexpr std::size_t kDashedLength = 10;

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Positions 0-3, 5-6 and 8-9 of a dashed date make the compact text.
std::string CompactFromDashed(std::string_view dashed) {
    std::string compact;
    compact.reserve(kCompactLength);
    compact.append(dashed.substr(0, 4));
    compact.append(dashed.substr(5, 2));
    compact.append(dashed.substr(8, 2));
    return compact;
}

// The compact text of either shape, or false for any other length.
bool ToCompactText(std::string_view date, std::string& compact) {
    if (date.size() == kDashedLength) {
        compact = CompactFromDashed(date);
        return true;
    }
    if (date.size() == kCompactLength) {
        compact.assign(date);
        return true;
    }
    return false;
}

long long DayNumberOfCompactText(std::string_view compact) {
    return NormalizedDayNumber(TextToInteger(compact.substr(0, 4)),
                               TextToInteger(compact.substr(4, 2)),
                               TextToInteger(compact.substr(6, 2)));
}

long long DayNumberOfCompactNumber(long long compact) {
    return NormalizedDayNumber(compact / 10000, compact / 100 % 100, compact % 100);
}

long long CompactNumberOfDayNumber(long long days) {
    CivilDate date = CivilFromDays(days);
    return date.year * 10000 + date.month * 100 + date.day;
}

void AppendPadded(std::string& out, long long value, int width) {
    std::string digits = IntegerToText(value, false);
    out += PadLeftZeros(digits, width);
}

bool IsLeapYearForForms(long long year) {
    // The form rule has no century exception: 2100 counts as a leap year.
    return year % 4 == 0;
}

}  // namespace

long long DaysFromCivil(long long year, int month, int day) {
    // Howard Hinnant's days_from_civil: eras of 400 years starting in March.
    year -= month <= 2 ? 1 : 0;
    long long era = FloorDiv(year, 400);
    long long yearOfEra = year - era * 400;
    long long shiftedMonth = month > 2 ? month - 3 : month + 9;
    long long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(long long days) {
    days += 719468;
    long long era = FloorDiv(days, 146097);
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

long long NormalizedDayNumber(long long year, long long month, long long day) {
    long long monthIndex = month - 1;
    year += FloorDiv(monthIndex, 12);
    int normalizedMonth = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
    return DaysFromCivil(year, normalizedMonth, 1) + day - 1;
}

int WeekdayOfDayNumber(long long days) {
    // 1 January 1970 was a Thursday.
    long long weekday = (days % 7 + 11) % 7;
    return static_cast<int>(weekday);
}

bool IsValidCalendarDate(std::string_view day, std::string_view month, std::string_view year) {
    long long d = TextToInteger(day);
    long long m = TextToInteger(month);
    long long y = TextToInteger(year);
    if (y < 1950 || y > 2100 || m < 1 || m > 12 || d < 1) return false;
    return d <= DaysInMonth(static_cast<int>(m), static_cast<int>(y));
}

int DaysInMonth(int month, int year) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return -1;
    if (month == 2 && IsLeapYearForForms(year)) return 29;
    return kLengths[month - 1];
}

long long DaysBetween(std::string_view first, std::string_view second) {
    std::string firstCompact;
    std::string secondCompact;
    if (!ToCompactText(first, firstCompact) || !ToCompactText(second, secondCompact)) return -1;
    return DayNumberOfCompactText(secondCompact) - DayNumberOfCompactText(firstCompact);
}

long long PreviousDay(long long compactDate) {
    return CompactNumberOfDayNumber(DayNumberOfCompactNumber(compactDate) - 1);
}

std::string NextDay(std::string_view date) {
    std::string compact;
    if (!ToCompactText(date, compact)) return std::string(1, static_cast<char>(0xFF));
    CivilDate next = CivilFromDays(DayNumberOfCompactText(compact) + 1);
    std::string text;
    const char* separator = date.size() == kDashedLength ? "-" : "";
    AppendPadded(text, next.year, 4);
    text += separator;
    AppendPadded(text, next.month, 2);
    text += separator;
    AppendPadded(text, next.day, 2);
    return text;
}

std::string ShiftOffWeekend(long long compactDate) {
    if (compactDate < 10000000 || compactDate > 99999999) return "ERROR";
    long long days = DayNumberOfCompactNumber(compactDate);
    int weekday = WeekdayOfDayNumber(days);
    if (weekday == 0) days += 1;
    if (weekday == 6) days += 2;
    return IntegerToText(CompactNumberOfDayNumber(days), false);
}

bool IsWeekendOrInvalid(std::string_view date) {
    std::string compact;
    if (!ToCompactText(date, compact)) return true;
    // A real weekday comes back unchanged; a weekend moves and an impossible
    // day rolls over, so both differ from the text they started from.
    return ShiftOffWeekend(TextToInteger(compact)) != compact;
}

CivilDate TodayLocal() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return CivilDate{local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday};
}

std::string TodayDotted() {
    const CivilDate today = TodayLocal();
    std::string text;
    AppendPadded(text, today.year, 4);
    text += '.';
    AppendPadded(text, today.month, 2);
    text += '.';
    AppendPadded(text, today.day, 2);
    return text;
}

std::string ComposeTypedDate(const TypedDate& typed) {
    return typed.year + PadLeftZeros(typed.month, 2) + PadLeftZeros(typed.day, 2);
}

TypedDate SplitStoredDate(std::string_view stored) {
    return {SliceCharsFrom1(stored, 7, 8), SliceCharsFrom1(stored, 5, 6),
            SliceCharsFrom1(stored, 1, 4)};
}

bool IsValidStoredDate(std::string_view stored) {
    if (stored.size() != 8) return false;
    const TypedDate parts = SplitStoredDate(stored);
    return IsValidCalendarDate(parts.day, parts.month, parts.year);
}

std::string DottedStoredDate(std::string_view stored) {
    const TypedDate parts = SplitStoredDate(stored);
    return parts.day + "." + parts.month + "." + parts.year;
}

std::optional<long long> DayNumberOfDate(std::string_view date) {
    std::string compact;
    if (!ToCompactText(date, compact)) return std::nullopt;
    return DayNumberOfCompactText(compact);
}

std::string DashedDate(long long dayNumber) {
    const CivilDate date = CivilFromDays(dayNumber);
    std::string text;
    AppendPadded(text, date.year, 4);
    text += '-';
    AppendPadded(text, date.month, 2);
    text += '-';
    AppendPadded(text, date.day, 2);
    return text;
}
