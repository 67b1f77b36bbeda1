#pragma once
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "import/FileVerification.h"

class CClient;
class DataListView;
class Prompter;
class QLabel;
class QProgressBar;
class QPushButton;

// "Verifica fisiere de raportare generate de alta aplicatie": loads one declaration file made
// by another program, checks its layout and its records, and shows the faulty records in red
// with the reason in the last column "EROARE". Nothing is written to the database or to the
// file; the faulty records can be saved as a report for the program that made the file.
class VerifyFilesDialog : public QDialog {
    Q_OBJECT
public:
    // The verification needs no database; the connection only lends its prompter.
    explicit VerifyFilesDialog(CClient& client, QWidget* parent = nullptr);
    explicit VerifyFilesDialog(Prompter& prompter, QWidget* parent = nullptr);
    ~VerifyFilesDialog() override;

    // One verification, as the button of `kind` runs it: choose a file, read, check, say.
    void Verify(VerifiedKind kind);
    // "Salveaza raportul de erori".
    void SaveErrorReport();

    DataListView* List() const { return m_list; }
    // True while a file is being read and checked; the window still repaints and moves.
    bool Busy() const { return m_busy; }

public slots:
    void reject() override;

private:
    void BuildLayout();
    QPushButton* AddVerifyButton(const char* objectName, const char* label, VerifiedKind kind);
    void SetBusy(bool busy);

    Prompter& m_prompter;
    DataListView* m_list = nullptr;
    QLabel* m_note = nullptr;
    QProgressBar* m_progress = nullptr;
    std::vector<QPushButton*> m_verifyButtons;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    // The file the list shows; its rows carry their places in the file.
    std::string m_verifiedPath;
    bool m_busy = false;
};
