// Where windows are shown: inside the screen, off the main window's title
// bar, and where the user left them at the last start when that still fits.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "ui/WindowPlacement.h"

namespace {

// A 1024x768 screen with a task bar at the bottom, the main window at the
// top-left corner with a 24-pixel title bar.
PlacementArea SmallScreen() {
    PlacementArea area;
    area.available = QRect(0, 0, 1024, 728);
    area.mainFrame = QRect(0, 0, 260, 380);
    area.titleBar = QRect(0, 0, 260, 24);
    return area;
}

TEST(PlaceFrame, ADialogLargerThanTheScreenIsPlacedInsideIt) {
    const PlacementArea area = SmallScreen();
    // Centred over a panel, 1187 wide and 900 high.
    const QRect placed = PlaceFrame(QRect(-80, -100, 1187, 900), QSize(600, 400), area);
    EXPECT_TRUE(area.available.contains(placed))
        << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
    EXPECT_FALSE(placed.intersects(area.titleBar));
    EXPECT_EQ(1024, placed.width());
    // Below the title bar, as tall as the rest of the screen.
    EXPECT_EQ(24, placed.top());
    EXPECT_EQ(728 - 24, placed.height());
}

TEST(PlaceFrame, TheMainWindowsTitleBarIsNotCovered) {
    const PlacementArea area = SmallScreen();
    // A dialog run off the top of the screen over the main window: below the title bar.
    QRect placed = PlaceFrame(QRect(100, -50, 400, 300), QSize(200, 100), area);
    EXPECT_EQ(QRect(100, 24, 400, 300), placed);
    // Too tall to go below it: beside it, at its full height.
    placed = PlaceFrame(QRect(0, 0, 600, 720), QSize(200, 700), area);
    EXPECT_EQ(QRect(260, 0, 600, 720), placed);
    // Too tall and too wide for either: shorter, below the title bar.
    placed = PlaceFrame(QRect(0, 0, 1000, 728), QSize(900, 500), area);
    EXPECT_EQ(QRect(0, 24, 1000, 704), placed);
    // A dialog that was clear of it stays where it is.
    EXPECT_EQ(QRect(300, 200, 400, 300), PlaceFrame(QRect(300, 200, 400, 300), QSize(), area));
}

TEST(PlaceFrame, APanelDockedBesideTheMainWindowIsNarrowedNotPushedOverIt) {
    const PlacementArea area = SmallScreen();
    const QRect placed = PlaceFrame(QRect(260, 0, 800, 600), QSize(500, 300), area);
    EXPECT_EQ(QRect(260, 0, 764, 600), placed);
    // One that cannot be that narrow is moved onto the screen after all.
    EXPECT_EQ(QRect(124, 24, 900, 600), PlaceFrame(QRect(260, 0, 900, 600), QSize(900, 300), area));
}

TEST(FrameFits, ARememberedPlaceThatNoLongerFitsIsRefused) {
    const PlacementArea area = SmallScreen();
    const QSize noMaximum(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    EXPECT_TRUE(FrameFits(QRect(300, 100, 700, 600), QSize(400, 300), noMaximum, area));
    // Left on a 1280x1024 screen, or on a second screen that is gone.
    EXPECT_FALSE(FrameFits(QRect(300, 100, 900, 800), QSize(400, 300), noMaximum, area));
    EXPECT_FALSE(FrameFits(QRect(1300, 100, 400, 300), QSize(400, 300), noMaximum, area));
    // Over the main window's title bar.
    EXPECT_FALSE(FrameFits(QRect(200, 10, 400, 300), QSize(400, 300), noMaximum, area));
    // Smaller than the window now needs, or larger than it may be.
    EXPECT_FALSE(FrameFits(QRect(300, 100, 300, 300), QSize(400, 300), noMaximum, area));
    EXPECT_FALSE(FrameFits(QRect(300, 100, 500, 300), QSize(400, 300), QSize(450, 300), area));
    EXPECT_FALSE(FrameFits(QRect(), QSize(), noMaximum, area));
}

// A dialog as the program makes them: a layout with a label that sets its minimum.
struct Dialog : QDialog {
    explicit Dialog(const char* name, QSize minimum = QSize(200, 120)) {
        setObjectName(name);
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel("Societate curenta:", this);
        label->setMinimumSize(minimum);
        layout->addWidget(label);
    }
};

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        Start();
    }
    // A start of the program: the filter reads what the last start kept.
    void Start() {
        m_placement.reset();
        m_settings =
            std::make_unique<QSettings>(m_folder.filePath("orvik.ini"), QSettings::IniFormat);
        m_placement = std::make_unique<WindowPlacement>(m_settings.get());
        qApp->installEventFilter(m_placement.get());
    }
    void TearDown() override {
        m_placement.reset();
        m_settings.reset();
    }
    QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QTemporaryDir m_folder;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<WindowPlacement> m_placement;
};

TEST_F(WindowPlacementTest, AWindowComesBackWhereTheUserLeftItAtTheNextStart) {
    const QRect screen = Screen();
    {
        Dialog dialog("companyDialog");
        dialog.show();
        dialog.setGeometry(screen.left() + 40, screen.top() + 30, 330, 210);
        QApplication::processEvents();
        dialog.hide();
    }
    m_settings->sync();
    Start();
    Dialog again("companyDialog");
    again.show();
    EXPECT_EQ(QRect(screen.left() + 40, screen.top() + 30, 330, 210), again.geometry());
    // Another window is not placed by what this one left.
    Dialog other("insuredDialog");
    other.show();
    EXPECT_NE(QRect(screen.left() + 40, screen.top() + 30, 330, 210), other.geometry());
}

TEST_F(WindowPlacementTest, ARememberedGeometryThatNoLongerFitsIsNotRestored) {
    const QRect screen = Screen();
    // Left on a larger screen than this one.
    m_settings->setValue("ferestre/companyDialog",
                         QRect(screen.left() + 100, screen.top() + 50, screen.width(), 300));
    Dialog dialog("companyDialog");
    dialog.resize(300, 200);
    dialog.show();
    EXPECT_EQ(QSize(300, 200), dialog.size());
    EXPECT_TRUE(screen.contains(dialog.frameGeometry()));
    // Smaller than the window now needs.
    m_settings->setValue("ferestre/insuredDialog",
                         QRect(screen.left() + 10, screen.top() + 10, 100, 60));
    Dialog grown("insuredDialog", QSize(250, 150));
    grown.show();
    EXPECT_GE(grown.width(), 250);
    EXPECT_GE(grown.height(), 150);
}

TEST_F(WindowPlacementTest, ADialogLargerThanTheScreenIsShownInsideIt) {
    const QRect screen = Screen();
    Dialog dialog("pagePreview", QSize(200, 100));
    dialog.resize(screen.width() + 200, screen.height() + 300);
    dialog.move(screen.left() - 100, screen.top() - 150);
    dialog.show();
    EXPECT_TRUE(screen.contains(dialog.frameGeometry()))
        << dialog.frameGeometry().width() << "x" << dialog.frameGeometry().height();
}

TEST_F(WindowPlacementTest, TheMainWindowsTitleBarIsNotCoveredByADialog) {
    const QRect screen = Screen();
    Dialog main("mainWindow");
    main.move(screen.topLeft());
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    m_placement->SetMainWindow(&main);
    const PlacementArea area = m_placement->AreaFor(&main);
    const QRect title(
        main.frameGeometry().topLeft(),
        QSize(main.frameGeometry().width(), main.geometry().top() - main.frameGeometry().top()));
    Dialog dialog("reportWindow");
    dialog.move(screen.topLeft());
    dialog.show();
    EXPECT_TRUE(screen.contains(dialog.frameGeometry()));
    if (title.height() > 0) {
        EXPECT_FALSE(dialog.frameGeometry().intersects(title));
    }
    // The main window itself is never kept off its own title bar.
    EXPECT_FALSE(area.titleBar.isValid());
    EXPECT_EQ(screen.topLeft(), main.frameGeometry().topLeft());
}

TEST_F(WindowPlacementTest, ADockedWindowGetsBackItsSizeWithinTheRoomBesideIt) {
    const QRect screen = Screen();
    {
        Dialog panel("leavePanel");
        panel.setProperty(WindowPlacement::kDockedProperty, WindowPlacement::kDockedSize);
        panel.move(screen.left() + 100, screen.top());
        panel.resize(300, 250);
        panel.show();
        QApplication::processEvents();
        panel.resize(420, 330);
        panel.hide();
    }
    Dialog panel("leavePanel");
    panel.setProperty(WindowPlacement::kDockedProperty, WindowPlacement::kDockedSize);
    panel.move(screen.left() + 100, screen.top());
    panel.resize(300, 250);
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(QPoint(screen.left() + 100, screen.top()), panel.pos());  // where it is docked
    EXPECT_EQ(QSize(420, 330), panel.size());
    panel.hide();

    // Docked so far right that the remembered width runs off the screen: narrowed.
    Dialog right("leavePanel");
    right.setProperty(WindowPlacement::kDockedProperty, WindowPlacement::kDockedWidth);
    right.move(screen.right() - 300, screen.top());
    right.resize(300, 250);
    right.show();
    QApplication::processEvents();
    EXPECT_EQ(screen.right() - 300, right.x());
    EXPECT_LE(right.frameGeometry().right(), screen.right());
    EXPECT_EQ(250, right.height());  // its owner gives it the height
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
