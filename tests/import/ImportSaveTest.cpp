// Saving the payroll import: the company, the per-row rules with their
// verdicts, persons and sums added or updated.
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
const Colour kOrange{204, 102, 0};
const Colour kBlack{0, 0, 0};

class ImportSaveTest : public DbTest {
protected:
    void OpenRows(ImportKind kind, const std::vector<Field>& fields, const std::vector<Row>& rows) {
        WriteTable(m_folder.File("in.dbf"), fields, rows);
        m_file.emplace(kind);
        ASSERT_TRUE(m_file->Open(*m_client, m_folder.File("in.dbf"), m_list));
    }
    SaveRun Save(const std::string& name = "ALFA SRL", const std::string& day = "10",
                 const std::string& house = "CASAB") {
        ImportRequest request;
        request.company.denumire = name;
        request.company.regCom = "J40/1234/2003";
        request.company.repr = "POPA DAN";
        request.company.ziuaLic = day;
        request.company.lunaLic = "1";
        request.house = house;
        SaveRun run;
        run.finished = SaveImport(*m_client, *m_file, m_list, request, run.tally).Ok();
        return run;
    }
    bool Red(int row) const { return m_list.RowColoursAt(row).m_textColour == kRed; }
    Colour RowColour(int row) const { return m_list.RowColoursAt(row).m_textColour; }
    std::string StoredHex(const char* column, const std::string& cnp) {
        return SqlScalar(std::string("SELECT HEX(") + column +
                         ") FROM asigurati.asigurati WHERE cnp=" + cnp);
    }
    std::string Verdict(int row) const { return m_list.CellText(row, "EROARE"); }

    TempFolder m_folder;
    DataList m_list;
    std::optional<ImportFile> m_file;
};

TEST_F(ImportSaveTest, PayrollRowsFollowTheirRules) {
    Row lowerForm = Employee(kCnpB, "ALBU", "200907");
    lowerForm[6] = "s";
    Row unknownHouse = Employee(kCnpC, "CRISAN", "200907");
    unknownHouse[1] = "CASXX";
    Row noMonth = Employee(NthCnp(1), "DINU", "");
    Row badHire = Employee(NthCnp(2), "ENE", "200907");
    badHire[5] = "20090231";
    Row badCnp = Employee("1800101221145", "FILIP", "200907");
    Row harghita = Employee(NthCnp(3), "GHEORGHE", "200907");
    harghita[1] = "CASHG";
    Row opsnaj = Employee(NthCnp(4), "HAGI", "200907", "");
    opsnaj[1] = "CAS_O";
    OpenRows(ImportKind::Employees, kEmployeeFields,
             {Employee(kCnpA, "POPA", "200907"), lowerForm, unknownHouse, noMonth, badHire, badCnp,
              Employee(kCnpA, "POPA", "200908", "2500"), harghita, opsnaj});
    m_prompter.ExpectMessage(SavedMessage(5, 1, 3), MessageKind::Information);
    const SaveRun result = Save("BETA SRL");
    EXPECT_TRUE(result.finished);

    EXPECT_EQ("BETA SRL|J40/1234/2003|POPA DAN|10|1",
              SqlScalar(std::string("SELECT CONCAT_WS('|', denumire, reg_com, repr, ziua_lic, "
                                    "luna_lic) FROM asigurati.societati WHERE cf=") +
                        kCompany));
    EXPECT_EQ(kAddedSumsAdded, Verdict(0));
    EXPECT_TRUE(Red(1));
    EXPECT_EQ(kBadFormRow, Verdict(1));
    EXPECT_FALSE(Red(2));
    EXPECT_EQ("CAS_B",
              SqlScalar(std::string("SELECT cas FROM asigurati.asigurati WHERE cnp=") + kCnpC));
    // The person without a month is saved, without sums, and not red.
    EXPECT_FALSE(Red(3));
    EXPECT_EQ(kAddedBadMonth, Verdict(3));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.sume WHERE cnp=" + NthCnp(1)));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati WHERE cnp=" + NthCnp(1)));
    EXPECT_EQ("Data intrarii este incorecta. Inregistrarea a fost ignorata", Verdict(4));
    EXPECT_EQ(kBadCnpRow, Verdict(5));
    EXPECT_TRUE(Red(4) && Red(5));
    // The same person again: updated, the second month's sums beside the first.
    EXPECT_EQ(kUpdatedSumsAdded, Verdict(6));
    EXPECT_EQ(
        "1", SqlScalar(std::string("SELECT COUNT(*) FROM asigurati.asigurati WHERE cnp=") + kCnpA));
    EXPECT_EQ("200907:2000|200908:2500",
              SqlScalar(std::string("SELECT GROUP_CONCAT(luna, ':', salariu ORDER BY luna "
                                    "SEPARATOR '|') FROM asigurati.sume WHERE cnp=") +
                        kCnpA));
    EXPECT_EQ("CASHR", SqlScalar("SELECT cas FROM asigurati.asigurati WHERE cnp=" + NthCnp(3)));
    EXPECT_EQ("CAS_A", SqlScalar("SELECT cas FROM asigurati.asigurati WHERE cnp=" + NthCnp(4)));
    // An empty amount is 0; "," from the reader is "." again.
    EXPECT_EQ("0|110", SqlScalar("SELECT CONCAT(salariu, '|', asig_datorat) FROM asigurati.sume "
                                 "WHERE cnp=" +
                                 NthCnp(4)));
    EXPECT_EQ(3, result.tally.Count(RowEnd::Refused));
    EXPECT_EQ(1, result.tally.Count(RowEnd::TakenNoSums));
    // Five persons (POPA twice), five months of sums.
    EXPECT_EQ("5", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("5", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

TEST_F(ImportSaveTest, SavingAgainUpdatesAndAKnownCompanyStaysAsStored) {
    RunSql(std::string("INSERT INTO asigurati.societati (cf, denumire, ziua_lic) VALUES (") +
           kCompany + ", 'VECHE SRL', '5')");
    OpenRows(ImportKind::Employees, kEmployeeFields, {Employee(kCnpA, "POPA", "200907")});
    m_prompter.ExpectMessage(SavedMessage(1)).ExpectMessage(SavedMessage(1));
    Save("ALTA");
    EXPECT_TRUE(Save("ALTA").finished);
    EXPECT_EQ(kUpdatedSumsUpdated, Verdict(0));
    EXPECT_EQ("VECHE SRL|1", SqlScalar("SELECT CONCAT(denumire, '|', COUNT(*)) FROM "
                                       "asigurati.societati"));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
    // The update left its copy in the change log.
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.zlog_sume"));
}

TEST_F(ImportSaveTest, CompanyChecksWriteNothing) {
    OpenRows(ImportKind::Employees, kEmployeeFields, {Employee(kCnpA, "POPA", "200907")});
    m_prompter.ExpectMessage("Trebuie sa introduci denumirea societatii!");
    EXPECT_TRUE(Save("   ").NotStarted());
    for (const char* day : {"", "0", "32", "x"}) {
        m_prompter.ExpectMessage(
            "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si "
            "31.");
        EXPECT_TRUE(Save("ALFA", day).NotStarted()) << day;
    }
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(ImportSaveTest, AnnexImportOnlyAdds) {
    Row leaving = Annex1A(kCnpC, "CRISAN", "CM", "20090720");
    OpenRows(ImportKind::EarlierReport, kAnnex1AFields,
             {Annex1A(kCnpA, "POPA", "S"), Annex1A(kCnpB, "ALBU", "AM"), leaving,
              Annex1A(NthCnp(1), "DINU", "CT")});
    m_prompter.ExpectMessage(SavedMessage(2, 0, 2));
    EXPECT_TRUE(Save("ALFA", "10", "CASCJ").finished);
    EXPECT_EQ("", Verdict(0));
    EXPECT_EQ("Forma de angajare este incorecta. Inregistrarea a fost ignorata", Verdict(1));
    EXPECT_TRUE(Red(1) && Red(3));
    // LN 7, AN 2009: every row's sums are in 200907; the empty PL is an open record.
    EXPECT_EQ(
        "CASCJ|S|20080101|0|200907|150|140.5",
        SqlScalar(std::string("SELECT CONCAT_WS('|', a.cas, a.forma, a.intrare, a.iesire, "
                              "s.luna, s.asig_datorat, s.asig_virat) FROM asigurati.asigurati "
                              "a JOIN asigurati.sume s ON s.id_cnp=a.index WHERE a.cnp=") +
                  kCnpA));
    EXPECT_EQ("20090720", SqlScalar(std::string("SELECT iesire FROM asigurati.asigurati WHERE "
                                                "cnp=") +
                                    kCnpC));

    // The same file again: nothing is added, every valid row says why.
    m_prompter.ExpectMessage(SavedMessage(0, 0, 4), MessageKind::Warning);
    Save("ALFA", "10", "CASCJ");
    EXPECT_EQ(kAlreadyImportedRow, Verdict(0));
    EXPECT_EQ(kAlreadyImportedRow, Verdict(2));
    EXPECT_TRUE(Red(0) && Red(2));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

TEST_F(ImportSaveTest, AnnexMonthWrongOrSumsAlreadyThere) {
    Row badMonth = Annex1A(kCnpA, "POPA", "S");
    badMonth[1] = "13";
    Row badLeave = Annex1A(kCnpB, "ALBU", "S", "20091");
    OpenRows(ImportKind::EarlierReport, kAnnex1AFields, {badMonth, badLeave});
    m_prompter.ExpectMessage(SavedMessage(0, 1, 1));
    Save();
    EXPECT_EQ("; Campul la luna este incorect. Nu au fost procesate sumele", Verdict(0));
    EXPECT_FALSE(Red(0));
    EXPECT_EQ("Data plecarii este incorecta. Inregistrarea a fost ignorata", Verdict(1));
    EXPECT_TRUE(Red(1));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.sume"));
}

// The payroll layout with its salary as text, as some payroll programs write it.
std::vector<Field> SalaryAsText() {
    std::vector<Field> fields = kEmployeeFields;
    fields[7].type = "C";
    fields[7].decimals = 0;
    return fields;
}

TEST_F(ImportSaveTest, EachRowSaysWhatWasChangedInItsNoteAndItsColour) {
    Row unknownHouse = Employee(kCnpA, "POPA", "200907");
    unknownHouse[1] = "CASXX";
    Row emptyHouse = Employee(kCnpB, "ALBU", "200907");
    emptyHouse[1] = "";
    Row harghita = Employee(kCnpC, "CRISAN", "200907");
    harghita[1] = "CASHG";
    Row noMonth = Employee(NthCnp(1), "DINU", "");
    Row badAmount = Employee(NthCnp(2), "ENE", "200907", "2.000,5O");
    Row badForm = Employee(NthCnp(3), "FILIP", "200907");
    badForm[6] = "X";
    OpenRows(ImportKind::Employees, SalaryAsText(),
             {unknownHouse, emptyHouse, harghita, noMonth, badAmount, badForm});
    m_prompter.ExpectMessage(SavedMessage(3, 2, 1), MessageKind::Information);
    EXPECT_TRUE(Save().finished);
    EXPECT_EQ(
        "Asigurat inexistent: a fost adaugat; casa CASXX necunoscuta, s-a folosit CAS_B; Sumele "
        "in luna inexistente: au fost adaugate",
        Verdict(0));
    EXPECT_EQ(
        "Asigurat inexistent: a fost adaugat; casa necompletata, s-a folosit CAS_B; Sumele in "
        "luna inexistente: au fost adaugate",
        Verdict(1));
    // The Harghita house under its old code is no unknown house.
    EXPECT_EQ(kAddedSumsAdded, Verdict(2));
    // Saved whole: black; the person without the sums: orange; refused: red.
    for (int row : {0, 1, 2}) EXPECT_EQ(kBlack, RowColour(row)) << row;
    EXPECT_EQ(kOrange, RowColour(3));
    EXPECT_EQ(kOrange, RowColour(4));
    EXPECT_EQ(
        "Asigurat inexistent: a fost adaugat; Sumele nu sunt numere. Nu au fost procesate sumele",
        Verdict(4));
    EXPECT_EQ(kRed, RowColour(5));

    // Saving again starts from clean colours: the same rows get the same ones.
    m_prompter.ExpectMessage(SavedMessage(3, 2, 1));
    Save();
    EXPECT_EQ(kOrange, RowColour(3));
    EXPECT_EQ(kBlack, RowColour(0));
    EXPECT_EQ(
        "Asigurat existent: a fost modificat; casa CASXX necunoscuta, s-a folosit CAS_B; Sumele "
        "in luna existente: au fost modificate",
        Verdict(0));
}

TEST_F(ImportSaveTest, AnAnnexRowWithoutItsMonthIsOrange) {
    Row badMonth = Annex1A(kCnpA, "POPA", "S");
    badMonth[1] = "13";
    OpenRows(ImportKind::EarlierReport, kAnnex1AFields, {badMonth, Annex1A(kCnpB, "ALBU", "AM")});
    m_prompter.ExpectMessage(SavedMessage(0, 1, 1), MessageKind::Information);
    Save();
    EXPECT_EQ(kOrange, RowColour(0));
    EXPECT_EQ(kRed, RowColour(1));
}

// "ȘTEFĂNESCU ȚICU" as a UTF-8 payroll program writes it, and as the program stores it.
const std::string kStefanUtf8 = "\xC8\x98TEF\xC4\x82NESCU";
const std::string kTicuUtf8 = "\xC8\x9AICU";
const std::string kStefanHex = "AA544546C34E45534355";
const std::string kTicuHex = "DE494355";

TEST_F(ImportSaveTest, Utf8TextsAreStoredAsTheProgramsLetters) {
    Row stefan = Employee(kCnpA, kStefanUtf8, "200907");
    stefan[4] = kTicuUtf8;
    Row foreign = Employee(kCnpB, "\xD0\x96UKOV", "200907");  // Cyrillic Zhe
    OpenRows(ImportKind::Employees, kEmployeeFields,
             {stefan, foreign, Employee(kCnpC, "POPA", "200907")});
    // The list shows the letters as they will be stored.
    EXPECT_EQ("\xAATEF\xC3NESCU", m_list.CellText(0, "NUME"));
    m_prompter.ExpectMessage(SavedMessage(2, 0, 1));
    EXPECT_TRUE(Save().finished);
    EXPECT_EQ(kStefanHex, StoredHex("nume", kCnpA));
    EXPECT_EQ(kTicuHex, StoredHex("prenume", kCnpA));
    EXPECT_EQ(
        "Campul NUME contine caracterul U+0416, care nu exista in setul de caractere al "
        "programului. Inregistrarea a fost ignorata",
        Verdict(1));
    EXPECT_TRUE(Red(1));
    EXPECT_EQ(
        "0", SqlScalar(std::string("SELECT COUNT(*) FROM asigurati.asigurati WHERE cnp=") + kCnpB));
    EXPECT_EQ(kAddedSumsAdded, Verdict(2));
}

// A header click before the save moves rows; what the opening found about a
// row, and its place in the file, move with it.
TEST_F(ImportSaveTest, ASortedListKeepsEachRowsRefusalAndPlace) {
    Row foreign = Employee(kCnpB, "\xD0\x96UKOV", "200907");
    OpenRows(ImportKind::Employees, kEmployeeFields,
             {Employee(kCnpA, kStefanUtf8, "200907"), foreign, Employee(kCnpC, "POPA", "200907")});
    const int cnp = m_list.ColumnIndex("CNP");
    m_list.SortByColumn(cnp, std::string(kCnpB) < kCnpA);  // the foreign row first
    ASSERT_EQ(kCnpB, m_list.CellText(0, "CNP"));
    EXPECT_EQ(2, m_file->RecordPlace(m_list, 0));
    m_prompter.ExpectMessage(SavedMessage(2, 0, 1));
    EXPECT_TRUE(Save().finished);
    EXPECT_TRUE(Red(0));
    EXPECT_EQ(0u, Verdict(0).find("Campul NUME contine caracterul U+0416"));
    for (int row : {1, 2}) EXPECT_EQ(kAddedSumsAdded, Verdict(row)) << row;
    EXPECT_EQ(
        "0", SqlScalar(std::string("SELECT COUNT(*) FROM asigurati.asigurati WHERE cnp=") + kCnpB));
}

TEST_F(ImportSaveTest, TheLanguageByteDecidesForTheAnnexImportToo) {
    Row stefan = Annex1A(kCnpA, kStefanUtf8, "S");
    Row plain = Annex1A(kCnpB, "POPA", "S");
    // Said to be UTF-8, the file may still hold a row that is not.
    Row broken = Annex1A(kCnpC, "\xAATEFAN", "S");
    // The representative is not stored: a letter without its byte there refuses nothing.
    plain[18] = "\xD0\x96UK";
    WriteTable(m_folder.File("in.dbf"), kAnnex1AFields, {stefan, plain, broken});
    std::string bytes = ReadBytes(m_folder.File("in.dbf"));
    bytes[29] = static_cast<char>(0xF0);
    WriteBytes(m_folder.File("in.dbf"), bytes);
    m_file.emplace(ImportKind::EarlierReport);
    ASSERT_TRUE(m_file->Open(*m_client, m_folder.File("in.dbf"), m_list));
    m_prompter.ExpectMessage(SavedMessage(2, 0, 1));
    Save();
    EXPECT_EQ(kStefanHex, StoredHex("nume", kCnpA));
    EXPECT_EQ("Campul NUME nu este un text UTF-8 corect. Inregistrarea a fost ignorata",
              Verdict(2));
    EXPECT_TRUE(Red(2));

    // A file that names the program's own code page is read byte for byte.
    bytes[29] = static_cast<char>(0xC8);
    WriteBytes(m_folder.File("in.dbf"), bytes);
    RunSql("DELETE FROM asigurati.asigurati");
    ASSERT_TRUE(m_file->Open(*m_client, m_folder.File("in.dbf"), m_list));
    m_prompter.ExpectMessage(SavedMessage(3));
    Save();
    EXPECT_EQ("C898544546C4824E45534355", StoredHex("nume", kCnpA));
}

}  // namespace
