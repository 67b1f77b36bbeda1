// An employee's monthly sums against the test server, questions answered by script.
#include <gtest/gtest.h>

#include "TestCompanies.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "health/MonthlySums.h"

namespace {

const char* const kMonth = "200902";
const Colour kRed{255, 0, 0};
const Colour kGreen{0, 127, 0};
const Colour kBlack{0, 0, 0};
// Asked before the sums of the month before are carried into this one.
const char* const kCarryForwardQuestion =
    "ATENTIE:\nLa toti salariatii care nu au inca sume introduse, se vor completa automat sumele "
    "din ultima luna anterioara.\nCotele de contributie vor fi actualizate automat.\n\nVrei sa "
    "continui?";

class MonthlySumsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        // February 2009 at ALFA: who belongs to it and who does not.
        RunSql(
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, "
            "forma) VALUES "
            "(12345674, 'CAS_B', 'ALBU', 'DAN', 1800101221144, 20080101, 0, 'S'),"
            "(12345674, 'CASAB', 'BARBU', 'ANA', 2800203400121, 20090215, 0, 'CM'),"
            "(12345674, 'CAS_B', 'CIOBANU', 'ION', 1850505123457, 20070101, 20090131, 'S'),"
            "(12345674, 'CAS_B', 'DOBRE', 'RADU', 1700101000011, 20070101, 20090201, 'S'),"
            "(12345674, 'CAS_B', 'ENE', 'MIHAI', 1700101000022, 20090203, 20090220, 'S'),"
            "(12345674, 'CAS_B', 'FLOREA', 'IOANA', 2700101000033, 20090301, 0, 'S'),"
            "(23456783, 'CAS_B', 'GHEORGHE', 'VASILE', 1700101000044, 20080101, 0, 'S')");
        m_sums = std::make_unique<MonthlySums>(*m_client, kMonth);
    }
    long long KeyOf(const std::string& nume) {
        return std::stoll(
            SqlScalar("SELECT `index` FROM asigurati.asigurati WHERE nume='" + nume + "'"));
    }
    void AddSums(const std::string& nume, int month, const std::string& salary,
                 const std::string& owed = "0") {
        RunSql(
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, "
            "asig_virat) SELECT `index`, cf, cnp, " +
            std::to_string(month) + ", " + salary + ", " + owed + ", " + owed +
            " FROM asigurati.asigurati WHERE nume='" + nume + "'");
    }
    std::string SumsOf(const std::string& nume, int month = 200902) {
        return SqlScalar(
            "SELECT GROUP_CONCAT(CONCAT_WS('|', s.salariu, s.asig_datorat, s.asig_virat)) FROM "
            "asigurati.sume AS s JOIN asigurati.asigurati AS a ON s.id_cnp=a.index WHERE a.nume='" +
            nume + "' AND s.luna=" + std::to_string(month));
    }
    void Fill() { ASSERT_TRUE(m_sums->FillEmployees(m_list, "12345674")); }
    int RowOf(const std::string& nume) {
        for (int row = 0; row < m_list.RowCount(); ++row)
            if (m_list.CellText(row, "NUME") == nume) return row;
        ADD_FAILURE() << nume << " not listed";
        return -1;
    }
    std::string Shown(const std::string& nume, const char* column) {
        const int row = RowOf(nume);
        const int c = m_list.ColumnIndex(column);
        return FormatDisplayKind(m_list.CellTextAt(row, c), m_list.ColumnKind(c));
    }

    std::unique_ptr<MonthlySums> m_sums;
    DataList m_list;
};

TEST_F(MonthlySumsTest, TheMonthListsWhoWorkedInItRedWhenLiquidatedGreenWhenHired) {
    Fill();
    std::string names;
    for (int row = 0; row < m_list.RowCount(); ++row) names += m_list.CellText(row, "NUME") + ";";
    // Liquidated on 31 January or hired in March: not February's.
    EXPECT_EQ("ALBU;BARBU;DOBRE;ENE;", names);
    EXPECT_EQ(kBlack, m_list.RowColoursAt(RowOf("ALBU")).m_textColour);
    EXPECT_EQ(kGreen, m_list.RowColoursAt(RowOf("BARBU")).m_textColour);
    EXPECT_EQ(kRed, m_list.RowColoursAt(RowOf("DOBRE")).m_textColour);
    // Hired and liquidated in the month: hired wins.
    EXPECT_EQ(kGreen, m_list.RowColoursAt(RowOf("ENE")).m_textColour);

    const struct {
        const char* column;
        int width;
        const char* kind;
    } layout[] = {{"CAS", 50, ""},          {"CF", 0, ""},        {"CNP", 0, ""},
                  {"FORMA", 50, ""},        {"INTRARE", 90, "1"}, {"IESIRE", 90, "1"},
                  {"SALARIU", 90, "5"},     {"INDEX", 0, ""},     {"ASIG_DATORAT", 100, "3"},
                  {"ASIG_VIRAT", 100, "3"}, {"LA_LUNA", 100, "2"}};
    for (const auto& c : layout) {
        const int column = m_list.ColumnIndex(c.column);
        ASSERT_GE(column, 0) << c.column;
        EXPECT_EQ(c.width, m_list.ColumnWidth(column)) << c.column;
        EXPECT_EQ(c.kind, m_list.ColumnKind(column)) << c.column;
    }
    EXPECT_EQ("15.02.2009", Shown("BARBU", "INTRARE"));
    EXPECT_EQ("", Shown("ALBU", "IESIRE"));  // still employed: no leaving date
}

TEST_F(MonthlySumsTest, SumsOfTheMonthShowInTheirKindsAndMissingOnesStayEmpty) {
    AddSums("ALBU", 200902, "1234.5", "68");
    AddSums("BARBU", 200901, "999");  // another month's sums are not February's
    Fill();
    EXPECT_EQ("1.234,50", Shown("ALBU", "SALARIU"));
    EXPECT_EQ("68", Shown("ALBU", "ASIG_DATORAT"));
    EXPECT_EQ("02.2009", Shown("ALBU", "LA_LUNA"));
    for (const char* column : {"SALARIU", "ASIG_DATORAT", "ASIG_VIRAT", "LA_LUNA"})
        EXPECT_EQ("", Shown("BARBU", column)) << column;
    const EmployeeMonth albu = MonthlySums::RowAt(m_list, RowOf("ALBU"));
    EXPECT_EQ(KeyOf("ALBU"), albu.key);
    EXPECT_EQ("1800101221144", albu.person.cnp);
    EXPECT_EQ(kMonth, albu.laLuna);
    EXPECT_EQ("1234.5", albu.sums.salariu);
    EXPECT_EQ("", MonthlySums::RowAt(m_list, RowOf("BARBU")).laLuna);
}

TEST_F(MonthlySumsTest, RatesFollowTheMonthAndTotalsUseThem) {
    const struct {
        const char* month;
        const char* employer;
        const char* employee;
        const char* owedOn1234;
        const char* owedOn1000;
    } cases[] = {{"200806", "5.5", "6.5", "80", "65"},
                 {"200807", "5.5", "5.5", "68", "55"},
                 {"200812", "5.2", "5.5", "68", "55"},
                 {"200902", "5.2", "5.5", "68", "55"}};
    for (const auto& c : cases) {
        const MonthlySums sums(*m_client, c.month);
        EXPECT_EQ(c.employer, RateText(sums.EmployerRate())) << c.month;
        EXPECT_EQ(c.employee, RateText(sums.EmployeeRate())) << c.month;
        EXPECT_EQ(c.owedOn1234, sums.OwedOn(1234)) << c.month;
        EXPECT_EQ(c.owedOn1000, sums.OwedOn(1000)) << c.month;
    }

    AddSums("ALBU", 200902, "1234", "68");
    AddSums("BARBU", 200902, "30000.5", "1650");
    AddSums("DOBRE", 200902, "0.25", "0");
    Fill();
    const MonthTotals totals = m_sums->Totals(m_list);
    EXPECT_EQ("31234.75", totals.fund);      // two decimals, not grouped
    EXPECT_EQ("1624", totals.employerOwed);  // 31234.75 x 5.2% = 1624.207
    EXPECT_EQ("1.718", totals.employeeOwed);
    EXPECT_EQ("1.718", totals.employeePaid);
}

TEST_F(MonthlySumsTest, TheFirstSaveInsertsTheMonthsRowAndTheNextOneUpdatesIt) {
    Fill();
    const int row = RowOf("ALBU");
    ASSERT_TRUE(m_sums->Save(MonthlySums::RowAt(m_list, row), {"1234.50", "68", "60"}));
    m_sums->ShowSaved(m_list, row, {"1234.50", "68", "60"});
    EXPECT_EQ("12345674|1800101221144|200902|1234.5|68|60",
              SqlScalar("SELECT CONCAT_WS('|', cf, cnp, luna, salariu, asig_datorat, asig_virat) "
                        "FROM asigurati.sume WHERE id_cnp=" +
                        std::to_string(KeyOf("ALBU"))));
    EXPECT_EQ(kMonth, MonthlySums::RowAt(m_list, row).laLuna);

    ASSERT_TRUE(m_sums->Save(MonthlySums::RowAt(m_list, row), {"2000", "110", "110"}));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    EXPECT_EQ("2000|110|110", SumsOf("ALBU"));
    // Read back from the server, the row has February's sums and is updated too.
    Fill();
    ASSERT_TRUE(m_sums->Save(MonthlySums::RowAt(m_list, RowOf("ALBU")), {"2100", "116", "0"}));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    EXPECT_EQ("2100|116|0", SumsOf("ALBU"));
}

TEST_F(MonthlySumsTest, AnEmptyAmountIsZeroAndTextThatIsNoNumberIsRefusedUnwritten) {
    Fill();
    const EmployeeMonth albu = MonthlySums::RowAt(m_list, RowOf("ALBU"));
    ASSERT_TRUE(m_sums->Save(albu, {"", " ", ""}));
    EXPECT_EQ("0|0|0", SumsOf("ALBU"));

    const struct {
        MonthSums typed;
        const char* message;
        const char* field;
    } refused[] = {
        {{"12a", "1", "1"}, "Salariul realizat trebuie sa fie un numar!", "salariu"},
        {{"100", "1,5", "1"},
         "Suma datorata pentru asigurat trebuie sa fie un numar!",
         "asig_datorat"},
        {{"100", "5", "5 lei"},
         "Suma virata pentru asigurat trebuie sa fie un numar!",
         "asig_virat"},
        {{"1e5", "5", "5"}, "Salariul realizat trebuie sa fie un numar!", "salariu"},
    };
    const EmployeeMonth barbu = MonthlySums::RowAt(m_list, RowOf("BARBU"));
    for (const auto& c : refused) {
        for (const EmployeeMonth& row : {albu, barbu}) {  // update and insert alike
            m_prompter.ExpectMessage(c.message);
            EXPECT_EQ(c.field, m_sums->Save(row, c.typed).Field());
        }
    }
    EXPECT_EQ("0|0|0", SumsOf("ALBU"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

TEST_F(MonthlySumsTest, CarryForwardFillsOnlyRowsWithoutSumsFromTheLatestEarlierMonth) {
    AddSums("ALBU", 200811, "1500", "99");
    AddSums("ALBU", 200812, "2000.5", "99");
    AddSums("ALBU", 200903, "9999", "99");  // a later month never flows back
    AddSums("DOBRE", 200902, "700", "38");  // already has February's sums
    AddSums("DOBRE", 200901, "800", "44");
    AddSums("ENE", 200905, "5000", "1");  // only later sums: starts from zero
    Fill();

    m_prompter.ExpectQuestion(kCarryForwardQuestion, false);
    EXPECT_FALSE(m_sums->CarryForward(m_list));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE luna=200902"));

    // BARBU never had sums, ENE only later ones: both got zeros, and are named.
    m_prompter.ExpectQuestion(kCarryForwardQuestion, true)
        .ExpectMessage(
            "2 angajati nu aveau sume in nicio luna anterioara si au primit sume 0 in luna "
            "Februarie 2009:\n\nBARBU ANA\nENE MIHAI\n\nIntrodu-le sumele cu <[F6]   Modifica "
            "sumele angajatului selectat>.",
            MessageKind::Information);
    const Outcome carried = m_sums->CarryForward(m_list);
    ASSERT_TRUE(carried);
    EXPECT_EQ(3, carried.Key());
    // Salary as stored, owed and paid at February's 5.5%, not copied.
    EXPECT_EQ("2000.5|110|110", SumsOf("ALBU"));
    EXPECT_EQ("0|0|0", SumsOf("BARBU"));
    EXPECT_EQ("700|38|38", SumsOf("DOBRE"));
    EXPECT_EQ("0|0|0", SumsOf("ENE"));
    for (const char* nume : {"ALBU", "BARBU", "DOBRE", "ENE"})
        EXPECT_EQ(kMonth, m_list.CellText(RowOf(nume), "LA_LUNA")) << nume;
    EXPECT_EQ("2000.5", m_list.CellText(RowOf("ALBU"), "SALARIU"));
    EXPECT_EQ("110", m_list.CellText(RowOf("ALBU"), "ASIG_VIRAT"));
    EXPECT_EQ("700", m_list.CellText(RowOf("DOBRE"), "SALARIU"));
    EXPECT_EQ("2700.50", m_sums->Totals(m_list).fund);

    // A second run finds nothing left to carry, and still asks only once.
    m_prompter.ExpectQuestion(kCarryForwardQuestion, true);
    EXPECT_EQ(0, m_sums->CarryForward(m_list).Key());
    EXPECT_EQ("4", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE luna=200902"));
}

TEST_F(MonthlySumsTest, AFailedCarryForwardSaysHowManyRowsItSavedAndShowsOnlyThose) {
    AddSums("ALBU", 200901, "1000");
    Fill();
    RebuildAfterTest();
    RunSql(
        "CREATE TRIGGER asigurati.broken BEFORE INSERT ON asigurati.sume FOR EACH ROW "
        "IF NEW.id_cnp=" +
        std::to_string(KeyOf("DOBRE")) +
        " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='stricat'; END IF");
    m_prompter.ExpectQuestion(kCarryForwardQuestion, true)
        .ExpectMessage("EROARE Mysql:\n\nstricat")
        .ExpectMessage(
            "Preluarea sumelor s-a oprit din cauza unei erori.\nAngajati ale caror sume au fost "
            "preluate si salvate: 2\nLa ceilalti angajati nu s-a scris nimic.")
        // BARBU's zeros were saved before the failure: he is named all the same.
        .ExpectMessage(
            "1 angajat nu avea sume in nicio luna anterioara si a primit sume 0 in luna Februarie "
            "2009:\n\nBARBU ANA\n\nIntrodu-i sumele cu <[F6]   Modifica sumele angajatului "
            "selectat>.",
            MessageKind::Information);
    EXPECT_FALSE(m_sums->CarryForward(m_list));
    EXPECT_EQ("1000|55|55", SumsOf("ALBU"));
    EXPECT_EQ("0|0|0", SumsOf("BARBU"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE luna=200902"));
    EXPECT_EQ(kMonth, m_list.CellText(RowOf("BARBU"), "LA_LUNA"));
    for (const char* nume : {"DOBRE", "ENE"}) {
        EXPECT_EQ("", m_list.CellText(RowOf(nume), "LA_LUNA")) << nume;
        EXPECT_EQ("", m_list.CellText(RowOf(nume), "SALARIU")) << nume;
    }
}

TEST(WorkingMonth, TheDialogsFieldsBecomeYearAndPaddedMonth) {
    ScriptedPrompter prompter;
    EXPECT_EQ("200902", ComposeWorkingMonth(prompter, "2", "2009"));
    EXPECT_EQ("201012", ComposeWorkingMonth(prompter, "12", "2010"));
    for (const auto& [month, year] :
         {std::pair{"13", "2009"}, {"0", "2009"}, {"", "2009"}, {"02", "1949"}, {"02", ""}}) {
        prompter.ExpectMessage("Luna introdusa este incorecta!");
        EXPECT_FALSE(ComposeWorkingMonth(prompter, month, year)) << month << "." << year;
    }
    EXPECT_EQ("Februarie 2009", WorkingMonthCaption("200902"));
    EXPECT_EQ("Decembrie 2010", WorkingMonthCaption("201012"));
    EXPECT_TRUE(IsWorkingMonth("200902"));
    EXPECT_FALSE(IsWorkingMonth(""));
    EXPECT_FALSE(IsWorkingMonth("20092"));
    EXPECT_EQ("02", SplitWorkingMonth("200902").month);
    EXPECT_EQ("2009", SplitWorkingMonth("200902").year);
}

}  // namespace
