#include "leave/MonthWorkingDays.h"

#include "db/CClient.h"
#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "leave/HolidayCalendar.h"

namespace {

std::string YearText(long long year) {
    return PadLeftZeros(IntegerToText(year, false), 4);
}

std::string DayOfMonth(long long year, long long month, long long day) {
    return YearText(year) + "-" + PadLeftZeros(IntegerToText(month, false), 2) + "-" +
           PadLeftZeros(IntegerToText(day, false), 2);
}

int MonthLength(long long year, long long month) {
    if (month < 1 || month > 12) return 0;
    return DaysInMonth(static_cast<int>(month), static_cast<int>(year));
}

// The note of a year the table has no holidays for. It names the years the
// table really covers, so it stays true as the data grows.
std::string NoDataNote(const HolidayYears& covered) {
    std::string note = "... nu exista date pentru anul introdus ...";
    if (covered.Empty()) return note;
    return note + "<br>(interval administrat: " + IntegerToText(covered.first, false) + " - " +
           IntegerToText(covered.last, false) + ")";
}

}  // namespace

MonthWorkingDays CountMonthWorkingDays(long long year, long long month,
                                       const std::vector<HolidayRow>& holidays,
                                       const HolidayYears& covered) {
    MonthWorkingDays result;
    const int length = MonthLength(year, month);
    result.count = length;
    result.helpText =
        "<h3>Zile libere (nelucratoare)</h3><br><hr><br><b>Zile de sambata si de duminica:</b><br>";
    for (int day = 1; day <= length; ++day) {
        const std::string date = DayOfMonth(year, month, day);
        if (!IsWeekendOrInvalid(date)) continue;
        --result.count;
        result.helpText += "  - " + date + "<br>";
    }
    result.helpText += "<b>Zile de sarbatoare legala:</b><br>";
    if (!covered.Covers(year))
        result.helpText += NoDataNote(covered);
    else if (holidays.empty())
        result.helpText += "  - nu";
    for (const HolidayRow& holiday : holidays) {
        // A holiday on a Saturday or Sunday was already taken off as a weekend.
        if (!IsWeekendOrInvalid(holiday.ziua)) --result.count;
        result.helpText +=
            "  - " + holiday.ziua + " - " + holiday.descriere + " (" + holiday.legiferare + ")<br>";
    }
    return result;
}

std::optional<HolidayYears> LoadHolidayYears(CClient& client) {
    if (!client.Query("SELECT YEAR(MIN(z.ziua)) AS prima, YEAR(MAX(z.ziua)) AS ultima FROM "
                      "nomenc.zile_de_sarbatori_legale AS z WHERE z.ziua > '0000-00-00'",
                      true))
        return std::nullopt;
    if (client.RowCount() < 1) return HolidayYears{};
    // MIN and MAX of no rows are NULL, read back as empty texts.
    const std::string first = client.GetValue(0, "PRIMA");
    const std::string last = client.GetValue(0, "ULTIMA");
    if (first.empty() || last.empty()) return HolidayYears{};
    return HolidayYears{TextToInteger(first), TextToInteger(last)};
}

std::optional<MonthWorkingDays> LoadMonthWorkingDays(CClient& client, const std::string& year,
                                                     const std::string& month) {
    const long long y = TextToInteger(year);
    const long long m = TextToInteger(month);
    std::vector<HolidayRow> holidays;
    if (const int length = MonthLength(y, m); length > 0) {
        if (!client.Query(HolidaysBetween(client, DayOfMonth(y, m, 1), DayOfMonth(y, m, length)),
                          true))
            return std::nullopt;
        for (long long row = 0; row < client.RowCount(); ++row)
            holidays.push_back({client.GetValue(row, "ZIUA"), client.GetValue(row, "DESCRIERE"),
                                client.GetValue(row, "LEGIFERARE")});
    }
    const auto covered = LoadHolidayYears(client);
    if (!covered) return std::nullopt;
    return CountMonthWorkingDays(y, m, holidays, *covered);
}
