// The company form, list and health window offscreen, on the test server.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FormDriving.h"
#include "TestServer.h"
#include "ui/CompanyDialog.h"
#include "ui/CompanyList.h"
#include "ui/DataListView.h"
#include "ui/FieldMarks.h"
#include "ui/health/HealthWindow.h"

namespace {

class CompanyWindowsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_companies = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Health);
    }
    std::unique_ptr<CompanyDialog> AddForm() {
        return std::make_unique<CompanyDialog>(*m_companies, CompanyRecord{},
                                               CompanyEdit::Adding());
    }
    static void FillValidCompany(QWidget* form) {
        Type(form, "denumire", "alfa srl");
        Type(form, "cf", "12345674");
        Type(form, "ziua_lic", "15");
        Type(form, "sect", "2");
    }
    void AddCompanyRow(const char* cf, const char* name) {
        RunSql(std::string("INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud, sect) "
                           "VALUES (") +
               cf + ", '" + name + "', '10', 'MB', 1)");
    }

    std::unique_ptr<CompanyRegister> m_companies;
};

TEST_F(CompanyWindowsTest, TypingFollowsTheFieldRulesAndF5Saves) {
    auto form = AddForm();
    CompanyDialog& dialog = *form;
    dialog.show();
    EXPECT_EQ("Adauga societate", dialog.windowTitle());
    Type(&dialog, "cf", "12a34-5674xyz");  // letters and signs are not taken
    EXPECT_EQ("12345674", Find<QLineEdit>(&dialog, "cf")->text());
    Type(&dialog, "denumire", "alfa srl");
    EXPECT_EQ("ALFA SRL", Find<QLineEdit>(&dialog, "denumire")->text());
    Type(&dialog, "email", "Birou@Alfa.RO");
    EXPECT_EQ("birou@alfa.ro", Find<QLineEdit>(&dialog, "email")->text());
    Type(&dialog, "ziua_lic", "157");  // two characters at most
    EXPECT_EQ("15", Find<QLineEdit>(&dialog, "ziua_lic")->text());
    Type(&dialog, "sect", "4");
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("ALFA SRL|MB|4|birou@alfa.ro",
              SqlScalar("SELECT CONCAT_WS('|', denumire, jud, sect, email) FROM "
                        "asigurati.societati WHERE cf=12345674"));
}

TEST_F(CompanyWindowsTest, SectorFieldFollowsTheCountyAndEscapeCancels) {
    auto form = AddForm();
    CompanyDialog& dialog = *form;
    dialog.show();
    auto* county = Find<QComboBox>(&dialog, "jud");
    auto* sector = Find<QLineEdit>(&dialog, "sect");
    EXPECT_EQ("BUCURESTI", county->currentText());
    EXPECT_TRUE(sector->isEnabled());
    county->setCurrentIndex(0);
    EXPECT_FALSE(sector->isEnabled());
    county->setCurrentIndex(9);
    EXPECT_TRUE(sector->isEnabled());
    FillValidCompany(&dialog);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
}

TEST_F(CompanyWindowsTest, AFailedCheckKeepsTheFormOpenWithItsValues) {
    auto form = AddForm();
    CompanyDialog& dialog = *form;
    dialog.show();
    FillValidCompany(&dialog);
    Find<QLineEdit>(&dialog, "ziua_lic")->setText("32");
    m_prompter.ExpectMessage(
        "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31.");
    QTest::mouseClick(Find<QPushButton>(&dialog, "confirmButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ("ALFA SRL", Find<QLineEdit>(&dialog, "denumire")->text());
}

TEST_F(CompanyWindowsTest, ModifyFormIsFilledAndConfirmedWithF6) {
    AddCompanyRow("12345674", "ALFA SRL");
    RunSql("UPDATE asigurati.societati SET jud='AB', sect=0");
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.societati"));
    const auto record = m_companies->Load(index);
    ASSERT_TRUE(record);
    CompanyDialog dialog(*m_companies, *record, CompanyEdit::Modifying(index, *record));
    dialog.show();
    EXPECT_EQ("Modifica societate", dialog.windowTitle());
    EXPECT_EQ("[F6]   Modifica", Find<QPushButton>(&dialog, "confirmButton")->text());
    EXPECT_EQ("ALBA", Find<QComboBox>(&dialog, "jud")->currentText());
    EXPECT_FALSE(Find<QLineEdit>(&dialog, "sect")->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_F5);  // F5 only adds
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
}

TEST_F(CompanyWindowsTest, ListAddsSelectsAndDeletesRows) {
    AddCompanyRow("23456783", "BETA SRL");
    CompanyList list(*m_companies);
    list.show();
    DataListView* view = list.View();
    ASSERT_EQ(1, view->RowCount());
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a o modifica!");
    QTest::mouseClick(Find<QPushButton>(&list, "modifyCompanyButton"), Qt::LeftButton);
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a o sterge!");
    QTest::mouseClick(Find<QPushButton>(&list, "deleteCompanyButton"), Qt::LeftButton);

    QTimer::singleShot(0, [] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, form);
        FillValidCompany(form);
        QTest::keyClick(form, Qt::Key_F5);
    });
    QTest::mouseClick(Find<QPushButton>(&list, "addCompanyButton"), Qt::LeftButton);
    ASSERT_EQ(2, view->RowCount());
    EXPECT_EQ(1, list.SelectedRow());
    EXPECT_EQ("12345674", list.SelectedCode());
    EXPECT_EQ("ALFA SRL", list.SelectedName());
    EXPECT_EQ(SqlScalar("SELECT `index` FROM asigurati.societati WHERE cf=12345674"),
              view->CellText(1, "INDEX"));

    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi societatea selectata?", true);
    QTest::mouseClick(Find<QPushButton>(&list, "deleteCompanyButton"), Qt::LeftButton);
    ASSERT_EQ(1, view->RowCount());
    EXPECT_EQ(0, list.SelectedRow());  // the last row was deleted: the new last is selected
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati WHERE cf=12345674"));
}

TEST_F(CompanyWindowsTest, HealthWindowShowsTheCurrentCompanyAndItsCounters) {
    AddCompanyRow("23456783", "BETA SRL");
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES "
        "(23456783, 1, 'CAS_B', 0), (23456783, 2, 'CASAB', 20250101)");
    HealthWindow window(*m_client);
    window.show();
    auto* current = Find<QWidget>(&window, "currentCompanyLabel");
    EXPECT_EQ("   --  nici o societate selectata --", current->property("text").toString());
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a adauga un asigurat!");
    QTest::keyClick(&window, Qt::Key_F5);
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a adauga un coasigurat!");
    QTest::keyClick(&window, Qt::Key_F5, Qt::ControlModifier);
    m_prompter.ExpectMessage("Trebuie sa selectezi o societate pentru a lichida un asigurat!");
    QTest::keyClick(&window, Qt::Key_F6);
    m_prompter.ExpectMessage(
        "Trebuie sa selectezi o societate pentru a-i afisa lista de asigurati!");
    QTest::keyClick(window.Companies()->View(), Qt::Key_F9);  // from the list, as users press it

    window.Companies()->View()->SelectRow(0, true);
    QApplication::processEvents();
    EXPECT_EQ("BETA SRL", current->property("text").toString());
    EXPECT_EQ("1", Find<QLabel>(&window, "housesCounter")->text());
    EXPECT_EQ("1", Find<QLabel>(&window, "existingCounter")->text());
    EXPECT_EQ("1", Find<QLabel>(&window, "liquidatedCounter")->text());
    EXPECT_EQ("0", Find<QLabel>(&window, "coInsuredCounter")->text());
    // A company is selected: F5 opens the hire form for it, with no message.
    QString title;
    QTimer::singleShot(0, [&title] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, form);
        title = form->windowTitle();
        QTest::keyClick(form, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ("Adauga un asigurat", title);
}

TEST_F(CompanyWindowsTest, ARefusedFieldTakesTheCaret) {
    auto form = AddForm();
    form->show();
    FillValidCompany(form.get());
    Type(form.get(), "c1", "RO00BAD");
    m_prompter.ExpectMessage("Contul bancar introdus este incorect!");
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(form->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(Find<QLineEdit>(form.get(), "c1"), QApplication::focusWidget());
    EXPECT_EQ("RO00BAD", Find<QLineEdit>(form.get(), "c1")->selectedText());
}

// Its order number and year go into numeric fields of the declaration files.
TEST_F(CompanyWindowsTest, ARegistryNumberWithTextInItsNumbersIsMarkedAndRefused) {
    auto form = AddForm();
    form->show();
    QApplication::processEvents();
    FillValidCompany(form.get());
    EXPECT_EQ("(Nume Prenume)", Find<QLabel>(form.get(), "reprHint")->text());
    Type(form.get(), "reg_com", "j12/1'2\\3/2021");
    Find<QLineEdit>(form.get(), "denumire")->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    const QString message = CompanyMessages::kRegistryNumberInvalid;
    EXPECT_EQ(message, FieldMarkOf(form.get(), "reg_com"));
    m_prompter.ExpectMessage(CompanyMessages::kRegistryNumberInvalid);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(form->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(Find<QLineEdit>(form.get(), "reg_com"), QApplication::focusWidget());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.societati"));
    // Corrected, the mark goes and the company is saved; empty is allowed too.
    auto* registry = Find<QLineEdit>(form.get(), "reg_com");
    registry->selectAll();
    QTest::keyClicks(registry, "j12/345/2005");
    EXPECT_EQ("", FieldMarkOf(form.get(), "reg_com"));
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, form->result());
    EXPECT_EQ("J12/345/2005", SqlScalar("SELECT reg_com FROM asigurati.societati"));
    auto empty = AddForm();
    empty->show();
    Type(empty.get(), "cf", "23456783");
    Type(empty.get(), "ziua_lic", "15");
    Type(empty.get(), "sect", "2");
    QTest::keyClick(empty.get(), Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, empty->result());
}

// A modify form opened on an old company whose registry number was never typed.
TEST_F(CompanyWindowsTest, AStoredBadRegistryNumberIsMarkedAtSave) {
    AddCompanyRow("12345674", "ALFA SRL");
    RunSql("UPDATE asigurati.societati SET reg_com='J40/12A4/2003'");
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.societati"));
    const auto record = m_companies->Load(index);
    ASSERT_TRUE(record);
    CompanyDialog dialog(*m_companies, *record, CompanyEdit::Modifying(index, *record));
    dialog.show();
    EXPECT_EQ("", FieldMarkOf(&dialog, "reg_com"));
    m_prompter.ExpectMessage(CompanyMessages::kRegistryNumberInvalid);
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QString(CompanyMessages::kRegistryNumberInvalid), FieldMarkOf(&dialog, "reg_com"));
}

TEST_F(CompanyWindowsTest, ADuplicateCodeIsMarkedLikeAnInvalidOneUntilItChanges) {
    AddCompanyRow("12345674", "ALFA SRL");
    auto form = AddForm();
    form->show();
    QApplication::processEvents();
    FillValidCompany(form.get());
    const QString duplicate = "CUI-ul/CNP-ul introdus exista deja inregistrat un baza de date!";
    m_prompter.ExpectMessage(duplicate.toStdString());
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(duplicate, FieldMarkOf(form.get(), "cf"));
    EXPECT_EQ(duplicate, Find<QLineEdit>(form.get(), "cf")->toolTip());
    auto* status = Find<QLabel>(form.get(), "fieldStatusLine");
    ASSERT_NE(nullptr, status);
    EXPECT_EQ(duplicate, status->text());
    // Leaving the field unchanged keeps the mark: the code is still taken.
    Find<QLineEdit>(form.get(), "denumire")->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(duplicate, FieldMarkOf(form.get(), "cf"));
    // Another valid code takes the mark away.
    auto* code = Find<QLineEdit>(form.get(), "cf");
    code->setFocus();
    code->selectAll();
    QTest::keyClicks(code, "23456783");
    EXPECT_EQ("", FieldMarkOf(form.get(), "cf"));
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, form->result());
}

TEST_F(CompanyWindowsTest, AfterADeleteTheLineAndCountersFollowTheNewlySelectedCompany) {
    AddCompanyRow("12345674", "ALFA SRL");
    AddCompanyRow("23456783", "BETA SRL");
    AddCompanyRow("1800101221144", "GAMA PFA");
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cnp, cas, iesire) VALUES "
        "(1800101221144, 5, 'CAS_B', 0), (1800101221144, 6, 'CASAB', 0)");
    HealthWindow window(*m_client);
    window.show();
    DataListView* view = window.Companies()->View();
    view->SelectRow(1, true);
    QApplication::processEvents();
    auto* current = Find<QWidget>(&window, "currentCompanyLabel");
    ASSERT_EQ("BETA SRL", current->property("text").toString());
    m_prompter.ExpectQuestion("Esti sigur ca vrei sa stergi societatea selectata?", true);
    QTest::mouseClick(Find<QPushButton>(&window, "deleteCompanyButton"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(1, window.Companies()->SelectedRow());
    EXPECT_EQ("GAMA PFA", current->property("text").toString());
    EXPECT_EQ("2", Find<QLabel>(&window, "existingCounter")->text());
    EXPECT_EQ("2", Find<QLabel>(&window, "housesCounter")->text());
}

TEST_F(CompanyWindowsTest, AHeaderClickSortsTheCompaniesAndTheSelectionStays) {
    AddCompanyRow("23456783", "BETA SRL");
    AddCompanyRow("12345674", "ALFA SRL");
    HealthWindow window(*m_client);
    window.show();
    DataListView* view = window.Companies()->View();
    view->SelectRow(0, true);
    QApplication::processEvents();
    view->ClickHeader(view->ColumnIndex("DENUMIRE"), false);
    QApplication::processEvents();
    EXPECT_EQ("ALFA SRL", view->CellText(0, "DENUMIRE"));
    EXPECT_EQ("BETA SRL", window.Companies()->SelectedName());
    EXPECT_EQ("BETA SRL",
              Find<QWidget>(&window, "currentCompanyLabel")->property("text").toString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
