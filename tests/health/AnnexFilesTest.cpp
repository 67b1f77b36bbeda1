// Annex files 1A, 1B, 1C written from the test server: whole files byte for
// byte, read back by dbfread, and the ways a save stops.
#include <gtest/gtest.h>

#include <filesystem>

#include "AnnexTestData.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "health/AnnexFiles.h"

namespace fs = std::filesystem;
using namespace annex_test;

namespace {

class AnnexFilesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        LoadCompany();
        m_files.emplace(*m_client, *ParseAnnexMonth(kMonth));
    }
    AnnexCompany Company() {
        auto company = m_files->LoadCompany(kCf);
        EXPECT_TRUE(company);
        return company.value_or(AnnexCompany{});
    }
    Outcome Save(std::vector<std::string> houses, bool all, FileNaming naming,
                 std::vector<std::string>& written) {
        return m_files->Save({kCf, std::move(houses), all, m_folder.Path().string(), naming},
                             written);
    }
    std::string In(const std::string& relative) const { return m_folder.File(relative); }

    std::optional<AnnexFiles> m_files;
    TempFolder m_folder;
};

TEST_F(AnnexFilesTest, HousesOfTheMonthWithTheirNamesAndCounts) {
    DataList list;
    ASSERT_TRUE(m_files->FillHouses(list, kCf));
    ASSERT_EQ(2, list.RowCount());
    // By code as the server's latin1 collation orders them: "_" after the letters.
    EXPECT_EQ("CASAB", list.CellText(0, "CAS"));
    EXPECT_EQ("AB - Alba", list.CellText(0, "CASA"));
    EXPECT_EQ("CAS_B", list.CellText(1, "CAS"));
    EXPECT_EQ("_B - Bucuresti", list.CellText(1, "CASA"));
    EXPECT_EQ(0, list.ColumnWidth(list.ColumnIndex("CAS")));
    // POPESCU's two records and IONESCU; the records outside July do not count.
    EXPECT_EQ("3", m_files->CountInsured(kCf, "CASAB").value_or(""));
    EXPECT_EQ("1", m_files->CountInsured(kCf, "CAS_B").value_or(""));
    // In January 1999 nobody worked there yet.
    AnnexFiles earlier(*m_client, *ParseAnnexMonth("199901"));
    EXPECT_EQ(std::vector<std::string>{},
              earlier.Houses(kCf).value_or(std::vector<std::string>{"x"}));
}

TEST_F(AnnexFilesTest, OneHouseGivesItsThreeFilesByteForByte) {
    const DbfDate today = TodayLocalDate();
    std::vector<std::string> written;
    ASSERT_TRUE(Save({"CASAB"}, false, FileNaming::House, written));
    const std::string a = In("CASAB_12345678_200907_anexa1A.dbf");
    const std::string b = In("CASAB_12345678_200907_anexa1B.dbf");
    const std::string c = In("CASAB_12345678_200907_anexa1C.dbf");
    EXPECT_EQ((std::vector<std::string>{a, b, c}), written);
    ExpectFileBytes(a, k1A, k1ARecords, today);
    ExpectFileBytes(b, k1B, k1BRecords, today);
    ExpectFileBytes(c, k1C, k1CRecords, today);
}

TEST_F(AnnexFilesTest, AHouseWithoutDependantsHasAnEmpty1BAndTheSame1C) {
    const DbfDate today = TodayLocalDate();
    std::vector<std::string> written;
    ASSERT_TRUE(Save({"CAS_B"}, false, FileNaming::Legal, written));
    ExpectFileBytes(
        In("1A_0709_12345678.dbf"), k1A,
        {Record({"1750101000003", "VASILE", "DAN", "S", "20000101", "0", "200", "200"})}, today);
    ExpectFileBytes(In("1B_0709_12345678.dbf"), k1B, {}, today);
    ExpectFileBytes(In("1C_0709_12345678.dbf"), k1C, k1CRecords, today);
}

TEST_F(AnnexFilesTest, AllHousesWithLegalNamesGoIntoOneFolderPerHouse) {
    std::vector<std::string> written;
    ASSERT_TRUE(m_files->Houses(kCf));
    ASSERT_TRUE(Save(*m_files->Houses(kCf), true, FileNaming::Legal, written));
    ASSERT_EQ(6u, written.size());
    EXPECT_EQ(In("CASAB/1A_0709_12345678.dbf"), written[0]);
    EXPECT_EQ(In("CAS_B/1C_0709_12345678.dbf"), written[5]);
    for (const char* house : {"CAS_B", "CASAB"})
        for (const char* name : {"1A_0709_12345678.dbf", "1B_0709_12345678.dbf"})
            EXPECT_TRUE(fs::exists(In(std::string(house) + "/" + name))) << house << name;
    EXPECT_EQ(Undated(In("CAS_B/1C_0709_12345678.dbf")), Undated(In("CASAB/1C_0709_12345678.dbf")));
    EXPECT_NE(Undated(In("CAS_B/1A_0709_12345678.dbf")), Undated(In("CASAB/1A_0709_12345678.dbf")));

    // With the house in the names, all six stay side by side.
    TempFolder flat;
    written.clear();
    ASSERT_TRUE(m_files->Save(
        {kCf, {"CASAB", "CAS_B"}, true, flat.Path().string(), FileNaming::House}, written));
    EXPECT_EQ(6u, flat.Names().size());
}

// The legal names repeat every month for every house: an earlier save's files
// are replaced only when the user says so, and "Nu" writes none of the set.
TEST_F(AnnexFilesTest, FilesAlreadyThereAreReplacedOnlyAfterDa) {
    fs::create_directory(In("CAS_B"));
    WriteBytes(In("CAS_B/1A_0709_12345678.dbf"), "earlier");
    WriteBytes(In("CAS_B/1C_0709_12345678.dbf"), "earlier");
    const std::string question = "Fisierele urmatoare exista deja in folderul:\n" +
                                 m_folder.Path().string() +
                                 "\n\nCAS_B/1A_0709_12345678.dbf\nCAS_B/1C_0709_12345678.dbf"
                                 "\n\nDoresti sa le inlocuiesti?"
                                 "\nDaca raspunzi Nu, nu se salveaza niciun fisier.";
    m_prompter.ExpectQuestion(question, false);
    std::vector<std::string> written;
    EXPECT_FALSE(Save({"CASAB", "CAS_B"}, true, FileNaming::Legal, written));
    m_prompter.VerifyDone();
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(std::vector<std::string>{"CAS_B"}, m_folder.Names());
    EXPECT_EQ("earlier", ReadBytes(In("CAS_B/1A_0709_12345678.dbf")));
    EXPECT_FALSE(fs::exists(In("CAS_B/1B_0709_12345678.dbf")));

    m_prompter.ExpectQuestion(question, true);
    ASSERT_TRUE(Save({"CASAB", "CAS_B"}, true, FileNaming::Legal, written));
    EXPECT_EQ(6u, written.size());
    ExpectFileBytes(In("CAS_B/1C_0709_12345678.dbf"), k1C, k1CRecords, TodayLocalDate());

    // The command line, told to replace, asks nothing.
    written.clear();
    ASSERT_TRUE(m_files->Save({kCf,
                               {"CAS_B"},
                               false,
                               m_folder.Path().string(),
                               FileNaming::House,
                               ExistingFilesRule::Replace},
                              written));
    written.clear();
    ASSERT_TRUE(m_files->Save({kCf,
                               {"CAS_B"},
                               false,
                               m_folder.Path().string(),
                               FileNaming::House,
                               ExistingFilesRule::Replace},
                              written));
    EXPECT_EQ(3u, written.size());
}

TEST_F(AnnexFilesTest, CompanyTextsReachTheFilesEscapedAndCut) {
    RunSql(
        "UPDATE asigurati.societati SET reg_com='F05', repr='D''ARC IOANA\\\\ MARIA' "
        "WHERE cf=12345678");
    std::vector<std::string> written;
    ASSERT_TRUE(Save({"CAS_B"}, false, FileNaming::House, written));
    DataList list;
    DbfTableSpec spec;
    ASSERT_TRUE(ReadDbfFile(written[0], list, spec));
    EXPECT_EQ("F05", list.CellText(0, "RJ"));
    EXPECT_EQ("", list.CellText(0, "RN"));
    EXPECT_EQ("", list.CellText(0, "RA"));
    EXPECT_EQ("D'ARC", list.CellText(0, "NREP"));
    EXPECT_EQ("IOANA\\ MARIA", list.CellText(0, "PREP"));
}

TEST_F(AnnexFilesTest, ANumberThatDoesNotFitStopsTheSaveWithoutAFile) {
    RunSql("UPDATE asigurati.societati SET reg_com='J40/123456/2003' WHERE cf=12345678");
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa 1A!\n\nvaloarea \"123456\" din randul 1 nu incape in campul 5 "
        "(5 caractere, 0 zecimale)");
    std::vector<std::string> written;
    EXPECT_FALSE(Save({"CASAB"}, false, FileNaming::Legal, written));
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(m_folder.Names().empty());
}

// A company stored before the form checked its registry number.
TEST_F(AnnexFilesTest, TextInANumericFieldStopsTheSaveWithoutAFile) {
    RunSql("UPDATE asigurati.societati SET reg_com='J12/1''2\\\\3/2021' WHERE cf=12345678");
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa 1A!\n\nvaloarea \"1'2\\3\" din randul 1 nu este un numar, iar "
        "campul RN este numeric");
    std::vector<std::string> written;
    EXPECT_FALSE(Save({"CASAB"}, false, FileNaming::Legal, written));
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(AnnexFilesTest, A1BFailureKeepsThe1AWrittenBeforeIt) {
    // A dependant's code of fourteen digits cannot go into CNPC.
    RunSql("UPDATE asigurati.coasigurati SET cnp=12820202000005 WHERE nume='ALBU'");
    m_prompter.ExpectMessage(
        "Nu se poate salva Anexa 1B!\n\nvaloarea \"12820202000005\" din randul 1 nu incape in "
        "campul 8 (13 caractere, 0 zecimale)");
    std::vector<std::string> written;
    EXPECT_FALSE(Save({"CASAB"}, false, FileNaming::Legal, written));
    EXPECT_EQ(std::vector<std::string>{In("1A_0709_12345678.dbf")}, written);
    EXPECT_EQ(std::vector<std::string>{"1A_0709_12345678.dbf"}, m_folder.Names());
}

TEST_F(AnnexFilesTest, NothingToWriteIsSaid) {
    m_prompter.ExpectMessage("Societatea cu codul 99999999 nu exista in baza de date!");
    std::vector<std::string> written;
    EXPECT_FALSE(m_files->Save(
        {"99999999", {"CASAB"}, false, m_folder.Path().string(), FileNaming::House}, written));
    m_prompter.ExpectMessage(
        "Societatea cu codul 12345678 nu are asigurati in luna Iulie 2009!\n"
        "Nu s-a salvat niciun fisier.");
    EXPECT_FALSE(Save({}, true, FileNaming::House, written));
    m_prompter.ExpectMessage(
        "Codul casei de asigurari \"../X\" nu poate face parte dintr-un nume de fisier!");
    EXPECT_FALSE(Save({"../X"}, false, FileNaming::House, written));
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(m_folder.Names().empty());
}

// Fields and values as python3-dbfread reads them.
const char* kDbfread =
    "import sys, dbfread\n"
    "t = dbfread.DBF(sys.argv[1], encoding='latin1', char_decode_errors='strict')\n"
    "print(' '.join(f.name + f.type + str(f.length) for f in t.fields))\n"
    "for r in t: print(*[repr(v) for v in r.values()], sep='|')\n";

std::string Dbfread(const std::string& path) {
    const CommandResult r =
        RunCommand("/usr/bin/python3 -c " + QuoteForShell(kDbfread) + " " + QuoteForShell(path));
    EXPECT_EQ(0, r.status) << r.output;
    return r.output;
}

TEST_F(AnnexFilesTest, DbfreadReadsTheSameValues) {
    std::vector<std::string> written;
    ASSERT_TRUE(Save({"CASAB"}, false, FileNaming::House, written));
    ASSERT_EQ(3u, written.size());
    const std::string head = "7|2009|'12345678'|'J40'|1234|2003|";
    const std::string tail = "|'POPESCU'|'ION'\n";
    EXPECT_EQ(
        "LNN2 ANN4 CFC13 RJC3 RNN5 RAN4 CNPN13 NUMEC30 PRENUMEC30 CATC3 ANGD8 PLD8 SDLN12 "
        "SVLN12 NREPC30 PREPC30\n" +
            head +
            "2850505123456|'IONESCU'|'ANA'|'S'|datetime.date(2008, 1, 1)|"
            "datetime.date(2009, 7, 10)|None|None" +
            tail + head +
            "1800101221144|'POPESCU'|'ION'|'S'|datetime.date(2009, 3, 15)|"
            "datetime.date(2009, 7, 19)|100|90" +
            tail + head +
            "1800101221144|'POPESCU'|'ION'|'CM'|datetime.date(2009, 7, 20)|None|50|50" + tail,
        Dbfread(written[0]));
    EXPECT_EQ(
        "LNN2 ANN4 CFC13 RJC3 RNN5 RAN4 CNPN13 CNPCN13 NUMECC30 PRENUMECC30 TIPCC3 NREPC30 "
        "PREPC30\n" +
            head + "1800101221144|1550404000007|'ALBU'|'ELENA'|'P'" + tail + head +
            "1800101221144|1500303000006|'POPESCU'|'GHEORGHE'|'P'" + tail + head +
            "1800101221144|2820202000005|'POPESCU'|'MARIA'|'S'" + tail,
        Dbfread(written[1]));
    EXPECT_EQ(
        "LNN2 ANN4 CFC13 RJC3 RNN5 RAN4 CAS_ASIGC2 SDLAN12 SVTAN12 SDL_ASIGN12 SVT_ASIGN12 "
        "NREPC30 PREPC30\n" +
            head + "'AB'|520|500|150|140" + tail + head + "'_B'|520|500|200|200" + tail,
        Dbfread(written[2]));
}

}  // namespace
