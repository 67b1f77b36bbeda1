#include "print/PagePrinter.h"

#include <algorithm>
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

constexpr int kHeaviest = 900;

// How wide a line drawn at x with the alignment may be inside the room.
int RoomAcross(const DeviceBox& room, int x, int align) {
    if (align == kAlignRight) return x - room.left;
    if (align == kAlignCentre) return 2 * std::min(x - room.left, room.right - x);
    return room.right - x;
}

DeviceBox Intersection(const DeviceBox& a, const DeviceBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
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
    m_selected = {};
    m_font = 0;
    m_penWidth = 0;
    m_align = kAlignLeft;
    originX = 0;
    originY = 0;
}

void PagePrinter::SelectFont(int font) {
    if (!m_backend || font < 1 || font > kFontCount) return;
    m_font = font;
    m_selected = m_fonts[font - 1];
    m_backend->SelectFont(m_selected);
}

void PagePrinter::SelectBoldFont(int font) {
    if (!m_backend || font < 1 || font > kFontCount) return;
    m_font = font;
    m_selected = m_fonts[font - 1];
    m_selected.weight = kHeaviest;
    m_backend->SelectFont(m_selected);
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

DeviceBox PagePrinter::PageArea() const {
    const DeviceSize size = m_backend->PrintableSize();
    return {0, 0, size.width, size.height};
}

void PagePrinter::Draw(TextDraw& draw, const DeviceBox& room, bool centreSingleLine) {
    draw.font = m_font;
    draw.deviceAt = {ToDevice(draw.at.x, 0), ToDevice(draw.at.y, 0)};
    const DeviceBox inside = Intersection(room, PageArea());
    Fit(draw, inside);
    draw.deviceLineHeight = m_backend->LineHeight();
    // A line that shrank keeps the foot of its line, level with its neighbours.
    const int lower = m_selected.pixelHeight - draw.drawnFont.pixelHeight;
    if (draw.kind != TextKind::Wrapped && draw.lines.size() == 1 && lower > 0 &&
        draw.deviceAt.y + m_selected.pixelHeight <= inside.bottom)
        draw.deviceAt.y += lower;
    // A single wrapped line stands in the middle of its cell; more start at the top.
    if (centreSingleLine && draw.lines.size() == 1) {
        const int height = draw.deviceBox.bottom - draw.deviceBox.top;
        draw.deviceAt.y = draw.deviceBox.top + (height - draw.drawnFont.pixelHeight) / 2;
    }
    m_backend->DrawText(draw);
    if (draw.drawnFont.pixelHeight != m_selected.pixelHeight) m_backend->SelectFont(m_selected);
}

// The lines in the backend's current font; true when they fit across and down.
bool PagePrinter::LayOut(TextDraw& draw, int across, int down) {
    const auto width = [this](const std::string& line) { return m_backend->TextWidth(line); };
    draw.lines = draw.kind == TextKind::Wrapped ? WrapLines(draw.text, across, width)
                                                : SplitLines(draw.text);
    int widest = 0;
    for (const std::string& line : draw.lines) widest = std::max(widest, width(line));
    const int lines = static_cast<int>(draw.lines.size());
    const int height =
        lines == 0 ? 0 : (lines - 1) * m_backend->LineHeight() + draw.drawnFont.pixelHeight;
    return widest <= across && height <= down;
}

void PagePrinter::Fit(TextDraw& draw, const DeviceBox& room) {
    const int across = RoomAcross(room, draw.deviceAt.x, draw.align);
    const int down = room.bottom - draw.deviceAt.y;
    draw.drawnFont = m_selected;
    if (LayOut(draw, across, down)) return;
    const int height = FontInPageUnits(m_font).pixelHeight;
    const auto pixels = [this](int units) {
        return std::max(1, static_cast<int>(static_cast<float>(units) * m_scale));
    };
    // Unwrapped lines narrow in proportion to the size: start near the size
    // that should fit rather than one step below the font's own.
    int start = height - 1;
    if (draw.kind != TextKind::Wrapped) {
        int widest = 1;
        for (const std::string& line : draw.lines)
            widest = std::max(widest, m_backend->TextWidth(line));
        const float ratio = static_cast<float>(std::max(0, across)) / static_cast<float>(widest);
        start = std::min(start, static_cast<int>(static_cast<float>(height) * ratio) + 1);
    }
    FontSpec font = m_selected;
    for (int units = start; units >= kSmallestTextHeight; --units) {
        if (pixels(units) >= font.pixelHeight) continue;  // no smaller on this device
        font.pixelHeight = pixels(units);
        m_backend->SelectFont(font);
        draw.drawnFont = font;
        if (LayOut(draw, across, down)) return;
    }
    font.pixelHeight = std::min(pixels(kSmallestTextHeight), m_selected.pixelHeight);
    m_backend->SelectFont(font);
    draw.drawnFont = font;
    LayOut(draw, across, down);
    CutToRoom(draw, across, down);
}

// At the smallest size: the lines that fit down, each cut to the room across;
// the last one kept says with the mark that more was left out.
void PagePrinter::CutToRoom(TextDraw& draw, int across, int down) {
    const int height = draw.drawnFont.pixelHeight;
    const int step = std::max(1, m_backend->LineHeight());
    const std::size_t fitting =
        down < height ? 0 : static_cast<std::size_t>(1 + (down - height) / step);
    const bool dropped = draw.lines.size() > fitting;
    if (dropped) draw.lines.resize(fitting);
    const auto width = [this](const std::string& line) { return m_backend->TextWidth(line); };
    for (std::size_t i = 0; i < draw.lines.size(); ++i)
        draw.lines[i] =
            CutToWidth(draw.lines[i], across, width, dropped && i + 1 == draw.lines.size());
}

void PagePrinter::Text(int x, int y, const std::string& text, int align) {
    if (!m_backend) return;
    PointText(x, y, text, align, PageArea());
}

void PagePrinter::TextWithin(int x, int y, const std::string& text, int align, int left,
                             int right) {
    if (!m_backend) return;
    DeviceBox room = PageArea();
    room.left = std::max(room.left, ToDevice(left, originX));
    room.right = std::min(room.right, ToDevice(right, originX));
    PointText(x, y, text, align, room);
}

void PagePrinter::PointText(int x, int y, const std::string& text, int align,
                            const DeviceBox& room) {
    if (IsAlign(align)) m_align = align;
    TextDraw draw;
    draw.kind = TextKind::Point;
    draw.align = m_align;
    draw.text = NormaliseLineBreaks(text);
    draw.at = {originX + x, originY + y};
    draw.box = Shifted(x, y, x, y);
    draw.deviceBox = ToDevice(draw.box);
    Draw(draw, room);
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
    draw.at = {originX + x, originY + top + kCellMarginY};
    draw.box = Shifted(left, top, right, bottom);
    draw.deviceBox = ToDevice(draw.box);
    draw.shaded = shaded;
    // Inside the cell's side margins, which the text keeps whatever its alignment.
    Draw(draw, ToDevice(Shifted(left + kCellMarginX, top, right - kCellMarginX, bottom)));
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
    int x = draw.box.left;
    if (draw.align == kAlignCentre) x = draw.box.left + (draw.box.right - draw.box.left) / 2;
    if (draw.align == kAlignRight) x = draw.box.right;
    draw.at = {x, draw.box.top};
    Draw(draw, draw.deviceBox, true);
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
