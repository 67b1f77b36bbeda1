// Labels that show stored texts: a long text is cut at the label's width and
// never widens the window it is in.
#include <gtest/gtest.h>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include "ui/ColourLabel.h"
#include "ui/ElidedLabel.h"

namespace {

const QChar kEllipsis(0x2026);

// A 255-character company name, the longest the table holds.
std::string LongName() {
    std::string name = "SC ";
    while (name.size() < 251) name += "ALFA BETA ";
    name.resize(251);
    return name + " SRL";
}

// The current-company line of the health window: a caption and the label in
// a stretching column.
template <typename Label>
struct CompanyLine {
    QWidget window;
    Label* label = new Label(&window);
    CompanyLine() {
        auto* grid = new QGridLayout(&window);
        grid->addWidget(new QLabel("Societate curenta:", &window), 0, 0);
        grid->addWidget(label, 0, 1);
        grid->setColumnStretch(1, 1);
        window.resize(300, 60);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void Show(const std::string& text) {
        label->SetLabelText(text);
        QApplication::processEvents();  // the layout settles
    }
};

template <typename Label>
void LongTextIsCutAndShownWholeAsTooltip() {
    CompanyLine<Label> line;
    const QString full = QString::fromStdString(LongName());
    line.Show(LongName());
    EXPECT_EQ(300, line.window.width());
    EXPECT_LT(line.label->width(), 300);
    const QString shown = line.label->ElidedText();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(kEllipsis, shown.back());
    EXPECT_TRUE(full.startsWith(shown.chopped(1)));
    EXPECT_LE(line.label->fontMetrics().horizontalAdvance(shown), line.label->width());
    EXPECT_EQ(full, line.label->toolTip());
    EXPECT_EQ(full, line.label->text());

    line.Show("SC BETA SRL");
    EXPECT_EQ("SC BETA SRL", line.label->ElidedText());
    EXPECT_TRUE(line.label->toolTip().isEmpty());

    // Widening the window makes room: the same text is no longer cut.
    line.Show(LongName().substr(0, 60));
    EXPECT_FALSE(line.label->toolTip().isEmpty());
    line.window.resize(900, 60);
    QApplication::processEvents();
    EXPECT_EQ(full.left(60), line.label->ElidedText());
    EXPECT_TRUE(line.label->toolTip().isEmpty());
}

TEST(ElidedLabel, LongTextIsCutAndShownWholeAsTooltip) {
    LongTextIsCutAndShownWholeAsTooltip<ElidedLabel>();
}

TEST(ColourLabel, LongTextIsCutAndShownWholeAsTooltip) {
    LongTextIsCutAndShownWholeAsTooltip<ColourLabel>();
}

TEST(ElidedLabel, SizeHintsDoNotFollowTheText) {
    ColourLabel label;
    label.SetLabelText("SC A SRL");
    const QSize shortHint = label.sizeHint();
    const QSize shortMinimum = label.minimumSizeHint();
    label.SetLabelText(LongName());
    EXPECT_EQ(shortHint, label.sizeHint());
    EXPECT_EQ(shortMinimum, label.minimumSizeHint());
    EXPECT_LT(label.sizeHint().width(), 200);
    EXPECT_GE(label.sizeHint().height(), label.fontMetrics().height());
}

TEST(ElidedLabel, MarkupInAStoredTextIsShownAsItIs) {
    ElidedLabel label;
    label.resize(40, 20);
    label.SetLabelText("SC <B>CLIENT</B> & FIUL SRL");
    EXPECT_EQ(Qt::PlainText, label.textFormat());
    // The tooltip is markup that shows the angle brackets, not bold text.
    EXPECT_TRUE(label.toolTip().contains("&lt;B&gt;CLIENT&lt;/B&gt; &amp; FIUL"));
}

}  // namespace
