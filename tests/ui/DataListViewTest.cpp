#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "base/ResultTable.h"
#include "ui/DataListView.h"

namespace {

// Counts the pixels of one exact colour in a grabbed widget.
int CountColour(QWidget& widget, const QColor& colour) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) ++count;
    return count;
}

// Pixels in the blue of the empty-list note, anti-aliased edges included.
int CountNoteBlue(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 180 && c.red() < 120 && c.green() < 120) ++count;
        }
    return count;
}

class DataListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(400, 300);
        view.AppendColumn("Nume", "C", 120);
        view.AppendColumn("Suma", "N", 100, DisplayKind::Amount);
    }
    void AddRows(std::initializer_list<std::pair<const char*, const char*>> rows) {
        for (const auto& [name, sum] : rows) view.SetCellText(view.AddRow(name), "SUMA", sum);
    }
    QHeaderView* Header() { return view.findChild<QHeaderView*>(); }
    DataListView view;
};

TEST_F(DataListViewTest, EmptyNoteAppearsAndDisappears) {
    EXPECT_GT(CountNoteBlue(view), 50);
    view.AddRow("Ion");
    EXPECT_EQ(CountNoteBlue(view), 0);
    view.DeleteAllRows();
    EXPECT_GT(CountNoteBlue(view), 50);
}

TEST_F(DataListViewTest, HeaderClickSortsAscendingThenDescending) {
    AddRows({{"b", "9"}, {"a", "10"}, {"c", "-2"}});
    view.EnableSorting(true);
    QSignalSpy sorted(&view, &DataListView::sorted);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = Header();
    const QPoint second(header->sectionViewportPosition(1) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.CellTextAt(0, 1) + view.CellTextAt(1, 1) + view.CellTextAt(2, 1), "-2910");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.CellTextAt(0, 1) + view.CellTextAt(1, 1) + view.CellTextAt(2, 1), "109-2");
    EXPECT_EQ(sorted.count(), 2);
    EXPECT_EQ(view.List().SortedColumn(), 1);
}

TEST_F(DataListViewTest, CtrlClickOnHeaderAddsASecondKey) {
    AddRows({{"b", "2"}, {"a", "9"}, {"b", "1"}, {"a", "10"}});
    view.EnableSorting(true);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = Header();
    const int y = header->height() / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, y));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(header->sectionViewportPosition(1) + 10, y));
    std::string order;
    for (int r = 0; r < 4; ++r) order += view.CellTextAt(r, 0) + view.CellTextAt(r, 1) + " ";
    EXPECT_EQ(order, "a9 a10 b1 b2 ");
}

TEST_F(DataListViewTest, HeaderClicksDoNothingWhileSortingIsOff) {
    AddRows({{"b", "1"}, {"a", "2"}});
    QSignalSpy sorted(&view, &DataListView::sorted);
    view.ClickHeader(0, false);
    EXPECT_EQ(view.CellTextAt(0, 0), "b");
    EXPECT_EQ(sorted.count(), 0);
}

TEST_F(DataListViewTest, SelectRowClampedTakesTheLastRow) {
    AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    QSignalSpy changed(&view, &DataListView::selectionChanged);
    view.SelectRowClamped(50);
    EXPECT_EQ(view.NextSelectedRow(-1), 2);
    EXPECT_EQ(view.NextSelectedRow(2), -1);
    view.SelectRow(0, false);
    EXPECT_EQ(view.NextSelectedRow(-1), 0);
    EXPECT_EQ(view.NextSelectedRow(0), -1);
    EXPECT_EQ(changed.count(), 2);
    view.DeleteAllRows();
    view.SelectRowClamped(3);  // nothing to select, no crash
    EXPECT_EQ(view.NextSelectedRow(-1), -1);
}

TEST_F(DataListViewTest, ClicksAndKeysSelectAndReachTheOwner) {
    AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy doubleClicks(&view, &DataListView::rowDoubleClicked);
    QSignalSpy keys(&view, &DataListView::keyPressed);
    const QPoint secondRow(20, view.RowHeight() + view.RowHeight() / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, secondRow);
    EXPECT_EQ(view.NextSelectedRow(-1), 1);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, secondRow);
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks[0][0].toInt(), 1);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.NextSelectedRow(-1), 2);
    QTest::keyClick(&view, Qt::Key_F5);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys[1][0].toInt(), int(Qt::Key_F5));
}

TEST_F(DataListViewTest, SelectionKeepsTheRowTextColour) {
    AddRows({{"Rosu", "1"}});
    view.SetRowTextColour(0, Colour{255, 0, 0});
    view.SelectRow(0, false);
    EXPECT_GT(CountColour(view, QColor(200, 200, 255)), 100);
    // Anti-aliased text has few exact pixels, but some of the red ones survive.
    EXPECT_GT(CountColour(view, QColor(255, 0, 0)), 0);
}

TEST_F(DataListViewTest, SortedColumnIsShadedAndDisabledListIsGrey) {
    AddRows({{"a", "1"}});
    EXPECT_EQ(CountColour(view, QColor(255, 255, 187)), 0);
    view.EnableSorting(true);
    view.ClickHeader(1, false);
    EXPECT_GT(CountColour(view, QColor(255, 255, 187)), 100);
    view.setEnabled(false);
    EXPECT_GT(CountColour(view, QColor(197, 197, 197)), 300 * 100);
}

TEST_F(DataListViewTest, FillsFromResultAndKeepsHiddenColumnsReadable) {
    ResultTable r;
    r.m_columnNames = {"NUME", "ZZ_CONT", "ZZ_DATA"};
    r.m_columnKinds = {"C", "C", "D"};
    r.m_values = {"Ion", "u1", "20090501101112"};
    view.FillFromResult(r, true, false);
    EXPECT_TRUE(Header()->isSectionHidden(1));
    EXPECT_TRUE(Header()->isSectionHidden(2));
    EXPECT_TRUE(Header()->isSectionHidden(3));
    EXPECT_FALSE(Header()->isSectionHidden(0));
    EXPECT_EQ(view.CellText(0, "ZZ_CONT"), "u1");
}

TEST_F(DataListViewTest, PopupDisablesEntriesThatNeedARow) {
    QMenu menu;
    for (int i = 0; i < 8; ++i) menu.addAction(QString::number(i));
    view.SetPopupMenu(&menu);
    AddRows({{"a", ""}, {"b", "2"}});
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto enabled = [&menu] {
        std::string s;
        for (QAction* a : menu.actions()) s += a->isEnabled() ? '1' : '0';
        return s;
    };
    const auto popupAt = [&](int y) {
        // Close the menu as soon as it is open, then read its entries.
        QTimer::singleShot(0, &menu, &QMenu::close);
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(10, y));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, y),
                                view.viewport()->mapToGlobal(QPoint(10, y)));
        QApplication::sendEvent(view.viewport(), &event);
    };
    popupAt(view.RowHeight() * 5);  // below the rows: nothing selected
    EXPECT_EQ(enabled(), "11010010");
    popupAt(view.RowHeight() / 2);  // first row, second cell empty
    EXPECT_EQ(enabled(), "11011110");
    popupAt(view.RowHeight() + view.RowHeight() / 2);
    EXPECT_EQ(enabled(), "11111111");
}

TEST_F(DataListViewTest, HundredThousandRowsPaintOnlyWhatIsVisible) {
    ResultTable r;
    r.m_columnNames = {"A", "B"};
    r.m_columnKinds = {"C", "N"};
    for (int i = 0; i < 100000; ++i) {
        r.m_values.push_back("row" + std::to_string(i));
        r.m_values.push_back(std::to_string(i));
    }
    view.FillFromResult(r);
    view.SelectRowClamped(1000000);
    EXPECT_EQ(view.NextSelectedRow(-1), 99999);
    EXPECT_FALSE(view.grab().isNull());
}

TEST_F(DataListViewTest, NarrowCellsAreCutWithAnEllipsis) {
    const QString longName = "SOCIETATEA COMERCIALA ALFA BETA GAMA DELTA SRL";
    AddRows({{"SOCIETATEA COMERCIALA ALFA BETA GAMA DELTA SRL", "1234567.5"}, {"ION", "7"}});
    const QFontMetrics metrics = view.viewport()->fontMetrics();
    const QString shown = view.ShownCellText(0, 0);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(QChar(0x2026), shown.back());
    EXPECT_TRUE(longName.startsWith(shown.chopped(1)));
    EXPECT_LE(metrics.horizontalAdvance(shown), 120 - 2 * 2);
    EXPECT_EQ("ION", view.ShownCellText(1, 0));
    // The amount is cut as it is shown, after its display kind.
    EXPECT_EQ("1.234.567,50", view.ShownCellText(0, 1));
    view.SetColumnWidth("SUMA", 50);
    EXPECT_TRUE(view.ShownCellText(0, 1).startsWith("1."));
    EXPECT_EQ(QChar(0x2026), view.ShownCellText(0, 1).back());
    EXPECT_EQ("7,00", view.ShownCellText(1, 1));
    // A text exactly as wide as its room is drawn whole.
    const int width = metrics.horizontalAdvance(longName);
    EXPECT_EQ(longName, DataListView::ElideCellText(longName, metrics, width));
    EXPECT_NE(longName, DataListView::ElideCellText(longName, metrics, width - 1));
}

TEST_F(DataListViewTest, HoveringACutCellShowsItsWholeText) {
    AddRows({{"ION", "1"}, {"SOCIETATEA COMERCIALA ALFA BETA GAMA DELTA SRL", "2"}});
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto hover = [this](int row) {
        const QPoint at(20, view.RowHeight() * row + view.RowHeight() / 2);
        QHelpEvent event(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &event);
    };
    hover(0);  // drawn whole: no tooltip
    EXPECT_FALSE(QToolTip::isVisible());
    hover(1);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ("SOCIETATEA COMERCIALA ALFA BETA GAMA DELTA SRL", QToolTip::text());
    QToolTip::hideText();
}

TEST_F(DataListViewTest, AnOpenEmploymentsZeroDateShowsAsAnEmptyCell) {
    view.AppendColumn("Iesire", "N", 100, DisplayKind::Date);
    view.SetCellText(view.AddRow("ION"), "IESIRE", "0");
    view.SetCellText(view.AddRow("ANA"), "IESIRE", "20090710");
    EXPECT_EQ("", view.ShownCellText(0, 2));
    EXPECT_EQ("10.07.2009", view.ShownCellText(1, 2));
    EXPECT_EQ("0", view.CellTextAt(0, 2));  // the stored value is kept as it is
}

// The list uses the width it is given: the last visible column stretches to
// the right edge and gives the room back when the list narrows.
TEST_F(DataListViewTest, TheLastVisibleColumnTakesTheSpareWidth) {
    view.AppendColumn("Index", "N", 0);  // hidden after the last visible column
    AddRows({{"ION", "1234567.5"}, {"ANA", "7"}});
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::processEvents();
    const auto rightEdge = [this] {
        return Header()->sectionViewportPosition(1) + Header()->sectionSize(1);
    };
    EXPECT_EQ(view.viewport()->width(), rightEdge());
    EXPECT_EQ(120, Header()->sectionSize(0));
    EXPECT_EQ(100, view.List().ColumnWidth(1));  // the stored width is the owner's
    EXPECT_EQ(0, view.horizontalScrollBar()->maximum());

    // A wider first column takes its room from the stretched one.
    view.SetColumnWidth("NUME", 200);
    QApplication::processEvents();
    view.grab();
    EXPECT_EQ(200, Header()->sectionSize(0));
    EXPECT_EQ(view.viewport()->width(), rightEdge());

    // Narrower than its columns: the last one keeps its own width and the
    // scroll bar reaches it.
    view.resize(220, 300);
    QApplication::processEvents();
    EXPECT_EQ(100, Header()->sectionSize(1));
    EXPECT_EQ(300 - view.viewport()->width(), view.horizontalScrollBar()->maximum());

    view.resize(600, 300);
    QApplication::processEvents();
    EXPECT_EQ(view.viewport()->width(), rightEdge());
    EXPECT_EQ(0, view.horizontalScrollBar()->maximum());
    EXPECT_EQ("1.234.567,50", view.ShownCellText(0, 1));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
