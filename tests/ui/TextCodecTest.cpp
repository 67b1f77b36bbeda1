#include <gtest/gtest.h>

#include "text/TextCodec.h"

namespace {

TEST(TextCodec, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(FromQt(ToQt(all)), all);
}

TEST(TextCodec, RomanianLettersOfThePage) {
    // a-breve, s-cedilla and t-cedilla in both cases, a-circumflex, i-circumflex.
    const std::string bytes = "\xE3\xC3\xBA\xAA\xFE\xDE\xE2\xEE";
    EXPECT_EQ(ToQt(bytes), QString::fromUtf8("ăĂşŞţŢâî"));
    EXPECT_EQ(FromQt(QString::fromUtf8("ăĂşŞţŢâî")), bytes);
    EXPECT_EQ(ToQt("\x80"), QString(QChar(0x20AC)));
}

TEST(TextCodec, CommaBelowLettersAreStoredAsTheCedillaOnes) {
    // What the Romanian keyboard types; the page has only the cedilla forms.
    EXPECT_EQ(FromQt(QString::fromUtf8("ș-ț-Ș-Ț")), "\xBA-\xFE-\xAA-\xDE");
    EXPECT_EQ(ToQt(FromQt(QString::fromUtf8("ȘTIINȚĂ"))), QString::fromUtf8("ŞTIINŢĂ"));
    for (const char* letter : {"ș", "ț", "Ș", "Ț", "ş", "ă", "€", "a"})
        EXPECT_TRUE(IsStorable(QString::fromUtf8(letter)[0])) << letter;
}

TEST(TextCodec, CharactersOutsideThePageAreNotStorable) {
    // An emoji is two halves of a pair, each unstorable; FromQt writes one "?".
    const QString emoji = QString::fromUtf8("😀");
    EXPECT_FALSE(IsStorable(emoji[0]));
    EXPECT_FALSE(IsStorable(emoji[1]));
    EXPECT_FALSE(IsStorable(QString::fromUtf8("Ж")[0]));
    EXPECT_FALSE(IsStorable(QString::fromUtf8("ÿ")[0]));  // Latin-1, but not Central European
    EXPECT_TRUE(IsStorable(QString::fromUtf8("Ő")[0]));
    EXPECT_EQ(FromQt(QString::fromUtf8("Ж-€-") + emoji), "?-\x80-?");
}

}  // namespace
