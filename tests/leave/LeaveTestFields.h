#pragma once
#include <string>
#include <vector>

#include "domain/Dates.h"
#include "leave/HolidayCalendar.h"
#include "leave/LeaveCalculation.h"

// A certificate as the editor would hand it in: a leave from `from` to `to`
// ("YYYY-MM-DD"), declaration of `month`, code 01 initial, no income.
inline CertificateFields Leave(const std::string& from, const std::string& to,
                               const std::string& month = "201003") {
    CertificateFields fields;
    fields.declarationMonth = month;
    fields.employees = "10";
    fields.indemnityCode = "01";
    fields.percent = "75";
    fields.start = {from.substr(8, 2), from.substr(5, 2), from.substr(0, 4)};
    fields.end = {to.substr(8, 2), to.substr(5, 2), to.substr(0, 4)};
    return fields;
}

inline long long Day(const char* dashed) {
    return *DayNumberOfDate(dashed);
}

// A calendar that knows every day from 1990 to 2040, with the given holidays.
inline LoadedHolidays Holidays(const std::vector<const char*>& days = {}) {
    std::vector<long long> numbers;
    for (const char* day : days) numbers.push_back(Day(day));
    return LoadedHolidays(Day("1990-01-01"), Day("2040-12-31"), numbers);
}
