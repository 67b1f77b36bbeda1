#pragma once
#include <QDialog>
#include <string>

#include "health/EmployerSums.h"

class CClient;
class DataListView;

// "Pasul 3: Sumele datorate de catre angajator": every company with its
// salary fund and employer contribution of the working month.
class EmployerSumsWindow : public QDialog {
    Q_OBJECT
public:
    EmployerSumsWindow(CClient& client, const std::string& month, QWidget* parent = nullptr);

    // A list that could not be read is never shown: its message was.
    int exec() override;

public slots:
    void ModifySums();

private:
    EmployerSums m_sums;
    DataListView* m_list;
    bool m_filled = false;
};
