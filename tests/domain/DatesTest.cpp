#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "domain/Dates.h"

namespace {

TEST(IsValidCalendarDate, FormRule) {
    struct Case {
        const char* day;
        const char* month;
        const char* year;
        bool expected;
    };
    const Case cases[] = {
        {"29", "02", "2008", true},  {"29", "02", "2100", true},  // no century rule
        {"29", "02", "2009", false}, {"28", "02", "2009", true},
        {"31", "04", "2009", false}, {"30", "04", "2009", true},
        {"31", "12", "2009", true},  {"01", "01", "1949", false},
        {"01", "01", "1950", true},  {"31", "12", "2100", true},
        {"01", "01", "2101", false}, {"00", "01", "2009", false},
        {"01", "00", "2009", false}, {"01", "13", "2009", false},
        {"", "", "", false},         {" 1", "1", "2009", true},
        {"1x", "01", "2009", true},  // read as integers: stops at the letter
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidCalendarDate(c.day, c.month, c.year), c.expected)
            << c.day << "." << c.month << "." << c.year;
    }
}

TEST(DaysInMonth, LengthsAndMarker) {
    const int expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(m, 2009), expected[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(2, 2008), 29);
    EXPECT_EQ(DaysInMonth(2, 2100), 29);
    EXPECT_EQ(DaysInMonth(0, 2009), -1);
    EXPECT_EQ(DaysInMonth(13, 2009), -1);
}

TEST(DaysBetween, WholeDaysInBothShapes) {
    struct Case {
        const char* first;
        const char* second;
        long long expected;
    };
    const Case cases[] = {
        {"20090101", "20090102", 1},
        {"20090102", "20090101", -1},
        {"2009-03-28", "2009-03-30", 2},  // over a daylight-saving change
        {"2009-10-24", "20091026", 2},
        {"20080101", "20090101", 366},
        {"19000101", "21001231", 73413},
        {"20090228", "20090230", 2},  // 30 February rolls over to 2 March
        {"2009023", "20090301", -1},
        {"20090301", "2009-3-01", -1},
        {"20090301", "2009-3-1", -183},  // 8 characters: read as YYYY, "-3", "-1"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DaysBetween(c.first, c.second), c.expected) << c.first << " " << c.second;
    }
}

TEST(DayShifts, NextAndPreviousDay) {
    struct Case {
        const char* date;
        const char* next;
    };
    const Case cases[] = {
        {"2008-12-31", "2009-01-01"},
        {"20081231", "20090101"},
        {"2008/02/28", "2008-02-29"},
        {"20090228", "20090301"},
        {"20090230", "20090303"},
        {"21000228", "21000301"},
        {"19000228", "19000301"},
        {"20000228", "20000229"},
        {"20091301", "20100102"},
        {"2009021", "\xFF"},
        {"", "\xFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(NextDay(c.date), c.next) << c.date;

    EXPECT_EQ(PreviousDay(20090301), 20090228);
    EXPECT_EQ(PreviousDay(20080301), 20080229);
    EXPECT_EQ(PreviousDay(20090101), 20081231);
    EXPECT_EQ(PreviousDay(19700101), 19691231);
    EXPECT_EQ(PreviousDay(20090100), 20081230);  // day 0 is already 31 December
}

TEST(DayShifts, WeekendsMoveToMonday) {
    struct Case {
        long long date;
        const char* shifted;
    };
    const Case cases[] = {
        {20090307, "20090309"},  // Saturday
        {20090308, "20090309"},  // Sunday
        {20090306, "20090306"},  // Friday
        {20090309, "20090309"},  // Monday
        {20091226, "20091228"},  // Saturday
        {21001231, "21001231"},  // Friday
        {21001225, "21001227"},  // Saturday, late in the range
        {19000106, "19000108"},  // Saturday, early in the range
        {1234567, "ERROR"},     {123456789, "ERROR"}, {0, "ERROR"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShiftOffWeekend(c.date), c.shifted) << c.date;
}

// The weekday of every day from 1902 to 2037 agrees with the C library's own
// calendar (timegm covers this range everywhere), so shifts never drift.
TEST(DayShifts, WeekdaysAgreeWithTheCLibraryCalendar) {
    for (long long days = DaysFromCivil(1902, 1, 1); days <= DaysFromCivil(2037, 12, 31); ++days) {
        CivilDate date = CivilFromDays(days);
        std::tm tm{};
        tm.tm_year = static_cast<int>(date.year - 1900);
        tm.tm_mon = date.month - 1;
        tm.tm_mday = date.day;
        tm.tm_hour = 12;
        std::time_t seconds = timegm(&tm);
        ASSERT_EQ((seconds - 12 * 3600) / 86400, days)
            << date.year << "-" << date.month << "-" << date.day;
        ASSERT_EQ(WeekdayOfDayNumber(days), tm.tm_wday) << date.year << "-" << date.month;
    }
}

TEST(DayShifts, WeekendOrInvalid) {
    struct Case {
        const char* date;
        bool expected;
    };
    const Case cases[] = {
        {"20090306", false}, {"2009-03-06", false}, {"20090307", true}, {"2009-03-08", true},
        {"20090230", true},  {"2009-02-30", true},  {"20091301", true}, {"00000000", true},
        {"abcdefgh", true},  {" 2009030", true},    {"2009036", true},  {"", true},
        {"21000301", false}, {"21000229", true},  // the real calendar has no 29.02.2100
        {"19000228", false}, {"19000229", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsWeekendOrInvalid(c.date), c.expected) << c.date;
}

TEST(TodayDotted, MatchesTheLocalCalendar) {
    std::string today = TodayDotted();
    ASSERT_EQ(today.size(), 10u);
    EXPECT_EQ(today[4], '.');
    EXPECT_EQ(today[7], '.');
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char expected[16];
    std::strftime(expected, sizeof expected, "%Y.%m.%d", &local);
    // A midnight between the two calls is the only way these can differ.
    if (today != expected) {
        EXPECT_EQ(TodayDotted(), expected);
    }
}

TEST(DayNumberOfDate, BothShapesAgreeAndRoundTripThroughDashedDate) {
    EXPECT_EQ(DayNumberOfDate("1970-01-01"), 0);
    EXPECT_EQ(DayNumberOfDate("20100301"), DayNumberOfDate("2010-03-01"));
    EXPECT_EQ(DayNumberOfDate("2009-02-30"), DayNumberOfDate("2009-03-02"));  // rolls over
    EXPECT_FALSE(DayNumberOfDate("2010-3-01"));
    EXPECT_FALSE(DayNumberOfDate(""));
    for (long long day = DaysFromCivil(1999, 12, 25); day < DaysFromCivil(2001, 3, 5); ++day)
        ASSERT_EQ(DayNumberOfDate(DashedDate(day)), day) << DashedDate(day);
    EXPECT_EQ("2000-02-29", DashedDate(DaysFromCivil(2000, 2, 29)));
    EXPECT_EQ("0999-01-05", DashedDate(DaysFromCivil(999, 1, 5)));
}

}  // namespace
