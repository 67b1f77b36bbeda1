// The keyboard-only script itself: a control the keyboard cannot reach fails
// the test instead of being clicked.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "KeyboardUser.h"

namespace {

// A form whose button only the mouse can press, and that opens no window.
class MouseOnlyForm : public QDialog {
public:
    MouseOnlyForm() {
        setObjectName("form");
        auto* layout = new QVBoxLayout(this);
        auto* name = new QLineEdit(this);
        name->setObjectName("name");
        auto* ok = new QPushButton("OK", this);
        ok->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(name);
        layout->addWidget(ok);
        show();
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
    }
};

TEST(KeyboardUser, AButtonTabNeverReachesFailsTheScript) {
    MouseOnlyForm form;
    KeyboardUser user;
    user.In("form", "press OK", [](KeyboardUser& u) {
        u.ExpectFocus("name");
        u.TabToButton("OK");
    });
    bool ran = true;
    EXPECT_NONFATAL_FAILURE(ran = user.Run(), "Tab never reaches the button \"OK\"");
    EXPECT_FALSE(ran);
}

}  // namespace
