#pragma once
#include <gtest/gtest.h>
#include <QSize>
#include <QWidget>
#include <QtGlobal>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// What a window can count on with a 1024x768 screen: the desktop's panel (up
// to 40 px) and the window's own title bar and borders (16 x 40 px) taken off.
inline const QSize kSmallScreenRoom(1024 - 16, 768 - 40 - 40);

inline ::testing::AssertionResult FitsSmallScreen(const QWidget* window) {
    const QSize size = window->size();
    if (size.width() <= kSmallScreenRoom.width() && size.height() <= kSmallScreenRoom.height())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << window->objectName().toStdString() << " is " << size.width() << "x" << size.height()
           << ", more than " << kSmallScreenRoom.width() << "x" << kSmallScreenRoom.height();
}

// Under the offscreen platform the window tests run on, one screen of 1024x768
// less a desktop panel instead of the platform's 800x800, so windows that fit
// themselves to their screen are tried on the smallest they must fit. Made
// before the QApplication, whose platform reads it; another platform chosen
// by hand (a real display) is left as it is.
class SmallScreen {
public:
    SmallScreen() {
        if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
        m_config = (std::filesystem::temp_directory_path() /
                    ("orvik-small-screen-" + std::to_string(getpid()) + ".json"))
                       .string();
        std::ofstream(m_config) << R"({"screens": [{"name": "small", "x": 0, "y": 0, )"
                                << R"("width": 1024, "height": 728, "logicalDpi": 96}]})";
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + m_config.c_str());
    }
    ~SmallScreen() {
        std::error_code ignored;
        if (!m_config.empty()) std::filesystem::remove(m_config, ignored);
    }
    SmallScreen(const SmallScreen&) = delete;
    SmallScreen& operator=(const SmallScreen&) = delete;

private:
    std::string m_config;
};

// Sizes in test failures as 1064x597, not as bytes.
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << "x" << size.height();
}
