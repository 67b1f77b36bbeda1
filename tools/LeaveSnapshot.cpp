// Pictures of the medical-leave window with a company, its declarations,
// certificates and summary, and of the declaration editor:
//   leave_snapshot INSTALLATION_FOLDER PORT OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

#include "SnapshotSession.h"
#include "db/CClient.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/DateTriple.h"
#include "ui/health/InsuredDialog.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/LeaveWindow.h"

namespace {

void Fixtures(CClient& client) {
    for (const char* table : {"asigurati.societati", "concedii.declaratii", "concedii.concedii"})
        (void)client.Query(std::string("DELETE FROM ") + table, false);
    (void)client.Query(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud, sect) VALUES "
        "(12345674, 'ALFA CONSTRUCT SRL', '10', 'MB', 3), (23456783, 'BETA SERVICII "
        "CONTABILE SRL', '15', 'CJ', 0)",
        false);
    (void)client.Query(
        "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
        "zile_lucratoare, nr_ang, salariul_minim, fond_de_salarii, contributii_datorate, "
        "faambp, faambp_datorat, de_recuperat_anterior) VALUES "
        "(1, 12345674, 202602, 'NU', 0, 20, 12, 4050, 98000, 833, 0, 0, 0), "
        "(2, 12345674, 202603, 'NU', 0, 22, 12, 4050, 101500, 863, 400, 3, 1250), "
        "(3, 12345674, 202603, 'DA', 1, 22, 12, 4050, 101500, 863, 400, 3, 1250)",
        false);
    (void)client.Query(
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, "
        "cas, tip_rectif, cert_serie, cert_numar, cod_indemn, suma_suportata_fnuass) "
        "VALUES (2, 12345674, 1800101221144, 0, 'POPESCU', 'ION', 'CAS_B', '', 'CCMAB', "
        "'1234567', '1', 540), (2, 12345674, 2800203400121, 5100101000015, 'IONESCU', "
        "'MARIA', 'CAS_B', '', 'CCMAB', '1234568', '9', 780), (3, 12345674, "
        "1800101221144, 0, 'POPESCU', 'ION', 'CAS_B', 'M', 'CCMAB', '1234567', '1', 610)",
        false);
}

void TypeInto(QWidget& form, const char* field, const char* text) {
    auto* edit = form.findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void TypeDateInto(QWidget& form, const char* field, const char* day, const char* month,
                  const char* year) {
    auto* date = form.findChild<DateTriple*>(field);
    const std::pair<const char*, const char*> parts[] = {
        {"day", day}, {"month", month}, {"year", year}};
    for (const auto& [name, text] : parts) {
        auto* part = date->findChild<QLineEdit*>(name);
        part->clear();
        part->setFocus();
        QTest::keyClicks(part, text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    SnapshotSession session(argv);
    if (!session.StartUp()) return 1;
    CClient& client = session.Client();
    const QString& out = session.Out();
    Fixtures(client);

    LeaveWindow window(client);
    window.resize(800, 600);
    window.show();
    window.Companies()->View()->SelectRow(0, true);
    app.processEvents();
    window.Declarations()->SelectRow(1, true);
    app.processEvents();
    window.grab().save(out + "/leave_window.png");
    std::printf("leave window: %dx%d\n", window.width(), window.height());
    // Beside the main window on a 1024x768 screen, made taller by the user,
    // and as small as it goes.
    for (const auto& [size, file] : {std::pair{QSize(770, 720), "leave_window_tall.png"},
                                     {window.minimumSizeHint(), "leave_window_smallest.png"}}) {
        window.resize(size);
        app.processEvents();
        window.grab().save(out + "/" + file);
        std::printf("%s: %dx%d\n", file, window.width(), window.height());
    }

    DeclarationRegister declarations(client);
    DeclarationDialog editor(declarations, "12345674", 0);
    editor.show();
    for (const auto& [field, text] : {std::pair{"monthField", "03"},
                                      {"yearField", "2026"},
                                      {"nr_ang", "12"},
                                      {"fond_de_salarii", "101500"},
                                      {"faambp", "400"},
                                      {"de_recuperat_anterior", "1250"}})
        QTest::keyClicks(editor.findChild<QLineEdit*>(field), text);
    app.processEvents();
    editor.grab().save(out + "/declaration_editor.png");

    // Forms with two fields marked as they were typed.
    InsuredRegister insured(client, "12345674");
    InsuredDialog person(insured, "ALFA CONSTRUCT SRL", InsuredRecord{}, InsuredEdit{});
    person.show();
    TypeInto(person, "nume", "popescu");
    TypeInto(person, "cnp", "1800101221145");
    TypeDateInto(person, "intrare", "31", "02", "2026");
    app.processEvents();
    person.grab().save(out + "/insured_marked.png");

    CertificateEntry entry(client, {*declarations.Load(2), "ALFA CONSTRUCT SRL"});
    CertificateDialog certificate(entry, 0);
    certificate.show();
    TypeInto(certificate, "cnp", "1800101221145");
    TypeInto(certificate, "cod_indemn", "1");
    TypeDateInto(certificate, "data_inc", "10", "03", "2026");
    TypeDateInto(certificate, "data_sf", "05", "03", "2026");
    certificate.findChild<QLineEdit*>("cert_serie")->setFocus();
    app.processEvents();
    app.processEvents();
    certificate.grab().save(out + "/certificate_marked.png");
    Session::Leave(client, false);
    return 0;
}
