// The verification window offscreen: its buttons, a faulty file in red with its report, files
// it ignores or refuses, and a file of 100,000 records read with the window still alive.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "FormDriving.h"
#include "ScriptedPrompter.h"
#include "SmallScreen.h"
#include "VerifyTestFiles.h"
#include "ui/DataListView.h"
#include "ui/QtPrompter.h"
#include "ui/import/VerifyFilesDialog.h"

using namespace verify_test;

namespace {

class VerifyFilesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = std::make_unique<VerifyFilesDialog>(m_prompter);
        m_dialog->show();
        QApplication::processEvents();
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(m_dialog.get(), name); }
    DataList& List() { return m_dialog->List()->List(); }
    std::string Write(const std::string& name, VerifiedKind kind,
                      const std::vector<Record>& records) {
        const std::string path = m_folder.File(name);
        WriteTable(path, SpecOfKind(kind), records);
        return path;
    }

    ScriptedPrompter m_prompter;
    std::unique_ptr<VerifyFilesDialog> m_dialog;
    TempFolder m_folder;
};

TEST_F(VerifyFilesDialogTest, TheWindowOffersTheFiveKindsAndItsExit) {
    EXPECT_EQ("Verifica fisiere de raportare generate de alta aplicatie", m_dialog->windowTitle());
    const std::pair<const char*, const char*> buttons[] = {
        {"verifyAButton", "Verifica anexa A"},
        {"verifyBButton", "Verifica anexa B"},
        {"verifyCButton", "Verifica anexa C"},
        {"verify1Button", "Verifica anexa 1"},
        {"verify2Button", "Verifica anexa 2"},
        {"closeButton", "[ESC]   Iesire"},
        {"saveReportButton", "Salveaza raportul de erori"}};
    for (const auto& [name, text] : buttons) EXPECT_EQ(text, Button(name)->text()) << name;
    EXPECT_FALSE(Button("saveReportButton")->isEnabled());
    QTest::keyClick(m_dialog->List(), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(VerifyFilesDialogTest, FaultyRowsTurnRedAndGoIntoTheReport) {
    Record bad = AnnexARecord("1800101221145");
    const std::string path =
        Write("1A_0709_12345674.dbf", VerifiedKind::AnnexA, {AnnexARecord(), bad});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa A: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu sunt eronate. "
        "Verifica coloana EROARE de la sfarsitul tabelului",
        MessageKind::Warning);
    Button("verifyAButton")->click();
    ASSERT_TRUE(m_prompter.AllShown());
    ASSERT_EQ(2, List().RowCount());
    EXPECT_EQ("Campul CNP: Codul Numeric Personal incorect", List().CellText(1, "EROARE"));
    EXPECT_EQ((Colour{255, 0, 0}), List().RowColoursAt(1).m_textColour);
    EXPECT_EQ((Colour{0, 0, 0}), List().RowColoursAt(0).m_textColour);
    EXPECT_FALSE(Find<QProgressBar>(m_dialog.get(), "progressBar")->isVisible());
    ASSERT_TRUE(Button("saveReportButton")->isEnabled());

    const std::string report = m_folder.File("1A_0709_12345674_erori.csv");
    m_prompter.ExpectSaveChoice(report, report)
        .ExpectMessage("Raportul de erori a fost salvat in fisierul:\n" + report);
    Button("saveReportButton")->click();
    const std::string bytes = ReadBytes(report);
    EXPECT_EQ(0u, bytes.find("\xEF\xBB\xBFNR;LN;AN;CF;"));
    EXPECT_NE(std::string::npos,
              bytes.find("\r\n2;7;2009;12345674;J40;1234;2003;1800101221145;POPESCU;ION;S;"));
    // A second save asks before replacing; No keeps the first report.
    m_prompter.ExpectSaveChoice(report, report)
        .ExpectQuestion("Fisierul " + report + " exista deja.\n\nVrei sa il inlocuiesti?", false);
    Button("saveReportButton")->click();
    EXPECT_EQ(bytes, ReadBytes(report));
    // The name and the folder proposed are the user's to change; cancelling writes nothing.
    const std::string elsewhere = m_folder.File("alt/raport.csv");
    std::filesystem::create_directories(m_folder.File("alt"));
    m_prompter.ExpectSaveChoice(report, elsewhere)
        .ExpectMessage("Raportul de erori a fost salvat in fisierul:\n" + elsewhere);
    Button("saveReportButton")->click();
    EXPECT_EQ(bytes, ReadBytes(elsewhere));
    m_prompter.ExpectSaveChoice(report, std::nullopt);
    Button("saveReportButton")->click();
}

// The progress of a reading takes a place the window has from the start: a
// window made as small as it goes does not grow while a file is read.
TEST_F(VerifyFilesDialogTest, TheWindowFitsASmallScreenAndKeepsItsSizeWhileItReads) {
    EXPECT_TRUE(FitsSmallScreen(m_dialog.get()));
    m_dialog->resize(m_dialog->minimumSizeHint());
    QApplication::processEvents();
    const QSize smallest = m_dialog->size();
    const std::string path = Write("b.dbf", VerifiedKind::AnnexB, {AnnexBRecord()});
    QSize reading;
    bool progressShown = false;
    QTimer::singleShot(0, [&] {
        reading = m_dialog->size();
        progressShown = Find<QProgressBar>(m_dialog.get(), "progressBar")->isVisible();
    });
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa B: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate erori.");
    Button("verifyBButton")->click();
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(smallest, reading);
    QApplication::processEvents();
    EXPECT_EQ(smallest, m_dialog->size());
}

TEST_F(VerifyFilesDialogTest, CancelledAndForeignFilesChangeNothing) {
    const std::string path = Write("a.dbf", VerifiedKind::AnnexB, {AnnexBRecord()});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa B: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate erori.",
        MessageKind::Information);
    Button("verifyBButton")->click();
    ASSERT_EQ(1, List().RowCount());
    EXPECT_FALSE(Button("saveReportButton")->isEnabled());

    m_prompter.ExpectFileChoice(std::nullopt);
    Button("verifyAButton")->click();
    const std::string text = m_folder.File("a.txt");
    WriteBytes(text, ReadBytes(path));
    m_prompter.ExpectFileChoice(text);
    Button("verifyAButton")->click();
    EXPECT_EQ(1, List().RowCount());
    // The file's 13 fields, "EROARE" and the places of the rows, which take no room.
    EXPECT_EQ(15, List().ColumnCount());
    EXPECT_EQ(0, List().ColumnWidth(14));
}

TEST_F(VerifyFilesDialogTest, RefusedFilesStayWithoutTheErrorColumn) {
    const std::string path = Write("a.dbf", VerifiedKind::AnnexC, {AnnexCRecord()});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa 1A: Fisierul selectat este invalid!\n\nTrebuie sa contina 16 campuri.");
    Button("verifyAButton")->click();
    EXPECT_EQ(14, List().ColumnCount());  // the 13 fields and the places
    EXPECT_EQ(-1, List().ColumnIndex("EROARE"));
    EXPECT_EQ(1, List().RowCount());

    std::string bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 5);
    WriteBytes(path, bytes);
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Fisierul selectat nu a putut fi citit complet!");
    Button("verifyCButton")->click();
    EXPECT_EQ(-1, List().ColumnIndex("EROARE"));
    EXPECT_FALSE(Button("saveReportButton")->isEnabled());
}

// A file cut short shows nothing of the part read, as that part was never verified; an empty
// file or a text is named for what it is.
TEST_F(VerifyFilesDialogTest, UnreadableFilesLeaveTheListEmpty) {
    const std::string path =
        Write("a.dbf", VerifiedKind::AnnexA, {AnnexARecord(), AnnexARecord(), AnnexARecord()});
    std::string bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 20);
    WriteBytes(path, bytes);
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Fisierul selectat nu a putut fi citit complet!");
    Button("verifyAButton")->click();
    EXPECT_EQ(0, List().RowCount());
    EXPECT_FALSE(Button("saveReportButton")->isEnabled());

    const std::string empty = m_folder.File("gol.dbf");
    WriteBytes(empty, "");
    const std::string text = m_folder.File("text.dbf");
    WriteBytes(text, "CNP;NUME\r\n1800101221144;POPESCU\r\n");
    for (const std::string& file : {empty, text}) {
        m_prompter.ExpectFileChoice(file).ExpectMessage(
            "Fisierul selectat nu este un fisier dBase.");
        Button("verify1Button")->click();
        EXPECT_EQ(0, List().RowCount()) << file;
        EXPECT_EQ(0, List().ColumnCount()) << file;
    }
}

// A company without co-insured persons sends an annex B without records: a notice, not a fault.
TEST_F(VerifyFilesDialogTest, AnEmptyAnnexBIsANotice) {
    const std::string path = Write("1B.dbf", VerifiedKind::AnnexB, {});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa B: Fisierul selectat nu contine inregistrari!", MessageKind::Information);
    Button("verifyBButton")->click();
    const std::string a = Write("1A.dbf", VerifiedKind::AnnexA, {});
    m_prompter.ExpectFileChoice(a).ExpectMessage(
        "Anexa A: Fisierul selectat nu contine inregistrari!", MessageKind::Warning);
    Button("verifyAButton")->click();
    EXPECT_FALSE(Button("saveReportButton")->isEnabled());
}

TEST_F(VerifyFilesDialogTest, AnnexTwoDropsItsEmptyRowsFromTheList) {
    const std::string path =
        Write("A2.dbf", VerifiedKind::Leave2,
              {Leave2Record(kCnp1, "3", "", "0"), Leave2Record("", "0"), Leave2Record("1", "4")});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Concedii medicale - Anexa 2: Fisierul a fost verificat!\n\nInregistrarile marcate cu "
        "rosu sunt eronate. Verifica coloana EROARE de la sfarsitul tabelului");
    Button("verify2Button")->click();
    ASSERT_EQ(2, List().RowCount());
    EXPECT_EQ("Campul CNP: codul numeric personal este invalid", List().CellText(1, "EROARE"));

    m_prompter.ExpectSaveChoice(m_folder.File("A2_erori.csv"), m_folder.File("A2_erori.csv"))
        .ExpectMessage("Raportul de erori a fost salvat in fisierul:\n" +
                       m_folder.File("A2_erori.csv"));
    Button("saveReportButton")->click();
    EXPECT_EQ(3u, ReadBytes(m_folder.File("A2_erori.csv")).find("NR;TIPD;"));
    EXPECT_NE(std::string::npos, ReadBytes(m_folder.File("A2_erori.csv")).find("\r\n3;0;3;2010"));
}

// Codes and periods show their digits as the file holds them, a CNP whole, texts without the
// blanks padding them; a header click sorts, and the report still names each record's place.
TEST_F(VerifyFilesDialogTest, TheListShowsCodesAsStoredAndSortsByItsHeader) {
    Record second = AnnexARecord(kCnp2);
    second[7] = "ALBU";
    Record bad = AnnexARecord("1800101221145");
    bad[7] = "ZAMFIR";
    const std::string path =
        Write("1A_0709_12345674.dbf", VerifiedKind::AnnexA, {AnnexARecord(), second, bad});
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa A: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu sunt eronate. "
        "Verifica coloana EROARE de la sfarsitul tabelului");
    Button("verifyAButton")->click();
    DataListView* view = m_dialog->List();
    const auto shown = [&](int row, const char* name) {
        return view->ShownCellText(row, List().ColumnIndex(name)).toStdString();
    };
    EXPECT_EQ("2009", shown(0, "AN"));
    EXPECT_EQ("7", shown(0, "LN"));
    EXPECT_EQ("12345674", shown(0, "CF"));
    EXPECT_EQ("1234", shown(0, "RN"));
    EXPECT_EQ("2003", shown(0, "RA"));
    EXPECT_EQ(kCnp1, shown(0, "CNP"));
    EXPECT_EQ(ColumnAlign::Right, List().ColumnAlignment(List().ColumnIndex("AN")));
    // The stored name keeps its padding; the list shows the name alone.
    EXPECT_EQ("POPESCU" + std::string(23, ' '), List().RawCell(0, List().ColumnIndex("NUME")));
    EXPECT_EQ("POPESCU", shown(0, "NUME"));
    // Amounts are still grouped.
    EXPECT_EQ("2.000", shown(0, "SDL"));

    view->ClickHeader(List().ColumnIndex("NUME"), false);
    EXPECT_EQ("ALBU", List().CellText(0, "NUME"));
    EXPECT_EQ("ZAMFIR", List().CellText(2, "NUME"));
    view->ClickHeader(List().ColumnIndex("NUME"), false);
    ASSERT_EQ("ZAMFIR", List().CellText(0, "NUME"));
    EXPECT_EQ((Colour{255, 0, 0}), List().RowColoursAt(0).m_textColour);

    const std::string report = m_folder.File("1A_0709_12345674_erori.csv");
    m_prompter.ExpectSaveChoice(report, report)
        .ExpectMessage("Raportul de erori a fost salvat in fisierul:\n" + report);
    Button("saveReportButton")->click();
    const std::string bytes = ReadBytes(report);
    EXPECT_NE(std::string::npos, bytes.find("\r\n3;7;2009;12345674;"));
    EXPECT_EQ(std::string::npos, bytes.find("NR_IN_FISIER"));
}

// The real file dialog lists the dBase files: the filter is turned into the dialog's own form.
TEST(VerifyFilesDialogOpen, TheFileDialogFiltersDbaseFiles) {
    QtPrompter prompter;
    VerifyFilesDialog dialog(prompter);
    dialog.show();
    QStringList filters;
    OnNextModal([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, files);
        filters = files->nameFilters();
        files->reject();
    });
    Find<QPushButton>(&dialog, "verify1Button")->click();
    // The dialog keeps one blank of the two before the patterns.
    EXPECT_EQ(QStringList{"Fisier dbf (*.dbf)"}, filters);
    EXPECT_EQ(0, dialog.List()->RowCount());
}

// The window keeps handling events while a large file is read and checked: a timer fires in
// between, sees the bar and finds the buttons locked and Escape without effect. The bar moves
// every 30 ms, so the file is large enough for each step to last several times that.
TEST_F(VerifyFilesDialogTest, ALargeFileShowsProgressWithoutFreezingTheWindow) {
    constexpr int kRecords = 400000;
    std::vector<Record> records(kRecords, AnnexARecord());
    records[kRecords - 1][9] = "XX";
    const std::string path = Write("mare.dbf", VerifiedKind::AnnexA, records);
    int ticks = 0;
    int highest = 0;
    bool lockedWhileBusy = true;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!m_dialog->Busy()) return;
        ++ticks;
        auto* bar = Find<QProgressBar>(m_dialog.get(), "progressBar");
        highest = std::max(highest, bar->value());
        lockedWhileBusy = lockedWhileBusy && bar->isVisible() &&
                          !Button("verifyAButton")->isEnabled() &&
                          !Button("closeButton")->isEnabled();
        QTest::keyClick(m_dialog->List(), Qt::Key_Escape);
    });
    timer.start(5);
    m_prompter.ExpectFileChoice(path).ExpectMessage(
        "Anexa A: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu sunt eronate. "
        "Verifica coloana EROARE de la sfarsitul tabelului");
    Button("verifyAButton")->click();
    timer.stop();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_GT(ticks, 0);
    EXPECT_GT(highest, 0);
    EXPECT_TRUE(lockedWhileBusy);
    ASSERT_EQ(kRecords, List().RowCount());
    EXPECT_EQ("Campul CAT: Forma de angajare trebuie sa fie S, CM, AM, CT, CIC, DCM, SCS sau SS",
              List().CellText(kRecords - 1, "EROARE"));
    EXPECT_TRUE(Button("verifyAButton")->isEnabled());
}

}  // namespace

int main(int argc, char** argv) {
    const SmallScreen screen;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
