// Pictures of the certificate editor, to look at it as a user would: an
// initial leave typed in, a continuation in a rectifying declaration, the
// question Esc asks over it, an M entry taken over from the certificate it
// corrects, the emergency pick list, and the declaration editor proposing a
// rectification's figures.
//   certificate_snapshot INSTALLATION_FOLDER OUT_FOLDER   (its server running;
//   its certificates and declarations are replaced)
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "leave/DeclarationRegister.h"
#include "ui/DateTriple.h"
#include "ui/QtPrompter.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/NomenclaturePickDialog.h"

namespace {

void Type(QWidget* form, const char* field, const char* text) {
    auto* edit = form->findChild<QLineEdit*>(field);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void TypeDatePart(QWidget* form, const char* date, const char* part, const char* text) {
    QTest::keyClicks(form->findChild<DateTriple*>(date)->findChild<QLineEdit*>(part), text);
}

void Snap(QWidget* dialog, const QString& file) {
    QApplication::processEvents();
    dialog->grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString out = argv[2];
    QtPrompter prompter;
    CClient client(prompter, InstallationLogin(argv[1]).value_or(ServerLogin{}));
    if (!client.Connect("127.0.0.1")) return 1;
    for (const char* sql :
         {"DELETE FROM concedii.concedii", "DELETE FROM concedii.declaratii",
          "DELETE FROM asigurati.asigurati",
          "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
          "zile_lucratoare, nr_ang, salariul_minim, fond_de_salarii, contributii_datorate, "
          "faambp, faambp_datorat, de_recuperat_anterior) VALUES (1, 12345674, 201003, 'NU', 0, "
          "23, 10, 600, 65000, 553, 1000, 9, 120), (2, 12345674, 201003, 'DA', 1, 23, 10, 600, "
          "68000, 578, 1000, 9, 120)",
          "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
          "VALUES (12345674, 'CASCJ', 'IONESCU', 'DAN', 1850505123457, 20090101, 0, 'S')",
          "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, prenume, cas, cert_serie, "
          "cert_numar, cod_indemn) VALUES (1, 12345674, 1800101221144, 'POPESCU', 'ION', 'CASAB', "
          "'CCMAE', '7', '1')",
          "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, cas, "
          "cert_serie, cert_numar, cod_indemn, data_acordarii, data_inc, data_sf, loc_pres, "
          "zile_lucratoare, zile_lucrate, zile_prestatii, zile_suportate_fnuass, "
          "suma_suportata_fnuass, baza_calc, zi_bz_calc, mzbci) VALUES (1, 12345674, "
          "2790303123454, 2080808123452, 'MARINESCU', 'ANA', 'CASCJ', 'CCMAE', '91', '9', "
          "'2010-03-08', '2010-03-08', '2010-03-12', 1, 23, 15, 5, 5, 101, 2906, 122, 23.8197)"})
        if (!client.Query(sql, false)) return 1;
    DeclarationRegister declarations(client);

    CertificateEntry initialEntry(client, {*declarations.Load(1), "ALFA CONSTRUCT SRL"});
    CertificateDialog initial(initialEntry, 0);
    initial.show();
    Type(&initial, "cnp", "185");
    Type(&initial, "cert_serie", "CCMAE");
    Type(&initial, "cert_numar", "123456");
    Type(&initial, "cod_indemn", "1");
    for (auto [part, text] : {std::pair{"day", "01"}, {"month", "03"}, {"year", "2010"}})
        TypeDatePart(&initial, "data_acordarii", part, text);
    TypeDatePart(&initial, "data_sf", "day", "12");
    Type(&initial, "zile_lucrate", "10");
    Type(&initial, "baza_calc", "2906");
    Type(&initial, "zi_bz_calc", "122");
    Snap(&initial, out + "/certificate_initial.png");

    CertificateEntry continuedEntry(client, {*declarations.Load(2), "ALFA CONSTRUCT SRL"});
    CertificateDialog continued(continuedEntry, 0);
    continued.show();
    continued.findChild<QComboBox*>("tip_rectif")->setCurrentIndex(1);
    Type(&continued, "cnp", "18001");
    continued.findChild<QComboBox*>("leaveKind")->setCurrentIndex(1);
    Type(&continued, "cert_init_serie", "CCMAE");
    Type(&continued, "cert_init_numar", "7");
    Type(&continued, "cert_serie", "CCMAE");
    Type(&continued, "cert_numar", "8");
    Type(&continued, "cod_indemn", "10");
    TypeDatePart(&continued, "data_acordarii", "day", "15");
    TypeDatePart(&continued, "data_sf", "day", "26");
    Type(&continued, "zile_prestatii_ang", "0");
    Type(&continued, "baza_calc", "2906");
    Type(&continued, "zi_bz_calc", "122");
    Type(&continued, "venit_prin_reducere", "375");
    Snap(&continued, out + "/certificate_continuation.png");
    // The whole screen, to see the editor inside it.
    QApplication::primaryScreen()->grabWindow(0).save(out + "/certificate_screen.png");
    std::printf("editor %dx%d at %d,%d on a %dx%d screen\n", continued.width(), continued.height(),
                continued.x(), continued.y(), QApplication::primaryScreen()->size().width(),
                QApplication::primaryScreen()->size().height());

    // The question Esc asks over what was typed; "Nu" keeps the editor.
    QTimer::singleShot(200, [&out] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        Snap(box, out + "/certificate_discard_question.png");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QTest::keyClick(&continued, Qt::Key_Escape);
    std::printf("after the question the editor is %s\n",
                continued.isVisible() ? "still open" : "closed");

    CertificateEntry correctingEntry(client, {*declarations.Load(2), "ALFA CONSTRUCT SRL"});
    CertificateDialog correcting(correctingEntry, 0);
    correcting.show();
    correcting.findChild<QComboBox*>("tip_rectif")->setCurrentIndex(1);
    Type(&correcting, "cert_serie", "CCMAE");
    Type(&correcting, "cert_numar", "91");
    correcting.findChild<QPushButton*>("correctedButton")->click();
    Snap(&correcting, out + "/certificate_corrected.png");

    // The longest pick list, as the "lista" button beside the emergency code opens it.
    NomenclaturePickDialog emergencies(client, Nomenclature::Emergencies, "", &continued);
    emergencies.show();
    Snap(&emergencies, out + "/pick_list_emergencies.png");
    std::printf("pick list %dx%d\n", emergencies.width(), emergencies.height());
    emergencies.hide();

    DeclarationDialog rectifying(declarations, "12345674", 0);
    rectifying.show();
    Type(&rectifying, "monthField", "03");
    Type(&rectifying, "yearField", "2010");
    Snap(&rectifying, out + "/declaration_rectifying.png");

    // Tooltips are separate windows that a grab does not show: their texts.
    for (const char* name : {"employerDaysLabel", "monthLabel"})
        std::printf("%s tooltip:\n%s\n\n", name,
                    qPrintable(continued.findChild<QWidget*>(name)->toolTip()));
    return 0;
}
