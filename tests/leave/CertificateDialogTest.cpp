// The certificate editor offscreen on the test server: completion while
// typing, the figures following the typed dates, the fields the code brings
// in, and the save through its key.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

#include "FormDriving.h"
#include "TestServer.h"
#include "leave/DeclarationRegister.h"
#include "ui/DataListView.h"
#include "ui/leave/CertificateDialog.h"

namespace {

// The help over the employer's days and over the FNUASS amount, as the editor shows it.
const char* const kEmployerDaysHelp =
    "<h3>Zile suportate de catre angajator</h3><br><hr>\t\t<br>"
    "<b>Pentru declaratia lunilor 01.2006 - 11.2006:</b>\t\t<br>"
    "    - intre 1 si 20 de salariati: primele 7 zile lucratoare\t\t<br>"
    "    - intre 21 si 100 de salariati: primele 12 zile lucratoare\t\t<br>"
    "    - peste 100 de salariati: primele 17 zile lucratoare\t\t<br>"
    "<b>Incepand cu declaratia lunii 12.2006:</b>\t\t<br>"
    "    - zilele lucratoare dintre primele 5 zile calendaristice ale concediului\t\t<br><br>"
    "pentru codurile de indemnizatie 8, 9, 10 si 15: nu se suporta de catre "
    "angajator\t\t<br>"
    "pentru codurile de indemnizatie 2, 3 si 4: nu se suporta de catre angajator sau "
    "din FNUASS\t\t<br>"
    "<br><font color=#ff0000>pentru concedii \"in continuare\", nu se pot calcula automat";
const char* const kFnuassAmountHelp =
    "<h3>Suma suportata din FNUASS</h3><br><hr>\t\t<br>"
    "= zile suportate de catre FNUASS *<br>      media zilnica a bazei de calcul *<br>"
    "      coeficientul procentual aferent codului de indemnizatie\t\t<br><br>"
    "pentru codul de indemnizatie 10, algoritm special:\t\t<br>"
    " - suma veniturilor din ultimele 6 luni: SUMA_V (ex.: 2906 lei)\t\t<br>"
    " - numarul de zile aferente veniturilor realizate in ultimele 6 luni: NTZ (ex: "
    "122 de zile)\t\t<br>"
    " - venitul salarial brut realizat prin reducerea timpului de munca: VEN_RED "
    "(ex: 375 de lei)\t\t<br>"
    " - MNTZ = NTZ / 6 = 20.33 (media zilelor lucratoare din ultimele 6 luni din "
    "care se constituie baza de calcul)\t\t<br>"
    " - Bcli = SUMA_V / NTZ x MNTZ = 484.2539\t\t<br>"
    " - Bmax = Bcli x 25% = 121.0635\t\t<br> - Ci = Bcli - VEN_RED = 109.2539\t\t<br>"
    "Suma finala suportata din FNUASS este Ci (109 lei), dar nu mai mare decat Bmax "
    "(121 de lei).";

const char* const kDiscard =
    "Datele introduse nu au fost salvate.\n\nEsti sigur ca vrei sa renunti la ele?";

class CertificateDialogTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        RunSql(
            "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
            "zile_lucratoare, nr_ang) VALUES (1, 12345674, 201003, 'NU', 0, 23, 10),"
            " (2, 12345674, 201003, 'DA', 1, 23, 10);"
            "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, "
            "forma) VALUES (12345674, 'CASHR', 'IONESCU', 'DAN', 1850505123457, 20090101, 0, "
            "'S'), (12345674, 'CASCJ', 'PLECAT', 'ION', 1860606123450, 20090101, 20091231, "
            "'S');"
            "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, "
            "cas, cod_indemn) VALUES (1, 12345674, 1800101221144, 2850101000010, 'POPESCU', "
            "'ION', 'CASAB', '9'), (1, 12345674, 1800101221144, 0, 'POPESCUL', 'IOAN', "
            "'CAS_B', '1')");
    }
    std::unique_ptr<CertificateDialog> Open(long long declaration, long long certificate = 0) {
        auto loaded = DeclarationRegister(*m_client).Load(declaration);
        EXPECT_TRUE(loaded);
        m_entries.push_back(std::make_unique<CertificateEntry>(
            *m_client, CertificateContext{loaded.value_or(DeclarationRecord{}), "ALFA SRL"}));
        auto dialog = std::make_unique<CertificateDialog>(*m_entries.back(), certificate);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }
    static QString Text(QWidget* form, const char* field) {
        return Find<QLineEdit>(form, field)->text();
    }
    static bool Shown(QWidget* form, const char* name) {
        return Find<QWidget>(form, name)->isVisibleTo(form);
    }
    static QLineEdit* DatePart(QWidget* form, const char* date, const char* part) {
        return Find<DateTriple>(form, date)->findChild<QLineEdit*>(part);
    }
    // A certificate every check accepts, typed as a user would.
    static void TypeValidLeave(QWidget* form) {
        Type(form, "cnp", "185");
        Type(form, "cert_serie", "CCMAE");
        Type(form, "cert_numar", "42");
        Type(form, "cod_indemn", "1");
        TypeDate(form, "data_acordarii", "01", "03", "2010");
        QTest::keyClicks(DatePart(form, "data_sf", "day"), "05");
        Type(form, "zile_lucrate", "10");
        Type(form, "baza_calc", "2906");
        Type(form, "zi_bz_calc", "122");
    }

    // Each dialog's entry, kept for as long as the test runs.
    std::vector<std::unique_ptr<CertificateEntry>> m_entries;
};

TEST_F(CertificateDialogTest, AnInitialLeaveOpensOnTheDeclarationsMonthWithItsHelp) {
    auto dialog = Open(1);
    EXPECT_EQ("Adauga un certificat de concediu medical", dialog->windowTitle());
    EXPECT_EQ("[F5]   Adauga", Find<QPushButton>(dialog.get(), "confirmButton")->text());
    EXPECT_EQ("[ESC]   Renunta", Find<QPushButton>(dialog.get(), "cancelButton")->text());
    EXPECT_EQ("03.2010 (23 de zile lucratoare - 10 salariati)",
              Find<QLabel>(dialog.get(), "monthText")->text());
    EXPECT_EQ("initiala", Find<QLabel>(dialog.get(), "typeText")->text());
    EXPECT_FALSE(Shown(dialog.get(), "tip_rectif"));
    EXPECT_FALSE(Shown(dialog.get(), "cert_init_serie"));
    EXPECT_FALSE(Shown(dialog.get(), "cnp_copil"));
    EXPECT_FALSE(Shown(dialog.get(), "venit_prin_reducere"));
    EXPECT_EQ("23", Text(dialog.get(), "zile_lucratoare"));
    EXPECT_EQ("", DatePart(dialog.get(), "data_inc", "day")->text());
    EXPECT_EQ("03", DatePart(dialog.get(), "data_sf", "month")->text());
    EXPECT_EQ("2010", DatePart(dialog.get(), "data_sf", "year")->text());
    EXPECT_EQ("_B - Bucuresti", Find<QComboBox>(dialog.get(), "cas")->currentText());
    EXPECT_EQ("Medic de familie", Find<QComboBox>(dialog.get(), "loc_pres")->currentText());
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "zile_prestatii_ang")->isReadOnly());
    EXPECT_EQ(kEmployerDaysHelp,
              Find<QLabel>(dialog.get(), "employerDaysLabel")->toolTip().toStdString());
    EXPECT_TRUE(Find<QLabel>(dialog.get(), "fnuassDaysLabel")
                    ->toolTip()
                    .contains("zilele lucratoare incepand cu a 6-a zi calendaristica a "
                              "concediului"));
    EXPECT_EQ(kFnuassAmountHelp,
              Find<QLineEdit>(dialog.get(), "suma_suportata_fnuass")->toolTip().toStdString());
    EXPECT_TRUE(Find<QLabel>(dialog.get(), "monthLabel")
                    ->toolTip()
                    .startsWith("<h3>Zile libere (nelucratoare)</h3>"));
    EXPECT_EQ(Find<QLabel>(dialog.get(), "monthLabel")->toolTip(),
              Find<QLineEdit>(dialog.get(), "zile_lucratoare")->toolTip());
}

TEST_F(CertificateDialogTest, TheCnpCompletesFromTheChildCareCertificateAndBackspaceErases) {
    auto dialog = Open(1);
    QLineEdit* cnp = Find<QLineEdit>(dialog.get(), "cnp");
    Type(dialog.get(), "cnp", "18001");
    EXPECT_EQ("1800101221144", cnp->text());
    EXPECT_EQ("01221144", cnp->selectedText());
    EXPECT_EQ("POPESCU", Text(dialog.get(), "nume"));
    EXPECT_EQ("ION", Text(dialog.get(), "prenume"));
    EXPECT_EQ("AB - Alba", Find<QComboBox>(dialog.get(), "cas")->currentText());
    EXPECT_EQ("2850101000010", Text(dialog.get(), "cnp_copil"));

    QTest::keyClick(cnp, Qt::Key_Backspace);
    EXPECT_EQ("18001", cnp->text());
    EXPECT_EQ("", Text(dialog.get(), "nume"));
    QTest::keyClick(cnp, Qt::Key_Backspace);
    EXPECT_EQ("1800", cnp->text());

    // No certificate: an active insured person, his Harghita house as the
    // leave module names it; a liquidated one is never offered.
    cnp->clear();
    Type(dialog.get(), "cnp", "185");
    EXPECT_EQ("1850505123457", cnp->text());
    EXPECT_EQ("IONESCU", Text(dialog.get(), "nume"));
    EXPECT_EQ("HG - Harghita", Find<QComboBox>(dialog.get(), "cas")->currentText());
    cnp->clear();
    Type(dialog.get(), "cnp", "186");
    EXPECT_EQ("186", cnp->text());
    EXPECT_EQ("", Text(dialog.get(), "nume"));
}

TEST_F(CertificateDialogTest, TheFiguresFollowTheEndDateAsItIsTyped) {
    auto dialog = Open(1);
    Type(dialog.get(), "cod_indemn", "1");
    EXPECT_EQ("75", Text(dialog.get(), "percent"));
    EXPECT_EQ("Boala obisnuita si accidente in afara muncii",
              Text(dialog.get(), "indemnDescription"));
    // The grant day is the start day too.
    QTest::keyClicks(DatePart(dialog.get(), "data_acordarii", "day"), "01");
    EXPECT_EQ("01", DatePart(dialog.get(), "data_inc", "day")->text());
    Type(dialog.get(), "baza_calc", "2906");
    Type(dialog.get(), "zi_bz_calc", "122");
    EXPECT_EQ("23.8197", Text(dialog.get(), "mzbci"));

    QLineEdit* endDay = DatePart(dialog.get(), "data_sf", "day");
    QTest::keyClicks(endDay, "1");  // Monday 1 March only
    EXPECT_EQ("1", Text(dialog.get(), "zile_prestatii"));
    EXPECT_EQ("18", Text(dialog.get(), "suma_suportata_ang"));
    QTest::keyClicks(endDay, "2");  // to Friday 12 March: five days each
    EXPECT_EQ("10", Text(dialog.get(), "zile_prestatii"));
    EXPECT_EQ("5", Text(dialog.get(), "zile_prestatii_ang"));
    EXPECT_EQ("5", Text(dialog.get(), "zile_suportate_fnuass"));
    EXPECT_EQ("89", Text(dialog.get(), "suma_suportata_ang"));
    EXPECT_EQ("89", Text(dialog.get(), "suma_suportata_fnuass"));
    EXPECT_EQ("178", Text(dialog.get(), "sumaTotala"));

    // Child care: FNUASS pays every day, at 85%.
    QLineEdit* code = Find<QLineEdit>(dialog.get(), "cod_indemn");
    code->selectAll();
    QTest::keyClicks(code, "9");
    EXPECT_EQ("0", Text(dialog.get(), "zile_prestatii_ang"));
    EXPECT_EQ("10", Text(dialog.get(), "zile_suportate_fnuass"));
    EXPECT_EQ("202", Text(dialog.get(), "suma_suportata_fnuass"));
    // An end before the start leaves nothing to pay.
    QLineEdit* startDay = DatePart(dialog.get(), "data_inc", "day");
    startDay->selectAll();
    QTest::keyClicks(startDay, "15");
    EXPECT_EQ("0", Text(dialog.get(), "zile_prestatii"));
    EXPECT_EQ("0", Text(dialog.get(), "sumaTotala"));
}

TEST_F(CertificateDialogTest, TheCodeAndTheLeaveTypeBringInTheirFields) {
    auto dialog = Open(1);
    QLineEdit* code = Find<QLineEdit>(dialog.get(), "cod_indemn");
    Type(dialog.get(), "cod_indemn", "9");
    EXPECT_TRUE(Shown(dialog.get(), "cnp_copil"));
    EXPECT_TRUE(Shown(dialog.get(), "cnpCopilLabel"));
    EXPECT_FALSE(Shown(dialog.get(), "venit_prin_reducere"));
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_FALSE(Shown(dialog.get(), "cnp_copil"));
    EXPECT_EQ("", Text(dialog.get(), "indemnDescription"));
    EXPECT_EQ("", Text(dialog.get(), "percent"));
    QTest::keyClicks(code, "10");
    EXPECT_TRUE(Shown(dialog.get(), "venit_prin_reducere"));
    EXPECT_TRUE(Shown(dialog.get(), "reducedLabel"));
    EXPECT_FALSE(Shown(dialog.get(), "cnp_copil"));
    EXPECT_EQ("25", Text(dialog.get(), "percent"));
    // "05" is found as 05 and shown as the code is stored.
    code->clear();
    QTest::keyClicks(code, "05");
    EXPECT_EQ("5", code->text());
    EXPECT_EQ("100", Text(dialog.get(), "percent"));
    EXPECT_FALSE(Shown(dialog.get(), "venit_prin_reducere"));

    // A continuation shows the initial certificate; under code 1 its days are typed.
    Find<QComboBox>(dialog.get(), "leaveKind")->setCurrentIndex(1);
    EXPECT_TRUE(Shown(dialog.get(), "cert_init_serie"));
    EXPECT_TRUE(Shown(dialog.get(), "initSerieLabel"));
    EXPECT_FALSE(Find<QLineEdit>(dialog.get(), "zile_prestatii_ang")->isReadOnly());
    code->clear();
    QTest::keyClicks(code, "8");
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "zile_prestatii_ang")->isReadOnly());
    Find<QComboBox>(dialog.get(), "leaveKind")->setCurrentIndex(0);
    EXPECT_FALSE(Shown(dialog.get(), "cert_init_serie"));
}

TEST_F(CertificateDialogTest, F5RefusesWhatTheChecksRefuseThenSavesWhatIsShown) {
    auto dialog = Open(1);
    TypeValidLeave(dialog.get());
    Find<QLineEdit>(dialog.get(), "cert_numar")->clear();
    m_prompter.ExpectMessage("Trebuie sa introduci seria si numarul certificatului medical!");
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "cert_numar"), QApplication::focusWidget());

    Type(dialog.get(), "cert_numar", "42");
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    ASSERT_GT(dialog->SavedKey(), 0);
    EXPECT_EQ("1850505123457|IONESCU|DAN|CASHG|1|2010-03-01|2010-03-05|5|5|0|89|0|23.8197|1",
              SqlScalar("SELECT CONCAT_WS('|', cnp, nume, prenume, cas, cod_indemn, data_inc, "
                        "data_sf, zile_prestatii, zile_prestatii_ang, zile_suportate_fnuass, "
                        "suma_suportata_ang, suma_suportata_fnuass, mzbci, loc_pres) FROM "
                        "concedii.concedii WHERE `index`=" +
                        std::to_string(dialog->SavedKey())));
}

TEST_F(CertificateDialogTest, AModifyShowsTheStoredCertificateAndF6KeepsItAsItWas) {
    RunSql(
        "INSERT INTO concedii.concedii (`index`, id_declaratie, cf, cnp, nume, prenume, cas, "
        "tip_rectif, cert_serie, cert_numar, cert_init_serie, cert_init_numar, cod_indemn, "
        "cod_urg, data_acordarii, data_inc, data_sf, loc_pres, zile_lucratoare, zile_lucrate, "
        "zile_prestatii, zile_prestatii_ang, zile_suportate_fnuass, suma_suportata_ang, "
        "suma_suportata_fnuass, baza_calc, zi_bz_calc, mzbci) VALUES (50, 2, 12345674, "
        "1800101221144, 'POPESCU', 'ION', 'CASAB', 'M', 'CCMAE', '7', 'CCMAE', '6', '6', "
        "'12', '2010-03-01', '2010-03-01', '2010-03-05', 3, 23, 10, 5, 2, 3, 40, 60, 2906, "
        "122, 23.8197);"
        // What the rectification modifies, as the initial declaration reported it.
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cert_serie, cert_numar) "
        "VALUES (1, 12345674, 1800101221144, 'CCMAE', '7')");
    auto dialog = Open(2, 50);
    EXPECT_EQ("Modifica un certificat de concediu medical", dialog->windowTitle());
    EXPECT_EQ("[F6]   Modifica", Find<QPushButton>(dialog.get(), "confirmButton")->text());
    EXPECT_EQ("rectificativa", Find<QLabel>(dialog.get(), "typeText")->text());
    EXPECT_TRUE(Shown(dialog.get(), "tip_rectif"));
    EXPECT_EQ(1, Find<QComboBox>(dialog.get(), "tip_rectif")->currentIndex());
    EXPECT_EQ(1, Find<QComboBox>(dialog.get(), "leaveKind")->currentIndex());
    EXPECT_EQ(2, Find<QComboBox>(dialog.get(), "loc_pres")->currentIndex());
    EXPECT_EQ("Urgenta medico-chirurgicala", Text(dialog.get(), "indemnDescription"));
    EXPECT_EQ("Abdomenul acut, medico-chirurgical", Text(dialog.get(), "urgDescription"));
    // The stored figures stand until the user edits something they depend on.
    EXPECT_EQ("2", Text(dialog.get(), "zile_prestatii_ang"));
    EXPECT_EQ("100", Text(dialog.get(), "sumaTotala"));

    const char* const kRow =
        "SELECT CONCAT_WS('|', tip_rectif, cert_init_numar, cod_urg, data_sf, loc_pres, "
        "zile_prestatii_ang, suma_suportata_ang, mzbci) FROM concedii.concedii WHERE `index`=50";
    const std::string before = SqlScalar(kRow);
    QTest::keyClick(dialog.get(), Qt::Key_F6);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_EQ(50, dialog->SavedKey());
    EXPECT_EQ(before, SqlScalar(kRow));
}

TEST_F(CertificateDialogTest, ACertificateThatCannotBeReadClosesAtOnce) {
    auto dialog = Open(1, 999);
    EXPECT_FALSE(dialog->Loaded());
    EXPECT_EQ(QDialog::Rejected, dialog->exec());
}

TEST_F(CertificateDialogTest, TheListButtonPutsThePickedCodeAndItsPercentage) {
    auto dialog = Open(1);
    Type(dialog.get(), "cod_indemn", "8");
    OnNextModal([](QWidget* list) {
        EXPECT_EQ("Lista codurilor de indemnizatie", list->windowTitle());
        QTest::keyClick(Find<DataListView>(list, "nomenclatureList"), Qt::Key_Down);  // 08 to 09
        QTest::keyClick(list, Qt::Key_F2);
    });
    Find<QPushButton>(dialog.get(), "indemnListButton")->click();
    EXPECT_EQ("9", Text(dialog.get(), "cod_indemn"));
    EXPECT_EQ("85", Text(dialog.get(), "percent"));
    EXPECT_TRUE(Text(dialog.get(), "indemnDescription").startsWith("Ingrijire copil bolnav"));
    EXPECT_EQ(0, Find<QLineEdit>(dialog.get(), "indemnDescription")->cursorPosition());
    EXPECT_TRUE(Shown(dialog.get(), "cnp_copil"));
}

// Code 9's description is longer than its field: it reads from its start,
// whether typed, picked or loaded.
TEST_F(CertificateDialogTest, ALongDescriptionShowsItsStart) {
    auto dialog = Open(1);
    auto* description = Find<QLineEdit>(dialog.get(), "indemnDescription");
    Type(dialog.get(), "cod_indemn", "9");
    ASSERT_TRUE(description->text().startsWith("Ingrijire copil bolnav"));
    ASSERT_GT(description->fontMetrics().horizontalAdvance(description->text()),
              description->width());
    EXPECT_EQ(0, description->cursorPosition());

    RunSql(
        "INSERT INTO concedii.concedii (`index`, id_declaratie, cf, cnp, nume, prenume, cas, "
        "cod_indemn, cod_urg) VALUES (60, 1, 12345674, 1800101221144, 'POPESCU', 'ION', "
        "'CAS_B', '6', '12')");
    auto stored = Open(1, 60);
    EXPECT_EQ(0, Find<QLineEdit>(stored.get(), "indemnDescription")->cursorPosition());
    EXPECT_EQ(0, Find<QLineEdit>(stored.get(), "urgDescription")->cursorPosition());
}

TEST_F(CertificateDialogTest, EscapeAsksBeforeThrowingAwayWhatWasTyped) {
    // Nothing typed: Esc closes as it always did.
    auto untouched = Open(1);
    QTest::keyClick(Find<QLineEdit>(untouched.get(), "cnp"), Qt::Key_Escape);
    EXPECT_FALSE(untouched->isVisible());
    EXPECT_EQ(QDialog::Rejected, untouched->result());

    auto dialog = Open(1);
    TypeValidLeave(dialog.get());
    m_prompter.ExpectQuestion(kDiscard, false);
    QTest::keyClick(Find<QLineEdit>(dialog.get(), "zi_bz_calc"), Qt::Key_Escape);
    ASSERT_TRUE(m_prompter.AllShown());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("1850505123457", Text(dialog.get(), "cnp"));
    EXPECT_EQ("42", Text(dialog.get(), "cert_numar"));
    EXPECT_EQ("122", Text(dialog.get(), "zi_bz_calc"));
    m_prompter.ExpectQuestion(kDiscard, true);
    Find<QPushButton>(dialog.get(), "cancelButton")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(QDialog::Rejected, dialog->result());
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM concedii.concedii"));

    // A choice made from the keyboard is typed too.
    auto chosen = Open(1);
    QTest::keyClick(Find<QComboBox>(chosen.get(), "loc_pres"), Qt::Key_Down);
    m_prompter.ExpectQuestion(kDiscard, true);
    QTest::keyClick(chosen.get(), Qt::Key_Escape);
    EXPECT_FALSE(chosen->isVisible());
}

TEST_F(CertificateDialogTest, ACertificateAlreadyInTheDeclarationIsAddedOnlyOnYes) {
    RunSql(
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, prenume, cas, cert_serie, "
        "cert_numar, cod_indemn) VALUES (1, 12345674, 1850505123457, 'IONESCU', 'DAN', 'CASHR', "
        "'CCMAE', '42', '1')");
    auto dialog = Open(1);
    TypeValidLeave(dialog.get());
    const char* const question =
        "Doresti sa adaugi certificatul CCMAE - 42.\n\nAcesta este deja introdus in "
        "declaratia curenta.";
    m_prompter.ExpectQuestion(question, false);
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ("42", Text(dialog.get(), "cert_numar"));
    EXPECT_EQ("2906", Text(dialog.get(), "baza_calc"));
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "cert_serie"), QApplication::focusWidget());
    EXPECT_EQ("3", SqlScalar("SELECT COUNT(*) FROM concedii.concedii"));
    m_prompter.ExpectQuestion(question, true);
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM concedii.concedii WHERE cert_numar='42'"));
}

TEST_F(CertificateDialogTest, AnMOrSEntryIsFilledFromTheCertificateItCorrects) {
    RunSql(
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, cas, "
        "cert_serie, cert_numar, cod_indemn, data_acordarii, data_inc, data_sf, loc_pres, "
        "zile_lucratoare, zile_lucrate, zile_prestatii, zile_prestatii_ang, "
        "zile_suportate_fnuass, suma_suportata_ang, suma_suportata_fnuass, baza_calc, "
        "zi_bz_calc, mzbci) VALUES (1, 12345674, 1800101221144, 2850101000010, 'POPESCU', "
        "'ION', 'CASAB', 'CCMAE', '77', '9', '2010-03-01', '2010-03-01', '2010-03-05', 2, 23, "
        "10, 5, 0, 5, 0, 101, 2906, 122, 23.8197)");
    // An initial declaration corrects nothing.
    auto initial = Open(1);
    EXPECT_FALSE(Shown(initial.get(), "correctedButton"));

    auto dialog = Open(2);
    EXPECT_FALSE(Shown(dialog.get(), "correctedButton")) << "an added certificate is new";
    auto* kind = Find<QComboBox>(dialog.get(), "tip_rectif");
    kind->setCurrentIndex(2);
    ASSERT_TRUE(Shown(dialog.get(), "correctedButton"));
    Type(dialog.get(), "cert_serie", "CCMAE");
    Type(dialog.get(), "cert_numar", "78");
    m_prompter.ExpectMessage(
        "Certificatul CCMAE - 78 nu exista intr-o declaratie anterioara din aceasta luna.");
    Find<QPushButton>(dialog.get(), "correctedButton")->click();
    EXPECT_EQ("", Text(dialog.get(), "cnp"));
    // The number is selected for typing again.
    ASSERT_EQ(Find<QLineEdit>(dialog.get(), "cert_numar"), QApplication::focusWidget());
    QTest::keyClicks(Find<QLineEdit>(dialog.get(), "cert_numar"), "77");
    Find<QPushButton>(dialog.get(), "correctedButton")->click();
    EXPECT_EQ(2, kind->currentIndex());
    EXPECT_EQ("1800101221144", Text(dialog.get(), "cnp"));
    EXPECT_EQ("POPESCU", Text(dialog.get(), "nume"));
    EXPECT_EQ("AB - Alba", Find<QComboBox>(dialog.get(), "cas")->currentText());
    EXPECT_EQ("2850101000010", Text(dialog.get(), "cnp_copil"));
    EXPECT_TRUE(Shown(dialog.get(), "cnp_copil"));
    EXPECT_EQ("85", Text(dialog.get(), "percent"));
    EXPECT_EQ(0, Find<QLineEdit>(dialog.get(), "indemnDescription")->cursorPosition());
    EXPECT_EQ("05", DatePart(dialog.get(), "data_sf", "day")->text());
    EXPECT_EQ("101", Text(dialog.get(), "suma_suportata_fnuass"));
    EXPECT_EQ("101", Text(dialog.get(), "sumaTotala"));

    // Everything stays editable: a changed end recomputes, and the entry saves.
    kind->setCurrentIndex(1);
    QLineEdit* endDay = DatePart(dialog.get(), "data_sf", "day");
    endDay->selectAll();
    QTest::keyClicks(endDay, "08");
    EXPECT_EQ("6", Text(dialog.get(), "zile_suportate_fnuass"));
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    ASSERT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_EQ("M|1800101221144|9|2010-03-08|6",
              SqlScalar("SELECT CONCAT_WS('|', tip_rectif, cnp, cod_indemn, data_sf, "
                        "zile_suportate_fnuass) FROM concedii.concedii WHERE `index`=" +
                        std::to_string(dialog->SavedKey())));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
