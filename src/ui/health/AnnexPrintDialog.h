#pragma once
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "datalist/DataList.h"
#include "health/PrintedAnnexes.h"
#include "print/PageBackend.h"

class DataListView;
class QLabel;
class QPrinter;

// "Tiparire": the rows of one annex in a list (2a and 2c with their "TOTAL"
// row) before it is printed alone. Besides printing it shows the real pages
// and saves them as a PDF file without a printer.
class AnnexPrintDialog : public QDialog {
    Q_OBJECT
public:
    // Asks where to save, suggesting a file name; nothing when cancelled.
    using SaveFileChooser = std::function<std::optional<std::string>(const std::string& suggested)>;

    AnnexPrintDialog(PrintedAnnexes& annexes, PrintedAnnex annex, AnnexPageHeader header,
                     std::string version, QWidget* parent = nullptr);

    // A dialog whose rows could not be read is never shown: its message was.
    int exec() override;

    void SetPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }
    void SetSaveFileChooser(SaveFileChooser chooser) { m_saveChooser = std::move(chooser); }
    const DataList& Rows() const;

public slots:
    void Print();
    void ShowPages();
    void SavePdf();

private:
    void DrawOn(QPrinter& printer);

    PrintedAnnexes& m_annexes;
    PrintedAnnex m_annex;
    AnnexPageHeader m_header;
    std::string m_version;
    DataListView* m_list = nullptr;
    PrinterChooser m_chooser;
    SaveFileChooser m_saveChooser;
    bool m_filled = false;
};
