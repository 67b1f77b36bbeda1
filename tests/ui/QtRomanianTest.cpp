// Qt's own dialogs, as a user of the program meets them, speak Romanian.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "ui/QtRomanian.h"

namespace {

template <class Widget>
QStringList TextsOf(const QWidget& parent) {
    QStringList texts;
    for (const Widget* child : parent.findChildren<Widget*>()) texts << child->text();
    return texts;
}

TEST(QtRomanian, TheFileDialogSpeaksRomanian) {
    QFileDialog dialog(nullptr, "Salveaza fisierele", QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList labels = TextsOf<QLabel>(dialog);
    EXPECT_TRUE(labels.contains("Cauta in:")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("&Nume fisier:")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("Tip fisiere:")) << labels.join('|').toStdString();
    const QStringList buttons = TextsOf<QPushButton>(dialog);
    EXPECT_TRUE(buttons.contains("&Salveaza")) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains("Renunta")) << buttons.join('|').toStdString();
}

TEST(QtRomanian, StandardButtonsSayDaAndNu) {
    QMessageBox box(QMessageBox::Question, "t", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ("&Da", box.button(QMessageBox::Yes)->text());
    EXPECT_EQ("&Nu", box.button(QMessageBox::No)->text());
}

TEST(QtRomanian, PrintingDialogsOfferPdfInRomanian) {
    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();  // the printers are listed when the dialog opens
    bool pdf = false;
    for (const QComboBox* combo : print.findChildren<QComboBox*>())
        pdf = pdf || combo->findText("Tipareste in fisier (PDF)") >= 0;
    EXPECT_TRUE(pdf);

    QPrintPreviewDialog preview(&printer);
    QStringList actions;
    for (const QAction* action : preview.findChildren<QAction*>()) actions << action->text();
    EXPECT_TRUE(actions.contains("Pagina urmatoare")) << actions.join('|').toStdString();
    EXPECT_TRUE(actions.contains("Mareste")) << actions.join('|').toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtRomanian romanian;
    QApplication::installTranslator(&romanian);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
