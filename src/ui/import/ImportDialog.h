#pragma once
#include <QDialog>
#include <string>

#include "import/ImportFile.h"
#include "import/ImportSave.h"

class CClient;
class DataListView;
class ElidedLabel;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// "Import de date din sursa externa" and "Import de date din fisiere de
// raportare anterioare": a file read into the list, the company it belongs
// to, and the save, with each row's verdict in the list. A long save shows
// how far it got (or that it waits for another import to end) and stops
// between chunks of rows when asked.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // The file is opened into the dialog's list; it outlives the dialog.
    ImportDialog(CClient& client, ImportFile& file, QWidget* parent = nullptr);

    DataListView* List() const { return m_list; }
    bool Saving() const { return m_saving; }
    // Asks a running save to stop after the rows it is writing.
    void StopSave() { m_stopRequested = true; }

public slots:
    void OpenFile();
    void Save();
    // Selects the next red or orange row after the current one, from the top
    // again after the last, and says why it is marked.
    void ShowNextMarkedRow();

protected:
    void reject() override;

private:
    class SaveProgress;

    QGroupBox* BuildCompanyBox();
    QWidget* BuildButtons();
    QWidget* BuildLegend();
    QWidget* BuildStatusLine();
    void UpdateMarkedRows();
    void EnableCompany(bool enabled);
    void ShowCompany();
    ImportRequest Request() const;
    void SetSaving(bool saving);

    CClient& m_client;
    ImportFile& m_file;
    DataListView* m_list = nullptr;
    QGroupBox* m_company = nullptr;
    QButtonGroup* m_paymentMonth = nullptr;
    QComboBox* m_house = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_nextMarkedButton = nullptr;
    QStackedWidget* m_statusLine = nullptr;
    ElidedLabel* m_markedReason = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_progressText = nullptr;
    bool m_saving = false;
    bool m_stopRequested = false;
    bool m_saved = false;
};
