// Files made to hurt: values that try to leave their literal, oversized and
// high-byte names, a statement that fails half-way, and a save cancelled
// between rows. Either a row is refused with its message or stored byte for
// byte; a failure keeps exactly the rows before it.
#include <gtest/gtest.h>

#include "ImportTestFiles.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "import/ImportFile.h"
#include "import/ImportRows.h"
#include "import/ImportSave.h"

using namespace import_test;

namespace {

const Colour kRed{255, 0, 0};

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

// A trigger made for one test, dropped with it whatever happens.
struct TestTrigger {
    explicit TestTrigger(const std::string& sql) { RunSql(sql); }
    ~TestTrigger() { RunSql("DROP TRIGGER IF EXISTS asigurati.orvik_test_refuse"); }
};

// Stops after a given number of rows, as the cancel button does.
class StoppingProgress : public ImportProgress {
public:
    explicit StoppingProgress(int stopAfter) : m_stopAfter(stopAfter) {}
    void Start(int rows) override { m_rows = rows; }
    bool RowDone(int done) override {
        m_done = done;
        return done < m_stopAfter;
    }
    int m_rows = 0;
    int m_done = 0;
    int m_stopAfter;
};

class ImportHostileTest : public DbTest {
protected:
    void OpenRows(const std::vector<Field>& fields, const std::vector<Row>& rows) {
        WriteTable(m_folder.File("in.dbf"), fields, rows);
        ASSERT_TRUE(m_file.Open(*m_client, m_folder.File("in.dbf"), m_list));
    }
    SaveRun Save(ImportProgress* progress = nullptr) {
        ImportRequest request;
        request.company.denumire = "ALFA SRL";
        request.company.ziuaLic = "10";
        SaveRun run;
        run.finished = SaveImport(*m_client, m_file, m_list, request, run.tally, progress).Ok();
        return run;
    }
    std::vector<Row> Hundred() {
        std::vector<Row> rows;
        for (int i = 1; i <= 100; ++i) rows.push_back(Employee(NthCnp(i), "NUME", "200907"));
        return rows;
    }

    TempFolder m_folder;
    DataList m_list;
    ImportFile m_file{ImportKind::Employees};
};

TEST_F(ImportHostileTest, InjectedCellsAreRefusedAndNamesStoredByteForByte) {
    std::vector<Field> wide = kEmployeeFields;
    wide[2].length = 30;  // room for the injected CNP
    wide[6].length = 10;
    wide[12].length = 20;
    wide[7].type = "C";  // types are not checked: a payroll program may write text
    wide[7].decimals = 0;
    Row injected = Employee("1234567890123' OR '1'='1", "X", "200907");
    Row injectedForm = Employee(kCnpB, "Y", "200907");
    injectedForm[6] = "S' OR 1=1";
    Row injectedMonth = Employee(kCnpC, "Z", "200907' OR '1'='1");
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c)
        if (c != 0xA0) high += static_cast<char>(c);  // no blank: the reader trims those
    Row highBytes = Employee(kCnpA, high.substr(0, 50), "200907");
    highBytes[4] = "O'BRIEN \\ \"Q\" " + high.substr(100);
    const std::string longName = std::string(120, 'A') + std::string(80, 'B');
    Row longRow = Employee(NthCnp(1), longName, "200907");
    Row injectedAmount = Employee(NthCnp(2), "W", "200907", "1); DROP TABLE x; --");
    OpenRows(wide, {injected, injectedForm, injectedMonth, highBytes, longRow, injectedAmount});

    m_prompter.ExpectMessage(SavedMessage(2, 2, 2));
    EXPECT_TRUE(Save().finished);
    EXPECT_EQ(kBadCnpRow, m_list.CellText(0, "EROARE"));
    EXPECT_EQ(kBadFormRow, m_list.CellText(1, "EROARE"));
    EXPECT_TRUE(m_list.RowColoursAt(0).m_textColour == kRed);
    // The month with a tail: the person stands, the sums are refused.
    EXPECT_EQ(kAddedBadMonth, m_list.CellText(2, "EROARE"));
    EXPECT_EQ(
        Hex(high.substr(0, 50)),
        SqlScalar(std::string("SELECT HEX(nume) FROM asigurati.asigurati WHERE cnp=") + kCnpA));
    EXPECT_EQ(
        Hex("O'BRIEN \\ \"Q\" " + high.substr(100)),
        SqlScalar(std::string("SELECT HEX(prenume) FROM asigurati.asigurati WHERE cnp=") + kCnpA));
    // A 200-byte name keeps the 50 bytes its column holds.
    EXPECT_EQ(longName.substr(0, 50),
              SqlScalar("SELECT nume FROM asigurati.asigurati WHERE cnp=" + NthCnp(1)));
    // The amount that is no number does not reach the sums.
    EXPECT_EQ(
        "Asigurat inexistent: a fost adaugat; Sumele nu sunt numere. Nu au fost procesate "
        "sumele",
        m_list.CellText(5, "EROARE"));
    EXPECT_EQ("4", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

TEST_F(ImportHostileTest, FailingStatementKeepsTheRowsBeforeIt) {
    // Row 37's person is written, then its sums are refused by the server:
    // its own person must go with them.
    TestTrigger trigger(
        "CREATE TRIGGER asigurati.orvik_test_refuse BEFORE INSERT ON asigurati.sume FOR EACH ROW "
        "IF NEW.cnp=" +
        NthCnp(37) + " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='refuzat de test'; END IF");
    OpenRows(kEmployeeFields, Hundred());
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefuzat de test");
    const SaveRun result = Save();
    EXPECT_FALSE(result.finished);
    EXPECT_TRUE(result.tally.failed);
    EXPECT_EQ(36, result.tally.Saved());
    EXPECT_EQ(RowEnd::Failed, result.tally.rows[36]);
    EXPECT_EQ(RowEnd::NotReached, result.tally.rows[37]);
    EXPECT_EQ("36", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("36", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    EXPECT_EQ(NthCnp(36), SqlScalar("SELECT MAX(cnp) FROM asigurati.asigurati"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
    EXPECT_EQ("", m_list.CellText(36, "EROARE"));
    EXPECT_EQ("", m_list.CellText(99, "EROARE"));
    EXPECT_FALSE(m_list.RowColoursAt(36).m_textColour == kRed);
    // Nothing was left open on the connection.
    EXPECT_EQ(0, m_client->OpenTransactions());
}

TEST_F(ImportHostileTest, RowsSavedOneByOneAfterAFailingChunkSayWhatChangedAlike) {
    // The chunk of rows 32 to 63 is refused by the server at row 37 and saved
    // again row by row up to it: those rows get the notes and colours too.
    TestTrigger trigger(
        "CREATE TRIGGER asigurati.orvik_test_refuse BEFORE INSERT ON asigurati.sume FOR EACH ROW "
        "IF NEW.cnp=" +
        NthCnp(37) + " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='refuzat de test'; END IF");
    std::vector<Row> rows = Hundred();
    rows[32][1] = "CASXX";
    rows[33][12] = "";
    OpenRows(kEmployeeFields, rows);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefuzat de test");
    const SaveRun result = Save();
    ASSERT_TRUE(result.tally.failed);
    EXPECT_EQ(
        "Asigurat inexistent: a fost adaugat; casa CASXX necunoscuta, s-a folosit CAS_B; Sumele "
        "in luna inexistente: au fost adaugate",
        m_list.CellText(32, "EROARE"));
    EXPECT_EQ(RowEnd::TakenNoSums, result.tally.rows[33]);
    EXPECT_TRUE(m_list.RowColoursAt(33).m_textColour == (Colour{204, 102, 0}));
    EXPECT_TRUE(m_list.RowColoursAt(34).m_textColour == (Colour{0, 0, 0}));
}

TEST_F(ImportHostileTest, CancelKeepsWhatWasSavedAndSaysHowMuch) {
    OpenRows(kEmployeeFields, Hundred());
    StoppingProgress progress(3);
    m_prompter.ExpectMessage(
        "Salvarea a fost intrerupta.\n\nAu fost parcurse 3 din 100 inregistrari, iar 3 au fost "
        "salvate in baza de date." +
        Counts(100, 3, 0, 0));
    const SaveRun result = Save(&progress);
    EXPECT_FALSE(result.finished);
    EXPECT_TRUE(result.tally.cancelled);
    EXPECT_EQ(100, progress.m_rows);
    EXPECT_EQ(3, progress.m_done);
    EXPECT_EQ("3", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("3", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

TEST_F(ImportHostileTest, AnUnopenedFileSavesNothing) {
    WriteTable(m_folder.File("in.dbf"), kEmployeeFields, {Employee(kCnpA, "POPA", "200907")});
    std::string bytes = ReadBytes(m_folder.File("in.dbf"));
    WriteBytes(m_folder.File("in.dbf"), bytes.substr(0, bytes.size() - 30));
    m_prompter.ExpectMessage(kEmployeeFileInvalid);
    ASSERT_FALSE(m_file.Open(*m_client, m_folder.File("in.dbf"), m_list));
    EXPECT_TRUE(Save().NotStarted());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

}  // namespace
