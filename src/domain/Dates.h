#pragma once
#include <optional>
#include <string>
#include <string_view>

// Calendar checks and whole-day shifts. Dates travel as compact text
// "YYYYMMDD", dashed text "YYYY-MM-DD" (as the server returns a DATE; the
// separators are not looked at) or the compact number YYYYMMDD.
//
// Shifts use civil-calendar arithmetic on day numbers, so there is no time
// zone and no daylight-saving hour to drift by, and they work for any year
// (proleptic Gregorian). An impossible day rolls over into the next month
// (30 February 2009 is 2 March 2009), as the C library's normalisation does.

// Day count since 1970-01-01 of a proleptic Gregorian date; month 1..12.
long long DaysFromCivil(long long year, int month, int day);

struct CivilDate {
    long long year = 1970;
    int month = 1;
    int day = 1;
};

CivilDate CivilFromDays(long long days);

// Today's date on this computer's calendar.
CivilDate TodayLocal();

// Day number of any year/month/day triple, out-of-range months and days
// rolling over as mktime would (month 13 is January of the next year, day 0
// the last day of the previous month).
long long NormalizedDayNumber(long long year, long long month, long long day);

// 0 = Sunday .. 6 = Saturday.
int WeekdayOfDayNumber(long long days);

// Form check of a typed date (each part read as an integer): years 1950..2100,
// February has 29 days in every year divisible by 4 (2100 included).
bool IsValidCalendarDate(std::string_view day, std::string_view month, std::string_view year);

// 28..31 with the same February rule, -1 for a month outside 1..12.
int DaysInMonth(int month, int year);

// Days from the first date to the second (negative when the second is
// earlier), or -1 when either text is neither 8 nor 10 characters long.
long long DaysBetween(std::string_view first, std::string_view second);

long long PreviousDay(long long compactDate);

// The following day in the argument's own shape; any other length gives the
// one-byte text "\xFF".
std::string NextDay(std::string_view date);

// Compact text of the day, or of the following Monday for a Saturday or
// Sunday; "ERROR" unless the number has exactly 8 decimal digits.
std::string ShiftOffWeekend(long long compactDate);

// True for a Saturday or Sunday and for anything that is not a real date in
// one of the two text shapes.
bool IsWeekendOrInvalid(std::string_view date);

// Today's local date as "YYYY.MM.DD".
std::string TodayDotted();

// Dates typed into three fields "ZZ-LL-AAAA" and stored as the number
// YYYYMMDD: the year text, then the month and the day each padded with "0" to
// two characters, so three empty fields give "0000" (the value 0).
struct TypedDate {
    std::string day, month, year;
};
std::string ComposeTypedDate(const TypedDate& typed);
// Characters 7-8, 5-6 and 1-4 of a stored date.
TypedDate SplitStoredDate(std::string_view stored);
// A stored date as the form checks its three fields; only eight characters
// can hold a valid day.
bool IsValidStoredDate(std::string_view stored);
// "DD.MM.YYYY" of a stored date.
std::string DottedStoredDate(std::string_view stored);

// Day number (as DaysFromCivil) of a date in either text shape, an impossible
// day rolling over as everywhere here; nothing for any other length.
[[nodiscard]] std::optional<long long> DayNumberOfDate(std::string_view date);
// "YYYY-MM-DD" of a day number: the shape the server takes a DATE in.
std::string DashedDate(long long dayNumber);
