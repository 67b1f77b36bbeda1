// The holiday statements against the installed nomenclature: the one-query
// calendar answers as the per-day holiday test does, failures count no day.
#include <gtest/gtest.h>

#include "LeaveTestFields.h"
#include "TestServer.h"
#include "leave/MonthWorkingDays.h"

namespace {

// A nomenclature table out of the way for the length of a test, so every
// statement on it fails.
class HiddenTable {
public:
    explicit HiddenTable(std::string table) : m_table(std::move(table)) {
        RunSql("RENAME TABLE " + m_table + " TO " + m_table + "_ascuns");
    }
    ~HiddenTable() { RunSql("RENAME TABLE " + m_table + "_ascuns TO " + m_table); }

private:
    std::string m_table;
};

const char* const kHolidays = "nomenc.zile_de_sarbatori_legale";

using HolidayCalendarDbTest = DbTest;

TEST_F(HolidayCalendarDbTest, TheHolidayTestTakesBothDateShapes) {
    EXPECT_EQ("1", HolidayTest(*m_client, "20101201"));
    EXPECT_EQ("1", HolidayTest(*m_client, "2010-12-25"));
    EXPECT_EQ("0", HolidayTest(*m_client, "2010-12-02"));
    EXPECT_EQ("0", HolidayTest(*m_client, "20101202"));
    EXPECT_EQ("??", HolidayTest(*m_client, "2010121"));
    EXPECT_EQ("??", HolidayTest(*m_client, ""));
    EXPECT_EQ("0", HolidayTest(*m_client, "2010-12-0'"));  // a quote stays inside the value
}

TEST_F(HolidayCalendarDbTest, OneQueryAnswersEveryDayAsTheHolidayTestDoes) {
    const long long first = Day("2008-12-25");
    const long long last = Day("2012-01-05");
    LoadedHolidays loaded = LoadHolidays(*m_client, first, last);
    ASSERT_TRUE(loaded.Loaded());
    EXPECT_EQ(SqlScalar("SELECT COUNT(*) FROM nomenc.zile_de_sarbatori_legale WHERE ziua "
                        "BETWEEN '2008-12-25' AND '2012-01-05'"),
              std::to_string(loaded.Days().size()));
    for (long long day = first; day <= last; ++day)
        ASSERT_EQ(HolidayTest(*m_client, DashedDate(day)), HolidayAnswerText(loaded.Answer(day)))
            << DashedDate(day);
}

TEST_F(HolidayCalendarDbTest, TheRecalculationGivesWhatTheDayByDayLookUpsGive) {
    const struct {
        const char* from;
        const char* to;
        const char* month;
    } leaves[] = {{"2010-11-29", "2010-12-03", "201012"},
                  {"2010-12-20", "2011-01-14", "201101"},
                  {"2011-04-20", "2011-06-30", "201106"},
                  {"2006-04-20", "2006-05-10", "200605"}};
    for (const auto& [from, to, month] : leaves) {
        CertificateFields fields = Leave(from, to, month);
        fields.income = "2906";
        fields.incomeDays = "122";
        QueriedHolidays dayByDay(*m_client);
        EXPECT_EQ(RecalculateCertificate(fields, dayByDay),
                  RecalculateCertificate(fields, *m_client))
            << from;
    }
    const CertificateFigures december =
        RecalculateCertificate(Leave("2010-11-29", "2010-12-03"), *m_client);
    EXPECT_EQ("4", december.totalDays);  // 1 December is a holiday
    EXPECT_EQ("4", december.employerDays);
}

TEST_F(HolidayCalendarDbTest, AFailedLookUpIsShownOnceAndCountsNoWorkingDay) {
    HiddenTable hidden(kHolidays);
    const std::string error =
        "EROARE Mysql:\n\nTable 'nomenc.zile_de_sarbatori_legale' doesn't exist";
    m_prompter.ExpectMessage(error);
    CertificateFields fields = Leave("2010-03-01", "2010-03-31");
    fields.income = "2906";
    fields.incomeDays = "122";
    const CertificateFigures figures = RecalculateCertificate(fields, *m_client);
    EXPECT_EQ("0", figures.totalDays);
    EXPECT_EQ("0", figures.totalAmount);

    m_prompter.ExpectMessage(error);
    EXPECT_FALSE(LoadMonthWorkingDays(*m_client, "2010", "3"));
    m_prompter.ExpectMessage(error);
    EXPECT_EQ("??", HolidayTest(*m_client, "2010-03-01"));
}

TEST_F(HolidayCalendarDbTest, MonthCountsComeFromTheInstalledHolidays) {
    const auto march = LoadMonthWorkingDays(*m_client, "2010", "3");
    ASSERT_TRUE(march);
    EXPECT_EQ(23, march->count);
    EXPECT_EQ("  - nu", march->helpText.substr(march->helpText.size() - 6));

    const auto december = LoadMonthWorkingDays(*m_client, "2010", "12");
    ASSERT_TRUE(december);
    EXPECT_EQ(22, december->count);
    EXPECT_NE(std::string::npos, december->helpText.find("  - 2010-12-25 - Prima zi de Craciun ("));

    const auto later = LoadMonthWorkingDays(*m_client, "2031", "03");
    ASSERT_TRUE(later);
    EXPECT_EQ(21, later->count);
    EXPECT_NE(std::string::npos, later->helpText.find("(interval administrat: 2000 - 2030)"));
}

TEST_F(HolidayCalendarDbTest, TheNamedRangeFollowsTheHolidayData) {
    RunSql(
        "INSERT INTO nomenc.zile_de_sarbatori_legale (ziua, descriere, legiferare) VALUES "
        "('2041-01-01', 'Anul Nou', 'proba')");
    const auto years = LoadHolidayYears(*m_client);
    RunSql("DELETE FROM nomenc.zile_de_sarbatori_legale WHERE ziua='2041-01-01'");
    ASSERT_TRUE(years);
    EXPECT_EQ(2000, years->first);
    EXPECT_EQ(2041, years->last);
}

}  // namespace
