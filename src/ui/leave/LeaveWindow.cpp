#include "ui/leave/LeaveWindow.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/health/CompanyList.h"

LeaveWindow::LeaveWindow(CClient& client, QWidget* parent)
    : QWidget(parent), m_companyRegister(client, CompanyPlace::Leave) {
    setObjectName("leaveWindow");
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox("Societati", this);
    auto* boxLayout = new QVBoxLayout(box);
    m_companies = new CompanyList(m_companyRegister, box);
    boxLayout->addWidget(m_companies);
    layout->addWidget(box, 1);
    layout->addStretch(1);
}
