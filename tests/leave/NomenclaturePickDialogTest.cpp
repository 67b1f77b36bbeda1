// The three pick lists offscreen, on the installed nomenclature.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "FormDriving.h"
#include "TestServer.h"
#include "ui/DataListView.h"
#include "ui/leave/NomenclaturePickDialog.h"

namespace {

class PickListTest : public DbTest {
protected:
    std::unique_ptr<NomenclaturePickDialog> Open(Nomenclature nomenclature,
                                                 const std::string& preset) {
        auto dialog = std::make_unique<NomenclaturePickDialog>(*m_client, nomenclature, preset);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }
    static int Selected(const NomenclaturePickDialog& dialog) {
        return dialog.View()->NextSelectedRow(-1);
    }
    static QString CountLine(QWidget* dialog) { return Find<QLabel>(dialog, "countLine")->text(); }
};

TEST_F(PickListTest, TheIndemnityListOpensOnTheEditorsCodeAndEnterHandsItBack) {
    auto dialog = Open(Nomenclature::IndemnityCodes, PresetCode(Nomenclature::IndemnityCodes, "5"));
    EXPECT_EQ("Lista codurilor de indemnizatie", dialog->windowTitle());
    EXPECT_EQ("[F2]   Selecteaza", Find<QPushButton>(dialog.get(), "selectButton")->text());
    EXPECT_EQ("[ESC]   Iesire", Find<QPushButton>(dialog.get(), "closeButton")->text());
    EXPECT_EQ("Numar de inregistrari: 15", CountLine(dialog.get()));
    const DataList& list = dialog->View()->List();
    ASSERT_EQ(2, list.ColumnCount());
    EXPECT_EQ(60, list.ColumnWidth(list.ColumnIndex("COD")));
    EXPECT_EQ(550, list.ColumnWidth(list.ColumnIndex("DESCRIERE")));
    ASSERT_EQ(4, Selected(*dialog));
    EXPECT_EQ("05", list.CellText(4, "COD"));

    QTest::keyClick(dialog->View(), Qt::Key_Down);
    QTest::keyClick(dialog->View(), Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ("06", dialog->Chosen()->code);
    EXPECT_EQ("Urgenta medico-chirurgicala", dialog->Chosen()->description);
}

TEST_F(PickListTest, APresetFarDownTheListIsBroughtIntoViewAndF2PicksIt) {
    auto dialog = Open(Nomenclature::Emergencies, "170");
    EXPECT_EQ("Lista urgentelor medico-chirurgicale", dialog->windowTitle());
    EXPECT_EQ("Numar de inregistrari: 175", CountLine(dialog.get()));
    DataListView* view = dialog->View();
    // Ordered by the code's value: "2" comes before "10".
    EXPECT_EQ("2", view->CellText(1, "COD"));
    EXPECT_EQ("10", view->CellText(9, "COD"));
    const int row = Selected(*dialog);
    ASSERT_EQ("170", view->CellText(row, "COD"));
    const int top = view->verticalScrollBar()->value();
    const int shown = view->viewport()->height() / view->RowHeight();
    EXPECT_GT(top, 0);
    EXPECT_TRUE(row >= top && row < top + shown) << row << " outside " << top << "+" << shown;

    QTest::keyClick(dialog.get(), Qt::Key_F2);
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ("170", dialog->Chosen()->code);
    EXPECT_EQ(QDialog::Accepted, dialog->result());
}

// Typing searches codes and descriptions, first by their start, then anywhere.
TEST_F(PickListTest, TypingSelectsTheRowItNamesAndBackspaceEditsTheSearch) {
    auto dialog = Open(Nomenclature::InfectiousDiseases, "");
    DataListView* view = dialog->View();
    view->setFocus();
    const auto selectedCode = [&] { return view->CellText(Selected(*dialog), "COD"); };
    QTest::keyClicks(view, "FEBRA G");
    EXPECT_EQ("6", selectedCode());  // Febra galbena
    EXPECT_EQ("Cautare: FEBRA G", Find<QLabel>(dialog.get(), "searchLine")->text());
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ("5", selectedCode());  // "FEBRA": Febra butonoasa comes first
    for (int i = 0; i < 5; ++i) QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClicks(view, "amibian");  // only inside a description
    EXPECT_EQ("1", selectedCode());
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ("1", dialog->Chosen()->code);
}

TEST_F(PickListTest, EscapeHandsBackNothing) {
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(NomenclaturePickDialog::Pick(*m_client, Nomenclature::InfectiousDiseases, "5"));

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_F2); });
    const auto picked =
        NomenclaturePickDialog::Pick(*m_client, Nomenclature::InfectiousDiseases, "5");
    ASSERT_TRUE(picked);
    EXPECT_EQ("5", picked->code);
    EXPECT_EQ("Febra butonoasa", picked->description);
}

TEST_F(PickListTest, WithoutASelectionPickingAsksForOne) {
    auto dialog = Open(Nomenclature::InfectiousDiseases, "99");
    EXPECT_EQ("Lista bolilor infecto-contagioase", dialog->windowTitle());
    EXPECT_EQ(-1, Selected(*dialog));
    m_prompter.ExpectMessage("Trebuie sa selectezi o inregistrare din tabel!");
    QTest::keyClick(dialog.get(), Qt::Key_F2);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Chosen());

    // A double click picks only a selected row.
    DataListView* view = dialog->View();
    const QPoint second(20, view->RowHeight() + view->RowHeight() / 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ("2", dialog->Chosen()->code);
}

TEST_F(PickListTest, AnEmptyNomenclatureShowsACountOfZero) {
    RunSql(
        "CREATE TABLE nomenc.boli_pastrate AS SELECT * FROM nomenc.siui_infectocontagiousdiseases;"
        " DELETE FROM nomenc.siui_infectocontagiousdiseases");
    auto dialog = Open(Nomenclature::InfectiousDiseases, "");
    RunSql(
        "INSERT INTO nomenc.siui_infectocontagiousdiseases SELECT * FROM nomenc.boli_pastrate;"
        " DROP TABLE nomenc.boli_pastrate");
    EXPECT_EQ("Numar de inregistrari: 0", CountLine(dialog.get()));
    EXPECT_EQ(0, dialog->View()->RowCount());
}

TEST_F(PickListTest, AListThatCannotBeReadIsNeverShown) {
    RunSql("RENAME TABLE nomenc.siui_medicochirurgicalemergencies TO nomenc.urgente_ascunse");
    m_prompter.ExpectMessage(
        "EROARE Mysql:\n\nTable 'nomenc.siui_medicochirurgicalemergencies' doesn't exist");
    NomenclaturePickDialog dialog(*m_client, Nomenclature::Emergencies, "1");
    RunSql("RENAME TABLE nomenc.urgente_ascunse TO nomenc.siui_medicochirurgicalemergencies");
    EXPECT_FALSE(dialog.Filled());
    EXPECT_EQ(QDialog::Rejected, dialog.exec());  // returns at once
    EXPECT_FALSE(dialog.Chosen());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
