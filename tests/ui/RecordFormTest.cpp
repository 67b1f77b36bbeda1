// A form bound to a column table: limits, text rules, and the moves of a
// record in and out, for line edits, drop-downs and radio groups.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "db/CClient.h"
#include "health/CompanyRegister.h"
#include "ui/RecordForm.h"
#include "ui/CompanyDialog.h"

namespace {

struct Person {
    std::string nume, cnp, email, cas, activ;
};

std::span<const std::string_view> Houses() {
    static const std::string_view codes[] = {"CAS_B", "CAS_T", "CAS_A"};
    return codes;
}

std::span<const std::string_view> YesNo() {
    static const std::string_view codes[] = {"0", "1"};
    return codes;
}

const RecordColumn<Person> kPersonColumns[] = {
    {{.name = "nume", .maxLength = 5, .rule = TextRule::Upper}, &Person::nume},
    {{.name = "cnp", .maxLength = 13, .rule = TextRule::Digits}, &Person::cnp},
    {{.name = "email", .maxLength = 20, .rule = TextRule::Lower}, &Person::email},
    {{.name = "cas", .choices = Houses}, &Person::cas},
    {{.name = "activ", .choices = YesNo}, &Person::activ},
};

class PersonForm : public QWidget {
public:
    PersonForm() {
        for (const char* name : {"nume", "cnp", "email"}) (new QLineEdit(this))->setObjectName(name);
        auto* cas = new QComboBox(this);
        cas->setObjectName("cas");
        cas->addItems({"_B - Bucuresti", "_T - Transporturilor", "_A - opsnaj"});
        auto* group = new QButtonGroup(this);
        group->setObjectName("activ");
        group->addButton(new QRadioButton("nu", this));
        group->addButton(new QRadioButton("da", this));
        BindRecordFields<Person>(this, kPersonColumns);
    }
    QLineEdit* Edit(const char* name) { return findChild<QLineEdit*>(name); }
};

TEST(RecordForm, TheColumnTableSetsLimitsAndTextRules) {
    PersonForm form;
    form.show();
    QTest::keyClicks(form.Edit("nume"), "popescu");
    EXPECT_EQ("POPES", form.Edit("nume")->text());  // upper case, five at most
    QTest::keyClicks(form.Edit("cnp"), "18a0-01x01");
    EXPECT_EQ("1800101", form.Edit("cnp")->text());  // digits only
    QTest::keyClicks(form.Edit("email"), "Ion@Firma.RO");
    EXPECT_EQ("ion@firma.ro", form.Edit("email")->text());
}

TEST(RecordForm, ARecordGoesInAndComesBackOut) {
    PersonForm form;
    const Person shown{"ION", "1800101221144", "a@b.ro", "CAS_T", "1"};
    ShowRecord<Person>(&form, kPersonColumns, shown);
    EXPECT_EQ(1, form.findChild<QComboBox*>("cas")->currentIndex());
    const Person read = ReadRecord<Person>(&form, kPersonColumns);
    EXPECT_EQ(shown.nume, read.nume);
    EXPECT_EQ(shown.cnp, read.cnp);
    EXPECT_EQ(shown.email, read.email);
    EXPECT_EQ("CAS_T", read.cas);
    EXPECT_EQ("1", read.activ);

    // A code the drop-down does not list selects nothing and reads back empty,
    // so a check can refuse it instead of storing a neighbour's code.
    ShowRecord<Person>(&form, kPersonColumns, Person{"", "", "", "CASXX", "0"});
    EXPECT_EQ(-1, form.findChild<QComboBox*>("cas")->currentIndex());
    EXPECT_EQ("", ReadRecord<Person>(&form, kPersonColumns).cas);
    EXPECT_EQ("0", ReadRecord<Person>(&form, kPersonColumns).activ);
}

TEST(RecordForm, ColumnsWithoutAFieldKeepTheBaseValues) {
    QWidget empty;
    Person base{"X", "1", "e", "CAS_B", "1"};
    const Person read = ReadRecord<Person>(&empty, kPersonColumns, base);
    EXPECT_EQ("X", read.nume);
    EXPECT_EQ("CAS_B", read.cas);
}

TEST(RecordForm, EveryCompanyColumnHasItsFieldInTheCompanyForm) {
    // Never connected: the form asks its register nothing until it saves.
    ScriptedPrompter prompter;
    CClient client(prompter, ServerLogin{});
    CompanyRegister companies(client, CompanyPlace::Health);
    CompanyDialog dialog(companies, CompanyRecord{}, CompanyEdit::Adding());
    for (const auto& column : CompanyRegister::Columns()) {
        const QString name = QString::fromLatin1(column.spec.name.data(),
                                                 static_cast<qsizetype>(column.spec.name.size()));
        QObject* field = dialog.findChild<QWidget*>(name);
        if (!field) field = dialog.findChild<QButtonGroup*>(name);
        ASSERT_NE(nullptr, field) << name.toStdString();
        // A compact field takes its printed form's blanks before dropping them.
        if (auto* edit = qobject_cast<QLineEdit*>(field);
            edit && column.spec.rule != TextRule::Compact) {
            EXPECT_EQ(column.spec.maxLength, edit->maxLength()) << name.toStdString();
        }
    }
    // A new company starts in Bucharest, salaries paid in the same month.
    const CompanyRecord fresh = dialog.Record();
    EXPECT_EQ("MB", fresh.jud);
    EXPECT_EQ("0", fresh.lunaLic);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
