#include <gtest/gtest.h>

#include "ui/ColourLabel.h"

namespace {

TEST(ColourLabel, PaintsItsColours) {
    ColourLabel label;
    label.resize(120, 20);
    label.SetLabelText("SC TEST SRL");
    EXPECT_EQ(label.TextColour(), QColor(0, 249, 126));
    label.SetBackColour(QColor(10, 20, 30));
    const QImage image = label.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(10, 20, 30));
}

}  // namespace
