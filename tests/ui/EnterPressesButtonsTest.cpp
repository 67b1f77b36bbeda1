#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "ui/EnterPressesButtons.h"

namespace {

struct Counted {
    QPushButton* button;
    int clicks = 0;
};

void Count(Counted& counted) {
    QObject::connect(counted.button, &QPushButton::clicked, [&counted] { ++counted.clicks; });
}

// In a dialog Enter would press the default button; in a plain window nothing.
TEST(EnterPressesButtons, EnterPressesTheFocusedButtonNotTheDefaultOne) {
    EnterPressesButtons filter;
    qApp->installEventFilter(&filter);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    Counted save{new QPushButton("Salveaza", &dialog)};
    Counted add{new QPushButton("Adauga societate", &dialog)};
    for (Counted* c : {&save, &add}) {
        c->button->setAutoDefault(false);
        layout->addWidget(c->button);
        Count(*c);
    }
    save.button->setDefault(true);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    add.button->setFocus();
    QTest::keyClick(add.button, Qt::Key_Return);
    QTest::keyClick(add.button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(2, add.clicks);
    EXPECT_EQ(0, save.clicks);
    EXPECT_TRUE(dialog.isVisible());

    QWidget window;
    Counted modify{new QPushButton("Modifica societate", &window)};
    Count(modify);
    dialog.hide();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    modify.button->setFocus();
    QTest::keyClick(modify.button, Qt::Key_Return);
    EXPECT_EQ(1, modify.clicks);
    // Ctrl+Enter and a disabled button are left alone.
    QTest::keyClick(modify.button, Qt::Key_Return, Qt::ControlModifier);
    modify.button->setEnabled(false);
    QTest::keyClick(modify.button, Qt::Key_Return);
    EXPECT_EQ(1, modify.clicks);
    qApp->removeEventFilter(&filter);
}

}  // namespace
