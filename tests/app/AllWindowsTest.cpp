// Every window and dialog of the program opened on a 1024x768 screen at the
// default font, placed as the program places them: each fits the screen and
// shows the whole text of its labels and buttons (eliding labels excepted).
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <set>
#include <sstream>

#include "../import/ImportTestFiles.h"
#include "../import/VerifyTestFiles.h"
#include "FormDriving.h"
#include "TestServer.h"
#include "app/BackupDialog.h"
#include "app/InfoDialog.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "health/EmployerSums.h"
#include "health/MissingSums.h"
#include "health/MonthlySums.h"
#include "health/PrintedAnnexes.h"
#include "leave/DeclarationRegister.h"
#include "print/PagePrinter.h"
#include "ui/CompanyDialog.h"
#include "ui/ElidedLabel.h"
#include "ui/PageOutput.h"
#include "ui/QtPrompter.h"
#include "ui/UpdateDialog.h"
#include "ui/WindowPlacement.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/AnnexPrintDialog.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsDialog.h"
#include "ui/health/EmployerSumsWindow.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/FileNamingDialog.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/InsuredListWindow.h"
#include "ui/health/LiquidationDialog.h"
#include "ui/health/MonthDialog.h"
#include "ui/health/ReportWindow.h"
#include "ui/health/SumsDialog.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/VerifyFilesDialog.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/NomenclaturePickDialog.h"

namespace {

const QSize kScreen(1024, 768);

// Answers nothing, says No, hands over the file set for the next choice and
// keeps the messages: the windows are looked at, not driven.
class QuietPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return file; }
    std::optional<std::string> ChooseSaveFile(const std::string& proposed,
                                              const std::string&) override {
        return proposed;
    }

    std::vector<std::string> messages;
    std::optional<std::string> file;
};

// The frame a window asks for when it is shown, before the program places it.
class AskedSizes : public QObject {
public:
    QSize Of(const QWidget* window) const { return m_asked.value(window); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            // Each showing anew: a window may take the address of one gone before it.
            if (window->isWindow()) m_asked.insert(window, window->size());
        }
        return false;
    }

private:
    QHash<const QWidget*, QSize> m_asked;
};

bool InScrollArea(const QWidget* widget, const QWidget* window) {
    for (const QWidget* w = widget->parentWidget(); w && w != window; w = w->parentWidget())
        if (qobject_cast<const QScrollArea*>(w)) return true;
    return false;
}

QString Describe(const QWidget* widget, const QString& text) {
    return (widget->objectName().isEmpty() ? QString(widget->metaObject()->className())
                                           : widget->objectName()) +
           " \"" + text.left(60) + "\"";
}

// What a user would find wrong with a shown window, one line each.
std::vector<std::string> Problems(QWidget* window, QSize asked, const QRect& titleBar) {
    std::vector<std::string> found;
    const auto say = [&](const QString& text) { found.push_back(text.toStdString()); };
    const auto sizeText = [](QSize s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
    const QRect screen = window->screen()->availableGeometry();
    std::printf("%s: opens at %dx%d, shown %dx%d+%d+%d on %dx%d\n",
                qPrintable(window->objectName()), asked.width(), asked.height(),
                window->frameGeometry().width(), window->frameGeometry().height(),
                window->frameGeometry().x(), window->frameGeometry().y(), screen.width(),
                screen.height());
    if (asked.width() > kScreen.width() || asked.height() > kScreen.height())
        say("opens at " + sizeText(asked) + ", larger than the screen");
    QSize minimum = window->minimumSize();
    if (window->layout()) minimum = minimum.expandedTo(window->layout()->totalMinimumSize());
    if (minimum.width() > kScreen.width() || minimum.height() > kScreen.height())
        say("cannot be made smaller than " + sizeText(minimum));
    if (!screen.contains(window->frameGeometry()))
        say("shown at " + sizeText(window->frameGeometry().size()) + " +" +
            QString::number(window->frameGeometry().x()) + "+" +
            QString::number(window->frameGeometry().y()) + ", off the screen");
    if (titleBar.isValid() && window->frameGeometry().intersects(titleBar))
        say("covers the main window's title bar");
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || qobject_cast<ElidedLabel*>(label) ||
            label->text().isEmpty())
            continue;
        const QSize need = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                     label->heightForWidth(label->width()))
                                             : label->sizeHint();
        if (need.width() > label->width() || need.height() > label->height())
            say("label " + Describe(label, label->text()) + " needs " + sizeText(need) + ", has " +
                sizeText(label->size()));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
        // A push button's hint has a least width of its own: its text is what must fit
        // in the room the style leaves for it.
        int need = button->sizeHint().width();
        int room = button->width();
        if (qobject_cast<QPushButton*>(button)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            room = button->style()
                       ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                       .width();
            need = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
        }
        if (need > room)
            say("button " + Describe(button, button->text()) + " needs " + QString::number(need) +
                " px, has " + QString::number(room));
    }
    // Anything the window's edge cuts off, unless it can be scrolled to.
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(window) || child->isWindow() || InScrollArea(child, window))
            continue;
        if (!qobject_cast<QLabel*>(child) && !qobject_cast<QAbstractButton*>(child) &&
            !qobject_cast<QLineEdit*>(child))
            continue;
        const QRect shown(child->mapTo(window, QPoint(0, 0)), child->size());
        if (!window->rect().contains(shown))
            say(QString(child->metaObject()->className()) + " " + child->objectName() +
                " is cut off by the window's edge");
    }
    return found;
}

class AllWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetData();
        LoadData();
        m_client = std::make_unique<CClient>(m_prompter, TestServerLogin());
        ASSERT_TRUE(m_client->Connect("127.0.0.1"));
        // As the program does: every window placed inside the screen.
        qApp->installEventFilter(&m_placement);
        qApp->installEventFilter(&m_asked);
    }
    void TearDown() override {
        qApp->removeEventFilter(&m_asked);
        qApp->removeEventFilter(&m_placement);
        m_client.reset();
    }

    static void LoadData() {
        RunSql(
            "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud, sect) "
            "VALUES (12345674, 'ALFA CONSTRUCT SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB', "
            "3), (23456783, 'BETA SERVICII CONTABILE SRL', 'J12/5/2001', 'POP ANA', '15', 'CJ', "
            "0);"
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
            "VALUES (12345674, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20080101, 0, 'S'), "
            "(12345674, 'CASAB', 'IONESCU', 'MARIA', 2850505123459, 20080101, 0, 'CM'), "
            "(12345674, 'CAS_B', 'VASILE', 'DAN', 1850505123457, 20190301, 20230331, 'S');"
            "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
            "(12345674, 1800101221144, 2850101000010, 'POPESCU', 'ANA', 'S');"
            "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
            "SELECT `index`, cf, cnp, 200902, 2500, 138, 138 FROM asigurati.asigurati;"
            "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
            "zile_lucratoare, nr_ang, salariul_minim, fond_de_salarii, contributii_datorate, "
            "faambp, faambp_datorat, de_recuperat_anterior) VALUES "
            "(1, 12345674, 202602, 'NU', 0, 20, 12, 4050, 98000, 833, 0, 0, 0);"
            "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, "
            "cas, tip_rectif, cert_serie, cert_numar, cod_indemn, suma_suportata_fnuass) VALUES "
            "(1, 12345674, 1800101221144, 0, 'POPESCU', 'ION', 'CAS_B', '', 'CCMAB', '1234567', "
            "'1', 540);");
    }

    // What the window queued at its showing, and the layouts a text changed
    // by it asks for (a button's text may change as a dialog starts its work).
    static void Settle() {
        QApplication::processEvents();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    // Shows the window as the program does and judges it under `name`.
    void Judge(QWidget* window, const std::string& name) {
        if (!window->isVisible()) window->show();
        Settle();
        Report(name, Problems(window, m_asked.Of(window), m_placement.AreaFor(window).titleBar));
    }
    // The modal window the next command opens, judged while it is open.
    void JudgeNextModal(const std::string& name) {
        QTimer::singleShot(0, [this, name] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            Settle();
            m_found = Problems(modal, m_asked.Of(modal), m_placement.AreaFor(modal).titleBar);
            m_judged = true;
            modal->close();
        });
    }
    void ReportModal(const std::string& name) {
        if (!m_judged) {
            ADD_FAILURE() << name << " did not open";
            return;
        }
        Report(name, m_found);
    }

    void Report(const std::string& name, const std::vector<std::string>& problems) {
        std::ostringstream text;
        for (const std::string& problem : problems) text << "\n  " << problem;
        EXPECT_TRUE(problems.empty()) << name << ":" << text.str();
    }

    QuietPrompter m_prompter;
    std::unique_ptr<CClient> m_client;
    WindowPlacement m_placement{nullptr};
    AskedSizes m_asked;
    std::vector<std::string> m_found;
    bool m_judged = false;
};

const CompanyRow kAlfa{1, "12345674", "ALFA CONSTRUCT SRL"};

TEST_F(AllWindowsTest, MainWindowAndItsPanels) {
    MainWindow window(m_prompter,
                      MainWindow::Options{.login = TestServerLogin(), .connectAtStart = false});
    ASSERT_TRUE(window.Client().Connect("127.0.0.1"));
    m_placement.SetMainWindow(&window);
    Judge(&window, "mainWindow");
    for (auto [module, name] : {std::pair{MainWindow::Module::Health, "healthPanel"},
                                {MainWindow::Module::Import, "importPanel"},
                                {MainWindow::Module::Leave, "leavePanel"}}) {
        window.TogglePanel(module);
        Judge(window.OpenPanel(), name);
    }
}

TEST_F(AllWindowsTest, DialogsOfTheMainWindow) {
    InfoDialog info(nullptr);
    Judge(&info, "infoDialog");
    QTemporaryDir installation;
    BackupServer server;
    server.port = TestServerPort();
    server.installationFolder = installation.path().toStdString();
    BackupDialog backup(*m_client, m_prompter, server, nullptr);
    Judge(&backup, "backupDialog");
    // The update service is asked on this machine, where nobody answers.
    QFile settings(installation.filePath("orvik.conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QString("actualizari=http://127.0.0.1:%1\n").arg(FreeLocalPort()).toUtf8());
    settings.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(installation.path());
    {
        UpdateDialog update("2.08", installation.path());
        Judge(&update, "updateDialog");
        // Refused at once: the dialog says why in the room it has.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !update.Downloading(); }, 20000));
        Judge(&update, "updateDialog after a failure");
    }
    QDir::setCurrent(before);
}

// The longest question the program asks: ten names and the count of the rest.
TEST_F(AllWindowsTest, MessageBox) {
    std::vector<EmployeeWithoutSums> missing;
    for (int i = 0; i < 60; ++i)
        missing.push_back({"1800101221144", "CONSTANTINESCU-DUMITRESCU", "ALEXANDRA-MIHAELA"});
    QtPrompter prompter;
    JudgeNextModal("message box");
    (void)prompter.AskYesNo(MissingSumsQuestion(missing, "200902", MissingSumsUse::Files));
    ReportModal("message box");
}

TEST_F(AllWindowsTest, CompanyAndInsuredForms) {
    CompanyRegister companies(*m_client, CompanyPlace::Health);
    CompanyDialog company(companies, CompanyRecord{}, CompanyEdit::Adding());
    Judge(&company, "companyDialog");
    InsuredRegister insured(*m_client, kAlfa.code);
    InsuredDialog hire(insured, kAlfa.name, InsuredRecord{}, InsuredEdit{});
    Judge(&hire, "insuredDialog");
    LiquidationDialog liquidation(insured, kAlfa.name, std::nullopt);
    Judge(&liquidation, "liquidationDialog");
    const auto person = insured.FindOpenByCnpPrefix("1800101221144");
    ASSERT_TRUE(person);
    CoInsuredRegister coInsured(*m_client, kAlfa.code);
    CoInsuredDialog dependant(coInsured, insured, kAlfa.name, person, CoInsuredRecord{},
                              CoInsuredEdit{});
    Judge(&dependant, "coInsuredDialog");
    for (ChangeKind kind : {ChangeKind::Form, ChangeKind::House}) {
        EmploymentChangeDialog change(kind, insured, kAlfa.name, 1, *person);
        Judge(&change, "employmentChangeDialog");
    }
}

TEST_F(AllWindowsTest, InsuredList) {
    InsuredListWindow list(*m_client, kAlfa, InsuredFilter::All);
    Judge(&list, "insuredListWindow");
}

TEST_F(AllWindowsTest, MonthlyReportSteps) {
    ReportWindow report(*m_client);
    Judge(&report, "reportWindow");
    MonthDialog month(m_prompter, "200902");
    Judge(&month, "monthDialog");
    EmployeeSumsWindow employees(*m_client, "200902");
    Judge(&employees, "employeeSumsWindow");
    MonthlySums sums(*m_client, "200902");
    DataList employeeList;
    ASSERT_TRUE(sums.FillEmployees(employeeList, kAlfa.code));
    ASSERT_GT(employeeList.RowCount(), 0);
    SumsDialog employee(sums, kAlfa.name, MonthlySums::RowAt(employeeList, 0));
    Judge(&employee, "sumsDialog");
    EmployerSumsWindow employers(*m_client, "200902");
    Judge(&employers, "employerSumsWindow");
    EmployerSums employerSums(*m_client, "200902");
    DataList employerList;
    ASSERT_TRUE(employerSums.FillList(employerList));
    ASSERT_GT(employerList.RowCount(), 0);
    EmployerSumsDialog employer(employerSums, EmployerSums::RowAt(employerList, 0));
    Judge(&employer, "employerSumsDialog");
}

TEST_F(AllWindowsTest, AnnexFilesAndPrinting) {
    AnnexFilesWindow files(*m_client, "200902");
    Judge(&files, "annexFilesWindow");
    const auto month = ParseAnnexMonth("200902");
    ASSERT_TRUE(month);
    FileNamingDialog naming(kAlfa.code, "CASAB", *month);
    Judge(&naming, "fileNamingDialog");
    PrintedAnnexes annexes(*m_client, *month);
    const auto header = annexes.LoadHeader(kAlfa.code, "CASAB");
    ASSERT_TRUE(header);
    AnnexPrintDialog print(annexes, PrintedAnnex::A, *header, "2.08");
    Judge(&print, "annexPrintDialog");
}

TEST_F(AllWindowsTest, PagePreview) {
    JudgeNextModal("pagePreview");
    ShowPagePreview(nullptr, m_prompter, "Anexa 2a", PagePrinter::kPortrait,
                    [](PagePrinter& pages) { pages.Text(100, 100, "Anexa 2a", 0); });
    ReportModal("pagePreview");
}

TEST_F(AllWindowsTest, LeaveEditorsAndPickLists) {
    DeclarationRegister declarations(*m_client);
    DeclarationDialog declaration(declarations, kAlfa.code, 0);
    Judge(&declaration, "declarationDialog");
    for (Nomenclature list : {Nomenclature::IndemnityCodes, Nomenclature::Emergencies,
                              Nomenclature::InfectiousDiseases}) {
        NomenclaturePickDialog pick(*m_client, list, "");
        Judge(&pick, "nomenclaturePickDialog");
    }
}

TEST_F(AllWindowsTest, CertificateEditor) {
    DeclarationRegister declarations(*m_client);
    const auto declaration = declarations.Load(1);
    ASSERT_TRUE(declaration);
    CertificateEntry entry(*m_client, {*declaration, kAlfa.name});
    CertificateDialog certificate(entry, 0);
    Judge(&certificate, "certificateDialog");
}

TEST_F(AllWindowsTest, ImportDialogsBeforeAndAfterSave) {
    using namespace import_test;
    TempFolder folder;
    for (ImportKind kind : {ImportKind::Employees, ImportKind::EarlierReport}) {
        const bool employees = kind == ImportKind::Employees;
        const std::string path = folder.File(employees ? "pay.dbf" : "1a.dbf");
        if (employees)
            WriteTable(path, kEmployeeFields, {Employee(kCnpC, "GEORGESCU", "200907")});
        else
            WriteTable(path, kAnnex1AFields, {Annex1A(kCnpC, "GEORGESCU", "S")});
        ImportFile file(kind);
        ImportDialog dialog(*m_client, file);
        const std::string name = dialog.objectName().toStdString();
        Judge(&dialog, name);
        m_prompter.file = path;
        dialog.OpenFile();
        if (auto* field = dialog.findChild<QLineEdit*>("denumire")) {
            field->setFocus();
            QTest::keyClicks(field, "alfa construct srl");
        }
        if (auto* field = dialog.findChild<QLineEdit*>("ziua_lic")) {
            field->setFocus();
            QTest::keyClicks(field, "10");
        }
        dialog.Save();
        Judge(&dialog, name + " after Save");
    }
}

TEST_F(AllWindowsTest, VerificationDialog) {
    using namespace verify_test;
    TempFolder folder;
    VerifyFilesDialog dialog(*m_client);
    Judge(&dialog, "verifyFilesDialog");
    const std::string path = folder.File("1A_0709_12345674.dbf");
    WriteTable(path, SpecOfKind(VerifiedKind::AnnexA),
               {AnnexARecord(), AnnexARecord("1800101221145")});
    m_prompter.file = path;
    Find<QAbstractButton>(&dialog, "verifyAButton")->click();
    Judge(&dialog, "verifyFilesDialog after a file");
    Find<QAbstractButton>(&dialog, "saveReportButton")->click();
    Judge(&dialog, "verifyFilesDialog after Save");
}

}  // namespace

// A screen of 1024x768, the smallest the program is made for, unless the
// platform was chosen by hand.
int main(int argc, char** argv) {
    QTemporaryDir config;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && config.isValid()) {
        QFile file(config.filePath("screen.json"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QString("{\"screens\": [{\"name\": \"small\", \"x\": 0, \"y\": 0, "
                               "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}")
                           .arg(kScreen.width())
                           .arg(kScreen.height())
                           .toUtf8());
            file.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.fileName().toUtf8());
        }
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
