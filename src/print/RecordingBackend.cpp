#include "print/RecordingBackend.h"

std::vector<TextDraw> Recording::TextsOnPage(int page) const {
    std::vector<TextDraw> found;
    for (const Text& text : texts)
        if (text.page == page) found.push_back(text.draw);
    return found;
}

std::vector<FrameDraw> Recording::FramesOnPage(int page) const {
    std::vector<FrameDraw> found;
    for (const Frame& frame : frames)
        if (frame.page == page) found.push_back(frame.draw);
    return found;
}

void RecordingBackend::SelectFont(const FontSpec& font) {
    m_font = font;
    m_rec.fontsSelected.push_back(font);
}

int RecordingBackend::TextWidth(const std::string& line) {
    return static_cast<int>(line.size()) * (m_font.pixelHeight / 2);
}

PrinterChooser RecordingChooser(Recording& into, DeviceSize size) {
    return [&into, size](int, bool) {
        return PrinterChoice{ChoiceOutcome::Chosen, std::make_unique<RecordingBackend>(into, size)};
    };
}
