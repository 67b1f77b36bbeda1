// Verification of the medical-leave annexes 1 and 2: the employer data of the first record,
// the record count of annex 1, the rectification kinds and the rows annex 2 drops.
#include <gtest/gtest.h>

#include "VerifyTestFiles.h"
#include "leave/LeaveFiles.h"

using namespace verify_test;

namespace {

// What the user reads, as written in the program's messages.
const std::string kA1Empty = "Concedii medicale - Anexa 1 - Fisierul nu contine inregistrari";
const std::string kA1Several =
    "Concedii medicale - Anexa 1: Fisierul trebuie sa contina o singura inregistrare";
const std::string kA1Done =
    "Concedii medicale - Anexa 1: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate "
    "erori.";
const std::string kA1BadCui =
    "Concedii medicale - Anexa 1: Codul fiscal din campul CUI este invalid";
const std::string kA1BadMonth = "Concedii medicale - Anexa 1: Campurile LN si AN sunt incorecte.";
const std::string kA1BadTipd =
    "Concedii medicale - Anexa 1: Valoarea din campul TIPD este invalida";
const std::string kA1FieldCount =
    "Concedii medicale - Anexa 1: Fisierul trebuie sa contina 56 de campuri";
const std::string kA1FieldNames =
    "Concedii medicale - Anexa 1: Unul sau mai multe campuri nu are/au denumirea corecta";
const std::string kA2Done =
    "Concedii medicale - Anexa 2: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate "
    "erori.";
const std::string kA2Faulty =
    "Concedii medicale - Anexa 2: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu "
    "sunt eronate. Verifica coloana EROARE de la sfarsitul tabelului";
const std::string kA2BadCui =
    "Concedii medicale - Anexa 2: Codul fiscal din campul CUI este invalid";
const std::string kA2BadMonth = "Concedii medicale - Anexa 2: Campurile LN si AN sunt incorecte";
const std::string kA2BadTipd =
    "Concedii medicale - Anexa 2: Valoarea din campul TIPD este invalida";
const std::string kA2FieldCount =
    "Concedii medicale - Anexa 2: Fisierul trebuie sa contina 22 de campuri";
const std::string kA2FieldNames =
    "Concedii medicale - Anexa 2: Unul sau mai multe campuri nu are/au denumirea corecta";
const std::string kBadRectifKind = "Campul TIP_RECTIF: trebuie sa fie M, A sau S";
const std::string kBadLeaveCnp = "Campul CNP: codul numeric personal este invalid";

class VerifyLeaveTest : public ::testing::Test {
protected:
    const Verified& Run(VerifiedKind kind, const std::vector<Record>& records) {
        m_verified = std::make_unique<Verified>();
        WriteAndVerify(*m_verified, m_folder.File("a.dbf"), kind, records);
        return *m_verified;
    }
    std::string Message1(const Record& record) {
        return Run(VerifiedKind::Leave1, {record}).file.verdict.message;
    }
    std::string Message2(const Record& first) {
        return Run(VerifiedKind::Leave2, {first, Leave2Record(kCnp2, "3")}).file.verdict.message;
    }

    TempFolder m_folder;
    std::unique_ptr<Verified> m_verified;
};

Record With(Record record, std::size_t field, const std::string& value) {
    record[field] = value;
    return record;
}

TEST_F(VerifyLeaveTest, Annex1HoldsExactlyOneRecord) {
    const Verified& none = Run(VerifiedKind::Leave1, {});
    EXPECT_EQ(FileStatus::Refused, none.file.verdict.status);
    EXPECT_EQ(kA1Empty, none.file.verdict.message);
    const Verified& two = Run(VerifiedKind::Leave1, {Leave1Record(), Leave1Record()});
    EXPECT_EQ(FileStatus::Refused, two.file.verdict.status);
    EXPECT_EQ(kA1Several, two.file.verdict.message);
    EXPECT_EQ(-1, two.list.ColumnIndex("EROARE"));
}

TEST_F(VerifyLeaveTest, Annex1ChecksTheEmployerAndWritesTheCheckedDataBack) {
    Verified& one = const_cast<Verified&>(Run(VerifiedKind::Leave1, {Leave1Record("R 12345674")}));
    EXPECT_EQ(FileStatus::Clean, one.file.verdict.status);
    EXPECT_EQ(kA1Done, one.file.verdict.message);
    ApplyVerdict(one.list, one.file);
    EXPECT_EQ("12345674", one.list.CellText(0, "CUI"));
    EXPECT_EQ("3", one.list.CellText(0, "LN"));
    EXPECT_EQ("2010", one.list.CellText(0, "AN"));
    EXPECT_EQ(-1, one.list.ColumnIndex("EROARE"));

    EXPECT_EQ(kA1Done, Message1(Leave1Record("r12345674", "1")));
    EXPECT_EQ(kA1BadCui, Message1(Leave1Record("")));
    EXPECT_EQ(kA1BadCui, Message1(Leave1Record("12345678")));
    EXPECT_EQ(kA1BadMonth, Message1(With(Leave1Record(), 2, "13")));
    EXPECT_EQ(kA1BadMonth, Message1(With(Leave1Record(), 3, "1949")));
    EXPECT_EQ(kA1BadTipd, Message1(Leave1Record(kCui, "2")));
    EXPECT_EQ(kA1BadTipd, Message1(Leave1Record(kCui, "")));
    // The employer checks run in order: a bad code hides a bad month.
    EXPECT_EQ(kA1BadCui, Message1(With(Leave1Record("1"), 2, "13")));
}

TEST_F(VerifyLeaveTest, Annex2WithoutRecordsIsVerifiedWithSuccess) {
    const Verified& none = Run(VerifiedKind::Leave2, {});
    EXPECT_EQ(FileStatus::Clean, none.file.verdict.status);
    EXPECT_EQ(kA2Done, none.file.verdict.message);
    EXPECT_FALSE(none.file.verdict.addErrorColumn);
}

TEST_F(VerifyLeaveTest, Annex2RefusesTheFileForItsFirstRecord) {
    Record first = Leave2Record(kCnp1, "3");
    first[4] = "";
    EXPECT_EQ(kA2BadCui, Message2(first));
    EXPECT_EQ(kA2BadMonth, Message2(With(Leave2Record(kCnp1, "3"), 1, "0")));
    EXPECT_EQ(kA2BadTipd, Message2(Leave2Record(kCnp1, "3", "", "5")));
    EXPECT_EQ(kA2Done, Message2(Leave2Record(kCnp1, "3")));
}

TEST_F(VerifyLeaveTest, Annex2DropsRowsWithoutCertificateAndMarksBadCodes) {
    Verified& verified = const_cast<Verified&>(
        Run(VerifiedKind::Leave2,
            {Leave2Record(kCnp1, "3"), Leave2Record("1800101221145", "0"), Leave2Record("123", "3"),
             Leave2Record("", "0"), Leave2Record(kCnp2, "10")}));
    EXPECT_EQ(FileStatus::Faulty, verified.file.verdict.status);
    EXPECT_EQ(kA2Faulty, verified.file.verdict.message);
    EXPECT_EQ((std::vector<std::string>{"", "-", kBadLeaveCnp, "-", ""}),
              RowMessages(verified.file.verdict));
    const auto places = ApplyVerdict(verified.list, verified.file);
    EXPECT_EQ((std::vector<std::int64_t>{1, 3, 5}), places);
    ASSERT_EQ(3, verified.list.RowCount());
    EXPECT_EQ(kCnp2, verified.list.CellText(2, "CNP"));
    EXPECT_EQ(kBadLeaveCnp, verified.list.CellText(1, "EROARE"));
    EXPECT_EQ((Colour{255, 0, 0}), verified.list.RowColoursAt(1).m_textColour);
    EXPECT_EQ((Colour{0, 0, 0}), verified.list.RowColoursAt(2).m_textColour);

    // Only removed rows: the file is clean.
    const Verified& dropped =
        Run(VerifiedKind::Leave2, {Leave2Record(kCnp1, "3"), Leave2Record("", "0")});
    EXPECT_EQ(FileStatus::Clean, dropped.file.verdict.status);
    EXPECT_EQ(kA2Done, dropped.file.verdict.message);
}

// Many dropped rows take the other way out of the list; the rows left keep order, marks and
// colours.
TEST_F(VerifyLeaveTest, ManyDroppedRowsLeaveTheOthersAsMarked) {
    std::vector<Record> records;
    for (int i = 0; i < 100; ++i) {
        if (i % 3 == 0) records.push_back(Leave2Record(kCnp1, "3"));
        if (i % 3 == 1) records.push_back(Leave2Record("", "0"));
        if (i % 3 == 2) records.push_back(Leave2Record("123", "2"));
    }
    Verified& verified = const_cast<Verified&>(Run(VerifiedKind::Leave2, records));
    const auto places = ApplyVerdict(verified.list, verified.file);
    ASSERT_EQ(67, verified.list.RowCount());
    ASSERT_EQ(67u, places.size());
    for (int row = 0; row < 67; ++row) {
        const bool faulty = row % 2 == 1;
        EXPECT_EQ(faulty ? 3 * (row / 2) + 3 : 3 * (row / 2) + 1, places[row]) << row;
        EXPECT_EQ(faulty ? "123" : kCnp1, verified.list.CellText(row, "CNP")) << row;
        EXPECT_EQ(faulty ? kBadLeaveCnp : "", verified.list.CellText(row, "EROARE"));
        EXPECT_EQ(faulty ? (Colour{255, 0, 0}) : (Colour{0, 0, 0}),
                  verified.list.RowColoursAt(row).m_textColour)
            << row;
    }
}

TEST_F(VerifyLeaveTest, TheFirstRecordsRectificationKindStandsForEveryRecord) {
    Verified& verified = const_cast<Verified&>(
        Run(VerifiedKind::Leave2,
            {Leave2Record(kCnp1, "3", "M", "1"), Leave2Record(kCnp2, "3", "", "0"),
             Leave2Record(kCnp3, "3", "X", "0"), Leave2Record(kCnp4, "3", "S", "0"),
             Leave2Record("123", "0", "A", "0"), Leave2Record("123", "0", "", "0")}));
    // The kind is checked first: a row without a certificate but also without a kind is marked.
    EXPECT_EQ(
        (std::vector<std::string>{"", kBadRectifKind, kBadRectifKind, "", "-", kBadRectifKind}),
        RowMessages(verified.file.verdict));
    ApplyVerdict(verified.list, verified.file);
    for (int row = 0; row < verified.list.RowCount(); ++row)
        EXPECT_EQ("1", verified.list.CellText(row, "TIPD")) << row;

    // An initial declaration's kinds are not looked at.
    const Verified& initial =
        Run(VerifiedKind::Leave2, {Leave2Record(kCnp1, "3"), Leave2Record(kCnp2, "3", "X", "1")});
    EXPECT_EQ(FileStatus::Clean, initial.file.verdict.status);
}

TEST_F(VerifyLeaveTest, LayoutsOfTheLeaveAnnexes) {
    std::vector<FieldOf> fields = kLeave2Fields;
    std::swap(fields[0], fields[1]);
    WriteTable(m_folder.File("x.dbf"), SpecOf(fields), {Leave2Record(kCnp1, "3")});
    DataList list;
    EXPECT_EQ(kA2FieldNames,
              ReadAndVerify(VerifiedKind::Leave2, m_folder.File("x.dbf"), list).verdict.message);
    EXPECT_EQ(kA1FieldCount,
              ReadAndVerify(VerifiedKind::Leave1, m_folder.File("x.dbf"), list).verdict.message);
    fields = kLeave1Fields;
    fields[55].name = "NR";
    WriteTable(m_folder.File("y.dbf"), SpecOf(fields), {Leave1Record()});
    EXPECT_EQ(kA1FieldNames,
              ReadAndVerify(VerifiedKind::Leave1, m_folder.File("y.dbf"), list).verdict.message);
    EXPECT_EQ(kA2FieldCount,
              ReadAndVerify(VerifiedKind::Leave2, m_folder.File("y.dbf"), list).verdict.message);
}

// The leave files this program writes carry 58 and 33 fields (two totals more in A1; the
// child's code, the dates and the base of calculation in A2). Both layouts are accepted and
// checked by field name; each is compared name by name in its own order.
TEST_F(VerifyLeaveTest, TheLongerLayoutsOfThisProgramAreCheckedByFieldName) {
    const auto names = [](const DbfTableSpec& spec) {
        return std::vector<std::string_view>(spec.m_names.begin(), spec.m_names.end());
    };
    ASSERT_EQ(names(LeaveA1Spec()), *WrittenLeaveLayout(VerifiedKind::Leave1));
    ASSERT_EQ(names(LeaveA2Spec()), *WrittenLeaveLayout(VerifiedKind::Leave2));
    EXPECT_EQ(nullptr, WrittenLeaveLayout(VerifiedKind::AnnexB));

    Record a1 = Leave1Record("R" + std::string(kCui), "1");
    a1.insert(a1.begin() + 24, {"4", "250"});
    WriteTable(m_folder.File("A1.dbf"), LeaveA1Spec(), {a1});
    DataList list;
    VerifiedFile one = ReadAndVerify(VerifiedKind::Leave1, m_folder.File("A1.dbf"), list);
    EXPECT_EQ(kA1Done, one.verdict.message);
    ApplyVerdict(list, one);
    EXPECT_EQ(kCui, list.CellText(0, "CUI"));
    EXPECT_EQ("250", list.CellText(0, "TOT_SUM"));
    // Checked by name: a bad month is found where the longer layout keeps it.
    a1[3] = "1900";
    WriteTable(m_folder.File("A1.dbf"), LeaveA1Spec(), {a1});
    EXPECT_EQ(kA1BadMonth,
              ReadAndVerify(VerifiedKind::Leave1, m_folder.File("A1.dbf"), list).verdict.message);

    // A2: TIPD, CUI, CNP and ZI_PRE sit elsewhere than in the fund's layout.
    const auto a2Record = [](const std::string& cnp, const std::string& days,
                             const std::string& change) {
        Record record(LeaveA2Spec().m_names.size(), "0");
        const std::vector<std::pair<int, std::string>> values = {
            {0, "1"}, {1, "3"},   {2, "2010"}, {3, "ALFA SRL"}, {4, kCui},  {6, change},
            {7, "X"}, {8, cnp},   {9, ""},     {10, "AB"},      {13, "AB"}, {14, "1"},
            {17, ""}, {21, days}, {25, ""},    {26, ""},        {32, ""}};
        for (const auto& [at, value] : values) record[at] = value;
        return record;
    };
    WriteTable(m_folder.File("A2.dbf"), LeaveA2Spec(),
               {a2Record(kCnp1, "3", "A"), a2Record("", "0", "S"), a2Record("123", "2", "M"),
                a2Record(kCnp2, "1", "")});
    const VerifiedFile two = ReadAndVerify(VerifiedKind::Leave2, m_folder.File("A2.dbf"), list);
    EXPECT_EQ(kA2Faulty, two.verdict.message);
    EXPECT_EQ((std::vector<std::string>{"", "-", kBadLeaveCnp, kBadRectifKind}),
              RowMessages(two.verdict));

    // The longer count with a name out of place, and neither count.
    DbfTableSpec renamed = LeaveA2Spec();
    renamed.m_names[9] = "CNP_MAMA";
    WriteTable(m_folder.File("A2.dbf"), renamed, {a2Record(kCnp1, "3", "")});
    EXPECT_EQ(kA2FieldNames,
              ReadAndVerify(VerifiedKind::Leave2, m_folder.File("A2.dbf"), list).verdict.message);
    EXPECT_EQ(kA1FieldCount,
              ReadAndVerify(VerifiedKind::Leave1, m_folder.File("A2.dbf"), list).verdict.message);
}

TEST_F(VerifyLeaveTest, TheErrorReportHoldsTheMarkedRowsByteForByte) {
    Record odd = Leave2Record("123", "3");
    odd[7] =
        "\xAA"
        "ERBAN; \"ZIZI\"";  // a cedilla S of the Central European page
    Verified& verified = const_cast<Verified&>(
        Run(VerifiedKind::Leave2, {Leave2Record(kCnp1, "3"), Leave2Record("", "0"), odd}));
    const auto places = ApplyVerdict(verified.list, verified.file);
    const std::string path = m_folder.File("erori.csv");
    class Reason : public Prompter {
    public:
        void ShowMessage(const std::string& text, MessageKind kind) override {
            shown.push_back(text);
            kinds.push_back(kind);
        }
        bool AskYesNo(const std::string&) override { return false; }
        std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
        std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
        std::vector<std::string> shown;
        std::vector<MessageKind> kinds;
    } written, refused;
    ASSERT_TRUE(WriteErrorReport(path, verified.list, places, written));
    EXPECT_TRUE(written.shown.empty());
    // UTF-8 with its mark: the cedilla S of the page is two bytes.
    const std::string expected =
        "\xEF\xBB\xBFNR;TIPD;LN;AN;DEN_ANG;CUI;NR_CRT;TIP_RECTIF;NUME_ASIG;CNP;CAS_ASIG;ZI_LUCRAT;"
        "TOT_ZI_LUC;"
        "SERIE_CCM;NUMAR_CCM;ZI_PRE;ZI_FN;COD_INDEMN;SERIE_CCM_;NUMAR_CCM_;FN;COD_URG;COD_CONTAG;"
        "EROARE\r\n"
        "3;0;3;2010;ALFA SRL;12345674;1;;\"\xC5\x9E"
        "ERBAN; \"\"ZIZI\"\"\";123;AB;22;22;AB;123;3;0;01;;;0;;;"
        "Campul CNP: codul numeric personal este invalid\r\n";
    EXPECT_EQ(expected, ReadBytes(path));

    // The reason follows the system's words on a line of its own.
    EXPECT_FALSE(
        WriteErrorReport(m_folder.File("nu/exista/erori.csv"), verified.list, places, refused));
    ASSERT_EQ(1u, refused.shown.size());
    EXPECT_EQ(0u, refused.shown[0].find("Nu se poate salva raportul de erori!\n\n"));
    EXPECT_GT(refused.shown[0].size(),
              std::string("Nu se poate salva raportul de erori!\n\n").size());
    EXPECT_EQ(MessageKind::Error, refused.kinds[0]);
}

}  // namespace
