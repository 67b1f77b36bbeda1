// The declaration editor's form on the test server: its fields named after
// the register's columns, the type a month decides, its keys and its order.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

#include "FormDriving.h"
#include "TestServer.h"
#include "leave/MonthWorkingDays.h"
#include "text/TextCodec.h"
#include "ui/leave/DeclarationDialog.h"

namespace {

const char* const kDiscard =
    "Datele introduse nu au fost salvate.\n\nEsti sigur ca vrei sa renunti la ele?";

class DeclarationDialogTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        m_declarations = std::make_unique<DeclarationRegister>(*m_client);
    }
    static long long AddDeclaration(const std::string& values) {
        RunSql(
            "INSERT INTO concedii.declaratii (cf, luna, rectificativa, rectif_nr, "
            "zile_lucratoare, nr_ang, salariul_minim, fond_de_salarii, contributii_datorate, "
            "faambp, faambp_datorat, de_recuperat_anterior) VALUES (" +
            values + ")");
        return std::stoll(SqlScalar("SELECT MAX(`index`) FROM concedii.declaratii"));
    }
    static std::string Stored(long long index, const char* column) {
        return SqlScalar(std::string("SELECT ") + column +
                         " FROM concedii.declaratii WHERE `index`=" + std::to_string(index));
    }
    static void TypeMonth(QWidget* editor, const char* month, const char* year) {
        for (const char* field : {"monthField", "yearField"})
            Find<QLineEdit>(editor, field)->clear();
        Type(editor, "monthField", month);
        Type(editor, "yearField", year);
    }
    static QString Text(QWidget* editor, const char* field) {
        return Find<QLineEdit>(editor, field)->text();
    }

    std::unique_ptr<DeclarationRegister> m_declarations;
};

// Two digits of month lead to the year; Enter and Tab then move on past the
// fields that only show what the month decided.
TEST_F(DeclarationDialogTest, TheKeyboardMovesOnThroughTheEditableFields) {
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto* month = Find<QLineEdit>(&editor, "monthField");
    auto* year = Find<QLineEdit>(&editor, "yearField");
    month->setFocus();
    QTest::keyClicks(month, "04");
    EXPECT_TRUE(year->hasFocus());
    QTest::keyClicks(year, "2010");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
        year->setFocus();
        QTest::keyClick(year, key);
        auto* next = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(nullptr, next) << key;
        EXPECT_NE(year, next);
        EXPECT_FALSE(next->isReadOnly()) << next->objectName().toStdString();
    }
}

TEST_F(DeclarationDialogTest, ANewDeclarationIsSavedAsItsMonthDecidedWhateverTheScreenSays) {
    AddDeclaration("12345674, 201003, 'NU', 0, 23, 3, 600, 30000, 255, 0, 0, 0");
    AddDeclaration("12345674, 201003, 'DA', 1, 23, 3, 600, 30000, 255, 0, 0, 0");
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    TypeMonth(&editor, "04", "2010");
    ASSERT_TRUE(editor.Type().has_value());
    EXPECT_FALSE(editor.Type()->rectifying);
    EXPECT_EQ("initiala", Text(&editor, "typeField"));

    // The month typed again decides again.
    TypeMonth(&editor, "03", "2010");
    ASSERT_TRUE(editor.Type().has_value());
    EXPECT_TRUE(editor.Type()->rectifying);
    EXPECT_EQ(2, editor.Type()->number);
    EXPECT_EQ("rectificativa", Text(&editor, "typeField"));
    EXPECT_EQ("2", Text(&editor, "numberField"));

    // What the type field shows is only shown: the decided type is saved.
    Find<QLineEdit>(&editor, "typeField")->setText("initiala");
    Find<QLineEdit>(&editor, "numberField")->setText("7");
    Type(&editor, "nr_ang", "3");
    Type(&editor, "fond_de_salarii", "30000");
    QTest::keyClick(&editor, Qt::Key_F5);
    ASSERT_EQ(QDialog::Accepted, editor.result());
    EXPECT_EQ("DA", Stored(editor.SavedKey(), "rectificativa"));
    EXPECT_EQ("2", Stored(editor.SavedKey(), "rectif_nr"));
    EXPECT_EQ("201003", Stored(editor.SavedKey(), "luna"));

    // A month without declarations gets an initial one, numbered 0.
    DeclarationDialog next(*m_declarations, "12345674", 0);
    next.show();
    TypeMonth(&next, "5", "2010");
    EXPECT_EQ("", Text(&next, "numberField"));
    Find<QLineEdit>(&next, "typeField")->setText("rectificativa");
    Type(&next, "nr_ang", "3");
    Type(&next, "fond_de_salarii", "30000");
    QTest::keyClick(&next, Qt::Key_F5);
    ASSERT_EQ(QDialog::Accepted, next.result());
    EXPECT_EQ("NU", Stored(next.SavedKey(), "rectificativa"));
    EXPECT_EQ("0", Stored(next.SavedKey(), "rectif_nr"));
    EXPECT_EQ("201005", Stored(next.SavedKey(), "luna"));
}

TEST_F(DeclarationDialogTest, ARectificationStartsFromTheDeclarationItCorrects) {
    AddDeclaration("12345674, 201003, 'NU', 0, 23, 3, 600, 30000, 255, 0, 0, 0");
    AddDeclaration("12345674, 201003, 'DA', 1, 23, 4, 600, 40000, 245, 1000, 9, 350");
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    TypeMonth(&editor, "03", "2010");
    EXPECT_EQ("2", Text(&editor, "numberField"));
    EXPECT_EQ("4", Text(&editor, "nr_ang"));
    EXPECT_EQ("40000", Text(&editor, "fond_de_salarii"));
    EXPECT_EQ("1000", Text(&editor, "faambp"));
    EXPECT_EQ("350", Text(&editor, "de_recuperat_anterior"));
    EXPECT_EQ("28800", Text(&editor, "baseField"));
    EXPECT_EQ("245", Text(&editor, "contributii_datorate"));
    EXPECT_EQ("9", Text(&editor, "faambp_datorat"));

    // Every figure stays editable.
    Find<QLineEdit>(&editor, "nr_ang")->selectAll();
    Type(&editor, "nr_ang", "5");
    EXPECT_EQ("306", Text(&editor, "contributii_datorate"));
    // Another month takes back what it proposed, never what was typed.
    TypeMonth(&editor, "04", "2010");
    EXPECT_EQ("initiala", Text(&editor, "typeField"));
    EXPECT_EQ("5", Text(&editor, "nr_ang"));
    EXPECT_EQ("", Text(&editor, "fond_de_salarii"));
    EXPECT_EQ("", Text(&editor, "de_recuperat_anterior"));
    TypeMonth(&editor, "03", "2010");
    EXPECT_EQ("5", Text(&editor, "nr_ang"));
    EXPECT_EQ("40000", Text(&editor, "fond_de_salarii"));

    QTest::keyClick(&editor, Qt::Key_F5);
    ASSERT_EQ(QDialog::Accepted, editor.result());
    EXPECT_EQ("2|5|40000|306|1000|9|350",
              SqlScalar("SELECT CONCAT_WS('|', rectif_nr, nr_ang, fond_de_salarii, "
                        "contributii_datorate, faambp, faambp_datorat, de_recuperat_anterior) "
                        "FROM concedii.declaratii WHERE `index`=" +
                        std::to_string(editor.SavedKey())));
}

// A month without a wage in force: the corrected declaration's wage is proposed.
TEST_F(DeclarationDialogTest, ARectificationTakesTheTypedWageWhenTheMonthHasNone) {
    AddDeclaration("12345674, 202705, 'NU', 0, 21, 4, 5000, 200000, 1700, 0, 0, 0");
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    TypeMonth(&editor, "05", "2027");
    EXPECT_EQ("5000", Text(&editor, "salariul_minim"));
    EXPECT_FALSE(Find<QLineEdit>(&editor, "salariul_minim")->isReadOnly());
    EXPECT_EQ("1700", Text(&editor, "contributii_datorate"));
}

TEST_F(DeclarationDialogTest, AMonthTypedWrongLeavesNoTypeAndTheSaveRefusesTheMonth) {
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    TypeMonth(&editor, "13", "2010");
    EXPECT_FALSE(editor.Type().has_value());
    EXPECT_EQ("", Text(&editor, "typeField"));
    m_prompter.ExpectMessage("Luna declaratiei este incorecta!");
    QTest::keyClick(&editor, Qt::Key_F5);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM concedii.declaratii"));
}

// No wage is in force in 2027: the stored one stays, and every column shows
// what the row holds.
TEST_F(DeclarationDialogTest, AStoredDeclarationShowsEachColumnInTheFieldOfItsNameAndKeepsItsType) {
    const auto days = LoadMonthWorkingDays(*m_client, "2027", "05");
    ASSERT_TRUE(days.has_value());
    AddDeclaration("12345674, 202705, 'NU', 0, 21, 4, 5000, 200000, 1700, 0, 0, 0");
    const long long index =
        AddDeclaration("12345674, 202705, 'DA', 2, " + std::to_string(days->count) +
                       ", 4, 5000, 200000, 1700, 1000, 9, 350");
    DeclarationDialog editor(*m_declarations, "12345674", index);
    editor.show();
    for (const auto& column : DeclarationRegister::Columns()) {
        const std::string name(column.spec.name);
        auto* field = editor.findChild<QLineEdit*>(ToQt(name));
        ASSERT_NE(nullptr, field) << name;
        EXPECT_EQ(Stored(index, name.c_str()), FromQt(field->text())) << name;
    }
    EXPECT_EQ("rectificativa", Text(&editor, "typeField"));
    EXPECT_EQ("2", Text(&editor, "numberField"));
    EXPECT_EQ("05", Text(&editor, "monthField"));
    EXPECT_EQ("2027", Text(&editor, "yearField"));
    EXPECT_FALSE(Find<QLineEdit>(&editor, "monthField")->isEnabled());

    auto* fund = Find<QLineEdit>(&editor, "fond_de_salarii");
    fund->selectAll();
    Type(&editor, "fond_de_salarii", "150000");
    Find<QLineEdit>(&editor, "typeField")->setText("initiala");
    QTest::keyClick(&editor, Qt::Key_F6);
    ASSERT_EQ(QDialog::Accepted, editor.result());
    EXPECT_EQ(index, editor.SavedKey());
    EXPECT_EQ("150000", Stored(index, "fond_de_salarii"));
    EXPECT_EQ("1275", Stored(index, "contributii_datorate"));
    EXPECT_EQ("DA", Stored(index, "rectificativa"));
    EXPECT_EQ("2", Stored(index, "rectif_nr"));
    EXPECT_EQ("350", Stored(index, "de_recuperat_anterior"));
}

TEST_F(DeclarationDialogTest, EscapeAndTheCancelButtonCloseWithoutWriting) {
    // Nothing typed: Esc closes without a question.
    DeclarationDialog untouched(*m_declarations, "12345674", 0);
    untouched.show();
    QTest::keyClick(Find<QLineEdit>(&untouched, "monthField"), Qt::Key_Escape);
    EXPECT_FALSE(untouched.isVisible());

    DeclarationDialog editor(*m_declarations, "12345674", 0);
    editor.show();
    EXPECT_EQ("[F5]   Adauga", Find<QPushButton>(&editor, "confirmButton")->text());
    EXPECT_EQ("[ESC]   Renunta", Find<QPushButton>(&editor, "cancelButton")->text());
    TypeMonth(&editor, "03", "2010");
    Type(&editor, "nr_ang", "3");
    Type(&editor, "fond_de_salarii", "30000");
    // Typed figures are not thrown away unasked; "Nu" keeps them in the editor.
    m_prompter.ExpectQuestion(kDiscard, false);
    QTest::keyClick(Find<QLineEdit>(&editor, "fond_de_salarii"), Qt::Key_Escape);
    ASSERT_TRUE(m_prompter.AllShown());
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ("30000", Text(&editor, "fond_de_salarii"));
    EXPECT_EQ("03", Text(&editor, "monthField"));
    m_prompter.ExpectQuestion(kDiscard, true);
    QTest::keyClick(Find<QLineEdit>(&editor, "fond_de_salarii"), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(QDialog::Rejected, editor.result());
    EXPECT_EQ("0", SqlScalar("SELECT COUNT(*) FROM concedii.declaratii"));

    const long long index =
        AddDeclaration("12345674, 201003, 'NU', 0, 23, 3, 600, 30000, 255, 0, 0, 0");
    DeclarationDialog stored(*m_declarations, "12345674", index);
    stored.show();
    EXPECT_EQ("[F6]   Modifica", Find<QPushButton>(&stored, "confirmButton")->text());
    // F5 is not the key of a modify.
    QTest::keyClick(&stored, Qt::Key_F5);
    EXPECT_TRUE(stored.isVisible());
    Find<QLineEdit>(&stored, "fond_de_salarii")->selectAll();
    Type(&stored, "fond_de_salarii", "99999");
    m_prompter.ExpectQuestion(kDiscard, true);
    Find<QPushButton>(&stored, "cancelButton")->click();
    EXPECT_FALSE(stored.isVisible());
    EXPECT_EQ(QDialog::Rejected, stored.result());
    EXPECT_EQ("30000", Stored(index, "fond_de_salarii"));
}

TEST_F(DeclarationDialogTest, TabFollowsTheFormTopToBottomThenTheButtons) {
    DeclarationDialog editor(*m_declarations, "12345674", 0);
    const std::vector<std::string> expected = {"monthField",      "yearField",
                                               "typeField",       "numberField",
                                               "zile_lucratoare", "salariul_minim",
                                               "nr_ang",          "fond_de_salarii",
                                               "baseField",       "contributii_datorate",
                                               "faambp",          "faambp_datorat",
                                               "totalField",      "de_recuperat_anterior",
                                               "confirmButton",   "cancelButton"};
    std::vector<std::string> chain;
    QWidget* start = Find<QLineEdit>(&editor, "monthField");
    QWidget* widget = start;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->window() == &editor)
            chain.push_back(widget->objectName().toStdString());
        widget = widget->nextInFocusChain();
    } while (widget != start && chain.size() <= expected.size());
    EXPECT_EQ(expected, chain);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
