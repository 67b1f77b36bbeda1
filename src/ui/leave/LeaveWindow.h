#pragma once
#include <QWidget>

#include "health/CompanyRegister.h"

class CClient;
class CompanyList;

// The medical-leave window: the company list at its top; the declarations of
// the selected company live below it.
class LeaveWindow : public QWidget {
    Q_OBJECT
public:
    explicit LeaveWindow(CClient& client, QWidget* parent = nullptr);
    CompanyList* Companies() const { return m_companies; }

private:
    CompanyRegister m_companyRegister;
    CompanyList* m_companies;
};
