#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "print/PagePrinter.h"
#include "print/PageText.h"
#include "print/RecordingBackend.h"

namespace {

// Hands Begin a recorder of the device size set before Begin.
struct Recorded {
    ScriptedPrompter prompter;
    Recording rec;
    DeviceSize size{4950, 7000};
    PagePrinter printer{prompter, [this](int orientation, bool ask) {
                            return RecordingChooser(rec, size)(orientation, ask);
                        }};
};

TEST(PagePrinter, ScaleFollowsTheLongSideAndOriginShiftsEverything) {
    Recorded r;
    r.size = {9900, 14000};
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    EXPECT_FLOAT_EQ(r.printer.Scale(), 2.0f);
    EXPECT_EQ(r.rec.penWidth, 4);
    r.printer.NewPage("2.08");
    r.printer.Text(100, 200, "A", 0);
    r.printer.originY = 500;
    r.printer.Text(100, 200, "B", 0);
    r.printer.Frame(10, 20, 30, 40);
    const auto texts = r.rec.TextsOnPage(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].deviceAt.x, 200);
    EXPECT_EQ(texts[1].deviceAt.y, 400);
    EXPECT_EQ(texts[2].at.y, 700);
    EXPECT_EQ(texts[2].deviceAt.y, 1400);
    const FrameDraw& frame = r.rec.frames.at(0).draw;
    EXPECT_EQ(frame.box.top, 520);
    EXPECT_EQ(frame.deviceBox.bottom, 1080);
    r.printer.NewPage("2.08");
    EXPECT_EQ(r.printer.originY, 0);
}

TEST(PagePrinter, FractionalScaleTruncatesDevicePositions) {
    Recorded r;
    r.size = {2475, 3500};  // half a pixel per unit
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    EXPECT_FLOAT_EQ(r.printer.Scale(), 0.5f);
    EXPECT_EQ(r.printer.PenWidth(), 1);
    r.printer.NewPage("");
    r.printer.Text(101, 7000, "x", 0);
    const TextDraw& text = r.rec.texts.back().draw;
    EXPECT_EQ(text.deviceAt.x, 50);
    EXPECT_EQ(text.deviceAt.y, 3500);  // the bottom edge of the printable area
    r.printer.Frame(1, 3, 5, 7);
    const FrameDraw& frame = r.rec.frames.back().draw;
    EXPECT_EQ(frame.deviceBox.left, 0);
    EXPECT_EQ(frame.deviceBox.top, 1);
    EXPECT_EQ(frame.deviceBox.right, 2);
    EXPECT_EQ(frame.deviceBox.bottom, 3);
}

TEST(PagePrinter, LandscapeTakesTheWidthAsLongSide) {
    Recorded r;
    r.size = {14000, 9900};
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kLandscape));
    EXPECT_FLOAT_EQ(r.printer.Scale(), 2.0f);
    r.printer.NewPage("2.08");
    r.printer.Text(7000, 100, "margine", 2);
    EXPECT_EQ(r.rec.texts.back().draw.deviceAt.x, 14000);
}

TEST(PagePrinter, TextAlignmentStaysUntilAValidCodeChangesIt) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    r.printer.Text(100, 100, "a", 2);
    r.printer.Text(100, 200, "b", 7);
    r.printer.Text(100, 300, "c", -1);
    r.printer.Text(100, 400, "d", 1);
    r.printer.Text(100, 500, "e", 0);
    const auto texts = r.rec.TextsOnPage(1);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1].align, kAlignRight);
    EXPECT_EQ(texts[2].align, kAlignRight);
    EXPECT_EQ(texts[3].align, kAlignRight);
    EXPECT_EQ(texts[4].align, kAlignCentre);
    EXPECT_EQ(texts[5].align, kAlignLeft);
}

TEST(PagePrinter, TextBoxPlacesItsTextAndLeavesLeftAlignment) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    r.printer.TextBox(200, 1000, 4200, 1100, "centru", 1, false, false);
    EXPECT_EQ(r.printer.CurrentAlign(), kAlignLeft);
    r.printer.TextBox(200, 1000, 4201, 1100, "impar", 1, false, false);
    r.printer.TextBox(200, 1000, 4200, 1100, "stanga", 0, false, false);
    r.printer.TextBox(200, 1000, 4200, 1100, "dreapta", 2, false, false);
    r.printer.Text(10, 10, "dupa", 9);
    const auto texts = r.rec.TextsOnPage(1);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1].at.x, 2200);
    EXPECT_EQ(texts[1].at.y, 1010);
    EXPECT_EQ(texts[2].at.x, 2200);
    EXPECT_EQ(texts[3].at.x, 220);
    EXPECT_EQ(texts[4].at.x, 4180);
    EXPECT_EQ(texts[4].kind, TextKind::Cell);
    EXPECT_EQ(texts[5].align, kAlignLeft);
}

TEST(PagePrinter, FramedCellDrawsAFrameAndShadedCellOnlyShades) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    r.printer.TextBox(100, 100, 900, 200, "cu chenar", 0, false, true);
    r.printer.TextBox(100, 300, 900, 400, "gri", 0, true, false);
    ASSERT_EQ(r.rec.frames.size(), 1u);
    const FrameDraw& frame = r.rec.frames[0].draw;
    EXPECT_EQ(frame.box.left, 100);
    EXPECT_EQ(frame.box.bottom, 200);
    EXPECT_EQ(frame.penWidth, 2);
    const auto texts = r.rec.TextsOnPage(1);
    EXPECT_FALSE(texts[1].shaded);
    EXPECT_TRUE(texts[2].shaded);
}

TEST(PagePrinter, TextRectWrapsAtBlanks) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    r.printer.SelectFont(1);  // 90 units high: 45 per character in the recorder
    r.printer.TextRect(0, 0, 450, 1000, "aaa bbb ccc ddd", 0, false);
    r.printer.TextRect(0, 0, 450, 1000, "uncuvantfoartelung x", 2, true);
    r.printer.TextRect(1000, 2000, 1450, 2200, "scurt", 1, false);
    const auto texts = r.rec.TextsOnPage(1);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1].lines, (std::vector<std::string>{"aaa bbb", "ccc ddd"}));
    EXPECT_EQ(texts[1].deviceAt.y, 0);  // more than one line starts at the top
    EXPECT_EQ(texts[2].lines, (std::vector<std::string>{"uncuvantfoartelung", "x"}));
    EXPECT_EQ(texts[2].at.x, 450);
    EXPECT_EQ(r.rec.frames.size(), 1u);
    EXPECT_EQ(texts[3].lines, (std::vector<std::string>{"scurt"}));
    EXPECT_EQ(texts[3].at.x, 1225);
    EXPECT_EQ(texts[3].deviceAt.y, 2000 + (200 - 90) / 2);
}

TEST(PagePrinter, EveryPageCarriesTheFooter) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.StartDocument("Anexa 2a");
    for (int page = 1; page <= 3; ++page) {
        EXPECT_GT(r.printer.NewPage("2.08"), 0);
        r.printer.Text(100, 100, "corp", 0);
        r.printer.EndPage();
    }
    EXPECT_EQ(r.rec.documentName, "Anexa 2a");
    EXPECT_EQ(r.rec.pagesEnded, 3);
    for (int page = 1; page <= 3; ++page) {
        const auto texts = r.rec.TextsOnPage(page);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "Orvik Asigurati 2.08");
        EXPECT_EQ(texts[0].font, 7);
        EXPECT_EQ(texts[0].align, kAlignRight);
        EXPECT_EQ(texts[0].box.left, 2500);
        EXPECT_EQ(texts[0].box.top, 6400);
        EXPECT_EQ(texts[0].box.right, 4700);
        EXPECT_EQ(texts[0].box.bottom, 6600);
        EXPECT_EQ(texts[0].at.x, 4680);
        EXPECT_FALSE(texts[0].shaded);
    }
    EXPECT_TRUE(r.rec.frames.empty());
}

TEST(PagePrinter, LandscapeFooterAndOriginResetOnNewPage) {
    Recorded r;
    r.size = {7000, 4950};
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kLandscape));
    r.printer.originX = 300;
    r.printer.originY = 300;
    r.printer.NewPage("2.08");
    const TextDraw& footer = r.rec.texts.at(0).draw;
    EXPECT_EQ(footer.box.left, 4500);
    EXPECT_EQ(footer.box.top, 4600);
    EXPECT_EQ(footer.box.right, 6500);
    EXPECT_EQ(footer.box.bottom, 4800);
}

TEST(PagePrinter, EachLineBreakFormIsOneBreak) {
    EXPECT_EQ(NormaliseLineBreaks("A\n\rB"), "A\nB");
    EXPECT_EQ(NormaliseLineBreaks("A\r\nB"), "A\nB");
    EXPECT_EQ(NormaliseLineBreaks("A\nB"), "A\nB");
    EXPECT_EQ(NormaliseLineBreaks("A\n\r\r\nB"), "A\n\nB");
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    for (const char* text : {"Nume\n\rPrenume", "Nume\r\nPrenume", "Nume\nPrenume"}) {
        r.printer.Text(10, 10, text, 0);
        r.printer.TextBox(0, 0, 2000, 300, text, 0, false, false);
        r.printer.TextRect(0, 0, 2000, 300, text, 0, false);
    }
    const auto texts = r.rec.TextsOnPage(1);
    ASSERT_EQ(texts.size(), 10u);
    for (size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, "Nume\nPrenume");
        EXPECT_EQ(texts[i].lines, (std::vector<std::string>{"Nume", "Prenume"}));
    }
}

TEST(PagePrinter, FontsAreCreatedScaledAndRecordedWithTheirNumber) {
    Recorded r;
    r.size = {9900, 14000};
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    const auto& fonts = r.printer.Fonts();
    EXPECT_EQ(fonts[0].family, "Arial");
    EXPECT_EQ(fonts[0].pixelHeight, 180);
    EXPECT_EQ(fonts[1].family, "Times New Roman");
    EXPECT_EQ(fonts[1].pixelHeight, 400);
    EXPECT_EQ(fonts[2].family, "MS Sans Serif");
    EXPECT_EQ(fonts[4].weight, 900);
    EXPECT_EQ(fonts[6].pixelHeight, 120);
    EXPECT_EQ(fonts[6].weight, 900);
    EXPECT_EQ(fonts[11].family, "Arial");
    EXPECT_EQ(fonts[11].pixelHeight, 120);
    EXPECT_EQ(fonts[11].weight, 0);
    ASSERT_FALSE(r.rec.fontsSelected.empty());
    EXPECT_EQ(r.rec.fontsSelected.back().number, 1);  // Begin selects font 1

    r.printer.NewPage("2.08");
    EXPECT_EQ(r.printer.CurrentFont(), 7);  // the footer's font stays selected
    r.printer.SelectFont(5);
    r.printer.Text(0, 0, "titlu", 0);
    r.printer.SelectFont(13);  // no such font: the selection stays
    r.printer.SelectFont(0);
    r.printer.Text(0, 0, "corp", 0);
    EXPECT_EQ(r.rec.texts.back().draw.font, 5);
    EXPECT_EQ(r.rec.fontsSelected.back().family, "Times New Roman");
    EXPECT_EQ(r.rec.fontsSelected.back().pixelHeight, 180);
}

TEST(PagePrinter, TextWidthIsMeasuredInPageUnits) {
    Recorded r;
    EXPECT_EQ(0, r.printer.TextWidth("abcd"));  // no job
    r.size = {9900, 14000};
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    // The recorder measures half the font height per character: font 1 is 90
    // units, 180 pixels at this scale, so four characters are 360 pixels.
    EXPECT_EQ(180, r.printer.TextWidth("abcd"));
    r.printer.SelectFont(2);
    EXPECT_EQ(400, r.printer.TextWidth("abcd"));
}

TEST(PagePrinter, NothingIsDrawnWithoutAJob) {
    ScriptedPrompter prompter;
    int asked = 0;
    PagePrinter printer(prompter, [&](int, bool) {
        ++asked;
        return PrinterChoice{ChoiceOutcome::Cancelled, nullptr};
    });
    EXPECT_EQ(printer.NewPage("2.08"), -1);
    printer.Text(0, 0, "x", 0);
    printer.Frame(0, 0, 1, 1);
    printer.End();
    EXPECT_FALSE(printer.Begin(PagePrinter::kPortrait));  // cancelled: no message
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(printer.IsOpen());
    EXPECT_FLOAT_EQ(printer.Scale(), 1.0f);
}

TEST(PagePrinter, NoUsablePrinterIsSaid) {
    ScriptedPrompter prompter;
    prompter.ExpectMessage("Imprimanta nu este instalata bine sau deloc ...");
    PagePrinter printer(prompter, [](int orientation, bool ask) {
        EXPECT_EQ(orientation, 2);
        EXPECT_TRUE(ask);
        return PrinterChoice{ChoiceOutcome::NoPrinter, nullptr};
    });
    EXPECT_FALSE(printer.Begin(PagePrinter::kLandscape, true));
    EXPECT_FALSE(printer.IsOpen());
}

TEST(PagePrinter, EndClosesTheJobAndAllowsANewOne) {
    Recorded r;
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    r.printer.NewPage("2.08");
    r.printer.originX = 40;
    EXPECT_FALSE(r.rec.documentEnded);
    r.printer.End();
    EXPECT_FALSE(r.printer.IsOpen());
    EXPECT_TRUE(r.rec.documentEnded);
    EXPECT_EQ(r.rec.pagesEnded, 1);  // End closes the open page too
    EXPECT_EQ(r.printer.originX, 0);
    EXPECT_EQ(r.printer.CurrentFont(), 0);
    EXPECT_EQ(r.printer.NewPage("2.08"), -1);
    ASSERT_TRUE(r.printer.Begin(PagePrinter::kPortrait));
    EXPECT_GT(r.printer.NewPage("2.08"), 0);
    EXPECT_EQ(r.rec.pages, 2);  // the second job records into the same recording
}

}  // namespace
