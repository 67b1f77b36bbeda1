// Pictures of the health window with companies and counters and of the company
// form filled in, to look at them as a user would:
//   health_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "app/ConsoleProcess.h"
#include "app/Session.h"
#include "db/CClient.h"
#include "ui/DataListView.h"
#include "ui/QtPrompter.h"
#include "ui/health/CompanyDialog.h"
#include "ui/health/CompanyList.h"
#include "ui/health/HealthWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    QDir::setCurrent(argv[1]);
    const QString out = argv[3];
    QtPrompter prompter;
    ConsoleProcess server;
    CClient client(prompter, std::atoi(argv[2]));
    client.SetServerProcess(&server);
    if (!Session::StartUp(client)) return 1;
    client.Query("DELETE FROM asigurati.societati", false);
    client.Query("DELETE FROM asigurati.asigurati", false);
    client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud, sect) VALUES "
        "(12345674, 'ALFA CONSTRUCT SRL', '10', 'MB', 3), (23456783, 'BETA SERVICII "
        "CONTABILE SRL', '15', 'CJ', 0), (1800101221144, 'POPESCU ION PFA', '5', 'AB', 0)",
        false);
    client.Query("INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES "
                 "(12345674, 1, 'CAS_B', 0), (12345674, 2, 'CASAB', 0), "
                 "(12345674, 3, 'CAS_B', 20250101)",
                 false);

    HealthWindow window(client);
    window.resize(760, 560);
    window.show();
    window.Companies()->View()->SelectRow(0, true);
    app.processEvents();
    window.grab().save(out + "/health_window.png");

    CompanyRegister companies(client, CompanyPlace::Health);
    CompanyDialog dialog(companies, CompanyRecord{}, CompanyEdit::Adding());
    dialog.show();
    const std::pair<const char*, const char*> typed[] = {
        {"denumire", "gama trans srl"}, {"cf", "15900825"},
        {"reg_com", "j40/1234/2003"},   {"repr", "ionescu maria"},
        {"ziua_lic", "10"},             {"loc", "Bucuresti"},
        {"str", "Calea Victoriei"},     {"nr", "12"},
        {"sect", "1"},                  {"tel", "021 123 45 67"},
        {"email", "Office@Gama.ro"},    {"b1", "Banca Exemplu"},
        {"c1", "RO49AAAA1B31007593840000"}};
    for (const auto& [field, text] : typed) QTest::keyClicks(dialog.findChild<QLineEdit*>(field), text);
    app.processEvents();
    dialog.grab().save(out + "/company_dialog.png");
    Session::Leave(client, false);
    return 0;
}
