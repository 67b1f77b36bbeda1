// The message boxes as the user meets them: over the window that asked, with
// the icon of their kind, and "Nu" as the answer of Enter and Escape.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

#include "ui/QtPrompter.h"

namespace {

// What the test saw of a box while it was open.
struct SeenBox {
    QWidget* parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QString yes;
    QString no;
    QPoint centre;
};

// Runs `act` on the message box once it is open and records what it showed.
// Should no box be open, every event loop ends, so a fault fails instead of hanging.
void WhenBoxOpens(SeenBox& seen, std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [&seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is open";
            QApplication::exit(1);
            return;
        }
        seen.parent = box->parentWidget();
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        if (box->button(QMessageBox::Yes)) seen.yes = box->button(QMessageBox::Yes)->text();
        if (box->button(QMessageBox::No)) seen.no = box->button(QMessageBox::No)->text();
        seen.centre = box->frameGeometry().center();
        act(box);
    });
}

// A key as the user presses it: it reaches the widget that has the focus.
std::function<void(QMessageBox*)> Press(Qt::Key key) {
    return [key](QMessageBox* box) {
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
    };
}

TEST(QtPrompter, QuestionsAnswerNoToEnterAndEscape) {
    QtPrompter prompter;
    SeenBox seen;
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    EXPECT_FALSE(prompter.AskYesNo("Esti sigur ca vrei sa stergi societatea?"));
    EXPECT_EQ("Orvik client", seen.title);
    EXPECT_EQ("Esti sigur ca vrei sa stergi societatea?", seen.text);
    EXPECT_EQ("&Da", seen.yes);
    EXPECT_EQ("&Nu", seen.no);

    WhenBoxOpens(seen, Press(Qt::Key_Enter));
    EXPECT_FALSE(prompter.AskYesNo("?"));
    WhenBoxOpens(seen, Press(Qt::Key_Escape));
    EXPECT_FALSE(prompter.AskYesNo("?"));
    WhenBoxOpens(seen, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(prompter.AskYesNo("?"));
    WhenBoxOpens(seen, Press(Qt::Key_D));  // the "&Da" shortcut, typed without Alt
    EXPECT_TRUE(prompter.AskYesNo("?"));
}

TEST(QtPrompter, MessagesShowTheIconOfTheirKind) {
    QtPrompter qtPrompter;
    Prompter& prompter = qtPrompter;
    SeenBox seen;
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.ShowMessage("Nu ai dreptul de stergere!");
    EXPECT_EQ(QMessageBox::Warning, seen.icon);  // refused: the default kind
    EXPECT_EQ("Orvik client", seen.title);
    EXPECT_EQ("Nu ai dreptul de stergere!", seen.text);
    WhenBoxOpens(seen, Press(Qt::Key_Escape));
    prompter.ShowMessage("EROARE Mysql:\n\nTable doesn't exist", MessageKind::Error);
    EXPECT_EQ(QMessageBox::Critical, seen.icon);
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.ShowMessage("Fisierele au fost salvate.", MessageKind::Information);
    EXPECT_EQ(QMessageBox::Information, seen.icon);
    // Letters of the code page reach the box as the same letters.
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.ShowMessage(
        "\xAA"
        "coala",
        MessageKind::Warning);
    EXPECT_EQ(QString::fromUtf8("Şcoala"), seen.text);
}

TEST(QtPrompter, BoxesOpenOverTheWindowThatAsked) {
    QWidget mainWindow;
    mainWindow.setGeometry(0, 0, 200, 200);
    QtPrompter prompter(&mainWindow);
    SeenBox seen;

    // No window of the program active: the given parent.
    ASSERT_EQ(nullptr, QApplication::activeWindow());
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.AskYesNo("?");
    EXPECT_EQ(&mainWindow, seen.parent);

    // A module panel the user works in.
    mainWindow.show();
    QWidget panel;
    panel.setGeometry(250, 50, 400, 300);
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.AskYesNo("?");
    EXPECT_EQ(&panel, seen.parent);

    // A form open over the panel: the box is centred over the form.
    QDialog form(&panel);
    form.setModal(true);
    form.setGeometry(300, 250, 420, 300);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.ShowMessage("Campul CF este obligatoriu!", MessageKind::Warning);
    EXPECT_EQ(&form, seen.parent);
    const QPoint offset = seen.centre - form.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

// After a box the keyboard is back in the field the message is about, in its
// window, whichever window the window system activated when the box closed;
// unless the program moved the focus while the box was open.
TEST(QtPrompter, TheKeyboardGoesBackToTheFieldAfterABox) {
    QWidget mainWindow;
    mainWindow.setObjectName("main");
    mainWindow.setGeometry(0, 0, 200, 200);
    QtPrompter prompter(&mainWindow);
    mainWindow.show();
    QWidget panel;
    panel.setGeometry(250, 50, 400, 300);
    auto* layout = new QVBoxLayout(&panel);
    auto* name = new QLineEdit(&panel);
    auto* day = new QLineEdit(&panel);
    layout->addWidget(name);
    layout->addWidget(day);
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    day->setFocus();
    ASSERT_TRUE(day->hasFocus());
    const auto keyboardOn = [](QWidget* field) {
        return QTest::qWaitFor([field] { return QApplication::focusWidget() == field; });
    };

    SeenBox seen;
    WhenBoxOpens(seen, Press(Qt::Key_Return));
    prompter.ShowMessage("Ziua introdusa este incorecta!", MessageKind::Warning);
    EXPECT_TRUE(keyboardOn(day));
    EXPECT_EQ(&panel, QApplication::activeWindow());

    // The window system gave the main window the keyboard when the box closed.
    WhenBoxOpens(seen, [&mainWindow](QMessageBox* box) {
        Press(Qt::Key_Return)(box);
        mainWindow.activateWindow();
    });
    EXPECT_FALSE(prompter.AskYesNo("Esti sigur?"));
    EXPECT_TRUE(keyboardOn(day));
    EXPECT_EQ(&panel, QApplication::activeWindow());

    // The program put the caret elsewhere while the box was open: it stays there.
    WhenBoxOpens(seen, [name](QMessageBox* box) {
        Press(Qt::Key_Return)(box);
        name->setFocus();
    });
    prompter.ShowMessage("Trebuie sa introduci denumirea societatii!", MessageKind::Warning);
    EXPECT_TRUE(keyboardOn(name));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
