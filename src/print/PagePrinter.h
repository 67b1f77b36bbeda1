#pragma once
#include <array>
#include <memory>
#include <string>

#include "base/Prompter.h"
#include "print/PageBackend.h"

// Paper reports draw in page units: the long side of the printable area is
// 7000, whatever the printer's resolution. Plain C++ over a PageBackend, so
// layouts are tested with the recording backend and printed through Qt.
class PagePrinter {
public:
    static constexpr int kLongSide = 7000;
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    static constexpr int kFontCount = 12;
    static constexpr int kFooterFont = 7;
    // NewPage's footer argument follows this label; reports pass the version.
    static constexpr const char* kFooterLabel = "Orvik Asigurati ";
    static constexpr const char* kNoPrinter = "Imprimanta nu este instalata bine sau deloc ...";
    // A text too wide or too tall for its room shrinks, in the face of its
    // font, down to this height in page units; below it, it is cut with "…".
    static constexpr int kSmallestTextHeight = 50;

    PagePrinter(Prompter& prompter, PrinterChooser chooser);
    ~PagePrinter();
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    bool Begin(int orientation, bool ask = true);
    void StartDocument(const std::string& name);
    int NewPage(const std::string& footer);
    void EndPage();
    void End();

    void SelectFont(int font);
    // The font's face and size in the heaviest weight: a bold line in the
    // face of the page around it.
    void SelectBoldFont(int font);
    void Text(int x, int y, const std::string& text, int align);
    // Text at a point that must stay between `left` and `right` (page units),
    // where another text stands beside it.
    void TextWithin(int x, int y, const std::string& text, int align, int left, int right);
    void TextBox(int left, int top, int right, int bottom, const std::string& text, int align,
                 bool shaded, bool framed);
    void TextRect(int left, int top, int right, int bottom, const std::string& text, int align,
                  bool framed);
    void Frame(int left, int top, int right, int bottom);
    // Width of one line of text in the selected font, in page units (0 when
    // no job is open): lets a layout pick a font that fits a fixed cell.
    int TextWidth(const std::string& text) const;

    bool IsOpen() const { return m_backend != nullptr; }
    float Scale() const { return m_scale; }
    int Orientation() const { return m_orientation; }
    int CurrentFont() const { return m_font; }
    int CurrentAlign() const { return m_align; }
    int PenWidth() const { return m_penWidth; }
    // The twelve fonts as created for the open job (empty families when idle).
    const std::array<FontSpec, kFontCount>& Fonts() const { return m_fonts; }
    // Size of a font in page units as the reports ask for it.
    static FontSpec FontInPageUnits(int font);

    // Added to every position; NewPage sets both back to 0.
    int originX = 0;
    int originY = 0;

private:
    int ToDevice(int pageUnits, int origin) const;
    DeviceBox ToDevice(const PageBox& box) const;
    PageBox Shifted(int left, int top, int right, int bottom) const;
    DeviceBox PageArea() const;
    void PointText(int x, int y, const std::string& text, int align, const DeviceBox& room);
    // Draws the text so that its lines stay inside `room` (device pixels):
    // in the selected font when they fit, else in the largest smaller size
    // that fits down to the smallest one, and there cut with "…".
    void Draw(TextDraw& draw, const DeviceBox& room, bool centreSingleLine = false);
    void Fit(TextDraw& draw, const DeviceBox& room);
    bool LayOut(TextDraw& draw, int across, int down);
    void CutToRoom(TextDraw& draw, int across, int down);

    Prompter& m_prompter;
    PrinterChooser m_chooser;
    std::unique_ptr<PageBackend> m_backend;
    float m_scale = 1.0f;
    int m_orientation = kPortrait;
    int m_penWidth = 0;
    int m_font = 0;
    int m_align = kAlignLeft;
    bool m_pageOpen = false;
    std::array<FontSpec, kFontCount> m_fonts{};
    FontSpec m_selected;  // as the backend has it: one of the fonts, or its bold form
};
