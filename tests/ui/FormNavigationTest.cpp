#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "ui/AmountEdit.h"
#include "ui/DateTriple.h"
#include "ui/FormNavigation.h"

namespace {

// A small form: two edits, a combo box, a check box and a push button.
class FormNavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form);
        for (QWidget* w : std::initializer_list<QWidget*>{first, second, combo, check, button})
            layout->addWidget(w);
        combo->addItems({"a", "b", "c"});
        first->setText("abc");
        FormNavigation::Install(&form);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form) || QTest::qWaitForWindowExposed(&form));
        first->setFocus();
    }
    QDialog form;
    QLineEdit* first = new QLineEdit;
    AmountEdit* second = new AmountEdit;
    QComboBox* combo = new QComboBox;
    QCheckBox* check = new QCheckBox("x");
    QPushButton* button = new QPushButton("ok");
};

TEST_F(FormNavigationTest, EditFieldsLeaveOnlyFromTheirEnds) {
    first->setCursorPosition(1);
    QTest::keyClick(first, Qt::Key_Right);  // inside the text: caret moves
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(first->cursorPosition(), 2);
    first->setCursorPosition(3);
    QTest::keyClick(first, Qt::Key_Right);
    EXPECT_TRUE(second->hasFocus());
    second->setCursorPosition(0);
    second->deselect();
    QTest::keyClick(second, Qt::Key_Left);
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());
    QTest::keyClick(second, Qt::Key_Down);
    EXPECT_TRUE(combo->hasFocus());
}

// A field that only shows a value is in neither chain, forwards or back.
TEST_F(FormNavigationTest, EnterAndTabPassOverReadOnlyFields) {
    second->setReadOnly(true);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(combo->hasFocus());
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(first->hasFocus());
    // Editable again, it is back in both chains.
    second->setReadOnly(false);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
}

// Both choices of a pair of radio buttons can be made by keyboard.
TEST(FormNavigationRadios, ArrowsChooseAndEnterMovesOn) {
    QDialog form;
    auto* layout = new QVBoxLayout(&form);
    auto* row = new QHBoxLayout;  // side by side, as in the company form
    auto* same = new QRadioButton("a aceleiasi luni");
    auto* next = new QRadioButton("a lunii urmatoare");
    auto* after = new QLineEdit;
    row->addWidget(same);
    row->addWidget(next);
    layout->addLayout(row);
    layout->addWidget(after);
    same->setChecked(true);
    FormNavigation::Install(&form);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    same->setFocus();
    QTest::keyClick(same, Qt::Key_Right);
    EXPECT_TRUE(next->isChecked());
    EXPECT_TRUE(next->hasFocus());
    QTest::keyClick(next, Qt::Key_Left);
    EXPECT_TRUE(same->isChecked());
    QTest::keyClick(same, Qt::Key_Right);
    ASSERT_TRUE(next->isChecked());
    QTest::keyClick(next, Qt::Key_Return);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_TRUE(next->isChecked());
}

// A button Enter must not press by accident is left to Tab.
TEST_F(FormNavigationTest, EnterPassesOverTheButtonsItIsToldTo) {
    auto* navigation = form.findChild<FormNavigation*>();
    ASSERT_NE(nullptr, navigation);
    navigation->PassOverOnEnter({check, combo});
    QSignalSpy pressed(button, &QPushButton::clicked);
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(0, pressed.count());
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_TRUE(combo->hasFocus());
}

TEST_F(FormNavigationTest, ComboBoxesAndButtons) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);  // changes the choice, stays
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_EQ(combo->currentIndex(), 1);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(check->hasFocus());
    QTest::keyClick(check, Qt::Key_Up);
    EXPECT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Right);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_TRUE(button->hasFocus());
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
}

// A date is typed in one go: two digits of the day or the month move on to
// the next part; one digit stays until Enter, and the year keeps the caret.
TEST(DateTripleTyping, TwoDigitsMoveToTheNextPart) {
    QDialog form;
    auto* date = new DateTriple;
    auto* after = new QLineEdit;
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(date);
    layout->addWidget(after);
    FormNavigation::Install(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* day = date->findChild<QLineEdit*>("day");
    auto* month = date->findChild<QLineEdit*>("month");
    auto* year = date->findChild<QLineEdit*>("year");
    day->setFocus();
    for (const QChar c : QString("01022009"))
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    EXPECT_EQ("20090201", date->Compact());
    EXPECT_TRUE(year->hasFocus());

    // One digit of a day: Enter moves on; a day typed over in its middle stays.
    day->setFocus();
    day->clear();
    QTest::keyClicks(day, "3");
    EXPECT_TRUE(day->hasFocus());
    QTest::keyClick(day, Qt::Key_Return);
    EXPECT_TRUE(month->hasFocus());
    day->setFocus();
    day->setText("05");
    day->setCursorPosition(0);
    QTest::keyClick(day, Qt::Key_Delete);
    QTest::keyClicks(day, "1");
    EXPECT_EQ("15", day->text());
    EXPECT_TRUE(day->hasFocus());
}

}  // namespace
