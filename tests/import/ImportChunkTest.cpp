// The payroll save written in chunks: the same records, verdicts and
// change-log copies as a save row by row, a refusal deep inside a large chunk
// keeping exactly the rows before it, and the wait for another import.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ImportTestFiles.h"
#include "TestServer.h"
#include "datalist/DataList.h"
#include "import/ImportFile.h"
#include "import/ImportRows.h"
#include "import/ImportSave.h"

using namespace import_test;

namespace {

// Counts the waits it is told about; stops waiting when told to.
class WaitingProgress : public ImportProgress {
public:
    void Start(int) override {}
    bool RowDone(int) override { return true; }
    bool Waiting(int) override {
        ++m_waits;
        return m_keepWaiting;
    }
    int m_waits = 0;
    bool m_keepWaiting = true;
};

class ImportChunkTest : public DbTest {
protected:
    void OpenRows(const std::vector<Row>& rows) {
        WriteTable(m_folder.File("in.dbf"), kEmployeeFields, rows);
        ASSERT_TRUE(m_file.Open(*m_client, m_folder.File("in.dbf"), m_list));
    }
    SaveRun Save(ImportProgress* progress = nullptr, int waitSeconds = 300) {
        ImportRequest request;
        request.company.denumire = "ALFA SRL";
        request.company.ziuaLic = "10";
        request.lockWaitSeconds = waitSeconds;
        SaveRun run;
        run.finished = SaveImport(*m_client, m_file, m_list, request, run.tally, progress).Ok();
        return run;
    }
    std::vector<Row> Many(int count, const std::string& month, const std::string& salary) {
        std::vector<Row> rows;
        for (int i = 1; i <= count; ++i) rows.push_back(Employee(NthCnp(i), "NUME", month, salary));
        return rows;
    }
    // Another program holding the import lock on its own connection.
    std::unique_ptr<CClient> HoldImportLock() {
        auto other = std::make_unique<CClient>(m_prompter, TestServerLogin());
        EXPECT_TRUE(other->Connect("127.0.0.1"));
        EXPECT_TRUE(
            other->Query(std::string("SELECT GET_LOCK('") + kImportLockName + "', 0)", false));
        return other;
    }

    // Statements this connection has sent so far.
    long long Statements() {
        EXPECT_TRUE(m_client->Query("SHOW SESSION STATUS LIKE 'Questions'", true));
        return std::stoll(m_client->GetValue(0, "VALUE"));
    }

    TempFolder m_folder;
    DataList m_list;
    ImportFile m_file{ImportKind::Employees};
};

TEST_F(ImportChunkTest, ManyRowsAreWrittenWithAFewStatements) {
    OpenRows(Many(1200, "200907", "1000"));
    m_prompter.ExpectMessage(SavedMessage(1200));
    long long before = Statements();
    EXPECT_TRUE(Save().finished);
    // Row by row, 1,200 new employees took about 4,800 statements.
    EXPECT_GT(150, Statements() - before);
    EXPECT_EQ("1200", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    OpenRows(Many(1200, "200907", "1500"));
    m_prompter.ExpectMessage(SavedMessage(1200));
    before = Statements();
    EXPECT_TRUE(Save().finished);
    // And about 10,800 to import them again.
    EXPECT_GT(150, Statements() - before);
    EXPECT_EQ("1500", SqlScalar("SELECT MIN(salariu) FROM asigurati.sume"));
}

TEST_F(ImportChunkTest, ARepeatedPersonIsLoggedOnceForEachOfItsRows) {
    OpenRows({Employee(kCnpA, "POPA", "200907", "1000"), Employee(kCnpB, "ALBU", "200907")});
    m_prompter.ExpectMessage(SavedMessage(2));
    Save();
    // POPA three times: twice in July (the second replaces the first), once in August.
    OpenRows({Employee(kCnpA, "POPA", "200907", "1100"), Employee(kCnpB, "ALBU", "200907"),
              Employee(kCnpA, "POPESCU", "200908", "1200"),
              Employee(kCnpA, "POPA", "200907", "1300")});
    m_prompter.ExpectMessage(SavedMessage(4));
    EXPECT_TRUE(Save().finished);
    EXPECT_EQ(kUpdatedSumsUpdated, m_list.CellText(0, "EROARE"));
    EXPECT_EQ(kUpdatedSumsAdded, m_list.CellText(2, "EROARE"));
    EXPECT_EQ(kUpdatedSumsUpdated, m_list.CellText(3, "EROARE"));
    EXPECT_EQ("200907:1300|200908:1200",
              SqlScalar(std::string("SELECT GROUP_CONCAT(luna, ':', salariu ORDER BY luna "
                                    "SEPARATOR '|') FROM asigurati.sume WHERE cnp=") +
                        kCnpA));
    // Each update copied the record as it stood just before it, in the rows' order.
    EXPECT_EQ("POPA/M|ALBU/M|POPA/M|POPESCU/M",
              SqlScalar("SELECT GROUP_CONCAT(nume, '/', znew_op, znew_cont ORDER BY znew_index "
                        "SEPARATOR '|') FROM asigurati.zlog_asigurati"));
    EXPECT_EQ("200907:1000|200907:2000|200907:1100",
              SqlScalar("SELECT GROUP_CONCAT(luna, ':', salariu ORDER BY znew_index SEPARATOR "
                        "'|') FROM asigurati.zlog_sume WHERE znew_op='M'"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(ImportChunkTest, ReimportingManyRowsUpdatesEachOnceAndKeepsTheirDates) {
    OpenRows(Many(1200, "200907", "1000"));
    m_prompter.ExpectMessage(SavedMessage(1200));
    Save();
    RunSql(
        "UPDATE asigurati.asigurati SET ZZ_DATA='2001-02-03 04:05:06'; UPDATE asigurati.sume "
        "SET ZZ_DATA='2001-02-03 04:05:06'");
    OpenRows(Many(1200, "200907", "1500"));
    m_prompter.ExpectMessage(SavedMessage(1200));
    const SaveRun result = Save();
    EXPECT_EQ(1200, result.tally.Count(RowEnd::Taken));
    EXPECT_EQ(kUpdatedSumsUpdated, m_list.CellText(1199, "EROARE"));
    EXPECT_EQ("1200|1200|1500", SqlScalar("SELECT CONCAT(COUNT(*), '|', COUNT(DISTINCT id_cnp), "
                                          "'|', MIN(salariu)) FROM asigurati.sume"));
    // The copies hold what was replaced, one per record.
    EXPECT_EQ("1200|1200|1000", SqlScalar("SELECT CONCAT(COUNT(*), '|', COUNT(DISTINCT `index`), "
                                          "'|', MAX(salariu)) FROM asigurati.zlog_sume"));
    EXPECT_EQ("1200", SqlScalar("SELECT COUNT(DISTINCT `index`) FROM asigurati.zlog_asigurati"));
    // An update leaves the time a record was made as it was.
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati WHERE "
                             "ZZ_DATA<>'2001-02-03 04:05:06'"));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE "
                             "ZZ_DATA<>'2001-02-03 04:05:06'"));
}

TEST_F(ImportChunkTest, ARefusalDeepInALargeChunkKeepsExactlyTheRowsBeforeIt) {
    RunSql(
        "CREATE TRIGGER asigurati.orvik_test_refuse BEFORE INSERT ON asigurati.sume FOR EACH "
        "ROW IF NEW.cnp=" +
        NthCnp(801) + " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='refuzat de test'; END IF");
    std::vector<Row> rows = Many(1200, "200907", "1000");
    rows[10][6] = "XX";  // refused before anything is written
    OpenRows(rows);
    m_prompter.ExpectMessage("EROARE Mysql:\n\nrefuzat de test");
    const SaveRun result = Save();
    RunSql("DROP TRIGGER asigurati.orvik_test_refuse");
    EXPECT_FALSE(result.finished);
    EXPECT_TRUE(result.tally.failed);
    EXPECT_EQ(799, result.tally.Saved());
    EXPECT_EQ(RowEnd::Refused, result.tally.rows[10]);
    EXPECT_EQ(kBadFormRow, m_list.CellText(10, "EROARE"));
    EXPECT_EQ(RowEnd::Failed, result.tally.rows[800]);
    EXPECT_EQ(RowEnd::NotReached, result.tally.rows[801]);
    EXPECT_EQ("", m_list.CellText(800, "EROARE"));
    EXPECT_EQ("", m_list.CellText(801, "EROARE"));
    EXPECT_EQ(kAddedSumsAdded, m_list.CellText(799, "EROARE"));
    EXPECT_EQ("799|799", SqlScalar("SELECT CONCAT((SELECT COUNT(*) FROM asigurati.asigurati), "
                                   "'|', (SELECT COUNT(*) FROM asigurati.sume))"));
    EXPECT_EQ(NthCnp(800), SqlScalar("SELECT MAX(cnp) FROM asigurati.asigurati"));
    EXPECT_EQ(0, m_client->OpenTransactions());
}

TEST_F(ImportChunkTest, ASaveWaitsForAnotherImportAndGivesUpWithNothingSaved) {
    OpenRows(Many(3, "200907", "1000"));
    const auto other = HoldImportLock();
    WaitingProgress progress;
    m_prompter.ExpectMessage(
        "Un alt import de date in aceeasi baza de date nu s-a terminat in 1 de secunde.\n\nNu a "
        "fost salvat nimic. Incearca din nou dupa ce se termina.");
    EXPECT_TRUE(Save(&progress, 1).NotStarted());
    EXPECT_LE(1, progress.m_waits);
    // Stopped by the user while waiting: nothing saved, and the message says so.
    progress.m_keepWaiting = false;
    m_prompter.ExpectMessage(
        "Salvarea a fost intrerupta.\n\nAu fost parcurse 0 din 3 inregistrari, iar 0 au fost "
        "salvate in baza de date." +
        Counts(3, 0, 0, 0));
    EXPECT_TRUE(Save(&progress).tally.cancelled);
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(ImportChunkTest, ASaveWaitingForAnotherImportGoesOnWhenItEnds) {
    OpenRows(Many(3, "200907", "1000"));
    const auto other = HoldImportLock();
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_TRUE(
            other->Query(std::string("SELECT RELEASE_LOCK('") + kImportLockName + "')", false));
    });
    WaitingProgress progress;
    m_prompter.ExpectMessage(SavedMessage(3));
    const SaveRun result = Save(&progress);
    release.join();
    EXPECT_TRUE(result.finished);
    EXPECT_LE(1, progress.m_waits);
    EXPECT_EQ("3", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    // The lock was given back: the next save does not wait.
    OpenRows(Many(3, "200907", "1000"));
    progress.m_waits = 0;
    m_prompter.ExpectMessage(SavedMessage(3));
    Save(&progress);
    EXPECT_EQ(0, progress.m_waits);
}

}  // namespace
