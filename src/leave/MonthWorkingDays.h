#pragma once
#include <optional>
#include <string>
#include <vector>

class CClient;

// The working days of a month and the free-days help text the declaration and
// certificate editors show beside them.

// One row of nomenc.zile_de_sarbatori_legale, as the server returns it.
struct HolidayRow {
    std::string ziua;  // "YYYY-MM-DD"
    std::string descriere;
    std::string legiferare;
};

// The years the holiday table covers; empty when it holds no dates.
struct HolidayYears {
    long long first = 0;
    long long last = -1;
    bool Empty() const { return last < first; }
    bool Covers(long long year) const { return year >= first && year <= last; }
};

struct MonthWorkingDays {
    long long count = 0;
    std::string helpText;  // HTML for a tooltip
};

// The count and the text from the month's holiday rows (in the order the
// server returned them). Weekends are taken off first; a holiday on a weekend
// is listed but not taken off twice. A month outside 1..12 has no days.
MonthWorkingDays CountMonthWorkingDays(long long year, long long month,
                                       const std::vector<HolidayRow>& holidays,
                                       const HolidayYears& covered);

// The years of the holiday table, for the note on a year without data.
[[nodiscard]] std::optional<HolidayYears> LoadHolidayYears(CClient& client);

// Year and month as typed (read as integers). Nothing when a query failed
// (its error was shown): the caller keeps the count and text it had.
[[nodiscard]] std::optional<MonthWorkingDays> LoadMonthWorkingDays(CClient& client,
                                                                   const std::string& year,
                                                                   const std::string& month);
