#include "print/PagePrinter.h"

#include <cmath>

#include "print/PageText.h"

namespace {

struct FontRow {
    const char* family;
    int height;
    int weight;
};

// Heights in page units; the reports' layouts are measured against these.
constexpr FontRow kFontTable[PagePrinter::kFontCount] = {
    {"Arial", 90, 0},   {"Times New Roman", 200, 0},  {"MS Sans Serif", 100, 0},
    {"Arial", 130, 0},  {"Times New Roman", 90, 900}, {"Times New Roman", 110, 900},
    {"Arial", 60, 900}, {"Arial", 130, 900},          {"Times New Roman", 120, 0},
    {"Arial", 70, 0},   {"Times New Roman", 70, 900}, {"Arial", 60, 0},
};

// Inner margins of a TextBox cell, in page units.
constexpr int kCellMarginX = 20;
constexpr int kCellMarginY = 10;

constexpr PageBox kFooterPortrait{2500, 6400, 4700, 6600};
constexpr PageBox kFooterLandscape{4500, 4600, 6500, 4800};

bool IsAlign(int align) {
    return align >= kAlignLeft && align <= kAlignRight;
}

}  // namespace

PagePrinter::PagePrinter(Prompter& prompter, PrinterChooser chooser)
    : m_prompter(prompter), m_chooser(std::move(chooser)) {}

PagePrinter::~PagePrinter() {
    End();
}

FontSpec PagePrinter::FontInPageUnits(int font) {
    if (font < 1 || font > kFontCount) return {};
    const FontRow& row = kFontTable[font - 1];
    return {font, row.family, row.height, row.weight};
}

bool PagePrinter::Begin(int orientation, bool ask) {
    End();
    m_orientation = orientation;
    PrinterChoice choice = m_chooser ? m_chooser(orientation, ask) : PrinterChoice{};
    if (choice.outcome == ChoiceOutcome::Cancelled) return false;
    if (choice.outcome != ChoiceOutcome::Chosen || !choice.backend) {
        m_prompter.ShowMessage(kNoPrinter, MessageKind::Error);
        return false;
    }
    m_backend = std::move(choice.backend);
    const DeviceSize size = m_backend->PrintableSize();
    const int longSide = orientation == kLandscape ? size.width : size.height;
    m_scale = static_cast<float>(longSide) / kLongSide;
    m_penWidth = static_cast<int>(m_scale * 2);
    m_backend->SetPen(m_penWidth);
    for (int font = 1; font <= kFontCount; ++font) {
        FontSpec spec = FontInPageUnits(font);
        spec.pixelHeight = static_cast<int>(static_cast<float>(spec.pixelHeight) * m_scale);
        m_fonts[font - 1] = spec;
    }
    m_align = kAlignLeft;
    SelectFont(1);
    return true;
}

void PagePrinter::StartDocument(const std::string& name) {
    if (m_backend) m_backend->StartDocument(name);
}

int PagePrinter::NewPage(const std::string& footer) {
    if (!m_backend) return -1;
    const int started = m_backend->StartPage();
    m_pageOpen = true;
    originX = 0;
    originY = 0;
    SelectFont(kFooterFont);
    const PageBox& cell = m_orientation == kLandscape ? kFooterLandscape : kFooterPortrait;
    TextBox(cell.left, cell.top, cell.right, cell.bottom, kFooterLabel + footer, kAlignRight, false,
            false);
    return started;
}

void PagePrinter::EndPage() {
    if (!m_backend || !m_pageOpen) return;
    m_backend->EndPage();
    m_pageOpen = false;
}

void PagePrinter::End() {
    if (!m_backend) return;
    EndPage();
    m_backend->EndDocument();
    m_backend.reset();
    m_fonts = {};
    m_font = 0;
    m_penWidth = 0;
    m_align = kAlignLeft;
    originX = 0;
    originY = 0;
}

void PagePrinter::SelectFont(int font) {
    if (!m_backend || font < 1 || font > kFontCount) return;
    m_font = font;
    m_backend->SelectFont(m_fonts[font - 1]);
}

int PagePrinter::ToDevice(int pageUnits, int origin) const {
    return static_cast<int>(static_cast<float>(origin + pageUnits) * m_scale);
}

DeviceBox PagePrinter::ToDevice(const PageBox& box) const {
    return {ToDevice(box.left, 0), ToDevice(box.top, 0), ToDevice(box.right, 0),
            ToDevice(box.bottom, 0)};
}

PageBox PagePrinter::Shifted(int left, int top, int right, int bottom) const {
    return {originX + left, originY + top, originX + right, originY + bottom};
}

void PagePrinter::Draw(TextDraw& draw, bool centreSingleLine) {
    draw.font = m_font;
    draw.deviceAt = {ToDevice(draw.at.x, 0), ToDevice(draw.at.y, 0)};
    draw.deviceLineHeight = m_backend->LineHeight();
    // A single wrapped line stands in the middle of its cell; more start at the top.
    if (centreSingleLine && draw.lines.size() == 1) {
        const int height = draw.deviceBox.bottom - draw.deviceBox.top;
        draw.deviceAt.y = draw.deviceBox.top + (height - draw.deviceLineHeight) / 2;
    }
    m_backend->DrawText(draw);
}

void PagePrinter::Text(int x, int y, const std::string& text, int align) {
    if (!m_backend) return;
    if (IsAlign(align)) m_align = align;
    TextDraw draw;
    draw.kind = TextKind::Point;
    draw.align = m_align;
    draw.text = NormaliseLineBreaks(text);
    draw.lines = SplitLines(draw.text);
    draw.at = {originX + x, originY + y};
    draw.box = Shifted(x, y, x, y);
    draw.deviceBox = ToDevice(draw.box);
    Draw(draw);
}

void PagePrinter::TextBox(int left, int top, int right, int bottom, const std::string& text,
                          int align, bool shaded, bool framed) {
    if (!m_backend) return;
    if (IsAlign(align)) m_align = align;
    int x = left + kCellMarginX;
    if (m_align == kAlignCentre) x = left + (right - left) / 2;
    if (m_align == kAlignRight) x = right - kCellMarginX;
    TextDraw draw;
    draw.kind = TextKind::Cell;
    draw.align = m_align;
    draw.text = NormaliseLineBreaks(text);
    draw.lines = SplitLines(draw.text);
    draw.at = {originX + x, originY + top + kCellMarginY};
    draw.box = Shifted(left, top, right, bottom);
    draw.deviceBox = ToDevice(draw.box);
    draw.shaded = shaded;
    Draw(draw);
    if (framed) Frame(left, top, right, bottom);
    m_align = kAlignLeft;
}

void PagePrinter::TextRect(int left, int top, int right, int bottom, const std::string& text,
                           int align, bool framed) {
    if (!m_backend) return;
    TextDraw draw;
    draw.kind = TextKind::Wrapped;
    draw.align = IsAlign(align) ? align : kAlignLeft;
    draw.text = NormaliseLineBreaks(text);
    draw.box = Shifted(left, top, right, bottom);
    draw.deviceBox = ToDevice(draw.box);
    const int width = draw.deviceBox.right - draw.deviceBox.left;
    draw.lines = WrapLines(draw.text, width,
                           [this](const std::string& line) { return m_backend->TextWidth(line); });
    int x = draw.box.left;
    if (draw.align == kAlignCentre) x = draw.box.left + (draw.box.right - draw.box.left) / 2;
    if (draw.align == kAlignRight) x = draw.box.right;
    draw.at = {x, draw.box.top};
    Draw(draw, true);
    if (framed) Frame(left, top, right, bottom);
}

void PagePrinter::Frame(int left, int top, int right, int bottom) {
    if (!m_backend) return;
    FrameDraw frame;
    frame.box = Shifted(left, top, right, bottom);
    frame.deviceBox = ToDevice(frame.box);
    frame.penWidth = m_penWidth;
    m_backend->DrawFrame(frame);
}

int PagePrinter::TextWidth(const std::string& text) const {
    if (!m_backend || m_scale <= 0) return 0;
    return static_cast<int>(std::ceil(static_cast<float>(m_backend->TextWidth(text)) / m_scale));
}
