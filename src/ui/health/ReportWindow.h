#pragma once
#include <QDialog>
#include <string>

class CClient;
class KeyActions;
class QLabel;

// "Generare de rapoarte": the four steps of the monthly health declaration.
// It holds the working month for as long as it is open; steps 2 to 4 need it.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportWindow(CClient& client, QWidget* parent = nullptr);

    const std::string& WorkingMonth() const { return m_month; }

public slots:
    void ChooseMonth();
    void EnterEmployeeSums();
    void EnterEmployerSums();
    void GenerateReports();

private:
    // True with a month chosen; otherwise tells the user to choose one.
    bool RequireMonth();

    CClient& m_client;
    KeyActions* m_keys;
    QLabel* m_monthLine;
    std::string m_month;
};
