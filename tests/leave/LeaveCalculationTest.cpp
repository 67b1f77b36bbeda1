// The day split of a certificate: working days, the employer's and FNUASS's
// share under both rules, the indemnity codes, dates that give no leave.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "LeaveTestFields.h"
#include "domain/TextNumbers.h"

namespace {

CertificateFigures Recalculate(const CertificateFields& fields,
                               const std::vector<const char*>& holidays = {}) {
    LoadedHolidays calendar = Holidays(holidays);
    return RecalculateCertificate(fields, calendar);
}

DaySplit Shown(const CertificateFigures& figures) {
    return {TextToInteger(figures.totalDays), TextToInteger(figures.employerDays),
            TextToInteger(figures.fnuassDays)};
}

TEST(DaySplit, FromDecember2006TheEmployerPaysTheWorkingDaysOfTheFirstFiveCalendarDays) {
    // Friday to Friday: Friday, Monday and Tuesday fall in calendar days 1-5.
    EXPECT_EQ((DaySplit{6, 3, 3}), Shown(Recalculate(Leave("2010-03-05", "2010-03-12"))));
    EXPECT_EQ((DaySplit{6, 3, 3}), Shown(Recalculate(Leave("2010-03-05", "2010-03-12", "200612"))));
    // A holiday inside the five days is nobody's day and does not move the window.
    EXPECT_EQ((DaySplit{4, 4, 0}),
              Shown(Recalculate(Leave("2010-11-29", "2010-12-03"), {"2010-12-01"})));
    // Starting on a Saturday leaves the employer three weekdays.
    EXPECT_EQ((DaySplit{8, 3, 5}), Shown(Recalculate(Leave("2010-03-06", "2010-03-17"))));
    EXPECT_EQ((DaySplit{0, 0, 0}), Shown(Recalculate(Leave("2010-03-06", "2010-03-07"))));
}

TEST(DaySplit, In2006TheEmployerPaysTheFirstWorkingDaysByNumberOfEmployees) {
    // 15 working days, 1 to 21 March 2006, declared in June 2006.
    const struct {
        const char* employees;
        DaySplit expected;
    } cases[] = {{"10", {15, 7, 8}},   {"20", {15, 7, 8}},   {"21", {15, 12, 3}},
                 {"50", {15, 12, 3}},  {"100", {15, 12, 3}}, {"101", {15, 15, 0}},
                 {"150", {15, 15, 0}}, {"", {15, 7, 8}}};
    for (const auto& c : cases) {
        CertificateFields fields = Leave("2006-03-01", "2006-03-21", "200606");
        fields.employees = c.employees;
        EXPECT_EQ(c.expected, Shown(Recalculate(fields))) << c.employees;
    }
    // The 2006 rule counts working days, so a long leave of a large company
    // still gives the employer 17 of them; November 2006 is its last month.
    CertificateFields large = Leave("2006-03-01", "2006-03-31", "200611");
    large.employees = "150";
    EXPECT_EQ((DaySplit{23, 17, 6}), Shown(Recalculate(large)));
    EXPECT_EQ(7, EmployerDaysIn2006(0));
}

TEST(DaySplit, TheIndemnityCodeDecidesWhoPays) {
    const CertificateFields leave = Leave("2010-03-05", "2010-03-12");
    const struct {
        const char* code;
        DaySplit expected;
    } cases[] = {{"2", {6, 0, 0}},   {"03", {6, 0, 0}}, {"4", {6, 0, 0}},  {"08", {6, 0, 6}},
                 {"9", {6, 0, 6}},   {"10", {6, 0, 6}}, {"15", {6, 0, 6}}, {"1", {6, 3, 3}},
                 {"006", {6, 3, 3}}, {"12", {6, 3, 3}}, {"", {6, 3, 3}}};
    for (const auto& c : cases) {
        CertificateFields fields = leave;
        fields.indemnityCode = c.code;
        fields.income = "2906";
        fields.incomeDays = "122";
        const CertificateFigures figures = Recalculate(fields);
        EXPECT_EQ(c.expected, Shown(figures)) << c.code;
        EXPECT_EQ("23.8197", figures.averageDailyBase);
        // Nobody pays codes 2-4: the base is shown, no money is.
        if (c.expected.employer + c.expected.fnuass == 0) {
            EXPECT_EQ("0", figures.totalAmount);
        }
    }
}

TEST(DaySplit, AContinuationKeepsTheTypedDaysUnlessItsCodeDecides) {
    CertificateFields fields = Leave("2010-03-05", "2010-03-12");
    fields.kind = LeaveKind::Continuation;
    fields.employerDays = "0";
    fields.fnuassDays = "";  // being typed: written back as it is
    CertificateFigures figures = Recalculate(fields);
    EXPECT_EQ("6", figures.totalDays);
    EXPECT_EQ("0", figures.employerDays);
    EXPECT_EQ("", figures.fnuassDays);

    fields.indemnityCode = "9";
    figures = Recalculate(fields);
    EXPECT_EQ((DaySplit{6, 0, 6}), Shown(figures));
    fields.indemnityCode = "3";
    EXPECT_EQ((DaySplit{6, 0, 0}), Shown(Recalculate(fields)));
}

TEST(DaySplit, InvalidOrReversedDatesGiveNoDaysAndNoAmounts) {
    const CertificateFields good = Leave("2010-03-05", "2010-03-12");
    std::vector<CertificateFields> bad(4, good);
    bad[0].end = {"04", "03", "2010"};  // the day before the start
    bad[1].end = {"31", "04", "2010"};
    bad[2].start = {"", "03", "2010"};
    bad[3].start.year = "1949";
    for (CertificateFields& fields : bad) {
        fields.income = "2906";
        fields.incomeDays = "122";
        CertificateFigures figures = Recalculate(fields);
        EXPECT_EQ((DaySplit{0, 0, 0}), Shown(figures));
        EXPECT_EQ("0", figures.employerAmount);
        EXPECT_EQ("0", figures.fnuassAmount);
        EXPECT_EQ("0", figures.totalAmount);
        EXPECT_EQ("23.8197", figures.averageDailyBase);  // it does not depend on the dates

        // Nor does a continuation's typed split, or code 10's own amount, make any money.
        fields.kind = LeaveKind::Continuation;
        fields.employerDays = "2";
        fields.fnuassDays = "3";
        figures = Recalculate(fields);
        EXPECT_EQ("0", figures.totalDays);
        EXPECT_EQ("2", figures.employerDays);
        EXPECT_EQ("0", figures.totalAmount);
        fields.indemnityCode = "10";
        fields.reducedIncome = "375";
        EXPECT_EQ("0", Recalculate(fields).totalAmount);
    }
    EXPECT_EQ((DaySplit{1, 1, 0}), Shown(Recalculate(Leave("2010-03-05", "2010-03-05"))));
}

TEST(DaySplit, ADayTheCalendarCannotAnswerIsNotAWorkingDay) {
    LoadedHolidays failed = LoadedHolidays::Failed(Day("1990-01-01"), Day("2040-12-31"));
    EXPECT_EQ(HolidayAnswer::Unknown, failed.Answer(Day("2010-03-08")));
    CertificateFields fields = Leave("2010-03-05", "2010-03-12");
    fields.income = "2906";
    fields.incomeDays = "122";
    const CertificateFigures figures = RecalculateCertificate(fields, failed);
    EXPECT_EQ((DaySplit{0, 0, 0}), Shown(figures));
    EXPECT_EQ("0", figures.totalAmount);

    // A calendar loaded for a shorter interval cannot vouch for the days outside it.
    LoadedHolidays week(Day("2010-03-08"), Day("2010-03-12"), {});
    EXPECT_EQ(HolidayAnswer::NotHoliday, week.Answer(Day("2010-03-12")));
    EXPECT_EQ(HolidayAnswer::Unknown, week.Answer(Day("2010-03-13")));
    EXPECT_EQ((DaySplit{5, 2, 3}),
              SplitWorkingDays({Day("2010-03-05"), Day("2010-03-19")}, 201003, 10, week));
}

// The walk as the certificate editor once made it, on date texts: NextDay from
// the start to the end, IsWeekendOrInvalid, DaysBetween for the five days.
DaySplit TextWalk(const std::string& start, const std::string& end, long long month,
                  long long employees, const std::set<std::string>& holidays) {
    const long long limit = employees <= 20 ? 7 : employees <= 100 ? 12 : 17;
    DaySplit split;
    for (std::string day = start; day <= end; day = NextDay(day)) {
        if (IsWeekendOrInvalid(day) || holidays.count(day) > 0) continue;
        ++split.total;
        const bool employer =
            month > 200611 ? DaysBetween(start, day) + 1 <= 5 : split.employer < limit;
        ++(employer ? split.employer : split.fnuass);
    }
    return split;
}

TEST(DaySplit, GeneratedLeavesSplitAsTheTextWalkDoes) {
    std::mt19937 random(20100305);
    const long long from = Day("2005-01-01");
    const long long to = Day("2013-12-31");
    std::set<std::string> holidayTexts;
    std::vector<long long> holidayDays;
    for (long long day = from; day <= to + 400; ++day)
        if (random() % 25 == 0) {
            holidayTexts.insert(DashedDate(day));
            holidayDays.push_back(day);
        }
    LoadedHolidays calendar(from, to + 400, holidayDays);
    const long long months[] = {200601, 200611, 200612, 201003, 202401};
    for (int i = 0; i < 3000; ++i) {
        const long long first = from + static_cast<long long>(random() % (to - from));
        const long long last = first + static_cast<long long>(random() % 240);
        const long long month = months[random() % 5];
        const long long employees = static_cast<long long>(random() % 160);
        const DaySplit expected =
            TextWalk(DashedDate(first), DashedDate(last), month, employees, holidayTexts);
        const DaySplit walked = SplitWorkingDays({first, last}, month, employees, calendar);
        ASSERT_EQ(expected, walked)
            << DashedDate(first) << " .. " << DashedDate(last) << " " << month << " " << employees;
        ASSERT_EQ(walked.total, walked.employer + walked.fnuass);
    }
}

}  // namespace
