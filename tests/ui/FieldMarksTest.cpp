// Fields marked while a form is typed, on the forms of the program.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <string>

#include "FormDriving.h"
#include "TestServer.h"
#include "ui/CompanyDialog.h"
#include "ui/FieldMarks.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/LiquidationDialog.h"
#include "ui/leave/CertificateDialog.h"
#include "ui/leave/DeclarationDialog.h"

namespace {

// A value each checked column refuses. A column that names a check must
// have one here, so no form can gain a check without a test of its mark.
const std::map<std::string, const char*> kRefused = {
    {"cf", "123"},          {"ziua_lic", "32"},         {"c1", "RO12"},
    {"sect", "9"},          {"cnp", "1234567890"},      {"intrare", "3102"},
    {"iesire", "31022020"}, {"changeDate", "3002"},     {"cnp_copil", "5100101000016"},
    {"cod_indemn", ""},     {"data_acordarii", "3102"}, {"data_inc", "310220"},
    {"nr_ang", "0"},        {"data_sf", "3102"},        {"reg_com", "J40/12A4/2003"},
};

QString StatusLine(QWidget* form) {
    auto* line = form->findChild<QLabel*>("fieldStatusLine");
    return line ? line->text() : QString();
}

// Types `text` into the field of `column` (a line edit or the parts of a
// date), then moves the focus out of it.
void TypeAndLeave(QWidget* form, const char* column, const char* text, QWidget* next) {
    if (auto* date = form->findChild<DateTriple*>(column)) {
        const std::string digits = text;
        const std::string parts[] = {digits.substr(0, 2),
                                     digits.substr(std::min<size_t>(2, digits.size()), 2),
                                     digits.size() > 4 ? digits.substr(4) : ""};
        const char* names[] = {"day", "month", "year"};
        for (int i = 0; i < 3; ++i) {
            auto* part = date->findChild<QLineEdit*>(names[i]);
            part->clear();
            part->setFocus();
            QTest::keyClicks(part, QString::fromStdString(parts[i]));
        }
    } else {
        // What the form put there first is replaced, as a user selects and types over it.
        auto* edit = Find<QLineEdit>(form, column);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    next->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
}

class FieldMarksTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_companies = std::make_unique<CompanyRegister>(*m_client, CompanyPlace::Health);
        m_insured = std::make_unique<InsuredRegister>(*m_client, "12345674");
        m_coInsured = std::make_unique<CoInsuredRegister>(*m_client, "12345674");
    }

    // Every column with a check of its own is watched, and the value it
    // refuses marks it with its message once typed and left.
    template <typename Record>
    void ExpectEveryCheckMarks(QDialog& form, std::span<const RecordColumn<Record>> columns,
                               QWidget* next) {
        form.show();
        QApplication::processEvents();
        int checked = 0;
        for (const auto& column : columns) {
            if (!column.check) continue;
            ++checked;
            const std::string name(column.spec.name);
            ASSERT_TRUE(IsFieldWatched(&form, name.c_str())) << name;
            if (!form.findChild<QWidget*>(name.c_str())->isVisibleTo(&form)) continue;
            const auto refused = kRefused.find(name);
            ASSERT_NE(kRefused.end(), refused) << "no refused value for " << name;
            TypeAndLeave(&form, name.c_str(), refused->second, next);
            EXPECT_FALSE(FieldMarkOf(&form, name.c_str()).isEmpty()) << name;
            EXPECT_EQ(FieldMarkOf(&form, name.c_str()), StatusLine(&form)) << name;
        }
        EXPECT_GT(checked, 0);
    }

    std::unique_ptr<CompanyRegister> m_companies;
    std::unique_ptr<InsuredRegister> m_insured;
    std::unique_ptr<CoInsuredRegister> m_coInsured;
};

TEST_F(FieldMarksTest, ACompanyCodeIsMarkedWhenLeftAndClearedWhenCorrected) {
    CompanyDialog form(*m_companies, CompanyRecord{}, CompanyEdit::Adding());
    form.show();
    QWidget* name = Find<QLineEdit>(&form, "denumire");
    // Nothing typed yet, nothing marked, even after passing through.
    Find<QLineEdit>(&form, "cf")->setFocus();
    name->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(FieldMarkOf(&form, "cf").isEmpty());
    EXPECT_TRUE(StatusLine(&form).isEmpty());

    TypeAndLeave(&form, "cf", "12345675", name);
    EXPECT_EQ("CUI-ul introdus este incorect!", FieldMarkOf(&form, "cf"));
    EXPECT_EQ("CUI-ul introdus este incorect!", Find<QLineEdit>(&form, "cf")->toolTip());
    EXPECT_EQ("CUI-ul introdus este incorect!", StatusLine(&form));
    EXPECT_FALSE(Find<QLineEdit>(&form, "cf")->styleSheet().isEmpty());

    // The last digit put right takes the mark away at once.
    auto* cf = Find<QLineEdit>(&form, "cf");
    cf->setFocus();
    QTest::keyClick(cf, Qt::Key_Backspace);
    QTest::keyClicks(cf, "4");
    EXPECT_TRUE(FieldMarkOf(&form, "cf").isEmpty());
    EXPECT_TRUE(cf->styleSheet().isEmpty());
    EXPECT_TRUE(StatusLine(&form).isEmpty());

    // Thirteen digits are a CNP, checked as soon as they are all there.
    cf->clear();
    QTest::keyClicks(cf, "1800101221145");
    EXPECT_EQ("CNP-ul introdus este incorect!", FieldMarkOf(&form, "cf"));
}

TEST_F(FieldMarksTest, TheSectorFollowsTheCountyAndTheSaveKeepsItsOrder) {
    CompanyDialog form(*m_companies, CompanyRecord{}, CompanyEdit::Adding());
    form.show();
    auto* county = Find<QComboBox>(&form, "jud");
    county->setCurrentIndex(county->findText("Bucuresti", Qt::MatchContains));
    QWidget* name = Find<QLineEdit>(&form, "denumire");
    TypeAndLeave(&form, "sect", "9", name);
    EXPECT_EQ("Sectorul introdus este incorect!", FieldMarkOf(&form, "sect"));
    TypeAndLeave(&form, "c1", "RO49AAAA1B31007593840000", name);
    EXPECT_TRUE(FieldMarkOf(&form, "c1").isEmpty()) << "a valid account is not marked";
    TypeAndLeave(&form, "ziua_lic", "40", name);
    EXPECT_EQ("Sectorul introdus este incorect!", FieldMarkOf(&form, "sect"));
    EXPECT_FALSE(FieldMarkOf(&form, "ziua_lic").isEmpty());

    // The save still answers with the first failing check of its order.
    Type(&form, "cf", "12345674");
    m_prompter.ExpectMessage(
        "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31.");
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_TRUE(form.isVisible());

    // Another county has no sectors: the mark goes with the choice.
    county->setCurrentIndex(county->findText("Cluj", Qt::MatchContains));
    QApplication::processEvents();
    EXPECT_TRUE(FieldMarkOf(&form, "sect").isEmpty());
}

TEST_F(FieldMarksTest, AFullCnpOrDateIsCheckedWithoutLeavingTheField) {
    InsuredDialog form(*m_insured, "ALFA SRL", InsuredRecord{}, InsuredEdit{});
    form.show();
    Type(&form, "cnp", "1800101221145");
    EXPECT_EQ("CNP-ul introdus este invalid!", FieldMarkOf(&form, "cnp"));
    TypeDate(&form, "intrare", "31", "02", "2020");
    EXPECT_EQ("Data angajarii introdusa este incorecta!", FieldMarkOf(&form, "intrare"));
    EXPECT_EQ("Data angajarii introdusa este incorecta!", StatusLine(&form));
    auto* day = Find<DateTriple>(&form, "intrare")->DayField();
    day->setFocus();
    day->selectAll();
    QTest::keyClicks(day, "29");
    EXPECT_TRUE(FieldMarkOf(&form, "intrare").isEmpty());
    EXPECT_EQ("CNP-ul introdus este invalid!", StatusLine(&form)) << "the CNP is still wrong";
}

TEST_F(FieldMarksTest, EveryCheckedColumnOfEveryFormGetsItsMark) {
    QLineEdit elsewhere;
    {
        CompanyDialog form(*m_companies, CompanyRecord{}, CompanyEdit::Adding());
        auto* county = Find<QComboBox>(&form, "jud");
        county->setCurrentIndex(county->findText("Bucuresti", Qt::MatchContains));
        ExpectEveryCheckMarks(form, CompanyRegister::Columns(), Find<QLineEdit>(&form, "denumire"));
    }
    {
        InsuredRecord liquidated;
        InsuredEdit edit{true, 1, "1800101221144", true};
        InsuredDialog form(*m_insured, "ALFA SRL", liquidated, edit);
        ExpectEveryCheckMarks(form, InsuredRegister::Columns(), Find<QLineEdit>(&form, "nume"));
    }
    {
        CoInsuredDialog form(*m_coInsured, *m_insured, "ALFA SRL", std::nullopt, CoInsuredRecord{},
                             CoInsuredEdit{});
        ExpectEveryCheckMarks(form, CoInsuredRegister::Columns(), Find<QLineEdit>(&form, "nume"));
    }
    {
        LiquidationDialog form(*m_insured, "ALFA SRL", std::nullopt);
        ExpectEveryCheckMarks(form, InsuredRegister::LiquidationColumns(),
                              Find<QPushButton>(&form, "cancelButton"));
    }
    {
        DeclarationRegister declarations(*m_client);
        DeclarationDialog form(declarations, "12345674", 0);
        ExpectEveryCheckMarks(form, DeclarationRegister::Columns(),
                              Find<QLineEdit>(&form, "fond_de_salarii"));
    }
    for (ChangeKind kind : {ChangeKind::Form, ChangeKind::House}) {
        InsuredRecord current;
        current.cnp = "1800101221144";
        current.intrare = "20200101";
        EmploymentChangeDialog form(kind, *m_insured, "ALFA SRL", 1, current);
        ExpectEveryCheckMarks(form, InsuredRegister::ChangeColumns(),
                              Find<QComboBox>(&form, "newCode"));
        EXPECT_EQ(kind == ChangeKind::House ? "Data schimbarii casei de asigurari este incorecta!"
                                            : "Data modificarii formei de angajare este incorecta!",
                  FieldMarkOf(&form, "changeDate").toStdString());
    }
}

TEST_F(FieldMarksTest, TheCertificateFormMarksItsCnpsDatesAndCode) {
    CertificateContext context;
    context.declaration.index = "1";
    context.declaration.cf = "12345674";
    context.declaration.luna = "201003";
    context.declaration.rectificativa = "NU";
    context.declaration.rectifNr = "0";
    context.declaration.zileLucratoare = "23";
    context.declaration.nrAng = "10";
    context.companyName = "ALFA SRL";
    CertificateEntry entry(*m_client, context);
    CertificateDialog form(entry, 0);
    form.show();
    Type(&form, "cod_indemn", "9");
    QApplication::processEvents();
    ExpectEveryCheckMarks(form, CertificateEntry::Columns(), Find<QLineEdit>(&form, "cert_serie"));
    // The code was emptied last: a child's CNP is no longer asked for.
    EXPECT_TRUE(FieldMarkOf(&form, "cnp_copil").isEmpty());
    EXPECT_EQ("Trebuie sa introduci un cod de indemnizatie!", FieldMarkOf(&form, "cod_indemn"));
    EXPECT_EQ("Data de sfarsit a concediului medical este incorecta!",
              FieldMarkOf(&form, "data_sf"));
    // The save still stops at the first check of its order.
    m_prompter.ExpectMessage("CNP-ul introdus este incorect!");
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_TRUE(form.isVisible());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
