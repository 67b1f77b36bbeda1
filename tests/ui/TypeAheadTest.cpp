// Completion while typing: the completed tail is selected, typing on replaces
// it, and Backspace, Delete and "." never complete.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/TypeAhead.h"

namespace {

struct Field {
    QLineEdit edit;
    std::vector<std::string> asked;
    TypeAhead* typeAhead = new TypeAhead(&edit, [this](const std::string& typed) {
        asked.push_back(typed);
        for (const char* known : {"1800101221144", "1850505123456", "2.5.TEST"})
            if (std::string(known).rfind(typed, 0) == 0) return std::optional<std::string>(known);
        return std::optional<std::string>();
    });
    Field() {
        edit.show();
        edit.setFocus();
    }
};

TEST(TypeAhead, CompletesAndSelectsTheTail) {
    Field f;
    QTest::keyClicks(&f.edit, "18");
    EXPECT_EQ("1800101221144", f.edit.text());
    EXPECT_EQ("00101221144", f.edit.selectedText());
    EXPECT_EQ("1800101221144", f.typeAhead->Remembered());
    QTest::keyClicks(&f.edit, "5");  // replaces the selection, completes anew
    EXPECT_EQ("1850505123456", f.edit.text());
    EXPECT_EQ("0505123456", f.edit.selectedText());
    EXPECT_EQ((std::vector<std::string>{"1", "18", "185"}), f.asked);
}

TEST(TypeAhead, DeletingKeysAndTheDotDoNotComplete) {
    Field f;
    QTest::keyClicks(&f.edit, "18");
    const std::size_t asked = f.asked.size();
    QTest::keyClick(&f.edit, Qt::Key_Backspace);  // takes the selected tail
    EXPECT_EQ("18", f.edit.text());
    QTest::keyClick(&f.edit, Qt::Key_Backspace);
    EXPECT_EQ("1", f.edit.text());
    f.edit.setCursorPosition(0);
    QTest::keyClick(&f.edit, Qt::Key_Delete);
    EXPECT_EQ("", f.edit.text());
    EXPECT_EQ(asked, f.asked.size());
    EXPECT_EQ("", f.typeAhead->Remembered());

    QTest::keyClicks(&f.edit, "2");
    EXPECT_EQ("2.5.TEST", f.edit.text());
    f.edit.setText("2");
    f.edit.setCursorPosition(1);
    const std::size_t beforeDot = f.asked.size();
    QTest::keyClicks(&f.edit, ".");
    EXPECT_EQ("2.", f.edit.text());
    EXPECT_EQ(beforeDot, f.asked.size());
}

TEST(TypeAhead, NothingFoundLeavesWhatWasTyped) {
    Field f;
    QTest::keyClicks(&f.edit, "9");
    EXPECT_EQ("9", f.edit.text());
    EXPECT_EQ("", f.edit.selectedText());
}

}  // namespace
