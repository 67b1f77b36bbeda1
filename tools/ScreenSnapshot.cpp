// The windows of the health module, the imports, the page preview, the copies
// and the info and update dialogs as they stand on the screen, each drawn with
// the whole screen around it and its size printed, to see that they fit a small
// screen (run under a 1024x768 display):
//   screen_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/BackupDialog.h"
#include "app/ConsoleProcess.h"
#include "app/InfoDialog.h"
#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "app/Session.h"
#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/DbfWriter.h"
#include "health/AnnexFiles.h"
#include "health/PrintedAnnexes.h"
#include "print/PagePrinter.h"
#include "ui/DataListView.h"
#include "ui/PageOutput.h"
#include "ui/QtPrompter.h"
#include "ui/UpdateDialog.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/AnnexPrintDialog.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsWindow.h"
#include "ui/health/InsuredListWindow.h"
#include "ui/health/ReportWindow.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/VerifyFilesDialog.h"

namespace {

// Hands over the file to open and prints the messages instead of showing boxes.
struct QuietPrompter : public Prompter {
    void ShowMessage(const std::string& text, MessageKind) override {
        std::cerr << "  message: " << text << "\n";
    }
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return m_file; }
    std::string m_file;
};

QString g_out;

// The whole screen with `window` on it, and its sizes.
void Shoot(QWidget* window, const char* name) {
    QApplication::processEvents();
    window->grab();     // the lists lay themselves out at their first paint
    QTest::qWait(100);  // and the screen shows what they painted since
    const QRect frame = window->frameGeometry();
    std::printf("%-22s size %4dx%-4d frame %4d,%-4d %4dx%-4d minimum %4dx%-4d\n", name,
                window->width(), window->height(), frame.x(), frame.y(), frame.width(),
                frame.height(), window->minimumSizeHint().width(),
                window->minimumSizeHint().height());
    QGuiApplication::primaryScreen()->grabWindow(0).save(g_out + "/" + name + ".png");
}

// The modal window the next call opens, shot and closed.
void ShootNextModal(const char* name) {
    QTimer::singleShot(400, [name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            Shoot(modal, name);
            modal->close();
        }
    });
}

void Fill(CClient& client) {
    for (const char* table : {"societati", "asigurati", "coasigurati", "sume", "sume_societati"})
        (void)client.Query(std::string("DELETE FROM asigurati.") + table, false);
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud, sect) "
        "VALUES (12345674, 'ALFA CONSTRUCT SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB', 3), "
        "(23456783, 'BETA SERVICII CONTABILE SRL', 'J12/55/2001', 'POP ANA', '15', 'CJ', 0)",
        false);
    const char* const names[] = {"ALBU",     "BARBU", "CIOBANU", "DOBRE",  "ENE",  "FLOREA",
                                 "GHEORGHE", "HOSU",  "IONESCU", "JITARU", "LUPU", "MARIN"};
    int i = 0;
    for (const char* name : names) {
        const std::string cnp = std::to_string(2800101000000LL + i);
        const char* out = i % 4 == 3 ? "20090331" : "0";
        (void)client.Query(
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, "
            "intrare, iesire, forma) VALUES (12345674, 'CASAB', '" +
                std::string(name) + "', 'ANA MARIA', " + cnp + ", 20080101, " + out + ", 'S')",
            false);
        ++i;
    }
    (void)client.Query(
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "SELECT `index`, cf, cnp, 200907, 2500, 138, 138 FROM asigurati.asigurati",
        false);
}

void WritePayroll(const std::string& path) {
    const char* names[] = {"CF",      "CAS",     "CNP",     "NUME",    "PRENUME",
                           "INTRARE", "FORMA",   "SALARIU", "ASG_DAT", "ASG_VIR",
                           "ANG_DAT", "ANG_VIR", "LA_LUNA"};
    const int lengths[] = {13, 5, 13, 30, 30, 8, 3, 12, 10, 10, 10, 10, 6};
    DataList list;
    DbfTableSpec spec;
    for (int i = 0; i < 13; ++i) {
        const bool amount = i >= 7 && i <= 11;
        list.AppendColumn(names[i], amount ? "N" : "C", 100);
        AddDbfField(spec, names[i], amount ? "N" : "C", lengths[i], amount ? 2 : 0);
    }
    const std::vector<std::vector<std::string>> rows = {
        {"15900825", "CASAB", "1800101221144", "POPESCU", "ION", "20090301", "S", "2500.5",
         "137.53", "137.53", "130.03", "130.03", "200907"},
        {"15900825", "CASXX", "2850505123459", "IONESCU", "MARIA", "20080115", "CM", "1800", "99",
         "99", "93.6", "93.6", "200907"},
        {"15900825", "CAS_B", "1750101000004", "VASILE", "DAN", "20090231", "S", "900", "49.5",
         "49.5", "46.8", "46.8", "200907"},
    };
    for (const auto& row : rows)
        list.AddRowCells(std::vector<std::string_view>(row.begin(), row.end()));
    WriteDbfFile(path, &list, &spec);
}

void ShootHealth(CClient& client, const ServerLogin& login, QuietPrompter& prompter) {
    MainWindow main(prompter, MainWindow::Options{.login = login, .connectAtStart = false});
    main.show();
    if (!main.Client().Connect("127.0.0.1")) return;
    main.TogglePanel(MainWindow::Module::Health);
    Shoot(main.OpenPanel(), "health_panel");
    main.TogglePanel(MainWindow::Module::Import);
    Shoot(main.OpenPanel(), "import_panel");
    main.TogglePanel(MainWindow::Module::Import);

    InsuredListWindow list(client, {0, "12345674", "ALFA CONSTRUCT SRL"}, InsuredFilter::All);
    list.show();
    list.findChild<DataListView*>("insuredList")->SelectRow(0, true);
    Shoot(&list, "insured_list");
    list.hide();

    ReportWindow reports(client);
    reports.show();
    Shoot(&reports, "report_window");
    reports.hide();

    EmployeeSumsWindow step2(client, "200907");
    step2.show();
    step2.findChild<DataListView*>("companyList")->SelectRow(0, true);
    Shoot(&step2, "step2");
    step2.hide();

    EmployerSumsWindow step3(client, "200907");
    step3.show();
    Shoot(&step3, "step3");
    step3.hide();

    AnnexFilesWindow step4(client, "200907");
    step4.show();
    Shoot(&step4, "step4");
    step4.hide();

    PrintedAnnexes annexes(client, *ParseAnnexMonth("200907"));
    if (const auto header = annexes.LoadHeader("12345674", "CASAB")) {
        AnnexPrintDialog print(annexes, PrintedAnnex::A, *header, "2.08");
        print.show();
        Shoot(&print, "annex_print");
        ShootNextModal("page_preview");
        print.ShowPages();
    }
}

void ShootImports(CClient& client, QuietPrompter& prompter) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "orvik-screen-snapshot.dbf").string();
    WritePayroll(file);
    prompter.m_file = file;
    ImportFile payroll(ImportKind::Employees);
    ImportDialog dialog(client, payroll);
    dialog.show();
    Shoot(&dialog, "import_opened_empty");
    dialog.OpenFile();
    QTest::keyClicks(dialog.findChild<QLineEdit*>("denumire"), "gama construct srl");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("ziua_lic"), "10");
    Shoot(&dialog, "import_opened");
    dialog.Save();
    Shoot(&dialog, "import_saved");
    QTest::keyClick(dialog.List(), Qt::Key_F3);
    Shoot(&dialog, "import_f3");
    dialog.hide();

    VerifyFilesDialog verify(client);
    verify.show();
    Shoot(&verify, "verify_empty");
    verify.Verify(VerifiedKind::AnnexA);
    Shoot(&verify, "verify_checked");
    std::remove(file.c_str());
}

void ShootSmallDialogs(CClient& client, QuietPrompter& prompter, const char* folder) {
    BackupServer server;
    server.installationFolder = folder;
    BackupDialog backup(client, prompter, server, nullptr);
    backup.show();
    Shoot(&backup, "backup");
    backup.hide();

    InfoDialog info(nullptr);
    info.show();
    Shoot(&info, "info");
    info.hide();

    UpdateDialog update("1.00", QDir::tempPath());
    update.show();
    QTest::qWait(3000);  // the download fails without a network: its reason shows
    Shoot(&update, "update");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // sizes and messages in the order they came
    g_out = argv[3];
    QDir::setCurrent(argv[1]);
    ServerLogin login = InstallationLogin(argv[1]).value_or(ServerLogin{});
    login.port = std::atoi(argv[2]);
    QuietPrompter prompter;
    ConsoleProcess server;
    CClient client(prompter, login);
    client.SetServerProcess(&server);
    if (!Session::StartUp(client)) return 1;
    Fill(client);
    ShootHealth(client, login, prompter);
    ShootImports(client, prompter);
    ShootSmallDialogs(client, prompter, argv[1]);
    return 0;
}
