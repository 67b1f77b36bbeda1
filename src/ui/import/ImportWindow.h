#pragma once
#include <QWidget>

class CClient;
class Prompter;
class QPushButton;

// The import panel: the doors to the import of employees from a payroll
// table, the import from an earlier report file, and the verification of
// report files written by other applications.
class ImportWindow : public QWidget {
    Q_OBJECT
public:
    ImportWindow(CClient& client, Prompter& prompter, QWidget* parent = nullptr);

    QPushButton* VerifyButton() const { return m_verifyButton; }

public slots:
    void ImportEmployees();
    void ImportEarlierReport();
    void VerifyFiles();

private:
    CClient& m_client;
    Prompter& m_prompter;
    QPushButton* m_verifyButton = nullptr;
};
