#include "cli/PdfPrinting.h"

#include <QGuiApplication>
#include <cstdlib>

#include "print/PainterBackend.h"

int WithPdfPrinting(const std::function<int()>& work) {
    // Nothing is shown: the tool runs the same with or without a desktop.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's own notices would mix into the tool's messages; failures are said by the tool.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "orvik-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    return work();
}

FilePrinterFactory PdfPrinterFactory() {
    return [](const std::string& path) { return PdfFileChooser(path); };
}
