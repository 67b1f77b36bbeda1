#include "print/PainterBackend.h"

#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "text/TextCodec.h"

namespace {

const QColor kShade(192, 192, 192);

void SetOrientation(QPrinter& printer, int orientation) {
    printer.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}  // namespace

QString PrintedText(const std::string& text) {
    return ToQt(text);
}

PainterBackend::PainterBackend(std::unique_ptr<QPrinter> printer)
    : m_owned(std::move(printer)), m_printer(m_owned.get()) {}

PainterBackend::PainterBackend(QPrinter& printer) : m_printer(&printer) {}

PainterBackend::~PainterBackend() {
    EndDocument();
}

DeviceSize PainterBackend::PrintableSize() const {
    return {m_printer->width(), m_printer->height()};
}

bool PainterBackend::EnsurePainter() {
    if (m_painter.isActive()) return true;
    // A device that would not open (an unwritable file) is not asked again for every line.
    if (m_cannotPaint) return false;
    if (!m_painter.begin(m_printer)) {
        m_cannotPaint = true;
        return false;
    }
    m_painter.setPen(QPen(Qt::black, m_penWidth, Qt::SolidLine));
    m_painter.setFont(m_font);
    return true;
}

void PainterBackend::StartDocument(const std::string& name) {
    if (!m_painter.isActive()) m_printer->setDocName(PrintedText(name));
    EnsurePainter();
}

int PainterBackend::StartPage() {
    if (!EnsurePainter()) return 0;
    // The painter's start is the first page; each further page is asked for.
    if (m_pagesStarted > 0 && !m_printer->newPage()) return 0;
    ++m_pagesStarted;
    m_pageOpen = true;
    return 1;
}

void PainterBackend::EndDocument() {
    if (m_painter.isActive()) m_painter.end();
}

void PainterBackend::SetPen(int widthPixels) {
    m_penWidth = widthPixels;
    if (m_painter.isActive()) m_painter.setPen(QPen(Qt::black, widthPixels, Qt::SolidLine));
}

void PainterBackend::SelectFont(const FontSpec& font) {
    QFont qfont(QString::fromStdString(font.family));
    const int height = font.pixelHeight > 0 ? font.pixelHeight : 1;
    qfont.setPixelSize(height);
    // A font's height is the height of its whole line (ascent and descent), as
    // the report layouts were measured; Qt's pixel size is the smaller em, so
    // it is scaled down until the line has that height.
    const QFontMetricsF metrics(qfont, m_printer);
    const qreal line = metrics.ascent() + metrics.descent();
    if (line > height) qfont.setPixelSize(std::max(1, qRound(height * height / line)));
    qfont.setWeight(font.weight > 0 ? static_cast<QFont::Weight>(font.weight) : QFont::Normal);
    m_font = qfont;
    if (m_painter.isActive()) m_painter.setFont(m_font);
}

int PainterBackend::TextWidth(const std::string& line) {
    return QFontMetrics(m_font, m_printer).horizontalAdvance(PrintedText(line));
}

int PainterBackend::LineHeight() {
    return QFontMetrics(m_font, m_printer).height();
}

void PainterBackend::DrawLine(const std::string& line, int x, int top, int align) {
    const QFontMetrics metrics(m_font, m_printer);
    const QString text = PrintedText(line);
    const int width = metrics.horizontalAdvance(text);
    int left = x;
    if (align == kAlignCentre) left = x - width / 2;
    if (align == kAlignRight) left = x - width;
    m_painter.drawText(QPoint(left, top + metrics.ascent()), text);
}

void PainterBackend::DrawText(const TextDraw& text) {
    if (!EnsurePainter()) return;
    const DeviceBox& b = text.deviceBox;
    const QRect cell(QPoint(b.left, b.top), QPoint(b.right - 1, b.bottom - 1));
    if (text.kind != TextKind::Point) m_painter.setClipRect(cell);
    if (text.shaded) m_painter.fillRect(cell, kShade);
    int top = text.deviceAt.y;
    for (const std::string& line : text.lines) {
        DrawLine(line, text.deviceAt.x, top, text.align);
        top += text.deviceLineHeight;
    }
    m_painter.setClipping(false);
}

void PainterBackend::DrawFrame(const FrameDraw& frame) {
    if (!EnsurePainter()) return;
    const DeviceBox& b = frame.deviceBox;
    const QPoint corners[5] = {{b.left, b.top},
                               {b.right, b.top},
                               {b.right, b.bottom},
                               {b.left, b.bottom},
                               {b.left, b.top}};
    m_painter.drawPolyline(corners, 5);
}

PrinterChoice ChoosePrinterByDialog(int orientation, bool ask) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (ask) {
        QPrintDialog dialog(printer.get());
        if (dialog.exec() != QDialog::Accepted) return {ChoiceOutcome::Cancelled, nullptr};
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return {ChoiceOutcome::NoPrinter, nullptr};
        printer->setPrinterName(info.printerName());
    }
    SetOrientation(*printer, orientation);
    if (!printer->isValid()) return {ChoiceOutcome::NoPrinter, nullptr};
    return {ChoiceOutcome::Chosen, std::make_unique<PainterBackend>(std::move(printer))};
}

PrinterChooser PdfFileChooser(const std::string& path) {
    return [path](int orientation, bool) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(path));
        printer->setPageSize(QPageSize(QPageSize::A4));
        SetOrientation(*printer, orientation);
        return PrinterChoice{ChoiceOutcome::Chosen,
                             std::make_unique<PainterBackend>(std::move(printer))};
    };
}

PrinterChooser GivenPrinterChooser(QPrinter& printer) {
    return [&printer](int orientation, bool) {
        SetOrientation(printer, orientation);
        return PrinterChoice{ChoiceOutcome::Chosen, std::make_unique<PainterBackend>(printer)};
    };
}
