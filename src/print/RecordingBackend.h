#pragma once
#include <string>
#include <vector>

#include "print/PageBackend.h"

// All a RecordingBackend was asked to draw, each item with its page number
// (the first page is 1). Owned by the caller, so it outlives PagePrinter::End.
struct Recording {
    struct Text {
        int page = 0;
        TextDraw draw;
    };
    struct Frame {
        int page = 0;
        FrameDraw draw;
    };

    // The texts drawn on one page, in order.
    std::vector<TextDraw> TextsOnPage(int page) const;
    std::vector<FrameDraw> FramesOnPage(int page) const;

    std::string documentName;
    int pages = 0;  // pages started
    int pagesEnded = 0;
    bool documentEnded = false;
    int penWidth = 0;
    std::vector<FontSpec> fontsSelected;
    std::vector<Text> texts;
    std::vector<Frame> frames;
};

// Keeps every drawing call instead of drawing, so page layouts are checked
// without a display or a printer. Widths are measured as half the font height
// per character: fixed, so wrapping is predictable.
class RecordingBackend : public PageBackend {
public:
    // Portrait A4 at one device pixel per page unit by default.
    explicit RecordingBackend(Recording& into, DeviceSize size = {4950, 7000})
        : m_rec(into), m_size(size) {}

    DeviceSize PrintableSize() const override { return m_size; }
    void StartDocument(const std::string& name) override { m_rec.documentName = name; }
    int StartPage() override { return ++m_rec.pages; }
    void EndPage() override { ++m_rec.pagesEnded; }
    void EndDocument() override { m_rec.documentEnded = true; }
    void SetPen(int widthPixels) override { m_rec.penWidth = widthPixels; }
    void SelectFont(const FontSpec& font) override;
    int TextWidth(const std::string& line) override;
    int LineHeight() override { return m_font.pixelHeight; }
    void DrawText(const TextDraw& text) override { m_rec.texts.push_back({m_rec.pages, text}); }
    void DrawFrame(const FrameDraw& frame) override {
        m_rec.frames.push_back({m_rec.pages, frame});
    }

private:
    Recording& m_rec;
    DeviceSize m_size;
    FontSpec m_font;
};

// A chooser for Begin that records into `into` with a device of `size`.
PrinterChooser RecordingChooser(Recording& into, DeviceSize size = {4950, 7000});
