// What each kind of form field keeps of the letters, signs and pastes a
// Romanian user enters.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

#include "FieldTyping.h"
#include "text/TextCodec.h"
#include "ui/FieldRules.h"

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The alphabet as the Romanian keyboard types it (s and t with comma below)
// and as the code page holds it (with cedilla).
const char* const kLowerTyped = "aăâbcdefghiîjklmnopqrsștțuvwxyz";
const char* const kUpperTyped = "AĂÂBCDEFGHIÎJKLMNOPQRSȘTȚUVWXYZ";
const char* const kLowerPage = "aăâbcdefghiîjklmnopqrsştţuvwxyz";
const char* const kUpperPage = "AĂÂBCDEFGHIÎJKLMNOPQRSŞTŢUVWXYZ";

enum class Entry { Typed, Pasted };

class FieldRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(300, 60);
        m_window.show();
    }
    QLineEdit* Field(TextRule rule, int maxLength = 100) {
        delete m_field;
        m_field = MakeField(&m_window, "field", maxLength, rule);
        m_field->show();
        return m_field;
    }
    QString Enter(TextRule rule, const QString& text, Entry how) {
        QLineEdit* edit = Field(rule);
        if (how == Entry::Typed)
            TypeText(edit, text);
        else
            PasteText(edit, text);
        return edit->text();
    }

    QWidget m_window;
    QLineEdit* m_field = nullptr;
};

TEST_F(FieldRulesTest, RomanianAlphabetIsKeptInThePageFormsOfItsLetters) {
    for (Entry how : {Entry::Typed, Entry::Pasted}) {
        SCOPED_TRACE(how == Entry::Typed ? "typed" : "pasted");
        EXPECT_EQ(U(kLowerPage), Enter(TextRule::AsTyped, U(kLowerTyped), how));
        EXPECT_EQ(U(kUpperPage), Enter(TextRule::AsTyped, U(kUpperTyped), how));
        EXPECT_EQ(U(kUpperPage), Enter(TextRule::Upper, U(kLowerTyped), how));
        EXPECT_EQ(U(kUpperPage), Enter(TextRule::Upper, U(kUpperTyped), how));
        EXPECT_EQ(U(kLowerPage), Enter(TextRule::Lower, U(kUpperTyped), how));
        EXPECT_EQ(U(kLowerPage), Enter(TextRule::Lower, U(kLowerTyped), how));
        EXPECT_EQ(U(kUpperPage), Enter(TextRule::Compact, U(kLowerTyped), how));
        // The cedilla letters typed directly (another keyboard layout) are the same.
        EXPECT_EQ(U("şţŞŢ"), Enter(TextRule::AsTyped, U("şţŞŢ"), how));
        EXPECT_EQ(U("ŞŢŞŢ"), Enter(TextRule::Upper, U("şţȘȚ"), how));
        EXPECT_EQ(U("şţşţ"), Enter(TextRule::Lower, U("ŞŢșț"), how));
        EXPECT_EQ(QString(), Enter(TextRule::Digits, U(kLowerTyped), how));
        EXPECT_EQ(U("0123456789"), Enter(TextRule::Digits, U("0a1ș2 3Ț4-5.6,7ă8/9"), how));
    }
}

TEST_F(FieldRulesTest, CharactersOutsideThePageNeverAppear) {
    const QString foreign = U("A😀B Жж C🇷🇴D €");
    for (Entry how : {Entry::Typed, Entry::Pasted}) {
        SCOPED_TRACE(how == Entry::Typed ? "typed" : "pasted");
        EXPECT_EQ(U("AB  CD €"), Enter(TextRule::AsTyped, foreign, how));
        EXPECT_EQ(U("AB  CD €"), Enter(TextRule::Upper, foreign, how));
        EXPECT_EQ(U("ab  cd €"), Enter(TextRule::Lower, foreign, how));
        EXPECT_EQ(U("ABCD€"), Enter(TextRule::Compact, foreign, how));
        EXPECT_EQ(QString(), Enter(TextRule::Digits, U("😀Ж"), how));
    }
    // What reaches the store holds no stand-in "?".
    EXPECT_EQ("\xBA", FromQt(Enter(TextRule::AsTyped, U("😀ЖՁ中ș"), Entry::Pasted)));
}

TEST_F(FieldRulesTest, CaretStaysAfterWhatWasPutIn) {
    QLineEdit* edit = Field(TextRule::Upper);
    TypeText(edit, "ac");
    edit->setCursorPosition(1);
    PasteText(edit, U("ș😀b"));
    EXPECT_EQ(U("AŞBC"), edit->text());
    EXPECT_EQ(3, edit->cursorPosition());
    TypeText(edit, U("Ж"));  // refused: nothing moves
    EXPECT_EQ(U("AŞBC"), edit->text());
    EXPECT_EQ(3, edit->cursorPosition());
    TypeText(edit, U("ț"));
    EXPECT_EQ(U("AŞBŢC"), edit->text());
    EXPECT_EQ(4, edit->cursorPosition());
}

TEST_F(FieldRulesTest, LettersWhoseOtherCaseThePageLacksStayAsTheyAre) {
    // micro sign and sharp s: their capitals are outside the page.
    EXPECT_EQ(U("µß"), Enter(TextRule::Upper, U("µß"), Entry::Typed));
    EXPECT_EQ("\xB5\xDF", FromQt(Enter(TextRule::Upper, U("µß"), Entry::Pasted)));
}

TEST_F(FieldRulesTest, PastedIbanInItsPrintedFormIsCompacted) {
    QLineEdit* edit = Field(TextRule::Compact, 24);
    PasteText(edit, "ro49 aaaa 1b31 0075 9384 0000");
    EXPECT_EQ("RO49AAAA1B31007593840000", edit->text());
    TypeText(edit, "7");  // the field is full
    EXPECT_EQ("RO49AAAA1B31007593840000", edit->text());

    edit = Field(TextRule::Compact, 24);
    PasteText(edit, "RO49\tAAAA 1B31  0075 9384 0000 1234\n");  // too long: cut to the limit
    EXPECT_EQ("RO49AAAA1B31007593840000", edit->text());
    edit->setCursorPosition(4);
    PasteText(edit, "XY");  // a paste into a full field takes nothing in
    EXPECT_EQ("RO49AAAA1B31007593840000", edit->text());
}

TEST_F(FieldRulesTest, PastedLineBreaksBecomeBlanksAndLimitsHold) {
    EXPECT_EQ("STR. A NR 5", Enter(TextRule::Upper, "str. a\nnr 5", Entry::Pasted));
    QLineEdit* edit = Field(TextRule::Upper, 5);
    EXPECT_EQ(5, edit->maxLength());
    TypeText(edit, U("abcdeșț"));
    EXPECT_EQ("ABCDE", edit->text());
}

TEST_F(FieldRulesTest, ApplyingARuleRewritesWhatTheFieldHolds) {
    QLineEdit edit;
    edit.setText(U("ro49 ș😀"));
    ApplyTextRule(&edit, TextRule::Compact, 24);
    EXPECT_EQ(U("RO49Ş"), edit.text());
    ApplyTextRule(&edit, TextRule::Lower, 3);
    EXPECT_EQ(3, edit.maxLength());
    EXPECT_EQ("ro4", edit.text());
    // Only the validator of the last rule stays.
    EXPECT_EQ(1, edit.findChildren<FieldTextValidator*>().size());
}

}  // namespace
