// The hire/modify form and the liquidation form offscreen, on the test server.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "FormDriving.h"
#include "TestCompanies.h"
#include "TestServer.h"
#include "ui/DateTriple.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/LiquidationDialog.h"

namespace {

const char* const kCnp = "1800101221144";

class InsuredDialogsTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        AddAlfaCompany();
        m_insured = std::make_unique<InsuredRegister>(*m_client, "12345674");
    }
    void AddPerson(const char* cnp, const char* nume, long long iesire) {
        RunSql(std::string("INSERT INTO asigurati.asigurati (cf, cnp, cas, nume, prenume, intrare, "
                           "iesire, forma) VALUES (12345674, ") +
               cnp + ", 'CASHR', '" + nume + "', 'ION', 20200115, " + std::to_string(iesire) +
               ", 'CM')");
    }
    std::unique_ptr<InsuredRegister> m_insured;
};

TEST_F(InsuredDialogsTest, AHireIsTypedWithTheFieldRulesAndSavedWithF5) {
    InsuredDialog dialog(*m_insured, "ALFA SRL", InsuredRecord{}, InsuredEdit{});
    dialog.show();
    EXPECT_EQ("Adauga un asigurat", dialog.windowTitle());
    EXPECT_EQ("[F5]   Adauga", Find<QPushButton>(&dialog, "confirmButton")->text());
    auto* cas = Find<QComboBox>(&dialog, "cas");
    EXPECT_EQ("_B - Bucuresti", cas->currentText());
    EXPECT_EQ("HR - Harghita", cas->itemText(23));
    EXPECT_EQ("S - salariat", Find<QComboBox>(&dialog, "forma")->currentText());
    EXPECT_TRUE(Find<DateTriple>(&dialog, "iesire")->isHidden());
    EXPECT_TRUE(Find<QLabel>(&dialog, "reopenNote")->isHidden());

    Type(&dialog, "nume", "popescu");
    Type(&dialog, "prenume", "ion");
    Type(&dialog, "cnp", "18001o01221144x");
    EXPECT_EQ(kCnp, Find<QLineEdit>(&dialog, "cnp")->text().toStdString());
    TypeDate(&dialog, "intrare", "3", "2", "2024");
    cas->setCurrentIndex(23);
    QTest::keyClick(&dialog, Qt::Key_F5);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("CASHR|POPESCU|ION|20240203|0|S",
              SqlScalar("SELECT CONCAT_WS('|', cas, nume, prenume, intrare, iesire, forma) FROM "
                        "asigurati.asigurati WHERE `index`=" +
                        std::to_string(dialog.SavedKey())));
}

TEST_F(InsuredDialogsTest, ARefusedDateTakesTheCaretAndEscapeCancels) {
    InsuredDialog dialog(*m_insured, "ALFA SRL", InsuredRecord{}, InsuredEdit{});
    dialog.show();
    Type(&dialog, "nume", "popescu");
    Type(&dialog, "prenume", "ion");
    Type(&dialog, "cnp", kCnp);
    TypeDate(&dialog, "intrare", "30", "2", "2024");
    m_prompter.ExpectMessage("Data angajarii introdusa este incorecta!");
    QTest::mouseClick(Find<QPushButton>(&dialog, "confirmButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(Find<DateTriple>(&dialog, "intrare")->DayField(), QApplication::focusWidget());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
}

TEST_F(InsuredDialogsTest, ALiquidatedRecordShowsItsDateAndEmptyingItReopensTheRecord) {
    AddPerson(kCnp, "POPESCU", 20230331);
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.asigurati"));
    auto loaded = m_insured->Load(index);
    ASSERT_TRUE(loaded);
    InsuredDialog dialog(*m_insured, "ALFA SRL", loaded->record, loaded->edit);
    dialog.show();
    EXPECT_EQ("Modifica un asigurat", dialog.windowTitle());
    EXPECT_EQ("HR - Harghita", Find<QComboBox>(&dialog, "cas")->currentText());
    EXPECT_EQ("CM - concediu medical", Find<QComboBox>(&dialog, "forma")->currentText());
    auto* iesire = Find<DateTriple>(&dialog, "iesire");
    EXPECT_FALSE(iesire->isHidden());
    EXPECT_EQ("20230331", iesire->Compact());
    iesire->Clear();
    QTest::keyClick(&dialog, Qt::Key_F5);  // F5 only adds
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("0", SqlScalar("SELECT iesire FROM asigurati.asigurati"));
}

TEST_F(InsuredDialogsTest, TheLiquidationCnpCompletesAndBackspaceOnlyEmptiesThePerson) {
    AddPerson(kCnp, "POPESCU", 0);
    AddPerson("1800202000006", "GONE", 20210101);
    LiquidationDialog dialog(*m_insured, "ALFA SRL", std::nullopt);
    dialog.show();
    auto* cnp = Find<QLineEdit>(&dialog, "cnp");
    cnp->setFocus();
    QTest::keyClicks(cnp, "O'B%");  // letters and signs never reach the look-up
    EXPECT_EQ("", cnp->text());
    QTest::keyClicks(cnp, "180");
    EXPECT_EQ(kCnp, cnp->text().toStdString());
    EXPECT_EQ("0101221144", cnp->selectedText().toStdString());
    EXPECT_EQ("POPESCU", Find<QLineEdit>(&dialog, "nume")->text());
    EXPECT_EQ("CM - concediu medical", Find<QLineEdit>(&dialog, "formaText")->text());
    EXPECT_EQ("20200115", Find<DateTriple>(&dialog, "intrare")->Compact());
    EXPECT_EQ("HG - Harghita", Find<QComboBox>(&dialog, "cas")->currentText());

    QTest::keyClick(cnp, Qt::Key_Backspace);
    EXPECT_EQ("180", cnp->text());
    EXPECT_EQ("", Find<QLineEdit>(&dialog, "nume")->text());
    EXPECT_EQ("0000", Find<DateTriple>(&dialog, "intrare")->Compact());

    QTest::keyClicks(cnp, "0");
    EXPECT_EQ(kCnp, cnp->text().toStdString());
    TypeDate(&dialog, "iesire", "15", "1", "2020");
    m_prompter.ExpectMessage("Data lichidarii trebuie sa fie mai recenta decat data angajarii!");
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_TRUE(dialog.isVisible());
    Find<DateTriple>(&dialog, "iesire")->Clear();
    TypeDate(&dialog, "iesire", "16", "1", "2020");
    QTest::keyClick(&dialog, Qt::Key_F6);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("20200116", SqlScalar("SELECT iesire FROM asigurati.asigurati WHERE cnp=" +
                                    std::string(kCnp)));
}

TEST_F(InsuredDialogsTest, AGivenPersonIsLiquidatedFromTheDayField) {
    AddPerson(kCnp, "POPESCU", 0);
    auto loaded = m_insured->Load(std::stoll(SqlScalar("SELECT `index` FROM asigurati.asigurati")));
    ASSERT_TRUE(loaded);
    LiquidationDialog dialog(*m_insured, "ALFA SRL", loaded->record);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(Find<QLineEdit>(&dialog, "cnp")->isReadOnly());
    EXPECT_EQ(Find<DateTriple>(&dialog, "iesire")->DayField(), QApplication::focusWidget());
    EXPECT_EQ("POPESCU", Find<QLineEdit>(&dialog, "nume")->text());
    EXPECT_EQ("[F6]   Lichideaza", Find<QPushButton>(&dialog, "confirmButton")->text());
}

TEST_F(InsuredDialogsTest, TheFormChangeNeverOffersTheCurrentForm) {
    AddPerson(kCnp, "POPESCU", 0);
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.asigurati"));
    auto loaded = m_insured->Load(index);
    ASSERT_TRUE(loaded);
    EmploymentChangeDialog dialog(ChangeKind::Form, *m_insured, "ALFA SRL", index,
                                  loaded->record);
    dialog.show();
    EXPECT_EQ("Modifica forma de angajare", dialog.windowTitle());
    auto* forms = Find<QComboBox>(&dialog, "newCode");
    ASSERT_EQ(7, forms->count());
    for (int i = 0; i < forms->count(); ++i)
        EXPECT_NE("CM - concediu medical", forms->itemText(i));
    EXPECT_EQ("S - salariat", forms->currentText());
    forms->setCurrentIndex(1);  // "AM - accident de munca"
    TypeDate(&dialog, "changeDate", "1", "4", "2020");
    QTest::keyClick(&dialog, Qt::Key_F8);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("CM/20200331 AM/0",
              SqlScalar("SELECT GROUP_CONCAT(CONCAT_WS('/', forma, iesire) ORDER BY `index` "
                        "SEPARATOR ' ') FROM asigurati.asigurati"));
    EXPECT_EQ(SqlScalar("SELECT MAX(`index`) FROM asigurati.asigurati"),
              std::to_string(dialog.NewKey()));
}

TEST_F(InsuredDialogsTest, TheHouseChangeWaitsForAHouse) {
    AddPerson(kCnp, "POPESCU", 0);
    const long long index = std::stoll(SqlScalar("SELECT `index` FROM asigurati.asigurati"));
    auto loaded = m_insured->Load(index);
    ASSERT_TRUE(loaded);
    EmploymentChangeDialog dialog(ChangeKind::House, *m_insured, "ALFA SRL", index,
                                  loaded->record);
    dialog.show();
    EXPECT_EQ("Schimba casa de asigurare", dialog.windowTitle());
    EXPECT_EQ("[F9]   Schimba", Find<QPushButton>(&dialog, "confirmButton")->text());
    auto* houses = Find<QComboBox>(&dialog, "newCode");
    EXPECT_EQ(-1, houses->currentIndex());
    TypeDate(&dialog, "changeDate", "1", "4", "2020");
    QTest::keyClick(&dialog, Qt::Key_F9);  // no house yet: nothing happens
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ("1", SqlScalar("SELECT COUNT(*) FROM asigurati.asigurati"));
    houses->setCurrentIndex(3);  // "AB - Alba"
    QTest::keyClick(&dialog, Qt::Key_F9);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("CASHR/20200331 CASAB/0",
              SqlScalar("SELECT GROUP_CONCAT(CONCAT_WS('/', cas, iesire) ORDER BY `index` "
                        "SEPARATOR ' ') FROM asigurati.asigurati"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
