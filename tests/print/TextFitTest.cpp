// Texts that do not fit where they are drawn: they shrink down to the
// smallest size the pages allow, then are cut with "…", and never leave
// their cell or the page. The recorder measures half the font height per
// character, so the expected sizes follow from the character counts.
#include <gtest/gtest.h>

#include "RecordedInk.h"
#include "ScriptedPrompter.h"
#include "print/PagePrinter.h"
#include "print/PageText.h"
#include "print/RecordingBackend.h"

namespace {

using recorded_ink::InkOf;
using recorded_ink::Inside;

const std::string kMark = "\x85";  // "…" in the program's code page

struct Recorded {
    explicit Recorded(DeviceSize size = {4950, 7000}, int orientation = PagePrinter::kPortrait)
        : printer(prompter, RecordingChooser(rec, size)) {
        EXPECT_TRUE(printer.Begin(orientation));
        printer.NewPage("2.08");
        printer.SelectFont(1);  // 90 units: 45 per character in the recorder
    }
    const TextDraw& Last() const { return rec.texts.back().draw; }

    ScriptedPrompter prompter;
    Recording rec;
    PagePrinter printer;
};

TEST(TextFit, ATextThatFitsIsDrawnAsItIs) {
    Recorded r;
    const std::size_t selected = r.rec.fontsSelected.size();
    r.printer.TextBox(0, 0, 1000, 100, std::string(21, 'A'), kAlignLeft, false, false);
    EXPECT_EQ(r.Last().lines, std::vector<std::string>{std::string(21, 'A')});
    EXPECT_EQ(r.Last().drawnFont.pixelHeight, 90);
    EXPECT_EQ(r.rec.fontsSelected.size(), selected);  // no font was tried
}

TEST(TextFit, ACellTextShrinksToTheLargestSizeThatFits) {
    Recorded r;
    // 960 units inside the margins: 22 characters fit at 87 (43 each), not at 88.
    r.printer.TextBox(0, 0, 1000, 100, std::string(22, 'A'), kAlignLeft, false, true);
    const TextDraw& t = r.Last();
    EXPECT_EQ(t.lines, std::vector<std::string>{std::string(22, 'A')});
    EXPECT_EQ(t.drawnFont.pixelHeight, 87);
    EXPECT_EQ(t.drawnFont.family, "Arial");
    EXPECT_EQ(t.font, 1);
    EXPECT_TRUE(Inside(InkOf(t), t.deviceBox));
    EXPECT_EQ(t.deviceAt.y, 10 + 90 - 87);  // its foot where the full size would have it
    // The selection is the page's again for what follows.
    EXPECT_EQ(r.rec.fontsSelected.back().pixelHeight, 90);
    EXPECT_EQ(r.printer.TextWidth("AB"), 90);
}

TEST(TextFit, BelowTheSmallestSizeTheTextIsCutWithAMark) {
    Recorded r;
    const std::string name(255, 'W');
    r.printer.TextBox(0, 0, 1000, 100, name, kAlignLeft, false, false);
    const TextDraw& t = r.Last();
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.drawnFont.pixelHeight, PagePrinter::kSmallestTextHeight);
    // 960 units at 25 a character: 37 letters and the mark.
    EXPECT_EQ(t.lines[0], std::string(37, 'W') + kMark);
    EXPECT_EQ(t.text, name);  // what was asked stays recorded whole
    EXPECT_TRUE(Inside(InkOf(t), t.deviceBox));
    // Right-aligned and centred cells keep to the same room.
    for (int align : {kAlignRight, kAlignCentre}) {
        r.printer.TextBox(1000, 500, 2000, 600, name, align, false, false);
        EXPECT_TRUE(Inside(InkOf(r.Last()), r.Last().deviceBox)) << align;
        EXPECT_EQ(r.Last().lines[0], std::string(37, 'W') + kMark) << align;
    }
}

TEST(TextFit, BlanksBeforeTheMarkAreDropped) {
    Recorded r;
    r.printer.SelectFont(12);  // 60 units: already the smallest size but one step
    // 37 characters and the mark fit: the 37th is a blank.
    const std::string text = std::string(36, 'W') + "   " + std::string(40, 'X');
    r.printer.TextBox(0, 0, 1000, 100, text, kAlignLeft, false, false);
    EXPECT_EQ(r.Last().lines[0], std::string(36, 'W') + kMark);
}

TEST(TextFit, ATextAtAPointStaysOnThePage) {
    Recorded r;
    r.printer.Text(4000, 100, std::string(60, 'A'), kAlignLeft);
    EXPECT_TRUE(Inside(InkOf(r.Last()), {0, 0, 4950, 7000}));
    EXPECT_EQ(r.Last().at.x, 4000);
    r.printer.Text(300, 200, std::string(60, 'A'), kAlignRight);
    EXPECT_GE(InkOf(r.Last()).left, 0);
    r.printer.Text(400, 300, std::string(60, 'A'), kAlignCentre);
    EXPECT_GE(InkOf(r.Last()).left, 0);
    // Below the page's bottom nothing is drawn.
    r.printer.Text(100, 6990, "jos", kAlignLeft);
    EXPECT_TRUE(r.Last().lines.empty());
    // Landscape: the long side is the width.
    Recorded wide({7000, 4950}, PagePrinter::kLandscape);
    wide.printer.Text(6000, 100, std::string(60, 'A'), kAlignLeft);
    EXPECT_TRUE(Inside(InkOf(wide.Last()), {0, 0, 7000, 4950}));
}

TEST(TextFit, ATextAtAPointKeepsToTheRoomItIsGiven) {
    Recorded r;
    // The company's name beside the annex number: it may run to 3000 only.
    r.printer.TextWithin(200, 100, std::string(150, 'W'), kAlignLeft, 200, 3000);
    const DeviceBox ink = InkOf(r.Last());
    EXPECT_EQ(r.Last().at.x, 200);
    EXPECT_LE(ink.right, 3000);
    EXPECT_EQ(r.Last().lines[0].back(), '\x85');
    // Right-aligned: it may start at 2000 at the earliest.
    r.printer.TextWithin(4600, 200, std::string(60, 'W'), kAlignRight, 2000, 4600);
    EXPECT_GE(InkOf(r.Last()).left, 2000);
    EXPECT_EQ(InkOf(r.Last()).right, 4600);
}

TEST(TextFit, AWrappedTextShrinksUntilItsLinesFitTheCell) {
    Recorded r;
    // 450 wide: a word of 12 letters is 540 at 90 (45 a letter) and first
    // fits at 75 (37 a letter); the short word goes onto a line of its own.
    r.printer.TextRect(0, 0, 450, 200, "ABCDEFGHIJKL MN", kAlignCentre, false);
    const TextDraw& t = r.Last();
    EXPECT_EQ(t.drawnFont.pixelHeight, 75);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"ABCDEFGHIJKL", "MN"}));
    EXPECT_TRUE(Inside(InkOf(t), t.deviceBox));
}

TEST(TextFit, AWrappedTextTooLongForItsCellEndsWithTheMark) {
    Recorded r;
    r.printer.SelectFont(12);
    // Two lines of 60 fit 120 units; a long name needs more.
    const std::string name = std::string(50, 'N') + " " + std::string(50, 'P');
    r.printer.TextRect(400, 900, 900, 1020, name, kAlignCentre, true);
    const TextDraw& t = r.Last();
    EXPECT_EQ(t.drawnFont.pixelHeight, PagePrinter::kSmallestTextHeight);
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0], std::string(19, 'N') + kMark);
    EXPECT_EQ(t.lines[1], std::string(19, 'P') + kMark);
    EXPECT_TRUE(Inside(InkOf(t), t.deviceBox));
    // Three short lines where two fit: the second carries the mark.
    r.printer.TextRect(400, 900, 900, 1020, "UNU\nDOI\nTREI", kAlignLeft, false);
    EXPECT_EQ(r.Last().lines, (std::vector<std::string>{"UNU", "DOI" + kMark}));
    EXPECT_TRUE(Inside(InkOf(r.Last()), r.Last().deviceBox));
}

TEST(TextFit, ShrinkingFollowsTheDeviceScale) {
    Recorded r({9900, 14000});
    r.printer.SelectFont(1);  // 180 pixels
    r.printer.TextBox(0, 0, 1000, 100, std::string(22, 'A'), kAlignLeft, false, false);
    EXPECT_TRUE(Inside(InkOf(r.Last()), r.Last().deviceBox));
    EXPECT_LT(r.Last().drawnFont.pixelHeight, 180);
    EXPECT_GE(r.Last().drawnFont.pixelHeight, 170);
}

TEST(TextFit, ABoldFontKeepsThePagesFace) {
    Recorded r;
    r.printer.SelectBoldFont(1);
    r.printer.TextBox(0, 0, 1000, 100, "TOTAL", kAlignLeft, false, false);
    EXPECT_EQ(r.Last().font, 1);
    EXPECT_EQ(r.Last().drawnFont.family, "Arial");
    EXPECT_EQ(r.Last().drawnFont.weight, 900);
    EXPECT_EQ(r.Last().drawnFont.pixelHeight, 90);
    r.printer.TextBox(0, 0, 1000, 100, std::string(30, 'A'), kAlignLeft, false, false);
    EXPECT_EQ(r.Last().drawnFont.weight, 900);  // shrunk, still bold
    r.printer.SelectFont(1);
    r.printer.TextBox(0, 0, 1000, 100, "rand", kAlignLeft, false, false);
    EXPECT_EQ(r.Last().drawnFont.weight, 0);
}

TEST(TextFit, CutToWidthKeepsTheLongestStartThatFits) {
    const auto perChar = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
    EXPECT_EQ(CutToWidth("ABCDEFGHIJ", 100, perChar), "ABCDEFGHIJ");
    EXPECT_EQ(CutToWidth("ABCDEFGHIJK", 100, perChar), "ABCDEFGHI" + kMark);
    EXPECT_EQ(CutToWidth("ABCD EFGHIJK", 60, perChar), "ABCD" + kMark);
    EXPECT_EQ(CutToWidth("ABCDEFGHIJK", 10, perChar), kMark);
    EXPECT_EQ(CutToWidth("ABCDEFGHIJK", 5, perChar), "");
    // A line that must show it goes on gets the mark even when it fits.
    EXPECT_EQ(CutToWidth("ABC", 100, perChar, true), "ABC" + kMark);
    EXPECT_EQ(CutToWidth("ABCDEFGHIJ", 100, perChar, true), "ABCDEFGHI" + kMark);
}

}  // namespace
