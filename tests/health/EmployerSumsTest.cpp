// The employers' monthly sums against the test server.
#include <gtest/gtest.h>

#include "TestCompanies.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/EmployerSums.h"
#include "health/MonthlySums.h"

namespace {

class EmployerSumsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        // ALFA has February's sums (and January's); BETA has only January's.
        RunSql(
            "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) "
            "VALUES (12345674, 200901, 5000, 260, 260), (12345674, 200902, 10000.5, 520, 500),"
            " (23456783, 200901, 7000, 364, 364)");
    }
    int RowOf(const DataList& list, const std::string& name) {
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.CellText(row, "DENUMIRE") == name) return row;
        ADD_FAILURE() << name << " not listed";
        return -1;
    }
    std::string Stored(const std::string& cf, int month = 200902) {
        return SqlScalar(
            "SELECT GROUP_CONCAT(CONCAT_WS('|', fond_de_salarii, datorat, virat)) FROM "
            "asigurati.sume_societati WHERE cf=" +
            cf + " AND luna=" + std::to_string(month));
    }
};

TEST_F(EmployerSumsTest, EveryCompanyIsListedWithTheSumsOfTheMonthOrEmptyCells) {
    EmployerSums sums(*m_client, "200902");
    DataList list;
    ASSERT_TRUE(sums.FillList(list));
    ASSERT_EQ(2, list.RowCount());
    const struct {
        const char* column;
        int width;
        const char* kind;
    } layout[] = {{"CF", 0, ""},         {"DENUMIRE", 250, ""}, {"FOND DE SALARII", 120, "5"},
                  {"DATORAT", 100, "3"}, {"VIRAT", 100, "3"},   {"ID_SUMA", 0, "0"}};
    for (const auto& c : layout) {
        const int column = list.ColumnIndex(c.column);
        ASSERT_GE(column, 0) << c.column;
        EXPECT_EQ(c.width, list.ColumnWidth(column)) << c.column;
        EXPECT_EQ(c.kind, list.ColumnKind(column)) << c.column;
    }
    const int alfa = RowOf(list, "ALFA SRL");
    EXPECT_EQ("10.000,50", FormatDisplayKind(list.CellText(alfa, "FOND DE SALARII"), "5"));
    EXPECT_EQ("500", list.CellText(alfa, "VIRAT"));
    const EmployerMonth row = EmployerSums::RowAt(list, alfa);
    EXPECT_EQ("12345674", row.cf);
    EXPECT_EQ(std::stoll(SqlScalar("SELECT `index` FROM asigurati.sume_societati WHERE "
                                   "luna=200902")),
              row.idSuma);
    EXPECT_EQ("520", row.sums.datorat);
    const int beta = RowOf(list, "BETA SRL");
    for (const char* column : {"FOND DE SALARII", "DATORAT", "VIRAT", "ID_SUMA"})
        EXPECT_EQ("", FormatDisplayKind(list.CellText(beta, column), "5")) << column;
    EXPECT_EQ(0, EmployerSums::RowAt(list, beta).idSuma);
}

TEST_F(EmployerSumsTest, TheFundOwesAtTheEmployerRateOfTheMonth) {
    const struct {
        const char* month;
        const char* owed;
    } cases[] = {{"200902", "520"}, {"200812", "520"}, {"200801", "550"}, {"200711", "600"}};
    for (const auto& c : cases) EXPECT_EQ(c.owed, EmployerSums(*m_client, c.month).OwedOn(10000));
    EXPECT_EQ("5.2", RateText(EmployerSums(*m_client, "200902").Rate()));
}

TEST_F(EmployerSumsTest, TheFirstSaveInsertsAndLaterOnesUpdateTheSameRowThroughTheLog) {
    EmployerSums sums(*m_client, "200902");
    DataList list;
    ASSERT_TRUE(sums.FillList(list));
    const int beta = RowOf(list, "BETA SRL");
    const Outcome inserted = sums.Save(EmployerSums::RowAt(list, beta), {"8000", "416", "400"});
    ASSERT_TRUE(inserted);
    EXPECT_GT(inserted.Key(), 0);
    EXPECT_EQ("8000|416|400", Stored("23456783"));
    EmployerSums::ShowSaved(list, beta, {"8000", "416", "400"}, inserted.Key());
    EXPECT_EQ(inserted.Key(), EmployerSums::RowAt(list, beta).idSuma);

    const Outcome updated = sums.Save(EmployerSums::RowAt(list, beta), {"9000.25", "468", "468"});
    ASSERT_TRUE(updated);
    EXPECT_EQ(inserted.Key(), updated.Key());
    EXPECT_EQ("9000.25|468|468", Stored("23456783"));
    EXPECT_EQ("7000|364|364", Stored("23456783", 200901));
    EXPECT_EQ("4", SqlScalar("SELECT COUNT(*) FROM asigurati.sume_societati"));
    // The update kept the row as it was in the change log.
    EXPECT_EQ("8000|M", SqlScalar("SELECT CONCAT_WS('|', fond_de_salarii, znew_op) FROM "
                                  "asigurati.zlog_sume_societati"));
}

TEST_F(EmployerSumsTest, AMonthWithoutSumsIsProposedFromTheEmployeesSalaries) {
    // BETA in February 2009: two employees with sums, one without, one of
    // another month; a salary of January 2008 must not count.
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (23456783, 'CAS_B', 'ALBU', 'DAN', 1800101221144, 20080101, 0, 'S'),"
        "(23456783, 'CAS_B', 'BARBU', 'ANA', 2800203400121, 20080101, 0, 'S'),"
        "(23456783, 'CAS_B', 'DOBRE', 'RADU', 1700101000011, 20080101, 0, 'S'),"
        "(23456783, 'CAS_B', 'ENE', 'MIHAI', 1700101000022, 20090301, 0, 'S');"
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT `index`, cf, cnp, 200902, IF(nume='ALBU', 1234.5, 8000), 1, 1 FROM "
        "asigurati.asigurati WHERE nume IN ('ALBU', 'BARBU', 'ENE');"
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT `index`, cf, cnp, 200801, 50000, 1, 1 FROM asigurati.asigurati WHERE "
        "nume='DOBRE'");
    const std::string before = SqlScalar("SELECT COUNT(*) FROM asigurati.sume_societati");
    EmployerSums february(*m_client, "200902");
    const auto proposed = february.Proposal("23456783");
    ASSERT_TRUE(proposed);
    // 9234.50 at 5.2% is 480.194.
    EXPECT_EQ("9234.50", proposed->fondDeSalarii);
    EXPECT_EQ("480", proposed->datorat);
    EXPECT_EQ("480", proposed->virat);
    // At the 5.5% of January 2008, DOBRE's 50000 alone.
    const auto january = EmployerSums(*m_client, "200801").Proposal("23456783");
    ASSERT_TRUE(january);
    EXPECT_EQ("50000.00|2750|2750",
              january->fondDeSalarii + "|" + january->datorat + "|" + january->virat);
    // Nobody's sums (or nobody at all) in March: nothing proposed.
    for (const char* cf : {"23456783", "12345674"}) {
        const auto march = EmployerSums(*m_client, "200903").Proposal(cf);
        ASSERT_TRUE(march) << cf;
        EXPECT_EQ("||", march->fondDeSalarii + "|" + march->datorat + "|" + march->virat) << cf;
    }
    EXPECT_EQ(before, SqlScalar("SELECT COUNT(*) FROM asigurati.sume_societati"));
}

TEST_F(EmployerSumsTest, EmptyAmountsAreZeroAndTextThatIsNoNumberWritesNothing) {
    EmployerSums sums(*m_client, "200902");
    DataList list;
    ASSERT_TRUE(sums.FillList(list));
    const EmployerMonth alfa = EmployerSums::RowAt(list, RowOf(list, "ALFA SRL"));
    const EmployerMonth beta = EmployerSums::RowAt(list, RowOf(list, "BETA SRL"));
    const struct {
        EmployerMonthSums typed;
        const char* message;
        const char* field;
    } refused[] = {
        {{"10.000,50", "1", "1"}, "Fondul de salarii trebuie sa fie un numar!", "fond_de_salarii"},
        {{"100", "x", "1"}, "Suma datorata de catre angajator trebuie sa fie un numar!", "datorat"},
        {{"100", "5", "5-"}, "Suma virata de catre angajator trebuie sa fie un numar!", "virat"},
    };
    for (const auto& c : refused) {
        for (const EmployerMonth& row : {alfa, beta}) {
            m_prompter.ExpectMessage(c.message);
            EXPECT_EQ(c.field, sums.Save(row, c.typed).Field());
        }
    }
    EXPECT_EQ("10000.5|520|500", Stored("12345674"));
    EXPECT_EQ("", Stored("23456783"));
    ASSERT_TRUE(sums.Save(alfa, {"", "", " "}));
    EXPECT_EQ("0|0|0", Stored("12345674"));
}

}  // namespace
