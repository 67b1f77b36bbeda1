// The import panel and the import dialogs, offscreen on the test server:
// texts, the company block, the save with its verdicts and a save stopped
// half-way.
#include <gtest/gtest.h>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "FormDriving.h"
#include "ImportTestFiles.h"
#include "SmallScreen.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "import/ImportRows.h"
#include "import/ImportSave.h"
#include "ui/DataListView.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/ImportWindow.h"

using namespace import_test;

namespace {

const Colour kRed{255, 0, 0};

class ImportDialogTest : public DbTest {
protected:
    void Show(ImportKind kind) {
        m_dialog.reset();
        m_file = std::make_unique<ImportFile>(kind);
        m_dialog = std::make_unique<ImportDialog>(*m_client, *m_file);
        m_dialog->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        m_dialog.reset();
        DbTest::TearDown();
    }
    QWidget* W() { return m_dialog.get(); }
    void OpenFile(const std::string& path, const char* refusal = nullptr) {
        m_prompter.ExpectFileChoice(path);
        if (refusal) m_prompter.ExpectMessage(refusal);
        Find<QPushButton>(W(), "openButton")->click();
        QApplication::processEvents();
    }
    void Click(const char* name) { Find<QPushButton>(W(), name)->click(); }
    std::string Field(const char* name) { return Find<QLineEdit>(W(), name)->text().toStdString(); }
    DataList& List() { return m_dialog->List()->List(); }

    TempFolder m_folder;
    std::unique_ptr<ImportFile> m_file;
    std::unique_ptr<ImportDialog> m_dialog;
};

TEST_F(ImportDialogTest, PayrollFileOpensFillsTheCompanyAndSaves) {
    Show(ImportKind::Employees);
    EXPECT_EQ("Import de date din sursa externa", W()->windowTitle().toStdString());
    EXPECT_EQ("   Informatii despre societatea curenta   ",
              Find<QGroupBox>(W(), "companyBox")->title().toStdString());
    EXPECT_EQ("Deschide fisier", Find<QPushButton>(W(), "openButton")->text().toStdString());
    EXPECT_EQ("[ESC]   Renunta", Find<QPushButton>(W(), "cancelButton")->text().toStdString());
    EXPECT_FALSE(Find<QPushButton>(W(), "saveButton")->isEnabled());
    EXPECT_FALSE(Find<QGroupBox>(W(), "companyBox")->isEnabled());
    EXPECT_EQ(nullptr, W()->findChild<QComboBox*>("houseCombo"));

    // A wrong file leaves everything closed.
    WriteTable(m_folder.File("bad.dbf"), kAnnex1AFields, {Annex1A(kCnpA, "POPA", "S")});
    OpenFile(m_folder.File("bad.dbf"), kEmployeeFileInvalid.c_str());
    EXPECT_FALSE(Find<QPushButton>(W(), "saveButton")->isEnabled());

    Row badForm = Employee(kCnpB, "ALBU", "200907");
    badForm[6] = "XX";
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), badForm});
    OpenFile(m_folder.File("pay.dbf"));
    EXPECT_TRUE(Find<QPushButton>(W(), "saveButton")->isEnabled());
    EXPECT_EQ(kCompany, Field("cf"));
    EXPECT_TRUE(Find<QLineEdit>(W(), "cf")->isReadOnly());
    EXPECT_EQ("1.234,00",
              FormatDisplayKind("1234", List().ColumnKind(List().ColumnIndex("SALARIU"))));

    // A refused company field gets the caret back once the message is read.
    m_prompter.ExpectMessage("Trebuie sa introduci denumirea societatii!");
    Find<QLineEdit>(W(), "ziua_lic")->setFocus();
    Click("saveButton");
    EXPECT_TRUE(m_prompter.AllShown());
    EXPECT_EQ(Find<QLineEdit>(W(), "denumire"), QApplication::focusWidget());

    Type(W(), "denumire", "gama srl");
    Type(W(), "ziua_lic", "15");
    auto buttons = W()->findChild<QButtonGroup*>("luna_lic")->buttons();
    ASSERT_EQ(2, buttons.size());
    EXPECT_EQ("a lunii urmatoare", buttons[1]->text().toStdString());
    buttons[1]->setChecked(true);
    m_prompter.ExpectMessage(SavedMessage(1, 0, 1));
    Click("saveButton");
    EXPECT_EQ("GAMA SRL|15|1", SqlScalar("SELECT CONCAT_WS('|', denumire, ziua_lic, luna_lic) "
                                         "FROM asigurati.societati"));
    EXPECT_EQ(kAddedSumsAdded, List().CellText(0, "EROARE"));
    EXPECT_TRUE(List().RowColoursAt(1).m_textColour == kRed);
    // The file was saved: opening another needs a new window.
    EXPECT_FALSE(Find<QPushButton>(W(), "openButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(W(), "saveButton")->isEnabled());
}

TEST_F(ImportDialogTest, ALegendExplainsTheColoursAndF3GoesToTheNextMarkedRow) {
    Row badForm = Employee(kCnpB, "ALBU", "200907");
    badForm[6] = "XX";
    Row badCnp = Employee("1800101221145", "FILIP", "200907");
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), badForm, Employee(kCnpC, "CRISAN", "200907"),
                Employee(NthCnp(1), "DINU", ""), Employee(NthCnp(2), "ENE", "200907"), badCnp});
    Show(ImportKind::Employees);
    const std::pair<const char*, const char*> legend[] = {
        {"legendRefused", "rosu: inregistrare ignorata"},
        {"legendNoSums", "portocaliu: asigurat salvat, fara sume"},
        {"legendSaved", "negru: inregistrare salvata"}};
    const QColor colours[] = {QColor(255, 0, 0), QColor(204, 102, 0), QColor(0, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        auto* label = Find<QLabel>(W(), legend[i].first);
        EXPECT_TRUE(label->text().endsWith(legend[i].second)) << label->text().toStdString();
        EXPECT_EQ(colours[i], label->palette().color(QPalette::WindowText));
    }
    auto* next = Find<QPushButton>(W(), "nextMarkedButton");
    EXPECT_EQ("[F3]   Urmatoarea marcata", next->text().toStdString());
    OpenFile(m_folder.File("pay.dbf"));
    // Nothing is marked before the save: F3 has nowhere to go.
    EXPECT_FALSE(next->isEnabled());
    Type(W(), "denumire", "ALFA");
    Type(W(), "ziua_lic", "1");
    m_prompter.ExpectMessage(SavedMessage(3, 1, 2));
    Click("saveButton");
    EXPECT_TRUE(next->isEnabled());
    EXPECT_TRUE(List().RowColoursAt(3).m_textColour == (Colour{204, 102, 0}));

    // From the list, F3 walks the red and orange rows and starts again at the top.
    DataListView* view = m_dialog->List();
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(view, Qt::Key_F3);
        visited.push_back(List().FocusRow());
        EXPECT_TRUE(List().IsRowSelected(visited.back()));
    }
    EXPECT_EQ((std::vector<int>{1, 3, 5, 1}), visited);
    EXPECT_EQ(
        "Inregistrarea 2: Forma de angajare este incorecta (trebuia sa fie S, CM, AM, CT, CIC, "
        "DCM, SCS sau SS). Inregistrarea a fost ignorata",
        Find<QLabel>(W(), "markedReason")->text().toStdString());
    // The button does the same; from a clean row it goes on to the next marked one.
    view->SelectRow(4, true);
    next->click();
    EXPECT_EQ(5, List().FocusRow());
}

// Nothing grows by itself: the progress of a save, its stop button and the
// reason of a marked row take a line the window has from the start.
TEST_F(ImportDialogTest, TheWindowFitsASmallScreenAndKeepsItsSizeThroughASave) {
    Row badForm = Employee(kCnpB, "ALBU", "200907");
    badForm[6] = "XX";
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), badForm, Employee(kCnpC, "CRISAN", "200907")});
    Show(ImportKind::Employees);
    const QSize opened = W()->size();
    EXPECT_TRUE(FitsSmallScreen(W()));
    OpenFile(m_folder.File("pay.dbf"));
    Type(W(), "denumire", "ALFA");
    Type(W(), "ziua_lic", "1");
    QSize saving;
    bool progressShown = false;
    QTimer::singleShot(0, [&] {
        saving = W()->size();
        progressShown = Find<QPushButton>(W(), "stopButton")->isVisible();
    });
    m_prompter.ExpectMessage(SavedMessage(2, 0, 1));
    Click("saveButton");
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(opened, saving);
    QApplication::processEvents();
    EXPECT_EQ(opened, W()->size());
    QTest::keyClick(m_dialog->List(), Qt::Key_F3);
    QApplication::processEvents();
    EXPECT_FALSE(Find<QLabel>(W(), "markedReason")->text().isEmpty());
    EXPECT_EQ(opened, W()->size());
    EXPECT_TRUE(FitsSmallScreen(W()));

    Show(ImportKind::EarlierReport);
    EXPECT_TRUE(FitsSmallScreen(W()));
}

TEST_F(ImportDialogTest, KnownCompanyAndTheChosenHouseOfTheAnnexImport) {
    RunSql(std::string("INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, "
                       "luna_lic) VALUES (") +
           kCompany + ", 'ALFA SRL', 'J40/1/2003', 'POPA DAN', '12', 1)");
    Show(ImportKind::EarlierReport);
    EXPECT_EQ("Import de date din fisiere de raportare anterioare",
              W()->windowTitle().toStdString());
    EXPECT_EQ("Deschide fisier de tip anexa 1A",
              Find<QPushButton>(W(), "openButton")->text().toStdString());
    WriteTable(m_folder.File("a.dbf"), kAnnex1AFields, {Annex1A(kCnpA, "POPA", "S")});
    OpenFile(m_folder.File("a.dbf"));
    EXPECT_EQ("ALFA SRL", Field("denumire"));
    EXPECT_EQ("J40/1/2003", Field("reg_com"));
    EXPECT_EQ("POPA DAN", Field("repr"));
    EXPECT_EQ("12", Field("ziua_lic"));
    EXPECT_TRUE(W()->findChild<QButtonGroup*>("luna_lic")->buttons()[1]->isChecked());
    // Another kind of file is passed over: the opened one stays ready to save.
    OpenFile(m_folder.File("a.xls"));
    EXPECT_TRUE(Find<QPushButton>(W(), "saveButton")->isEnabled());
    EXPECT_EQ(1, List().RowCount());
    auto* house = Find<QComboBox>(W(), "houseCombo");
    ASSERT_EQ(44, house->count());
    house->setCurrentIndex(15);  // CJ - Cluj
    m_prompter.ExpectMessage(SavedMessage(1));
    Click("saveButton");
    EXPECT_EQ("CASCJ", SqlScalar("SELECT cas FROM asigurati.asigurati"));
    EXPECT_EQ("", List().CellText(0, "EROARE"));
}

TEST_F(ImportDialogTest, ClosingDuringASaveStopsItBetweenRows) {
    std::vector<Row> rows;
    for (int i = 1; i <= 200; ++i) rows.push_back(Employee(NthCnp(i), "NUME", "200907"));
    WriteTable(m_folder.File("big.dbf"), kEmployeeFields, rows);
    Show(ImportKind::Employees);
    OpenFile(m_folder.File("big.dbf"));
    Type(W(), "denumire", "ALFA");
    Type(W(), "ziua_lic", "1");
    bool sawProgress = false;
    // The first pause between rows lets the window take the close.
    QTimer::singleShot(0, [&] {
        sawProgress = Find<QProgressBar>(W(), "progress")->isVisible() &&
                      Find<QProgressBar>(W(), "progress")->maximum() == 200;
        EXPECT_FALSE(Find<QPushButton>(W(), "saveButton")->isEnabled());
        static_cast<QDialog*>(m_dialog.get())->reject();
    });
    m_prompter.ExpectMessage(
        "Salvarea a fost intrerupta.\n\nAu fost parcurse 1 din 200 inregistrari, iar 1 au fost "
        "salvate in baza de date." +
        Counts(200, 1, 0, 0));
    Click("saveButton");
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_FALSE(m_dialog->Saving());
    EXPECT_FALSE(Find<QProgressBar>(W(), "progress")->isVisible());
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    EXPECT_EQ("", List().CellText(1, "EROARE"));
}

TEST_F(ImportDialogTest, ASaveWaitingForAnotherImportSaysSoAndCanBeStopped) {
    WriteTable(m_folder.File("pay.dbf"), kEmployeeFields,
               {Employee(kCnpA, "POPA", "200907"), Employee(kCnpB, "ALBU", "200907")});
    Show(ImportKind::Employees);
    OpenFile(m_folder.File("pay.dbf"));
    Type(W(), "denumire", "ALFA");
    Type(W(), "ziua_lic", "1");
    // Another program's import holds the database.
    CClient other(m_prompter, TestServerLogin());
    ASSERT_TRUE(other.Connect("127.0.0.1"));
    ASSERT_TRUE(other.Query(std::string("SELECT GET_LOCK('") + kImportLockName + "', 0)", false));
    std::string shown;
    QTimer::singleShot(0, [&] {
        shown = Find<QLabel>(W(), "progressText")->text().toStdString();
        static_cast<QDialog*>(m_dialog.get())->reject();
    });
    m_prompter.ExpectMessage(
        "Salvarea a fost intrerupta.\n\nAu fost parcurse 0 din 2 inregistrari, iar 0 au fost "
        "salvate in baza de date." +
        Counts(2, 0, 0, 0));
    Click("saveButton");
    EXPECT_EQ("Se asteapta terminarea altui import de date in aceeasi baza de date...", shown);
    EXPECT_FALSE(m_dialog->Saving());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(ImportDialogTest, ThePanelOfTheMainWindow) {
    MainWindow::Options options;
    options.login = TestServerLogin();
    options.connectAtStart = false;
    MainWindow window(m_prompter, options);
    ASSERT_TRUE(window.Client().Connect("127.0.0.1"));
    window.show();
    window.TogglePanel(MainWindow::Module::Import);
    ASSERT_NE(nullptr, window.OpenPanel());
    auto* panel = window.OpenPanel()->findChild<ImportWindow*>("importWindow");
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ("   Sanatate - 6 + 6.5%   ",
              Find<QGroupBox>(panel, "healthImportBox")->title().toStdString());
    EXPECT_EQ("Importa date din sursa externa",
              Find<QPushButton>(panel, "employeesButton")->text().toStdString());
    EXPECT_EQ("Importa date dintr-o raportare anterioara",
              Find<QPushButton>(panel, "earlierReportButton")->text().toStdString());
    EXPECT_EQ("Verifica fisiere de raportare generate cu alta aplicatie",
              panel->VerifyButton()->text().toStdString());
    QStringList hints;
    for (QLabel* label : panel->findChildren<QLabel*>()) hints << label->text();
    EXPECT_TRUE(hints.contains("vezi manualul de utilizare pentru formatul fisierului"));
    EXPECT_TRUE(hints.contains("importa fisiere raportate deja catre CAS intr-o luna anterioara"));

    // The first door opens the payroll import; Escape closes it.
    OnNextModal([](QWidget* modal) {
        EXPECT_EQ("Import de date din sursa externa", modal->windowTitle().toStdString());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    Find<QPushButton>(panel, "employeesButton")->click();
    OnNextModal([](QWidget* modal) {
        EXPECT_EQ("Import de date din fisiere de raportare anterioare",
                  modal->windowTitle().toStdString());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    Find<QPushButton>(panel, "earlierReportButton")->click();
    OnNextModal([](QWidget* modal) {
        EXPECT_EQ("Verifica fisiere de raportare generate de alta aplicatie",
                  modal->windowTitle().toStdString());
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    panel->VerifyButton()->click();
    window.TogglePanel(MainWindow::Module::Import);
    EXPECT_EQ(nullptr, window.OpenPanel());
}

// The keyboard goes into a panel that opens: its first list, a row selected,
// so the module's keys work without a click.
TEST_F(ImportDialogTest, APanelThatOpensTakesTheKeyboard) {
    AddAlfaAndBetaCompanies();
    MainWindow::Options options;
    options.login = TestServerLogin();
    options.connectAtStart = false;
    MainWindow window(m_prompter, options);
    ASSERT_TRUE(window.Client().Connect("127.0.0.1"));
    window.show();
    window.TogglePanel(MainWindow::Module::Health);
    ModulePanel* panel = window.OpenPanel();
    ASSERT_NE(nullptr, panel);
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    auto* companies = panel->findChild<DataListView*>("companyList");
    ASSERT_NE(nullptr, companies);
    EXPECT_EQ(companies, QApplication::focusWidget());
    EXPECT_EQ(0, companies->NextSelectedRow(-1));

    window.TogglePanel(MainWindow::Module::Leave);
    panel = window.OpenPanel();
    ASSERT_NE(nullptr, panel);
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    companies = panel->findChild<DataListView*>("companyList");
    ASSERT_NE(nullptr, companies);
    EXPECT_EQ(companies, QApplication::focusWidget());
}

// The list of an opened file shows codes and periods as the file holds them, a CNP whole and
// names without their padding; a header click sorts.
TEST_F(ImportDialogTest, TheFileListShowsCodesAsStoredAndSorts) {
    Show(ImportKind::EarlierReport);
    WriteTable(m_folder.File("a.dbf"), kAnnex1AFields,
               {Annex1A(kCnpA, "POPA", "S"), Annex1A(kCnpB, "ALBU", "S")});
    OpenFile(m_folder.File("a.dbf"));
    DataListView* view = m_dialog->List();
    const auto shown = [&](int row, const char* name) {
        return view->ShownCellText(row, List().ColumnIndex(name)).toStdString();
    };
    EXPECT_EQ("2009", shown(0, "AN"));
    EXPECT_EQ("12345674", shown(0, "CF"));
    EXPECT_EQ("1234", shown(0, "RN"));
    EXPECT_EQ(kCnpA, shown(0, "CNP"));
    EXPECT_EQ("POPA", shown(0, "NUME"));
    EXPECT_EQ("150,00", shown(0, "SDL"));
    view->ClickHeader(List().ColumnIndex("NUME"), false);
    EXPECT_EQ("ALBU", List().CellText(0, "NUME"));
}

}  // namespace

int main(int argc, char** argv) {
    const SmallScreen screen;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
