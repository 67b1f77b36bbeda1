// Verification of health annexes A, B, C: layouts, each record check alone and in its order,
// and what the list shows afterwards.
#include <gtest/gtest.h>

#include "VerifyTestFiles.h"

using namespace verify_test;

namespace {

// What the user reads, as written in the program's messages.
const std::string kCountA =
    "Anexa 1A: Fisierul selectat este invalid!\n\nTrebuie sa contina 16 campuri.";
const std::string kCountB =
    "Anexa B: Fisierul selectat este invalid!\n\nTrebuie sa contina 13 campuri.";
const std::string kCountC =
    "Anexa C: Fisierul selectat este invalid!\n\nTrebuie sa contina 13 campuri.";
const std::string kNamesA =
    "Anexa A: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";
const std::string kNamesB =
    "Anexa B: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";
const std::string kNamesC =
    "Anexa 3C: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";
const std::string kFaultyA =
    "Anexa A: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu sunt eronate. "
    "Verifica coloana EROARE de la sfarsitul tabelului";
const std::string kNotReadWhole = "Fisierul selectat nu a putut fi citit complet!";
const std::string kBadYear = "Campul AN trebuie sa fie mai mare sau egal cu 2006";
const std::string kBadYearB =
    "Campul AN: anul declaratiei trebuie sa fie mai mare sau egal cu 2006";
const std::string kBadMonth = "Campul LN trebuie sa fie intre 1 si 12";
const std::string kBadMonthB = "Campul LN: luna declaratiei trebuie sa fie intre 1 si 12";
const std::string kNoCfA = "Codul de identificare fiscala nu este prezent in campul CF";
const std::string kNoCfB = "Campurile CF: Codul de identificare fiscala nu este prezent";
const std::string kNoCfC = "Codul de identificare fiscala nu este prezent in campuril CF";
const std::string kBadCf = "Campul CF: Codul de identificare fiscala incorect";
const std::string kBadPersonCode = "Campul CNP: Codul Numeric Personal incorect";
const std::string kBadCat =
    "Campul CAT: Forma de angajare trebuie sa fie S, CM, AM, CT, CIC, DCM, SCS sau SS";
const std::string kBadAng = "Campul ANG: data este incorecta. trebuie sa fie de forma AAAALLZZ";
const std::string kBadPl = "Campul PL: data este incorecta. trebuie sa fie de forma AAAALLZZ";
const std::string kBadCnpc = "Campul CNPC: Codul Numeric Personal incorect";
const std::string kBadTipc = "Campul TIPC: Forma de coasigurare trebuie sa fie S sau P";
const std::string kBadCas = "Campul CAS_ASIG: codul de casa de asigurari este eronat";

class VerifyHealthTest : public ::testing::Test {
protected:
    const Verified& Run(VerifiedKind kind, const std::vector<Record>& records) {
        m_verified = std::make_unique<Verified>();
        WriteAndVerify(*m_verified, m_folder.File("anexa.dbf"), kind, records);
        return *m_verified;
    }
    // A file of `kind` whose fields are `fields`, one clean-looking record.
    const Verified& RunLayout(VerifiedKind kind, const std::vector<FieldOf>& fields) {
        m_verified = std::make_unique<Verified>();
        const DbfTableSpec spec = SpecOf(fields);
        WriteTable(m_folder.File("anexa.dbf"), spec, {Record(fields.size(), "1")});
        m_verified->file = ReadAndVerify(kind, m_folder.File("anexa.dbf"), m_verified->list);
        return *m_verified;
    }
    static std::vector<FieldOf> FieldsOf(const DbfTableSpec& spec) {
        std::vector<FieldOf> fields;
        for (std::size_t i = 0; i < spec.m_names.size(); ++i)
            fields.push_back({spec.m_names[i].c_str(), spec.m_types[i].c_str(), spec.m_lengths[i]});
        return fields;
    }

    TempFolder m_folder;
    std::unique_ptr<Verified> m_verified;
};

Record With(Record record, std::size_t field, const std::string& value) {
    record[field] = value;
    return record;
}

TEST_F(VerifyHealthTest, LayoutsAreComparedByCountThenNameByName) {
    const DbfTableSpec a = AnnexSpec(Annex::A);
    std::vector<FieldOf> fields = FieldsOf(a);
    // The right sixteen names, two of them swapped.
    std::swap(fields[7], fields[8]);
    const Verified& swapped = RunLayout(VerifiedKind::AnnexA, fields);
    EXPECT_EQ(FileStatus::Refused, swapped.file.verdict.status);
    EXPECT_EQ(kNamesA, swapped.file.verdict.message);
    EXPECT_TRUE(swapped.file.verdict.rows.empty());
    // The file stays in the list without the "EROARE" column.
    EXPECT_EQ(16, swapped.list.ColumnCount());
    EXPECT_EQ(1, swapped.list.RowCount());

    fields = FieldsOf(a);
    fields[0].name = "ln";  // names are compared byte for byte
    EXPECT_EQ(kNamesA, RunLayout(VerifiedKind::AnnexA, fields).file.verdict.message);
    fields.pop_back();
    EXPECT_EQ(kCountA, RunLayout(VerifiedKind::AnnexA, fields).file.verdict.message);

    // The fields point into the specs' names, so the specs outlive them.
    const DbfTableSpec c = AnnexSpec(Annex::C);
    fields = FieldsOf(c);
    EXPECT_EQ(kNamesB, RunLayout(VerifiedKind::AnnexB, fields).file.verdict.message);
    fields.push_back({"X", "C", 1});
    EXPECT_EQ(kCountC, RunLayout(VerifiedKind::AnnexC, fields).file.verdict.message);
    const DbfTableSpec b = AnnexSpec(Annex::B);
    fields = FieldsOf(b);
    EXPECT_EQ(kNamesC, RunLayout(VerifiedKind::AnnexC, fields).file.verdict.message);
    EXPECT_EQ(kCountB, RunLayout(VerifiedKind::AnnexB, FieldsOf(a)).file.verdict.message);
}

TEST_F(VerifyHealthTest, AFileWithoutRecordsIsRefusedWithItsLetter) {
    const Verified& a = Run(VerifiedKind::AnnexA, {});
    EXPECT_EQ("Anexa A: Fisierul selectat nu contine inregistrari!", a.file.verdict.message);
    EXPECT_EQ(FileStatus::Refused, a.file.verdict.status);
    // A company without co-insured persons: the empty annex B is said, not refused.
    const Verified& b = Run(VerifiedKind::AnnexB, {});
    EXPECT_EQ("Anexa B: Fisierul selectat nu contine inregistrari!", b.file.verdict.message);
    EXPECT_EQ(FileStatus::Notice, b.file.verdict.status);
    EXPECT_EQ("Anexa B: Fisierul selectat nu contine inregistrari!",
              SummaryLine(b.file.verdict, 0));
    const Verified& c = Run(VerifiedKind::AnnexC, {});
    EXPECT_EQ("Anexa C: Fisierul selectat nu contine inregistrari!", c.file.verdict.message);
    EXPECT_EQ(FileStatus::Refused, c.file.verdict.status);
}

TEST_F(VerifyHealthTest, EachAnnexACheckMarksTheRecordThatBreaksOnlyIt) {
    const Record good = AnnexARecord();
    const Verified& verified =
        Run(VerifiedKind::AnnexA,
            {good, With(good, 1, "2005"), With(good, 0, "13"), With(good, 0, "0"),
             With(good, 2, "0"), With(good, 2, "ABC"), With(good, 2, "12345678"),
             With(good, 6, "1800101221145"), With(good, 9, "XX"), With(good, 9, "s"),
             With(good, 10, "20090230"), With(good, 10, "2009031"), With(good, 11, "20091301"),
             With(good, 11, ""), With(good, 11, "20090720"), With(good, 9, "DCM")});
    EXPECT_EQ(FileStatus::Faulty, verified.file.verdict.status);
    EXPECT_EQ((std::vector<std::string>{"", kBadYear, kBadMonth, kBadMonth, kNoCfA, kNoCfA, kBadCf,
                                        kBadPersonCode, kBadCat, kBadCat, kBadAng, kBadAng, kBadPl,
                                        "", "", ""}),
              RowMessages(verified.file.verdict));
    EXPECT_EQ(kFaultyA, verified.file.verdict.message);
    EXPECT_EQ(12, verified.file.verdict.FaultyCount());
}

TEST_F(VerifyHealthTest, TheFirstFailingCheckIsTheOnlyMessage) {
    const Record bad = With(With(AnnexARecord("1800101221145"), 1, "2005"), 9, "XX");
    const Verified& verified = Run(VerifiedKind::AnnexA, {bad, With(bad, 1, "2006")});
    EXPECT_EQ((std::vector<std::string>{kBadYear, kBadPersonCode}),
              RowMessages(verified.file.verdict));
}

TEST_F(VerifyHealthTest, EachAnnexBCheckHasItsOwnWording) {
    const Record good = AnnexBRecord();
    const Verified& verified =
        Run(VerifiedKind::AnnexB,
            {good, With(good, 1, "2005"), With(good, 0, "0"), With(good, 2, "0"),
             With(good, 2, "12345678"), With(good, 6, "123"), With(good, 7, "1800101221145"),
             With(good, 10, "X"), With(good, 10, "P")});
    EXPECT_EQ((std::vector<std::string>{"", kBadYearB, kBadMonthB, kNoCfB, kBadCf, kBadPersonCode,
                                        kBadCnpc, kBadTipc, ""}),
              RowMessages(verified.file.verdict));
}

TEST_F(VerifyHealthTest, AnnexCChecksTheHouseCodeWithoutItsPrefix) {
    const Record good = AnnexCRecord();
    const Verified& verified = Run(
        VerifiedKind::AnnexC, {good, With(good, 6, "_B"), With(good, 6, "XX"), With(good, 6, ""),
                               With(good, 2, "0"), With(good, 1, "1999"), With(good, 0, "13")});
    EXPECT_EQ((std::vector<std::string>{"", "", kBadCas, kBadCas, kNoCfC, kBadYear, kBadMonth}),
              RowMessages(verified.file.verdict));
}

TEST_F(VerifyHealthTest, CleanFilesSaySoAndTheListShowsTheMarks) {
    const Verified& clean = Run(VerifiedKind::AnnexB, {AnnexBRecord(), AnnexBRecord()});
    EXPECT_EQ(FileStatus::Clean, clean.file.verdict.status);
    EXPECT_EQ("Anexa B: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate erori.",
              clean.file.verdict.message);

    Verified faulty;
    WriteAndVerify(faulty, m_folder.File("a.dbf"), VerifiedKind::AnnexA,
                   {AnnexARecord(), With(AnnexARecord(), 9, "X")});
    const auto places = ApplyVerdict(faulty.list, faulty.file);
    EXPECT_EQ((std::vector<std::int64_t>{1, 2}), places);
    const int column = faulty.list.ColumnIndex("EROARE");
    ASSERT_EQ(16, column);
    EXPECT_EQ(500, faulty.list.ColumnWidth(column));
    EXPECT_EQ("", faulty.list.CellText(0, "EROARE"));
    EXPECT_EQ(kBadCat, faulty.list.CellText(1, "EROARE"));
    EXPECT_EQ((Colour{0, 0, 0}), faulty.list.RowColoursAt(0).m_textColour);
    EXPECT_EQ((Colour{255, 0, 0}), faulty.list.RowColoursAt(1).m_textColour);
}

TEST_F(VerifyHealthTest, AFileReadOnlyPartlyIsNotVerified) {
    WriteTable(m_folder.File("a.dbf"), AnnexSpec(Annex::A),
               {AnnexARecord(), With(AnnexARecord(), 1, "2005")});
    std::string bytes = ReadBytes(m_folder.File("a.dbf"));
    bytes.resize(bytes.size() - 20);  // the second record is cut short
    WriteBytes(m_folder.File("cut.dbf"), bytes);
    DataList list;
    const VerifiedFile cut = ReadAndVerify(VerifiedKind::AnnexA, m_folder.File("cut.dbf"), list);
    EXPECT_EQ(FileStatus::Refused, cut.verdict.status);
    EXPECT_EQ("Fisierul selectat nu a putut fi citit complet!", cut.verdict.message);
    EXPECT_TRUE(cut.verdict.rows.empty());
    EXPECT_EQ(0, list.RowCount());  // the part read was not verified: nothing of it is shown

    const VerifiedFile missing =
        ReadAndVerify(VerifiedKind::AnnexA, m_folder.File("nu-exista.dbf"), list);
    EXPECT_EQ(kNotReadWhole, missing.verdict.message);
}

// Nothing that holds a whole dBase header is taken for a table cut short.
TEST_F(VerifyHealthTest, FilesThatAreNotDbaseAreNamedSo) {
    WriteTable(m_folder.File("a.dbf"), AnnexSpec(Annex::A), {AnnexARecord()});
    const std::string table = ReadBytes(m_folder.File("a.dbf"));
    const std::vector<std::string> contents = {
        "", "LN;AN;CF\r\n7;2009;12345674\r\n", std::string(31, '\x03'),
        table.substr(0, 32 + 32 * 5),  // the header ends inside the field descriptions
        std::string(1000, 'x')};
    DataList list;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        WriteBytes(m_folder.File("x.dbf"), contents[i]);
        const VerifiedFile file = ReadAndVerify(VerifiedKind::AnnexA, m_folder.File("x.dbf"), list);
        EXPECT_EQ(FileStatus::Refused, file.verdict.status) << i;
        EXPECT_EQ("Fisierul selectat nu este un fisier dBase.", file.verdict.message) << i;
        EXPECT_EQ(0, list.ColumnCount()) << i;
    }
}

// The command line's last line of a file speaks of records, not of red rows.
TEST_F(VerifyHealthTest, TheSummaryLineCountsRecordsForATerminal) {
    const Verified& faulty =
        Run(VerifiedKind::AnnexA, {AnnexARecord(), With(AnnexARecord(), 9, "X"), AnnexARecord()});
    EXPECT_EQ("verificat: 3 inregistrari, 1 eronate", SummaryLine(faulty.file.verdict, 3));
    const Verified& clean = Run(VerifiedKind::AnnexC, {AnnexCRecord()});
    EXPECT_EQ("verificat: 1 inregistrari, 0 eronate", SummaryLine(clean.file.verdict, 1));
    WriteTable(m_folder.File("1A.dbf"), AnnexSpec(Annex::A), {AnnexARecord()});
    DataList list;
    const VerifiedFile refused = ReadAndVerify(VerifiedKind::AnnexB, m_folder.File("1A.dbf"), list);
    EXPECT_EQ("Anexa B: Fisierul selectat este invalid! Trebuie sa contina 13 campuri.",
              SummaryLine(refused.verdict, 1));
    EXPECT_EQ("S\xC5\x9F \xC5\xA2\xC4\x82", PageTextToUtf8("S\xBA \xDE\xC3"));
}

TEST_F(VerifyHealthTest, DeletedRecordsKeepTheirPlaceInTheFile) {
    const std::string path = m_folder.File("a.dbf");
    const Record good = AnnexARecord();
    WriteTable(path, AnnexSpec(Annex::A), {good, good, With(good, 9, "X"), good});
    std::string bytes = ReadBytes(path);
    const DbfTableSpec spec = AnnexSpec(Annex::A);
    int recordLength = 1;
    for (auto length : spec.m_lengths) recordLength += length;
    const std::size_t headerLength = 32 * spec.m_names.size() + 33;
    bytes[headerLength + recordLength] = '*';  // the second record is deleted
    WriteBytes(path, bytes);
    DataList list;
    const VerifiedFile file = ReadAndVerify(VerifiedKind::AnnexA, path, list);
    ASSERT_EQ(3, list.RowCount());
    EXPECT_EQ((std::vector<std::int64_t>{1, 3, 4}), file.places);
    EXPECT_EQ(kBadCat, file.verdict.rows[1].message);
}

TEST(VerifyNames, KindsAndExtensions) {
    EXPECT_EQ(VerifiedKind::AnnexA, VerifiedKindFromName("a"));
    EXPECT_EQ(VerifiedKind::AnnexC, VerifiedKindFromName("C"));
    EXPECT_EQ(VerifiedKind::Leave2, VerifiedKindFromName("2"));
    EXPECT_FALSE(VerifiedKindFromName("3"));
    EXPECT_FALSE(VerifiedKindFromName("AB"));
    EXPECT_TRUE(HasVerifiableExtension("/x/1A_0709_1.dbf"));
    EXPECT_TRUE(HasVerifiableExtension("C:/X/A.DBF"));
    EXPECT_FALSE(HasVerifiableExtension("/x/a.Dbf"));
    EXPECT_FALSE(HasVerifiableExtension("/x/a.dbf.txt"));
    EXPECT_FALSE(HasVerifiableExtension("/x/dbf"));
    EXPECT_EQ("1A_0709_1_erori.csv", ErrorReportName("/x/1A_0709_1.dbf"));
    EXPECT_EQ("Anexa A: gata! Nu au fost erori.", OneLine("Anexa A: gata!\n\nNu au fost erori."));
}

}  // namespace
