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
    void Text(int x, int y, const std::string& text, int align);
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
    void Draw(TextDraw& draw, bool centreSingleLine = false);

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
};
