// Working days of a month and the free-days help text, from holiday rows in memory.
#include <gtest/gtest.h>

#include "leave/MonthWorkingDays.h"

namespace {

const HolidayYears kCovered{2000, 2030};
const char* const kHead =
    "<h3>Zile libere (nelucratoare)</h3><br><hr><br><b>Zile de sambata si de duminica:</b><br>";
const char* const kHolidayHead = "<b>Zile de sarbatoare legala:</b><br>";

TEST(MonthWorkingDays, March2010HasTwentyThreeWorkingDaysAndListsItsWeekends) {
    const MonthWorkingDays march = CountMonthWorkingDays(2010, 3, {}, kCovered);
    EXPECT_EQ(23, march.count);
    EXPECT_EQ(std::string(kHead) +
                  "  - 2010-03-06<br>  - 2010-03-07<br>  - 2010-03-13<br>  - 2010-03-14<br>"
                  "  - 2010-03-20<br>  - 2010-03-21<br>  - 2010-03-27<br>  - 2010-03-28<br>" +
                  kHolidayHead + "  - nu",
              march.helpText);
}

TEST(MonthWorkingDays, AHolidayOnAWeekendIsTakenOffOnce) {
    // December 2010: 1 December on a Wednesday, Christmas on Saturday and Sunday.
    const std::vector<HolidayRow> december = {
        {"2010-12-01", "Ziua Nationala a Romaniei", "Codul muncii"},
        {"2010-12-25", "Prima zi de Craciun", "Codul muncii"},
        {"2010-12-26", "A doua zi de Craciun", "Codul muncii"}};
    const MonthWorkingDays counted = CountMonthWorkingDays(2010, 12, december, kCovered);
    EXPECT_EQ(31 - 8 - 1, counted.count);
    const std::string tail = std::string(kHolidayHead) +
                             "  - 2010-12-01 - Ziua Nationala a Romaniei (Codul muncii)<br>"
                             "  - 2010-12-25 - Prima zi de Craciun (Codul muncii)<br>"
                             "  - 2010-12-26 - A doua zi de Craciun (Codul muncii)<br>";
    ASSERT_GE(counted.helpText.size(), tail.size());
    EXPECT_EQ(tail, counted.helpText.substr(counted.helpText.size() - tail.size()));

    // May 2011 begins on a Sunday that is also Labour Day.
    const MonthWorkingDays may =
        CountMonthWorkingDays(2011, 5, {{"2011-05-01", "Ziua Muncii", "Codul muncii"}}, kCovered);
    EXPECT_EQ(22, may.count);
}

TEST(MonthWorkingDays, AYearWithoutHolidayDataStillCountsWeekendsAndSaysWhichYearsItKnows) {
    const MonthWorkingDays later = CountMonthWorkingDays(2031, 3, {}, kCovered);
    EXPECT_EQ(21, later.count);  // March 2031 has ten weekend days
    const std::string note =
        "... nu exista date pentru anul introdus ...<br>(interval administrat: 2000 - 2030)";
    EXPECT_EQ(note, later.helpText.substr(later.helpText.size() - note.size()));
    EXPECT_EQ(std::string::npos, later.helpText.find("  - nu"));

    const MonthWorkingDays earlier = CountMonthWorkingDays(1999, 3, {}, kCovered);
    EXPECT_NE(std::string::npos, earlier.helpText.find("(interval administrat: 2000 - 2030)"));

    // With no holiday rows at all there is no range to name.
    const MonthWorkingDays empty = CountMonthWorkingDays(2010, 3, {}, HolidayYears{});
    EXPECT_EQ(23, empty.count);
    EXPECT_EQ(std::string(kHolidayHead) + "... nu exista date pentru anul introdus ...",
              empty.helpText.substr(empty.helpText.find(kHolidayHead)));
}

TEST(MonthWorkingDays, FebruaryFollowsTheFormCalendarAndABadMonthHasNoDays) {
    EXPECT_EQ(20, CountMonthWorkingDays(2009, 2, {}, kCovered).count);
    EXPECT_EQ(21, CountMonthWorkingDays(2008, 2, {}, kCovered).count);  // 29 February, a Friday
    for (long long month : {0LL, 13LL, -1LL}) {
        const MonthWorkingDays none = CountMonthWorkingDays(2010, month, {}, kCovered);
        EXPECT_EQ(0, none.count) << month;
        EXPECT_EQ(std::string(kHead) + kHolidayHead + "  - nu", none.helpText) << month;
    }
}

}  // namespace
