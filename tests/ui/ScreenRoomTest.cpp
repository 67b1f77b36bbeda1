// Windows that size themselves after their contents stay within the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QVBoxLayout>

#include "FormDriving.h"
#include "ScriptedPrompter.h"
#include "SmallScreen.h"
#include "print/PagePrinter.h"
#include "ui/PageOutput.h"
#include "ui/ScreenRoom.h"

namespace {

TEST(ScreenRoomTest, AWindowTakesAtMostTheScreenLessItsFrameButNeverLessThanItNeeds) {
    QWidget window;
    const QSize available = window.screen()->availableGeometry().size();
    const QSize room = ScreenRoom(&window);
    EXPECT_LT(room.width(), available.width());
    EXPECT_LT(room.height(), available.height());  // a title bar is allowed for
    ResizeWithinScreen(&window, QSize(5000, 300));
    EXPECT_EQ(QSize(room.width(), 300), window.size());

    // Contents that cannot shrink keep their size: cut, they would be lost.
    auto* layout = new QVBoxLayout(&window);
    auto* wide = new QWidget(&window);
    wide->setMinimumSize(available.width() + 100, 50);
    layout->addWidget(wide);
    ResizeWithinScreen(&window, QSize(400, 300));
    EXPECT_EQ(window.minimumSizeHint().width(), window.width());
    EXPECT_EQ(300, window.height());
}

TEST(PageOutputTest, ThePagePreviewFitsTheScreen) {
    ScriptedPrompter prompter;
    QSize shown;
    int pages = 0;
    OnNextModal([&](QWidget* preview) {
        ASSERT_NE(nullptr, qobject_cast<QPrintPreviewDialog*>(preview));
        shown = preview->size();
        EXPECT_TRUE(FitsSmallScreen(preview));
        auto* pageView = preview->findChild<QPrintPreviewWidget*>();
        pageView->updatePreview();
        pages = pageView->pageCount();
        preview->close();
    });
    ShowPagePreview(nullptr, prompter, "Anexa", PagePrinter::kPortrait, [](PagePrinter& page) {
        page.StartDocument("Anexa");
        page.Text(100, 100, "Pagina", 0);
        page.End();
    });
    EXPECT_EQ(1, pages);
    // As tall as the screen lets it be: a page is taller than the screen.
    EXPECT_EQ(kSmallScreenRoom.height(), shown.height());
}

}  // namespace

int main(int argc, char** argv) {
    const SmallScreen screen;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
