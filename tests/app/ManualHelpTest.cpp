// F1 in every window the manual's table names opens the manual at that
// window's chapter, and the chapter's anchor exists in the generated pages.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include "FormDriving.h"
#include "TestServer.h"
#include "app/BackupDialog.h"
#include "app/InfoDialog.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "health/EmployerSums.h"
#include "health/MonthlySums.h"
#include "health/PrintedAnnexes.h"
#include "import/ImportFile.h"
#include "leave/CertificateEntry.h"
#include "leave/CertificateRegister.h"
#include "ui/CompanyDialog.h"
#include "ui/ManualHelp.h"
#include "ui/ManualWindow.h"
#include "ui/PageOutput.h"
#include "ui/UpdateDialog.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/AnnexPrintDialog.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsDialog.h"
#include "ui/health/EmployerSumsWindow.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/FileNamingDialog.h"
#include "ui/health/HealthWindow.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/InsuredListWindow.h"
#include "ui/health/LiquidationDialog.h"
#include "ui/health/MonthDialog.h"
#include "ui/health/ReportWindow.h"
#include "ui/health/SumsDialog.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/ImportWindow.h"
#include "ui/import/VerifyFilesDialog.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/LeaveWindow.h"
#include "ui/leave/NomenclaturePickDialog.h"

namespace {

// True when the generated page of `place` ("page.html#anchor") holds the anchor.
bool PlaceExists(const QString& place) {
    QFile page(ManualFolder() + "/" + place.section('#', 0, 0));
    if (!page.open(QIODevice::ReadOnly)) return false;
    const QString html = QString::fromUtf8(page.readAll());
    if (!place.contains('#')) return html.contains("<body");
    return html.contains("<a name=\"" + place.section('#', 1) + "\"");
}

// Whether the table names `window` by its objectName or its class.
bool NamedBy(const QWidget* window, const char* name) {
    return window->objectName() == name || QLatin1String(window->metaObject()->className()) == name;
}

class ManualHelpTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        qApp->installEventFilter(&m_help);
        m_companies = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Health);
        m_insured = std::make_unique<InsuredRegister>(*m_client, "12345678");
        m_coInsured = std::make_unique<CoInsuredRegister>(*m_client, "12345678");
        m_sums = std::make_unique<MonthlySums>(*m_client, "202403");
        m_employerSums = std::make_unique<EmployerSums>(*m_client, "202403");
        m_annexes = std::make_unique<PrintedAnnexes>(*m_client, *ParseAnnexMonth("202403"));
        m_declarations = std::make_unique<DeclarationRegister>(*m_client);
        m_certificate = std::make_unique<CertificateEntry>(
            *m_client, CertificateContext{DeclarationRecord{}, "ALFA SRL"});
        m_employeeFile = std::make_unique<ImportFile>(ImportKind::Employees);
        m_annexFile = std::make_unique<ImportFile>(ImportKind::EarlierReport);
    }
    void TearDown() override {
        if (ManualWindow* manual = ManualWindow::Current()) manual->hide();
        qApp->removeEventFilter(&m_help);
        m_opened.reset();
        m_main.reset();
        DbTest::TearDown();
    }

    // The window of each name in the table, made as the other tests make it.
    std::map<std::string, std::function<QWidget*()>> Openers() {
        auto keep = [this](QWidget* w) {
            m_opened.reset(w);
            return w;
        };
        auto panel = [this](MainWindow::Module module) {
            m_main = std::make_unique<MainWindow>(m_prompter,
                                                  MainWindow::Options{.connectAtStart = false});
            m_main->show();
            m_main->TogglePanel(module);
            return static_cast<QWidget*>(m_main->OpenPanel());
        };
        InsuredRecord current;
        current.cnp = "1800101221144";
        current.intrare = "20200101";
        return {
            {"mainWindow",
             [this] {
                 m_main = std::make_unique<MainWindow>(
                     m_prompter, MainWindow::Options{.connectAtStart = false});
                 return static_cast<QWidget*>(m_main.get());
             }},
            {"infoDialog", [=, this] { return keep(new InfoDialog(nullptr)); }},
            {"updateDialog",
             [=, this] { return keep(new UpdateDialog("2.08", QDir::tempPath())); }},
            {"QMessageBox",
             [=, this] { return keep(new QMessageBox(QMessageBox::Warning, "Orvik", "Mesaj")); }},
            {"healthPanel", [=, this] { return panel(MainWindow::Module::Health); }},
            {"leavePanel", [=, this] { return panel(MainWindow::Module::Leave); }},
            {"importPanel", [=, this] { return panel(MainWindow::Module::Import); }},
            {"healthWindow", [=, this] { return keep(new HealthWindow(*m_client)); }},
            {"companyDialog",
             [=, this] {
                 return keep(new CompanyDialog(*m_companies, CompanyRecord{}, CompanyEdit{}));
             }},
            {"insuredListWindow",
             [=, this] {
                 return keep(new InsuredListWindow(*m_client, CompanyRow{1, "12345678", "ALFA SRL"},
                                                   InsuredFilter::All));
             }},
            {"insuredDialog",
             [=, this] {
                 return keep(
                     new InsuredDialog(*m_insured, "ALFA SRL", InsuredRecord{}, InsuredEdit{}));
             }},
            {"liquidationDialog",
             [=, this] {
                 return keep(new LiquidationDialog(*m_insured, "ALFA SRL", std::nullopt));
             }},
            {"employmentChangeDialog",
             [=, this] {
                 return keep(new EmploymentChangeDialog(ChangeKind::Form, *m_insured, "ALFA SRL", 1,
                                                        current));
             }},
            {"coInsuredDialog",
             [=, this] {
                 return keep(new CoInsuredDialog(*m_coInsured, *m_insured, "ALFA SRL", std::nullopt,
                                                 CoInsuredRecord{}, CoInsuredEdit{}));
             }},
            {"reportWindow", [=, this] { return keep(new ReportWindow(*m_client)); }},
            {"monthDialog", [=, this] { return keep(new MonthDialog(m_prompter, "202403")); }},
            {"employeeSumsWindow",
             [=, this] { return keep(new EmployeeSumsWindow(*m_client, "202403")); }},
            {"sumsDialog",
             [=, this] { return keep(new SumsDialog(*m_sums, "ALFA SRL", EmployeeMonth{})); }},
            {"employerSumsWindow",
             [=, this] { return keep(new EmployerSumsWindow(*m_client, "202403")); }},
            {"employerSumsDialog",
             [=, this] { return keep(new EmployerSumsDialog(*m_employerSums, EmployerMonth{})); }},
            {"annexFilesWindow",
             [=, this] { return keep(new AnnexFilesWindow(*m_client, "202403")); }},
            {"fileNamingDialog",
             [=, this] {
                 return keep(new FileNamingDialog("12345678", "CASAB", *ParseAnnexMonth("202403")));
             }},
            {"annexPrintDialog",
             [=, this] {
                 return keep(
                     new AnnexPrintDialog(*m_annexes, PrintedAnnex::A,
                                          AnnexPageHeader{.cf = "12345678",
                                                          .denumire = "ALFA SRL",
                                                          .house = "CASAB",
                                                          .month = *ParseAnnexMonth("202403")},
                                          "2.08"));
             }},
            {"leaveWindow", [=, this] { return keep(new LeaveWindow(*m_client)); }},
            {"declarationDialog",
             [=, this] { return keep(new DeclarationDialog(*m_declarations, "12345678", 0)); }},
            {"certificateDialog",
             [=, this] { return keep(new CertificateDialog(*m_certificate, 0)); }},
            {"nomenclaturePickDialog",
             [=, this] {
                 return keep(
                     new NomenclaturePickDialog(*m_client, Nomenclature::IndemnityCodes, ""));
             }},
            {"importWindow", [=, this] { return keep(new ImportWindow(*m_client, m_prompter)); }},
            {"employeeImportDialog",
             [=, this] { return keep(new ImportDialog(*m_client, *m_employeeFile)); }},
            {"annexImportDialog",
             [=, this] { return keep(new ImportDialog(*m_client, *m_annexFile)); }},
            {"verifyFilesDialog", [=, this] { return keep(new VerifyFilesDialog(m_prompter)); }},
            {"backupDialog",
             [=, this] {
                 return keep(new BackupDialog(*m_client, m_prompter, BackupServer{}, nullptr));
             }},
        };
    }

    // Presses F1 where the keyboard is in `window` (or on the window itself)
    // and gives the place the manual was opened at; "" when it did not open.
    static std::string PressF1(QWidget* window) {
        if (ManualWindow* manual = ManualWindow::Current()) manual->hide();
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, Qt::Key_F1);
        ManualWindow* manual = ManualWindow::Current();
        if (!manual || !manual->isVisible()) return {};
        return manual->Place().toStdString();
    }

    // The preview is modal from the start: F1 is pressed in it while it runs.
    std::string F1InPagePreview() {
        std::string place;
        OnNextModal([&](QWidget* preview) {
            EXPECT_EQ("pagePreview", preview->objectName());
            place = PressF1(preview);
            if (ManualWindow* manual = ManualWindow::Current()) manual->close();
            preview->close();
        });
        ShowPagePreview(nullptr, m_prompter, "Proba", 0, [](PagePrinter&) {});
        return place;
    }

    ManualHelp m_help;
    std::unique_ptr<CompanyRegister> m_companies;
    std::unique_ptr<InsuredRegister> m_insured;
    std::unique_ptr<CoInsuredRegister> m_coInsured;
    std::unique_ptr<MonthlySums> m_sums;
    std::unique_ptr<EmployerSums> m_employerSums;
    std::unique_ptr<PrintedAnnexes> m_annexes;
    std::unique_ptr<DeclarationRegister> m_declarations;
    std::unique_ptr<CertificateEntry> m_certificate;
    std::unique_ptr<ImportFile> m_employeeFile;
    std::unique_ptr<ImportFile> m_annexFile;
    std::unique_ptr<QWidget> m_opened;
    std::unique_ptr<MainWindow> m_main;
};

TEST_F(ManualHelpTest, EveryWindowOfTheTableOpensAnExistingChapterOnF1) {
    auto openers = Openers();
    std::set<std::string> named;
    for (const ManualChapter& chapter : ManualChapters()) {
        SCOPED_TRACE(chapter.window);
        named.insert(chapter.window);
        EXPECT_TRUE(PlaceExists(chapter.place))
            << chapter.place << " in " << ManualFolder().toStdString();
        if (chapter.window == std::string("pagePreview")) {
            EXPECT_EQ(std::string(chapter.place), F1InPagePreview());
            continue;
        }
        const auto opener = openers.find(chapter.window);
        ASSERT_NE(openers.end(), opener) << "no way to open this window in the test";
        QWidget* window = opener->second();
        ASSERT_NE(nullptr, window);
        // The name in the table is the window's own, so F1 finds it.
        EXPECT_TRUE(NamedBy(window, chapter.window)) << window->objectName().toStdString();
        if (chapter.window != std::string("updateDialog")) window->show();  // it would download
        QApplication::processEvents();
        EXPECT_EQ(std::string(chapter.place), PressF1(window));
    }
    // A window the test opens but the table forgot would open the contents only.
    for (const auto& [name, open] : openers) EXPECT_TRUE(named.count(name)) << name;
}

TEST_F(ManualHelpTest, AFieldDeepInAFormOpensItsWindowsChapter) {
    CompanyDialog dialog(*m_companies, CompanyRecord{}, CompanyEdit{});
    dialog.show();
    QLineEdit* field = Find<QLineEdit>(&dialog, "denumire");
    ASSERT_NE(nullptr, field);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F1);
    ASSERT_NE(nullptr, ManualWindow::Current());
    EXPECT_EQ("sanatate.html#societati", ManualWindow::Current()->Place());
    // The field keeps what was typed: F1 is not a letter of it.
    EXPECT_EQ("", field->text());
}

TEST_F(ManualHelpTest, OverAModalDialogTheManualIsModalInItsTurnAndF1InItKeepsThePage) {
    bool checked = false;
    InfoDialog info(nullptr);
    QTimer::singleShot(0, [&] {
        QTest::keyClick(&info, Qt::Key_F1);
        ManualWindow* manual = ManualWindow::Current();
        ASSERT_NE(nullptr, manual);
        EXPECT_TRUE(manual->isVisible());
        // Not blocked by the dialog under it: it is the modal window now.
        EXPECT_EQ(manual, QApplication::activeModalWidget());
        manual->Show("concedii.html#certificate");
        QTest::keyClick(manual->Browser(), Qt::Key_F1);
        EXPECT_EQ("concedii.html#certificate", manual->Place());
        QTest::keyClick(manual, Qt::Key_Escape);
        EXPECT_FALSE(manual->isVisible());
        EXPECT_EQ(&info, QApplication::activeModalWidget());
        checked = true;
        info.reject();
    });
    info.exec();
    EXPECT_TRUE(checked);
}

TEST_F(ManualHelpTest, TheInfoButtonAndTheImportHintOpenTheManual) {
    InfoDialog info(nullptr);
    info.show();
    QPushButton* button = Find<QPushButton>(&info, "manualButton");
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("Manual de utilizare", button->text());
    button->click();
    ASSERT_NE(nullptr, ManualWindow::Current());
    EXPECT_EQ("index.html", ManualWindow::Current()->Place());
    EXPECT_TRUE(PlaceExists("index.html"));

    ImportWindow import(*m_client, m_prompter);
    import.show();
    auto* hint = import.findChild<ManualLink*>("formatHint");
    ASSERT_NE(nullptr, hint);
    EXPECT_EQ("vezi manualul de utilizare pentru formatul fisierului", hint->text());
    QTest::mouseClick(hint, Qt::LeftButton);
    EXPECT_EQ("import.html#format-fisier", ManualWindow::Current()->Place());
    EXPECT_TRUE(PlaceExists(hint->Place()));
}

TEST(ManualFolder, TheInstalledManualBesideTheProgramComesBeforeTheBuildsOwn) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.path() + "/usr/bin";
    const QString installed = root.path() + "/usr/share/orvik-asigurati/manual";
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(QDir().mkpath(installed));
    // A folder without the contents page is not a manual.
    EXPECT_EQ(ManualFolder(), ManualFolderFor(program));
    QFile index(installed + "/index.html");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.close();
    EXPECT_EQ(installed, ManualFolderFor(program));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
