// The leave declaration files A1 and A2 written from the test server: whole
// files byte for byte, read back by other dBase readers, and every way a save
// stops; and the printout read from the same data.
#include <gtest/gtest.h>

#include <filesystem>

#include "LeaveFilesTestData.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "leave/LeaveFiles.h"
#include "leave/PrintedDeclaration.h"
#include "print/PagePrinter.h"
#include "print/RecordingBackend.h"

namespace fs = std::filesystem;
using namespace leave_test;

namespace {

class LeaveFilesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadLeaveMonth();
    }
    std::optional<LeaveFilesWritten> Write(long long index, const std::string& cf = kCf,
                                           ExistingFilesRule existing = ExistingFilesRule::Ask) {
        return WriteLeaveFiles(*m_client, cf, index, m_folder.Path().string(), existing);
    }
    std::string In(const std::string& name) const { return m_folder.File(name); }

    // One file read back by the program's own reader.
    struct Read {
        DataList list;
        DbfTableSpec spec;
    };
    std::unique_ptr<Read> ReadBack(const std::string& name) {
        auto read = std::make_unique<Read>();
        EXPECT_TRUE(ReadDbfFile(In(name), read->list, read->spec)) << name;
        return read;
    }

    TempFolder m_folder;
};

TEST_F(LeaveFilesTest, InitialDeclarationGivesBothFilesByteForByte) {
    const auto written = Write(kInitial);
    ASSERT_TRUE(written);
    EXPECT_EQ(In("A1_0310_12345678.dbf"), written->a1Path);
    EXPECT_EQ(In("A2_0310_12345678.dbf"), written->a2Path);
    EXPECT_EQ(2u, m_folder.Names().size());

    // J = 300 + 0 + 420.75; I = 315, so N = J + K - I = 505.75.
    std::vector<std::string> a1 = {
        "_B", "0",     "3",   "2010", "ALFA SRL", "12345678", "J40/1234/2003",
        "5",  "50000", "306", "1000", "9",        "315",      "720",
        "2",  "0",     "0",   "1",    "0",        "11",       "0",
        "0",  "7",     "0",   "8",    "700",      "3",        "0",
        "0",  "7",     "0",   "300",  "0",        "0",        "420",
        "0",  "100",   "0",   "0",    "505"};
    for (const std::string& value : CompanyTail()) a1.push_back(value);
    ExpectFileBytes(written->a1Path, kA1Fields, {a1});

    const std::vector<std::string> head = {"0", "03", "2010", "ALFA SRL", "12345678"};
    auto Row = [&](std::vector<std::string> rest) {
        std::vector<std::string> row = head;
        row.insert(row.end(), rest.begin(), rest.end());
        return row;
    };
    // By start date, then CNP: IONESCU, VASILE, POPESCU.
    ExpectFileBytes(written->a2Path, kA2Fields,
                    {Row({"1",
                          "",
                          "IONESCU ANA",
                          "2850505123456",
                          "0",
                          "_B",
                          "23",
                          "20",
                          "AB",
                          "1002",
                          "",
                          "",
                          "20100301",
                          "01",
                          "3",
                          "0",
                          "3",
                          "1",
                          "200",
                          "0",
                          "20100301",
                          "20100303",
                          "",
                          "",
                          "4000",
                          "60",
                          "66.6667",
                          ""}),
                     Row({"2",
                          "",
                          "VASILE DAN",
                          "1750101000003",
                          "5050505000005",
                          "AB",
                          "23",
                          "16",
                          "CD",
                          "555",
                          "CD",
                          "444",
                          "20100310",
                          "09",
                          "0",
                          "7",
                          "7",
                          "2",
                          "0",
                          "420",
                          "20100310",
                          "20100316",
                          "A12",
                          "3",
                          "9000",
                          "90",
                          "100.0000",
                          ""}),
                     Row({"3",
                          "",
                          "POPESCU ION",
                          "1800101221144",
                          "0",
                          "AB",
                          "23",
                          "15",
                          "AB",
                          "1001",
                          "",
                          "",
                          "20100310",
                          "01",
                          "5",
                          "3",
                          "8",
                          "1",
                          "500",
                          "300",
                          "20100310",
                          "20100317",
                          "",
                          "",
                          "6000",
                          "90",
                          "66.6667",
                          ""})});
}

TEST_F(LeaveFilesTest, RectifyingDeclarationMovesTheModifiedCaseAndListsOnlyItsEntry) {
    ASSERT_TRUE(Write(kRectifying));
    const auto a1 = ReadBack("A1_0310_12345678.dbf");
    const DataList& r = a1->list;
    ASSERT_EQ(1, r.RowCount());
    EXPECT_EQ("1", r.CellText(0, "TIPD"));
    EXPECT_EQ("1", r.CellText(0, "CAZ_G1"));
    EXPECT_EQ("1", r.CellText(0, "CAZ_G3"));
    EXPECT_EQ("1", r.CellText(0, "CAZ_G4"));
    EXPECT_EQ("3", r.CellText(0, "ZI_PRE_G1"));  // IONESCU alone
    EXPECT_EQ("10", r.CellText(0, "ZI_FN_G3"));
    EXPECT_EQ("900", r.CellText(0, "FN_G3"));
    EXPECT_EQ("0", r.CellText(0, "FN_G1"));
    EXPECT_EQ("1320", r.CellText(0, "TOT_CUANT_"));  // 420.75 + 900
    EXPECT_EQ("200", r.CellText(0, "TOT_SUM"));
    const auto a2 = ReadBack("A2_0310_12345678.dbf");
    ASSERT_EQ(1, a2->list.RowCount());
    EXPECT_EQ("1", a2->list.CellText(0, "TIPD"));
    EXPECT_EQ("M", a2->list.CellText(0, "TIP_RECTIF"));
    EXPECT_EQ("08", a2->list.CellText(0, "COD_INDEMN"));
    EXPECT_EQ("3", a2->list.CellText(0, "LOC_PRES"));
    EXPECT_EQ("ME1", a2->list.CellText(0, "ME_NR"));
}

TEST_F(LeaveFilesTest, DeclarationWithoutCertificatesHasEmptyGroupsAndNoA2Records) {
    const auto written = Write(kWithoutCertificates);
    ASSERT_TRUE(written);
    EXPECT_EQ(In("A1_0410_12345678.dbf"), written->a1Path);
    const auto a1 = ReadBack("A1_0410_12345678.dbf");
    for (const char* field : {"CAZ_G1", "CAZ_G2", "CAZ_G3", "CAZ_G4", "CAZ_G5", "ZI_PRE_G1",
                              "TOT_ZI_PRE", "TOT_SUM", "FN_G1", "FN_G5", "TOT_CUANT_"})
        EXPECT_EQ("0", a1->list.CellText(0, field)) << field;
    // I = 306 with nothing to offset: it is all paid.
    EXPECT_EQ("306", a1->list.CellText(0, "TOT_VIRAT"));
    ExpectFileBytes(written->a2Path, kA2Fields, {});
}

TEST_F(LeaveFilesTest, CountyCodesOfBucharestAndHarghita) {
    ASSERT_TRUE(Write(kInitial));
    EXPECT_EQ("_B", ReadBack("A1_0310_12345678.dbf")->list.CellText(0, "CAS_ANG"));
    EXPECT_EQ("MB", ReadBack("A1_0310_12345678.dbf")->list.CellText(0, "ADR_JUD"));
    RunSql("UPDATE asigurati.societati SET jud='HR', sect=0 WHERE cf=12345678");
    ASSERT_TRUE(Write(kInitial, kCf, ExistingFilesRule::Replace));
    EXPECT_EQ("HG", ReadBack("A1_0310_12345678.dbf")->list.CellText(0, "CAS_ANG"));
    EXPECT_EQ("HR", ReadBack("A1_0310_12345678.dbf")->list.CellText(0, "ADR_JUD"));
}

TEST_F(LeaveFilesTest, ChecksStopBeforeAnyFileIsWritten) {
    m_prompter.ExpectMessage(
        "Trebuie sa selectezi o declaratie pentru a-i salva rapoartele electronice!");
    EXPECT_FALSE(Write(0));

    RunSql("UPDATE concedii.concedii SET data_acordarii='0000-00-00' WHERE nume='VASILE'");
    m_prompter.ExpectMessage(
        "Atentie:\nSe pare ca datele au fost introduse intr-o versiune mai veche a aplicatiei si "
        "nu sunt complete.\n\nPentru a se putea genera fisiere sau rapoarte corecte, este "
        "necesara modificarea fiecarei inregistrari si completarea cu datele lipsa\nsau stergerea "
        "tuturor datelor din luna selectata si reintroducerea lor!");
    EXPECT_FALSE(Write(kInitial));
    // The rectifying declaration's own entry is complete.
    EXPECT_TRUE(Write(kRectifying));
    for (const auto& name : m_folder.Names()) fs::remove(In(name));

    m_prompter.ExpectMessage("Eroare #12");
    EXPECT_FALSE(Write(kRectifying, "99999999"));
    m_prompter.ExpectMessage("Eroare #1");
    EXPECT_FALSE(Write(999));
    RunSql("UPDATE asigurati.societati SET jud='' WHERE cf=12345678");
    m_prompter.ExpectMessage(
        "Nu se pot genera fisierele declaratiei deoarece nu ai introdus judetul societatii "
        "curente.\n\rAcceseaza 'Modifica societate'.");
    EXPECT_FALSE(Write(kRectifying));
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(LeaveFilesTest, TheWindowAsksForTheFolderAndNamesBothFiles) {
    m_prompter.ExpectFolderChoice(std::nullopt);
    EXPECT_FALSE(SaveLeaveFiles(*m_client, kCf, kInitial));
    m_prompter.ExpectFolderChoice(m_folder.Path().string());
    m_prompter.ExpectMessage(
        "Fisierele au fost salvate cu succes. Denumirea lor este:\nA1_0310_12345678.dbf\n"
        "A2_0310_12345678.dbf",
        MessageKind::Information);
    EXPECT_TRUE(SaveLeaveFiles(*m_client, kCf, kInitial));
    EXPECT_EQ(2u, m_folder.Names().size());
}

// The rectifying declaration's A1 and A2 have the initial one's names: the
// window asks once before they take their place, and "Nu" writes neither.
TEST_F(LeaveFilesTest, TheRectifyingFilesReplaceTheInitialOnesOnlyAfterDa) {
    const std::string folder = m_folder.Path().string();
    m_prompter.ExpectFolderChoice(folder);
    m_prompter.ExpectMessage(
        "Fisierele au fost salvate cu succes. Denumirea lor este:\nA1_0310_12345678.dbf\n"
        "A2_0310_12345678.dbf",
        MessageKind::Information);
    ASSERT_TRUE(SaveLeaveFiles(*m_client, kCf, kInitial));
    const std::string initialA1 = ReadBytes(In("A1_0310_12345678.dbf"));
    const std::string initialA2 = ReadBytes(In("A2_0310_12345678.dbf"));

    const std::string question = "Fisierele urmatoare exista deja in folderul:\n" + folder +
                                 "\n\nA1_0310_12345678.dbf\nA2_0310_12345678.dbf"
                                 "\n\nDoresti sa le inlocuiesti?"
                                 "\nDaca raspunzi Nu, nu se salveaza niciun fisier.";
    m_prompter.ExpectFolderChoice(folder).ExpectQuestion(question, false);
    EXPECT_FALSE(SaveLeaveFiles(*m_client, kCf, kRectifying));
    m_prompter.VerifyDone();
    EXPECT_EQ(initialA1, ReadBytes(In("A1_0310_12345678.dbf")));
    EXPECT_EQ(initialA2, ReadBytes(In("A2_0310_12345678.dbf")));

    // Only the A2 left from before: named alone.
    std::filesystem::remove(In("A1_0310_12345678.dbf"));
    m_prompter.ExpectFolderChoice(folder)
        .ExpectQuestion("Fisierul urmator exista deja in folderul:\n" + folder +
                            "\n\nA2_0310_12345678.dbf\n\nDoresti sa il inlocuiesti?"
                            "\nDaca raspunzi Nu, nu se salveaza niciun fisier.",
                        true)
        .ExpectMessage(
            "Fisierele au fost salvate cu succes. Denumirea lor este:\nA1_0310_12345678.dbf\n"
            "A2_0310_12345678.dbf",
            MessageKind::Information);
    EXPECT_TRUE(SaveLeaveFiles(*m_client, kCf, kRectifying));
    const std::string a2 = ReadBytes(In("A2_0310_12345678.dbf"));
    ASSERT_GT(a2.size(), 8u);
    EXPECT_EQ(1, a2[4]);  // the rectifying declaration's one entry
    EXPECT_NE(initialA2, a2);
}

TEST_F(LeaveFilesTest, ANumberTooWideForItsFieldLeavesNoFileUnderItsName) {
    RunSql("UPDATE concedii.declaratii SET nr_ang=1234567 WHERE `index`=1");
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa A1!\n\nvaloarea \"1234567\" din randul 1 nu incape in campul 8 "
        "(6 caractere, 0 zecimale)");
    EXPECT_FALSE(Write(kInitial));
    EXPECT_TRUE(m_folder.Names().empty());

    // An A2 that fails keeps the A1 written before it, and no A2 at all.
    RunSql(
        "UPDATE concedii.declaratii SET nr_ang=5 WHERE `index`=1;"
        "UPDATE concedii.concedii SET zile_prestatii_ang=12 WHERE nume='IONESCU'");
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa A2!\n\nvaloarea \"12\" din randul 1 nu incape in campul 20 "
        "(1 caractere, 0 zecimale)");
    EXPECT_FALSE(Write(kInitial));
    EXPECT_EQ(std::vector<std::string>{"A1_0310_12345678.dbf"}, m_folder.Names());
}

TEST_F(LeaveFilesTest, CompanyTextsReachA2Unchanged) {
    RunSql("UPDATE asigurati.societati SET denumire='D''ARC \\\\ FIII SRL' WHERE cf=12345678");
    ASSERT_TRUE(Write(kRectifying));
    EXPECT_EQ("D'ARC \\ FIII SRL", ReadBack("A2_0310_12345678.dbf")->list.CellText(0, "DEN_ANG"));
    EXPECT_EQ("D'ARC \\ FIII SRL", ReadBack("A1_0310_12345678.dbf")->list.CellText(0, "DEN_ANG"));
}

TEST_F(LeaveFilesTest, DeclarationsAreFoundByMonthAndNumber) {
    EXPECT_EQ(kInitial, FindDeclarationIndex(*m_client, kCf, "201003", 0).value_or(-1));
    EXPECT_EQ(kRectifying, FindDeclarationIndex(*m_client, kCf, "201003", 1).value_or(-1));
    EXPECT_EQ(0, FindDeclarationIndex(*m_client, kCf, "201003", 2).value_or(-1));
    EXPECT_EQ(0, FindDeclarationIndex(*m_client, "87654321", "201003", 0).value_or(-1));
}

TEST_F(LeaveFilesTest, OtherDbaseReadersReadTheSameValues) {
    ASSERT_TRUE(Write(kInitial));
    CommandResult r = RunCommand("ogrinfo -ro -al " + QuoteForShell(In("A2_0310_12345678.dbf")));
    ASSERT_EQ(0, r.status) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("Feature Count: 3")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("MZBCI: Real (13.4)")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("DATA_ACORD: Date (10.0)")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("NUME_ASIG (String) = VASILE DAN")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("DATA_ACORD (Date) = 2010/03/10")) << r.output;
    EXPECT_NE(std::string::npos, r.output.find("MZBCI (Real) = 66.6667")) << r.output;

    // dbfdump shows each field as stored, padded: compare without the blanks.
    r = RunCommand("dbfdump -m " + QuoteForShell(In("A1_0310_12345678.dbf")) + " | tr -d ' '");
    ASSERT_EQ(0, r.status) << r.output;
    for (const char* line :
         {"\nCAS_ANG:_B\n", "\nTOT_CUANT_:720\n", "\nCAZ_G4:1\n", "\nTOT_RECUP:505\n",
          "\nC1:RO49AAAA1B31007593840000\n", "\nNRF:(NULL)"})
        EXPECT_NE(std::string::npos, r.output.find(line)) << line << "\n" << r.output;
}

// The printout of the rectifying declaration: the whole chain in its groups,
// its own entry alone in Anexa 2.
TEST_F(LeaveFilesTest, PrintoutOfARectifyingDeclaration) {
    Recording rec;
    PagePrinter printer(m_prompter, RecordingChooser(rec, {7000, 4950}));
    ASSERT_TRUE(PrintLeaveDeclaration(*m_client, kRectifying, printer, "2.08"));
    EXPECT_EQ(2, rec.pages);
    EXPECT_EQ("12345678_201003_concedii_rectificativa_1", rec.documentName);
    auto has = [&](int page, const std::string& text) {
        for (const TextDraw& t : rec.TextsOnPage(page))
            if (t.text == text) return true;
        return false;
    };
    EXPECT_TRUE(has(1, "DECLARATIE    rectificativa 1"));
    EXPECT_TRUE(has(1, "1320"));  // J
    EXPECT_TRUE(has(1, "900"));   // J3's fund amount
    EXPECT_TRUE(has(2, "POPESCU ION"));
    EXPECT_FALSE(has(2, "IONESCU ANA"));
    EXPECT_TRUE(has(2, "ambulatoriu"));

    // The same checks as the files, with the printout's own words.
    m_prompter.ExpectMessage("Trebuie sa selectezi o declaratie pentru a o tipari!");
    EXPECT_FALSE(PrintLeaveDeclaration(*m_client, 0, printer, "2.08"));
    RunSql("UPDATE asigurati.societati SET jud='' WHERE cf=12345678");
    m_prompter.ExpectMessage(
        "Nu se poate tipari declaratia deoarece nu ai introdus judetul societatii "
        "curente.\n\rAcceseaza 'Modifica societate'.");
    EXPECT_FALSE(PrintLeaveDeclaration(*m_client, kInitial, printer, "2.08"));
    EXPECT_EQ(2, rec.pages);
}

TEST_F(LeaveFilesTest, PrintoutOfTheInitialDeclarationListsItsCertificatesByName) {
    const auto printout = ReadDeclarationPrintout(*m_client, kInitial);
    ASSERT_TRUE(printout);
    ASSERT_EQ(3u, printout->certificates.size());
    EXPECT_EQ("IONESCU", printout->certificates[0].nume);
    EXPECT_EQ("POPESCU", printout->certificates[1].nume);
    EXPECT_EQ("VASILE", printout->certificates[2].nume);
    EXPECT_EQ("CD 555 /\nCD 444", CertificateCells(printout->certificates[2], 3)[9]);
    EXPECT_EQ(2, printout->groups[0].cases);
    EXPECT_EQ(1, printout->groups[3].cases);
    EXPECT_DOUBLE_EQ(505.75, printout->amounts.n);
    EXPECT_EQ("12345678_201003_concedii", PrintDocumentName(*printout));
}

}  // namespace
