// Pictures of the health window with companies and counters and of the company
// form filled in, to look at them as a user would:
//   health_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "SnapshotSession.h"
#include "db/CClient.h"
#include "ui/CompanyDialog.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/DateTriple.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/HealthWindow.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/InsuredListWindow.h"
#include "ui/health/LiquidationDialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    CClient& client = session.Client();
    const QString& out = session.Out();
    (void)client.Query("DELETE FROM asigurati.societati", false);
    (void)client.Query("DELETE FROM asigurati.asigurati", false);
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud, sect) VALUES "
        "(12345674, 'ALFA CONSTRUCT SRL', '10', 'MB', 3), (23456783, 'BETA SERVICII "
        "CONTABILE SRL', '15', 'CJ', 0), (1800101221144, 'POPESCU ION PFA', '5', 'AB', 0)",
        false);
    (void)client.Query(
        "INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES "
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
    const std::pair<const char*, const char*> typed[] = {{"denumire", "gama trans srl"},
                                                         {"cf", "15900825"},
                                                         {"reg_com", "j40/1234/2003"},
                                                         {"repr", "ionescu maria"},
                                                         {"ziua_lic", "10"},
                                                         {"loc", "Bucuresti"},
                                                         {"str", "Calea Victoriei"},
                                                         {"nr", "12"},
                                                         {"sect", "1"},
                                                         {"tel", "021 123 45 67"},
                                                         {"email", "Office@Gama.ro"},
                                                         {"b1", "Banca Exemplu"},
                                                         {"c1", "RO49AAAA1B31007593840000"}};
    for (const auto& [field, text] : typed)
        QTest::keyClicks(dialog.findChild<QLineEdit*>(field), text);
    app.processEvents();
    dialog.grab().save(out + "/company_dialog.png");

    // A registry number with text in its order number, marked once left.
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
    auto* registry = dialog.findChild<QLineEdit*>("reg_com");
    registry->setFocus();
    registry->selectAll();
    QTest::keyClicks(registry, "j12/1'2\\3/2021");
    dialog.findChild<QLineEdit*>("repr")->setFocus();
    app.processEvents();
    app.processEvents();
    dialog.grab().save(out + "/company_dialog_registry.png");
    registry->setFocus();
    registry->selectAll();
    QTest::keyClicks(registry, "j40/1234/2003");
    app.processEvents();

    // A refused account: the message, then the form with the caret on the field.
    dialog.findChild<QLineEdit*>("c1")->setText("RO00BAD");
    QTimer::singleShot(100, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->grab().save(out + "/refused_message.png");
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    dialog.Confirm();
    app.processEvents();
    dialog.grab().save(out + "/company_dialog_refused.png");
    dialog.hide();

    // A name of 255 characters must not widen the window.
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud) VALUES (15900825, '" +
            std::string(255, 'W') + "', '10', 'AB')",
        false);
    window.Companies()->Reload();
    window.Companies()->View()->SelectRow(window.Companies()->View()->RowCount() - 1, true);
    app.processEvents();
    window.grab().save(out + "/health_window_long_name.png");
    std::printf("health window width with a 255-character name: %d\n", window.width());

    // The delete question, "Nu" focused; Escape answers it.
    QTimer::singleShot(100, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->grab().save(out + "/delete_question.png");
            std::printf("focused button: %s\n",
                        QApplication::focusWidget()
                            ? qPrintable(QApplication::focusWidget()->property("text").toString())
                            : "none");
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    window.Companies()->RemoveCompany();

    InsuredRegister insured(client, "12345674");
    InsuredDialog hire(insured, "ALFA CONSTRUCT SRL", InsuredRecord{}, InsuredEdit{});
    hire.show();
    for (const auto& [field, text] :
         {std::pair{"nume", "popescu"}, {"prenume", "ion"}, {"cnp", "1800101221144"}})
        QTest::keyClicks(hire.findChild<QLineEdit*>(field), text);
    hire.findChild<DateTriple*>("intrare")->SetCompact("20240203");
    app.processEvents();
    hire.grab().save(out + "/insured_dialog.png");

    (void)client.Query(
        "INSERT INTO asigurati.asigurati (cf, cnp, cas, nume, prenume, intrare, forma, "
        "iesire) VALUES (12345674, 1800101221144, 'CASAB', 'POPESCU', 'ION', 20240203, "
        "'S', 0)",
        false);
    LiquidationDialog liquidation(insured, "ALFA CONSTRUCT SRL", std::nullopt);
    liquidation.show();
    QTest::keyClicks(liquidation.findChild<QLineEdit*>("cnp"), "1800");
    app.processEvents();
    liquidation.grab().save(out + "/liquidation_dialog.png");

    (void)client.Query(
        "INSERT INTO asigurati.asigurati (cf, cnp, cas, nume, prenume, intrare, forma, "
        "iesire) VALUES (12345674, 1850505123457, 'CAS_B', 'IONESCU', 'MARIA', 20190301, "
        "'CM', 20230331), (12345674, 1800202000006, 'CASHR', 'VASILE', 'DAN', 20210601, "
        "'S', 0)",
        false);
    (void)client.Query(
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
        "(12345674, 1800101221144, 2850101000010, 'POPESCU', 'ANA', 'S'), "
        "(12345674, 1800101221144, 1500101000019, 'POPESCU', 'VASILE', 'P')",
        false);
    const CompanyRow alfa{1, "12345674", "ALFA CONSTRUCT SRL"};
    InsuredListWindow list(client, alfa, InsuredFilter::All);
    list.show();
    DataListView* upper = list.findChild<DataListView*>("insuredList");
    for (int row = 0; row < upper->RowCount(); ++row)
        if (upper->CellText(row, "CNP") == "1800101221144") upper->SelectRow(row, true);
    app.processEvents();
    list.grab().save(out + "/insured_list.png");
    std::printf("list window: %dx%d\n", list.width(), list.height());

    CoInsuredRegister coInsured(client, "12345674");
    auto person = insured.FindOpenByCnpPrefix("1800101221144");
    CoInsuredDialog dependant(coInsured, insured, alfa.name, person, CoInsuredRecord{},
                              CoInsuredEdit{});
    dependant.show();
    for (const auto& [field, text] :
         {std::pair{"cnp", "2860101000019"}, {"nume", "popescu"}, {"prenume", "elena"}})
        QTest::keyClicks(dependant.findChild<QLineEdit*>(field), text);
    app.processEvents();
    dependant.grab().save(out + "/coinsured_dialog.png");
    for (ChangeKind kind : {ChangeKind::Form, ChangeKind::House}) {
        EmploymentChangeDialog change(kind, insured, alfa.name, 1, *person);
        change.show();
        app.processEvents();
        change.grab().save(out +
                           (kind == ChangeKind::Form ? "/form_change.png" : "/house_change.png"));
    }
    Session::Leave(client, false);
    return 0;
}
