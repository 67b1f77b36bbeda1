#include "leave/HolidayCalendar.h"

#include <algorithm>

#include "db/CClient.h"
#include "domain/Dates.h"

const char* HolidayAnswerText(HolidayAnswer answer) {
    switch (answer) {
        case HolidayAnswer::Holiday:
            return "1";
        case HolidayAnswer::NotHoliday:
            return "0";
        case HolidayAnswer::Unknown:
            break;
    }
    return "??";
}

LoadedHolidays::LoadedHolidays(long long firstDay, long long lastDay,
                               std::vector<long long> holidays)
    : m_firstDay(firstDay), m_lastDay(lastDay), m_holidays(std::move(holidays)) {
    std::sort(m_holidays.begin(), m_holidays.end());
}

LoadedHolidays LoadedHolidays::Failed(long long firstDay, long long lastDay) {
    LoadedHolidays calendar(firstDay, lastDay, {});
    calendar.m_loaded = false;
    return calendar;
}

HolidayAnswer LoadedHolidays::Answer(long long dayNumber) {
    if (!m_loaded || dayNumber < m_firstDay || dayNumber > m_lastDay) return HolidayAnswer::Unknown;
    return std::binary_search(m_holidays.begin(), m_holidays.end(), dayNumber)
               ? HolidayAnswer::Holiday
               : HolidayAnswer::NotHoliday;
}

SqlStatement HolidaysBetween(const CClient& client, const std::string& first,
                             const std::string& last) {
    return SqlStatement("SELECT * FROM nomenc.zile_de_sarbatori_legale AS z WHERE z.ziua >= ") +
           SqlText(client, first) + " AND z.ziua <= " + SqlText(client, last);
}

LoadedHolidays LoadHolidays(CClient& client, long long firstDay, long long lastDay) {
    if (!client.Query(HolidaysBetween(client, DashedDate(firstDay), DashedDate(lastDay)), true))
        return LoadedHolidays::Failed(firstDay, lastDay);
    std::vector<long long> days;
    days.reserve(static_cast<std::size_t>(client.RowCount()));
    for (long long row = 0; row < client.RowCount(); ++row)
        if (auto day = DayNumberOfDate(client.GetValue(row, "ZIUA"))) days.push_back(*day);
    return LoadedHolidays(firstDay, lastDay, std::move(days));
}

std::string HolidayTest(CClient& client, std::string_view date) {
    std::string dashed;
    if (date.size() == 8) {
        dashed = std::string(date.substr(0, 4)) + "-" + std::string(date.substr(4, 2)) + "-" +
                 std::string(date.substr(6, 2));
    } else if (date.size() == 10) {
        dashed = std::string(date);
    } else {
        return HolidayAnswerText(HolidayAnswer::Unknown);
    }
    const SqlStatement sql =
        SqlStatement("SELECT * FROM nomenc.zile_de_sarbatori_legale WHERE ziua = ") +
        SqlText(client, dashed);
    if (!client.Query(sql, true)) return HolidayAnswerText(HolidayAnswer::Unknown);
    return HolidayAnswerText(client.RowCount() > 0 ? HolidayAnswer::Holiday
                                                   : HolidayAnswer::NotHoliday);
}

HolidayAnswer QueriedHolidays::Answer(long long dayNumber) {
    ++m_queries;
    const std::string answer = HolidayTest(m_client, DashedDate(dayNumber));
    if (answer == "1") return HolidayAnswer::Holiday;
    if (answer == "0") return HolidayAnswer::NotHoliday;
    return HolidayAnswer::Unknown;
}
