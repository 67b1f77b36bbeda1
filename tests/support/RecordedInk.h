#pragma once
// Where recorded texts stand on the page under the recorder's own measure
// (half the font height per character), so a layout test can say which text
// leaves its cell, leaves the page or prints over another one.
#include <algorithm>
#include <string>
#include <vector>

#include "print/RecordingBackend.h"

namespace recorded_ink {

// The area a text's lines cover, device pixels; empty when nothing is drawn.
inline DeviceBox InkOf(const TextDraw& t) {
    const int height = t.drawnFont.pixelHeight;
    int widest = 0;
    for (const std::string& line : t.lines)
        widest = std::max(widest, static_cast<int>(line.size()) * (height / 2));
    int left = t.deviceAt.x;
    if (t.align == kAlignCentre) left -= widest / 2;
    if (t.align == kAlignRight) left -= widest;
    const int lines = static_cast<int>(t.lines.size());
    const int bottom =
        lines == 0 ? t.deviceAt.y : t.deviceAt.y + (lines - 1) * t.deviceLineHeight + height;
    return {left, t.deviceAt.y, left + widest, bottom};
}

inline bool IsEmpty(const DeviceBox& b) {
    return b.right <= b.left || b.bottom <= b.top;
}

inline bool Inside(const DeviceBox& inner, const DeviceBox& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

inline bool Overlap(const DeviceBox& a, const DeviceBox& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline std::string Describe(const TextDraw& t) {
    const DeviceBox ink = InkOf(t);
    return "\"" + t.text + "\" ink " + std::to_string(ink.left) + "," + std::to_string(ink.top) +
           "-" + std::to_string(ink.right) + "," + std::to_string(ink.bottom);
}

// Every text of every page that leaves its cell (cells and wrapped cells) or
// the page, or whose ink meets another text's ink on the same page.
inline std::vector<std::string> Overprints(const Recording& rec, DeviceSize page) {
    std::vector<std::string> found;
    const DeviceBox paper{0, 0, page.width, page.height};
    for (int p = 1; p <= rec.pages; ++p) {
        const std::vector<TextDraw> texts = rec.TextsOnPage(p);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const TextDraw& t = texts[i];
            const DeviceBox ink = InkOf(t);
            if (IsEmpty(ink)) continue;
            if (!Inside(ink, paper))
                found.push_back("page " + std::to_string(p) + " off the page: " + Describe(t));
            if (t.kind != TextKind::Point && !Inside(ink, t.deviceBox))
                found.push_back("page " + std::to_string(p) + " out of its cell: " + Describe(t));
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                if (!IsEmpty(InkOf(texts[j])) && Overlap(ink, InkOf(texts[j])))
                    found.push_back("page " + std::to_string(p) + " " + Describe(t) + " over " +
                                    Describe(texts[j]));
        }
    }
    return found;
}

}  // namespace recorded_ink
