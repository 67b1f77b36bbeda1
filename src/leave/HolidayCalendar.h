#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "db/SqlValues.h"

class CClient;

// Legal holidays of nomenc.zile_de_sarbatori_legale, as the leave rules ask
// about them: one day at a time, days as day numbers (DaysFromCivil).

// What the holiday test answers for a day: "1", "0", or "??" when it could not
// tell (the look-up failed). Only NotHoliday lets a weekday count as worked.
enum class HolidayAnswer { Holiday, NotHoliday, Unknown };

// "1", "0" or "??".
const char* HolidayAnswerText(HolidayAnswer answer);

class HolidayCalendar {
public:
    virtual ~HolidayCalendar() = default;
    virtual HolidayAnswer Answer(long long dayNumber) = 0;
};

// The holidays of one interval, read with one query and answered from memory.
// A failed read answers Unknown for every day, as each per-day query of the
// interval would have failed; so does a day outside the interval, which was
// never asked about.
class LoadedHolidays : public HolidayCalendar {
public:
    // Every day of [firstDay, lastDay] answered; `holidays` may be in any order.
    LoadedHolidays(long long firstDay, long long lastDay, std::vector<long long> holidays);
    static LoadedHolidays Failed(long long firstDay, long long lastDay);

    HolidayAnswer Answer(long long dayNumber) override;
    bool Loaded() const { return m_loaded; }
    const std::vector<long long>& Days() const { return m_holidays; }

private:
    long long m_firstDay;
    long long m_lastDay;
    bool m_loaded = true;
    std::vector<long long> m_holidays;  // sorted
};

// The holidays from one dashed date to another, both included, every column.
SqlStatement HolidaysBetween(const CClient& client, const std::string& first,
                             const std::string& last);

// One query over [firstDay, lastDay], the same statement the month count runs.
// A failed query has shown its error and gives a failed calendar.
LoadedHolidays LoadHolidays(CClient& client, long long firstDay, long long lastDay);

// The holiday test of a single date, "YYYYMMDD" or "YYYY-MM-DD": "1", "0", or
// "??" when the query fails or the text has another length. One query a call.
std::string HolidayTest(CClient& client, std::string_view date);

// A calendar that runs the holiday test for every day it is asked about: how
// a leave's days were once looked up. Kept to compare against and to measure.
class QueriedHolidays : public HolidayCalendar {
public:
    explicit QueriedHolidays(CClient& client) : m_client(client) {}
    HolidayAnswer Answer(long long dayNumber) override;
    long long Queries() const { return m_queries; }

private:
    CClient& m_client;
    long long m_queries = 0;
};
