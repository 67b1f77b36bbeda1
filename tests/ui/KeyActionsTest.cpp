// Keys declared with their buttons: labels as written, the key clicks the
// button from anywhere in the window, Ctrl is read at the key press.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "ui/KeyActions.h"

namespace {

struct Window {
    QWidget widget;
    QLineEdit* field = new QLineEdit(&widget);
    KeyActions* keys = new KeyActions(&widget);
    std::string ran;
    QPushButton* add = keys->Add(&widget, "add", {Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga"},
                                 [this] { ran += "add "; });
    QPushButton* addCo =
        keys->Add(&widget, "addCo", {Qt::Key_F5, Qt::ControlModifier, "[CTRL + F5]   Adauga"},
                  [this] { ran += "co "; });
    QPushButton* show = keys->Add(&widget, "show", {Qt::Key_F9, Qt::NoModifier, "[F9]  Afiseaza"},
                                  [this] { ran += "show "; });

    Window() {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* w : {static_cast<QWidget*>(field), static_cast<QWidget*>(add),
                           static_cast<QWidget*>(addCo), static_cast<QWidget*>(show)})
            layout->addWidget(w);
        widget.show();
        field->setFocus();
    }
};

TEST(KeyActions, ButtonsCarryTheirLabelsAsWritten) {
    Window w;
    EXPECT_EQ("[F5]   Adauga", w.add->text());
    EXPECT_EQ("[CTRL + F5]   Adauga", w.addCo->text());
    EXPECT_EQ("[F9]  Afiseaza", w.show->text());
    EXPECT_FALSE(w.add->autoDefault());  // Enter in a field must not press it
}

TEST(KeyActions, KeysReachTheWindowFromItsFieldsAndCtrlChoosesTheCommand) {
    Window w;
    QTest::keyClick(w.field, Qt::Key_F5);
    QTest::keyClick(w.field, Qt::Key_F5, Qt::ControlModifier);
    QTest::keyClick(w.field, Qt::Key_F9);
    QTest::keyClick(w.field, Qt::Key_F9, Qt::ShiftModifier);  // not declared: nothing
    QTest::mouseClick(w.show, Qt::LeftButton);
    EXPECT_EQ("add co show show ", w.ran);
    QTest::keyClicks(w.field, "abc");
    EXPECT_EQ("abc", w.field->text());  // other keys stay with the field
}

TEST(KeyActions, ADisabledOrHiddenButtonsKeyDoesNothing) {
    Window w;
    w.add->setEnabled(false);
    w.show->hide();
    QTest::keyClick(w.field, Qt::Key_F5);
    QTest::keyClick(w.field, Qt::Key_F9);
    EXPECT_EQ("", w.ran);
}

}  // namespace
