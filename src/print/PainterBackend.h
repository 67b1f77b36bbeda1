#pragma once
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <map>
#include <memory>
#include <string>

#include "print/PageBackend.h"

// Draws through QPainter on a QPrinter: a real printer, or a PDF file, which
// needs no printer installed.
class PainterBackend : public PageBackend {
public:
    explicit PainterBackend(std::unique_ptr<QPrinter> printer);
    // Draws on a printer someone else owns and has set up: the page preview's.
    explicit PainterBackend(QPrinter& printer);
    ~PainterBackend() override;

    DeviceSize PrintableSize() const override;
    void StartDocument(const std::string& name) override;
    int StartPage() override;
    void EndPage() override { m_pageOpen = false; }
    void EndDocument() override;
    void SetPen(int widthPixels) override;
    void SelectFont(const FontSpec& font) override;
    int TextWidth(const std::string& line) override;
    int LineHeight() override;
    void DrawText(const TextDraw& text) override;
    void DrawFrame(const FrameDraw& frame) override;

    QPrinter& Printer() { return *m_printer; }

private:
    bool EnsurePainter();
    void DrawLine(const std::string& line, int x, int top, int align);

    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_penWidth = 1;
    int m_pagesStarted = 0;
    bool m_pageOpen = false;
    bool m_cannotPaint = false;
};

// Texts of the program are Windows-1250 bytes; QPainter wants QString.
QString PrintedText(const std::string& text);

// Shows the print dialog (ask set) or takes the default printer (ask not set),
// then sets the orientation. Needs a QApplication.
PrinterChoice ChoosePrinterByDialog(int orientation, bool ask);

// Prints into a PDF file, asking nothing: for tests and for saving a report.
PrinterChooser PdfFileChooser(const std::string& path);

// Draws on `printer` as it is, asking nothing (the page preview hands one
// over); the orientation is still applied. The printer must outlive the job.
PrinterChooser GivenPrinterChooser(QPrinter& printer);
