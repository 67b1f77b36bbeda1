// The medical-leave window and the declaration editor offscreen, on the test
// server.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "FormDriving.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "text/TextCodec.h"
#include "ui/ColourLabel.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/leave/DeclarationDialog.h"
#include "ui/leave/LeaveWindow.h"

namespace {

class LeaveWindowTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaAndBetaCompanies();
        m_window = std::make_unique<LeaveWindow>(*m_client);
        m_window->resize(900, 800);
        m_window->show();
        QApplication::processEvents();
    }
    static long long AddDeclaration(const char* cf, const char* month, int number) {
        RunSql(std::string("INSERT INTO concedii.declaratii (cf, luna, rectificativa, rectif_nr, "
                           "nr_ang, contributii_datorate, de_recuperat_anterior) VALUES (") +
               cf + ", " + month + ", '" + (number ? "DA" : "NU") + "', " + std::to_string(number) +
               ", 3, 100, 0)");
        return std::stoll(SqlScalar("SELECT MAX(`index`) FROM concedii.declaratii"));
    }
    static void AddCertificate(long long declaration, const char* cnp, const char* name,
                               const char* code) {
        RunSql(
            "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, nume, cod_indemn, "
            "suma_suportata_fnuass) VALUES (" +
            std::to_string(declaration) + ", 12345674, " + cnp + ", '" + name + "', '" + code +
            "', 40)");
    }
    void SelectCompany(const char* name) {
        DataListView* view = m_window->Companies()->View();
        for (int row = 0; row < view->RowCount(); ++row)
            if (view->CellText(row, "DENUMIRE") == name) view->SelectRow(row, true);
        QApplication::processEvents();
    }
    void SelectDeclaration(int row) {
        m_window->Declarations()->SelectRow(row, true);
        QApplication::processEvents();
    }
    std::string Column(DataListView* view, const char* column) {
        std::string cells;
        for (int row = 0; row < view->RowCount(); ++row) cells += view->CellText(row, column) + ";";
        return cells;
    }
    QString Summary(int line) {
        return Find<QLabel>(m_window.get(), QString("summaryLine%1").arg(line).toLatin1())->text();
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_window.get(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    // Types a month into the open editor and its figures over what it proposes.
    static void TypeDeclaration(QWidget* editor, const char* month, const char* year) {
        Type(editor, "monthField", month);
        Type(editor, "yearField", year);
        for (const auto& [field, text] : {std::pair{"nr_ang", "5"}, {"fond_de_salarii", "50000"}}) {
            Find<QLineEdit>(editor, field)->selectAll();
            Type(editor, field, text);
        }
    }

    std::unique_ptr<LeaveWindow> m_window;
};

TEST_F(LeaveWindowTest, TheListsFollowTheSelectedCompany) {
    const long long march = AddDeclaration("12345674", "201003", 0);
    AddDeclaration("12345674", "201003", 1);
    AddDeclaration("12345674", "201001", 0);
    AddCertificate(march, "2800203400121", "ZAMFIR", "9");
    AddCertificate(march, "1800101221144", "ALBU", "1");
    RunSql("UPDATE concedii.concedii SET cnp_copil=5100101000015 WHERE cod_indemn='9'");
    EXPECT_EQ("   --  nici o societate selectata --",
              FromQt(Find<ColourLabel>(m_window.get(), "currentCompanyLabel")->text()));

    SelectCompany("ALFA SRL");
    EXPECT_EQ("ALFA SRL", FromQt(Find<ColourLabel>(m_window.get(), "currentCompanyLabel")->text()));
    DataListView* declarations = m_window->Declarations();
    EXPECT_EQ("201001;201003;201003;", Column(declarations, "LUNA"));
    EXPECT_EQ("NU;NU;DA;", Column(declarations, "RECTIF"));
    EXPECT_EQ(";;1;", Column(declarations, "NR"));
    EXPECT_EQ(0, declarations->List().ColumnWidth(declarations->List().ColumnIndex("INDEX")));
    EXPECT_TRUE(Summary(0).isEmpty());

    SelectDeclaration(1);
    EXPECT_EQ("D. Numar de angajati: 3", Summary(0));
    EXPECT_EQ("J. Prestatii de suportat din FNUASS: 80", Summary(5));
    DataListView* certificates = m_window->Certificates();
    EXPECT_EQ("ALBU;ZAMFIR;", Column(certificates, "NUME"));
    EXPECT_EQ("0;5100101000015;", Column(certificates, "CNP_COPIL"));

    // The same company again reloads nothing; another one clears both lists.
    AddDeclaration("12345674", "201012", 0);
    SelectCompany("ALFA SRL");
    EXPECT_EQ(3, declarations->RowCount());
    SelectCompany("BETA SRL");
    EXPECT_EQ(0, declarations->RowCount());
    EXPECT_EQ(0, certificates->RowCount());
    EXPECT_TRUE(Summary(5).isEmpty());
}

TEST_F(LeaveWindowTest, CtrlF5AddsDeclarationsWhereTheirMonthBelongs) {
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a-i adauga o declaratie!");
    Press(Qt::Key_F5, Qt::ControlModifier);
    AddDeclaration("12345674", "201003", 0);
    AddDeclaration("12345674", "201005", 0);
    SelectCompany("ALFA SRL");

    OnNextModal([](QWidget* editor) {
        EXPECT_EQ("Adauga declaratie", editor->windowTitle());
        Type(editor, "monthField", "03");
        Type(editor, "yearField", "2010");
        EXPECT_EQ("3", Find<QLineEdit>(editor, "nr_ang")->text()) << "the initial one's";
        Find<QLineEdit>(editor, "monthField")->clear();
        Find<QLineEdit>(editor, "yearField")->clear();
        TypeDeclaration(editor, "03", "2010");
        EXPECT_EQ("rectificativa", Find<QLineEdit>(editor, "typeField")->text());
        EXPECT_EQ("1", Find<QLineEdit>(editor, "numberField")->text());
        EXPECT_EQ("600", Find<QLineEdit>(editor, "salariul_minim")->text());
        EXPECT_EQ("36000", Find<QLineEdit>(editor, "baseField")->text());
        EXPECT_EQ("306", Find<QLineEdit>(editor, "contributii_datorate")->text());
        QTest::keyClick(editor, Qt::Key_F5);
    });
    Press(Qt::Key_F5, Qt::ControlModifier);
    DataListView* declarations = m_window->Declarations();
    EXPECT_EQ("201003;201003;201005;", Column(declarations, "LUNA"));
    EXPECT_EQ("NU;DA;NU;", Column(declarations, "RECTIF"));
    EXPECT_EQ(1, declarations->NextSelectedRow(-1));
    EXPECT_EQ("D. Numar de angajati: 5", Summary(0));

    OnNextModal([](QWidget* editor) {
        TypeDeclaration(editor, "1", "2009");
        EXPECT_EQ("initiala", Find<QLineEdit>(editor, "typeField")->text());
        EXPECT_EQ("= baza de calcul x 0.85%",
                  Find<QLabel>(editor, "contributii_datorateNote")->text());
        QTest::keyClick(editor, Qt::Key_F5);
    });
    Press(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ("200901;201003;201003;201005;", Column(declarations, "LUNA"));
    EXPECT_EQ(0, declarations->NextSelectedRow(-1));
    EXPECT_EQ("NU", SqlScalar("SELECT rectificativa FROM concedii.declaratii WHERE luna=200901"));
}

TEST_F(LeaveWindowTest, TheEditorHelpsWithTheMonthAndAsksForAMissingWage) {
    DeclarationRegister declarations(*m_client);
    DeclarationDialog editor(declarations, "12345674", 0);
    editor.show();
    Type(&editor, "monthField", "05");
    Type(&editor, "yearField", "2010");
    auto* days = Find<QLineEdit>(&editor, "zile_lucratoare");
    EXPECT_EQ("20", days->text()) << "Whit Monday, 24 May 2010, is a holiday";
    EXPECT_TRUE(QToolTip::isVisible()) << "the free days pop up while adding";
    EXPECT_TRUE(days->toolTip().contains("2010-05-24")) << days->toolTip().toStdString();
    EXPECT_EQ(days->toolTip(), Find<QLabel>(&editor, "zile_lucratoareLabel")->toolTip());
    QToolTip::hideText();

    auto* wage = Find<QLineEdit>(&editor, "salariul_minim");
    EXPECT_TRUE(wage->isReadOnly());
    auto* year = Find<QLineEdit>(&editor, "yearField");
    year->clear();
    Type(&editor, "yearField", "2027");
    EXPECT_TRUE(wage->text().isEmpty()) << "no wage is known for 2027";
    EXPECT_FALSE(wage->isReadOnly());
    Type(&editor, "nr_ang", "2");
    Type(&editor, "salariul_minim", "5000");
    Type(&editor, "fond_de_salarii", "1000000");
    EXPECT_EQ("120000", Find<QLineEdit>(&editor, "baseField")->text());
    EXPECT_EQ("1020", Find<QLineEdit>(&editor, "contributii_datorate")->text());
    Type(&editor, "faambp", "1000");
    EXPECT_EQ("9", Find<QLineEdit>(&editor, "faambp_datorat")->text());
    EXPECT_EQ("1029", Find<QLineEdit>(&editor, "totalField")->text());

    m_prompter.ExpectMessage("Luna declaratiei este incorecta!");
    year->clear();
    Type(&editor, "yearField", "2005");
    QTest::keyClick(&editor, Qt::Key_F5);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ("= baza de calcul x 0.75%",
              Find<QLabel>(&editor, "contributii_datorateNote")->text());
}

TEST_F(LeaveWindowTest, ModifyKeepsTheMonthAndTheLockHoldsEarlierDeclarations) {
    const long long initial = AddDeclaration("12345674", "200603", 0);
    AddDeclaration("12345674", "200603", 1);
    SelectCompany("ALFA SRL");
    SelectDeclaration(0);
    OnNextModal([](QWidget* editor) {
        EXPECT_EQ("Modifica declaratie", editor->windowTitle());
        EXPECT_EQ("[F6]   Modifica", Find<QPushButton>(editor, "confirmButton")->text());
        EXPECT_FALSE(Find<QLineEdit>(editor, "monthField")->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(editor, "nr_ang")->isEnabled()) << "a 2006 declaration";
        EXPECT_EQ("initiala", Find<QLineEdit>(editor, "typeField")->text());
        EXPECT_EQ("0", Find<QLineEdit>(editor, "numberField")->text());
        Type(editor, "fond_de_salarii", "1000");
        QTest::keyClick(editor, Qt::Key_F6);
        // The lock message leaves the editor open; Esc closes it.
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    m_prompter.ExpectMessage(
        "Exista cel putin o alta declaratie rectificativa ulterioara acesteia, in aceeasi "
        "luna!\n\nNu poti modifica declaratia curenta.");
    m_prompter.ExpectQuestion(
        "Datele introduse nu au fost salvate.\n\nEsti sigur ca vrei sa renunti la ele?", true);
    Press(Qt::Key_F6, Qt::ControlModifier);

    // Without Ctrl the keys act on certificates of the declaration.
    m_prompter.ExpectMessage(
        "Exista cel putin o alta declaratie rectificativa ulterioara acesteia, in aceeasi "
        "luna!\n\nNu mai poti adauga concedii medicale.");
    Press(Qt::Key_F5);
    m_prompter.ExpectMessage("Trebuie sa selectezi un concediu pentru a-l sterge!");
    Press(Qt::Key_F8);
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM concedii.declaratii"));
    (void)initial;
}

TEST_F(LeaveWindowTest, DeletingDeclarationsAndCertificatesSelectsTheNextRow) {
    const long long last = AddDeclaration("12345674", "201003", 0);
    AddDeclaration("12345674", "201004", 0);
    AddCertificate(last, "1800101221144", "ALBU", "1");
    AddCertificate(last, "2800203400121", "BRAD", "1");
    SelectCompany("ALFA SRL");
    SelectDeclaration(0);
    m_window->Certificates()->SelectRow(0, true);
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi concediul selectat?", true);
    Press(Qt::Key_F8);
    EXPECT_EQ("BRAD;", Column(m_window->Certificates(), "NUME"));
    EXPECT_EQ(0, m_window->Certificates()->NextSelectedRow(-1));
    EXPECT_EQ("J. Prestatii de suportat din FNUASS: 40", Summary(5));
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM concedii.zlog_concedii"));

    m_prompter
        .ExpectQuestion(
            "Esti sigur ca vrei sa stergi declaratia selectata?\n\nATENTIE: vor fi "
            "sterse toate concediile atasate ei.",
            true)
        .ExpectQuestion("Sigur, sigur?", true);
    Press(Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ("201004;", Column(m_window->Declarations(), "LUNA"));
    EXPECT_EQ(0, m_window->Declarations()->NextSelectedRow(-1));
    EXPECT_EQ(0, m_window->Certificates()->RowCount());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM concedii.concedii"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
