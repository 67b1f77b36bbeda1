#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The drawing seam of PagePrinter. PagePrinter does every page-unit computation
// (origin, scale, reference points, line breaks, wrapping) and hands the result
// here in both page units and device pixels, so a printer draws the device side
// and a recorder keeps the page side. Plain C++: report layouts and their tests
// include it without Qt.

struct PagePoint {
    int x = 0;
    int y = 0;
};

// Left, top, right, bottom; page units with the origin already added.
struct PageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct DevicePoint {
    int x = 0;
    int y = 0;
};

struct DeviceBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Printable area in device pixels.
struct DeviceSize {
    int width = 0;
    int height = 0;
};

// One of the twelve numbered fonts, sized for the device.
struct FontSpec {
    int number = 0;
    std::string family;
    int pixelHeight = 0;
    int weight = 0;  // 0 default, 900 heaviest
};

enum class TextKind {
    Point,    // Text: at a point
    Cell,     // TextBox: one line in a cell, clipped
    Wrapped,  // TextRect: word-wrapped in a cell, clipped
};

// Text alignment codes of the report layouts.
enum : int { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

struct TextDraw {
    TextKind kind = TextKind::Point;
    int font = 0;  // number of the selected font, 1 to 12
    int align = kAlignLeft;
    std::string text;                // as given, every line break made "\n"
    std::vector<std::string> lines;  // what is drawn, one below the other
    PagePoint at;                    // reference point: x is where the text starts, centres or ends
    PageBox box;                     // the cell; for Point the point itself
    DevicePoint deviceAt;            // top of the first line at the reference x
    DeviceBox deviceBox;             // clip and shading area (Cell, Wrapped)
    int deviceLineHeight = 0;
    // The font the lines are drawn in: the selected one, or the same face
    // smaller when the text had to shrink to stay in its room.
    FontSpec drawnFont;
    bool shaded = false;  // cell filled light grey first
};

struct FrameDraw {
    PageBox box;
    DeviceBox deviceBox;
    int penWidth = 0;  // device pixels
};

class PageBackend {
public:
    virtual ~PageBackend() = default;

    virtual DeviceSize PrintableSize() const = 0;
    virtual void StartDocument(const std::string& name) = 0;
    // Greater than zero when the page could be started.
    virtual int StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;

    virtual void SetPen(int widthPixels) = 0;
    virtual void SelectFont(const FontSpec& font) = 0;
    // Of the selected font, in device pixels.
    virtual int TextWidth(const std::string& line) = 0;
    virtual int LineHeight() = 0;

    virtual void DrawText(const TextDraw& text) = 0;
    virtual void DrawFrame(const FrameDraw& frame) = 0;
};

// What the printer choice gave: a device to draw on, a cancelled dialog, or no
// usable printer (PagePrinter then says so).
enum class ChoiceOutcome { Chosen, Cancelled, NoPrinter };

struct PrinterChoice {
    ChoiceOutcome outcome = ChoiceOutcome::NoPrinter;
    std::unique_ptr<PageBackend> backend;
};

// Asked by Begin with the orientation (1 portrait, 2 landscape) and the ask
// flag; it shows the printer dialog when ask is set and applies the orientation.
using PrinterChooser = std::function<PrinterChoice(int orientation, bool ask)>;
