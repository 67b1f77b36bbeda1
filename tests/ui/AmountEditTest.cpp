#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "ui/AmountEdit.h"

namespace {

std::string Shown(const AmountEdit& edit) {
    return edit.text().toStdString();
}

TEST(AmountEdit, FormatsValues) {
    const struct {
        double value;
        const char* shown;
        const char* plain;
    } cases[] = {{1234567.5, "1,234,567.50", "1234567.50"},
                 {-0.5, "-0.50", "-0.50"},
                 {0, "0.00", "0.00"},
                 {0.996, "1.00", "1.00"},
                 {-1234.005, "-1,234.01", "-1234.01"},
                 {999, "999.00", "999.00"},
                 {100000, "100,000.00", "100000.00"}};
    AmountEdit edit;
    for (const auto& c : cases) {
        edit.SetAmount(c.value);
        EXPECT_EQ(Shown(edit), c.shown) << c.value;
        EXPECT_EQ(edit.AmountText(), c.plain) << c.value;
        EXPECT_EQ(edit.cursorPosition(), 0);
    }
    edit.SetAmountText("12,5");  // C reading: stops at the comma
    EXPECT_EQ(Shown(edit), "12.00");
    edit.SetAmountText("1e3");
    EXPECT_EQ(edit.Amount(), 1000);
}

TEST(AmountEdit, WithoutDecimalsRoundsHalfAwayFromZero) {
    const struct {
        double value;
        const char* shown;
        double amount;
    } cases[] = {{-1234.567, "-1,235", -1235},
                 {1234.567, "1,235", 1235},
                 {-0.6, "-1", -1},
                 {-0.5, "-1", -1},
                 {0.5, "1", 1},
                 {-2.5, "-3", -3},
                 {-2.49, "-2", -2},
                 {-0.4, "-0", 0},
                 {-999.5, "-1,000", -1000}};
    AmountEdit edit;
    edit.SetDecimals(0);
    for (const auto& c : cases) {
        edit.SetAmount(c.value);
        EXPECT_EQ(Shown(edit), c.shown) << c.value;
        EXPECT_EQ(edit.Amount(), c.amount) << c.value;
    }
}

// Whatever the decimal count, a negative amount shows as its positive twin
// with a minus in front: both round the same way.
TEST(AmountEdit, NegativesRoundAsPositivesAtEveryDecimalCount) {
    const double values[] = {0.5,      0.6,      2.5,      1234.567,     1234.005,
                             2.675,    0.996,    999.9995, 0.0000005,    1234567.4999999,
                             19.99999, 100000.5, 0.05,     123456789.125};
    AmountEdit edit;
    for (int decimals = 0; decimals <= 6; ++decimals) {
        edit.SetDecimals(decimals);
        for (double value : values) {
            edit.SetAmount(value);
            const std::string positive = Shown(edit);
            const std::string positivePlain = edit.AmountText();
            edit.SetAmount(-value);
            EXPECT_EQ(Shown(edit), "-" + positive) << -value << " with " << decimals;
            EXPECT_EQ(edit.AmountText(), "-" + positivePlain) << -value << " with " << decimals;
        }
    }
}

// Each case: start value, caret, what is typed, the text shown afterwards.
struct TypingCase {
    double start;
    int caret;
    const char* typed;
    const char* shown;
    int caretAfter;
};

class AmountTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(AmountTyping, FollowsTheRules) {
    const TypingCase& c = GetParam();
    AmountEdit edit;
    edit.SetAmount(c.start);
    edit.setCursorPosition(c.caret);
    QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
    EXPECT_EQ(Shown(edit), c.shown);
    EXPECT_EQ(edit.cursorPosition(), c.caretAfter);
    EXPECT_EQ(edit.Amount(), QString::fromStdString(edit.AmountText()).toDouble());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AmountTyping,
    ::testing::Values(TypingCase{0, 0, "5", "5.00", 1},         // a lone zero is replaced
                      TypingCase{0, 1, "5", "5.00", 1},         //   from either side
                      TypingCase{0, 0, "1234", "1,234.00", 5},  // regrouped while typing
                      TypingCase{12, 2, "3", "123.00", 3},  // caret keeps its distance from the end
                      TypingCase{123, 0, "4", "4,123.00", 2},  //
                      TypingCase{1.5, 2, "2", "1.20", 3},      // decimals are overwritten
                      TypingCase{1.5, 2, "257", "1.25", 4},    // nothing past the last decimal
                      TypingCase{5, 0, "-", "-5.00", 1},       //
                      TypingCase{5, 0, "--", "5.00", 0},       // "-" twice: positive again
                      TypingCase{-5, 2, "+", "5.00", 1},       // "+" removes the sign
                      TypingCase{5, 3, "+", "5.00", 3},        //   and does nothing on a positive
                      TypingCase{12, 0, ".3", "12.30", 4},   // the separator jumps to the decimals
                      TypingCase{12, 0, "a x", "12.00", 0},  // other characters are ignored
                      TypingCase{12, 0, ",3", "12.30", 4},   // "," leads to the decimals too
                      TypingCase{0, 0, "5200,5", "5,200.50", 7},  // not 52,005.00
                      TypingCase{1234567890123.0, 0, "9", "1,234,567,890,123.00",
                                 0},                          // 13 digits at most
                      TypingCase{0, 0, "-5", "-5.00", 2},     // a sign typed first
                      TypingCase{-5, 0, "1", "-15.00", 2}));  // digits go after the sign

TEST(AmountEdit, DeleteBeforeAGroupSeparatorTakesTheNextDigit) {
    AmountEdit edit;
    edit.SetAmount(1234);
    edit.setCursorPosition(1);  // 1|,234.00
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Shown(edit), "134.00");
    EXPECT_EQ(edit.cursorPosition(), 1);
}

TEST(AmountEdit, BackspaceOverAGroupSeparatorTakesTheDigitBeforeIt) {
    AmountEdit edit;
    edit.SetAmount(1234567);
    edit.setCursorPosition(6);  // 1,234,|567.00
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Shown(edit), "123,567.00");
    EXPECT_EQ(edit.cursorPosition(), 4);
}

TEST(AmountEdit, DeletingDecimalsKeepsTheirCount) {
    AmountEdit edit;
    edit.SetAmount(1.25);
    edit.setCursorPosition(2);  // 1.|25
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Shown(edit), "1.50");
    EXPECT_EQ(edit.cursorPosition(), 2);
    edit.setCursorPosition(4);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Shown(edit), "1.50");
    EXPECT_EQ(edit.cursorPosition(), 3);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Shown(edit), "1.00");
    QTest::keyClick(&edit, Qt::Key_Backspace);  // over the decimal point: caret only
    EXPECT_EQ(edit.cursorPosition(), 1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Shown(edit), "0.00");
}

TEST(AmountEdit, ASelectionIsDeletedBeforeTyping) {
    AmountEdit edit;
    edit.SetAmount(1234.56);
    edit.selectAll();
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(Shown(edit), "7.00");
    edit.SetAmount(98765);
    edit.setSelection(0, 3);  // "98,"
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Shown(edit), "765.00");
}

TEST(AmountEdit, InsertIsSwallowed) {
    AmountEdit edit;
    edit.SetAmount(12);
    QTest::keyClick(&edit, Qt::Key_Insert);
    QTest::keyClicks(&edit, "3");
    EXPECT_EQ(Shown(edit), "312.00");  // still inserting at the caret, no overwrite mode
}

TEST(AmountEdit, APastedAmountIsReadAsWrittenAndAnythingElseRefused) {
    struct PasteCase {
        const char* clipboard;
        const char* shown;
    };
    const PasteCase cases[] = {
        {"5.200,50", "5,200.50"},
        {"5200,5", "5,200.50"},
        {"5,200.50", "5,200.50"},
        {"5200.50", "5,200.50"},
        {" -1.234.567 ", "-1,234,567.00"},
        {"12 lei", "77.00"},    // refused: the value stays
        {"5.200.50", "77.00"},  // one separator cannot be both
        {"", "77.00"},
    };
    for (const PasteCase& c : cases) {
        AmountEdit edit;
        edit.SetAmount(77);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Shown(edit), c.shown) << c.clipboard;
        EXPECT_EQ(edit.Amount(), QString::fromStdString(edit.AmountText()).toDouble());
    }
}

TEST(AmountEdit, APasteTellsTheFormListeningToTheText) {
    AmountEdit edit;
    double heard = 0;
    QObject::connect(&edit, &QLineEdit::textChanged, [&] { heard = edit.Amount(); });
    EXPECT_TRUE(edit.PasteAmount("5200,5"));
    EXPECT_EQ(heard, 5200.5);
    EXPECT_FALSE(edit.PasteAmount("1,2,3"));
    EXPECT_EQ(edit.Amount(), 5200.5);
}

}  // namespace
