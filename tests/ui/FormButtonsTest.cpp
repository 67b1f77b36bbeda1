// The command buttons of a form and their keys, bound once for every dialog.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/RecordForm.h"

namespace {

// A dialog that, like the import while it saves, does something else than
// closing when asked to cancel.
class CountingDialog : public QDialog {
public:
    CountingDialog() {
        field = new QLineEdit(this);
        confirm = new QPushButton(this);
        cancel = new QPushButton(this);
    }
    void reject() override { ++rejects; }

    QLineEdit* field;
    QPushButton* confirm;
    QPushButton* cancel;
    int rejects = 0;
};

TEST(FormButtons, AFormsOwnCommandRunsOnItsKeyAndEscapeReachesItsOwnCancel) {
    CountingDialog dialog;
    int saved = 0;
    BindFormButtons(&dialog, dialog.confirm, dialog.cancel,
                    {Qt::Key_F4, Qt::NoModifier, "[F4]   Salveaza"}, [&saved] { ++saved; });
    dialog.show();
    EXPECT_EQ("[F4]   Salveaza", dialog.confirm->text());
    EXPECT_EQ("[ESC]   Renunta", dialog.cancel->text());
    QTest::keyClick(dialog.field, Qt::Key_F4);
    EXPECT_EQ(1, saved);
    QTest::keyClick(dialog.field, Qt::Key_F5);
    EXPECT_EQ(1, saved) << "only the form's own key confirms";

    QTest::keyClick(dialog.field, Qt::Key_Escape);
    EXPECT_EQ(1, dialog.rejects);
    dialog.cancel->click();
    EXPECT_EQ(2, dialog.rejects);
    // Both are command buttons, as wide as the main window's.
    EXPECT_GE(dialog.confirm->minimumWidth(), 200);
    EXPECT_GE(dialog.cancel->minimumWidth(), 200);
    EXPECT_FALSE(dialog.cancel->autoDefault());
}

TEST(FormButtons, AddAndModifyGetTheirKeysAndLabels) {
    for (bool modify : {false, true}) {
        CountingDialog dialog;
        int saved = 0;
        BindFormButtons(&dialog, dialog.confirm, dialog.cancel, modify, [&saved] { ++saved; });
        dialog.show();
        EXPECT_EQ(modify ? "[F6]   Modifica" : "[F5]   Adauga", dialog.confirm->text());
        QTest::keyClick(dialog.field, modify ? Qt::Key_F5 : Qt::Key_F6);
        EXPECT_EQ(0, saved);
        QTest::keyClick(dialog.field, modify ? Qt::Key_F6 : Qt::Key_F5);
        EXPECT_EQ(1, saved);
        dialog.cancel->click();
        EXPECT_EQ(1, dialog.rejects);
    }
}

TEST(FormButtons, TheCancelButtonAloneKeepsItsSizeAndCancelsThroughTheForm) {
    CountingDialog dialog;
    BindFormButtons(&dialog, dialog.cancel);
    dialog.show();
    EXPECT_EQ("[ESC]   Renunta", dialog.cancel->text());
    EXPECT_EQ(0, dialog.cancel->minimumWidth()) << "its caller sizes its buttons together";
    dialog.cancel->click();
    EXPECT_EQ(1, dialog.rejects);
    // Like every command key, Escape does nothing while its button is disabled.
    dialog.cancel->setEnabled(false);
    QTest::keyClick(dialog.field, Qt::Key_Escape);
    EXPECT_EQ(1, dialog.rejects);
}

}  // namespace
