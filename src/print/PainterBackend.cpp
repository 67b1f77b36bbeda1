#include "print/PainterBackend.h"

#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <array>

namespace {

// Unicode of the bytes 0x80..0xFF of Windows-1250; unused bytes keep their value.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const QColor kShade(192, 192, 192);

void SetOrientation(QPrinter& printer, int orientation) {
    printer.setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}  // namespace

QString PrintedText(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (unsigned char c : text) out += c < 0x80 ? QChar(c) : QChar(kHighHalf[c - 0x80]);
    return out;
}

PainterBackend::PainterBackend(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

PainterBackend::~PainterBackend() {
    EndDocument();
}

DeviceSize PainterBackend::PrintableSize() const {
    return {m_printer->width(), m_printer->height()};
}

bool PainterBackend::EnsurePainter() {
    if (m_painter.isActive()) return true;
    if (!m_painter.begin(m_printer.get())) return false;
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
    qfont.setPixelSize(font.pixelHeight > 0 ? font.pixelHeight : 1);
    qfont.setWeight(font.weight > 0 ? static_cast<QFont::Weight>(font.weight) : QFont::Normal);
    m_font = qfont;
    if (m_painter.isActive()) m_painter.setFont(m_font);
}

int PainterBackend::TextWidth(const std::string& line) {
    return QFontMetrics(m_font, m_printer.get()).horizontalAdvance(PrintedText(line));
}

int PainterBackend::LineHeight() {
    return QFontMetrics(m_font, m_printer.get()).height();
}

void PainterBackend::DrawLine(const std::string& line, int x, int top, int align) {
    const QFontMetrics metrics(m_font, m_printer.get());
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
