#include <gtest/gtest.h>

#include "ui/TextCodec.h"

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

TEST(TextCodec, CharactersOutsideThePageBecomeQuestionMarks) {
    // s and t with comma below are not in the page; neither is an emoji (one "?").
    EXPECT_EQ(FromQt(QString::fromUtf8("ș-ț-€-😀")), "?-?-\x80-?");
}

}  // namespace
