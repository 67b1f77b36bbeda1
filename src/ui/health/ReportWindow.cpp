#include "ui/health/ReportWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/CClient.h"
#include "health/MonthlySums.h"
#include "text/TextCodec.h"
#include "ui/KeyActions.h"
#include "ui/health/AnnexFilesWindow.h"
#include "ui/health/EmployeeSumsWindow.h"
#include "ui/health/EmployerSumsWindow.h"
#include "ui/health/MonthDialog.h"

ReportWindow::ReportWindow(CClient& client, QWidget* parent)
    : QDialog(parent), m_client(client), m_keys(new KeyActions(this)) {
    setObjectName("reportWindow");
    setWindowTitle("Generare de rapoarte");
    auto* layout = new QVBoxLayout(this);
    m_monthLine = new QLabel(this);
    m_monthLine->setObjectName("monthLine");
    m_monthLine->setTextFormat(Qt::PlainText);
    QFont bold = m_monthLine->font();
    bold.setBold(true);
    m_monthLine->setFont(bold);
    layout->addWidget(m_monthLine);
    const struct {
        const char* name;
        KeyCommand command;
        void (ReportWindow::*step)();
    } steps[] = {
        {"step1Button",
         {Qt::Key_F2, Qt::NoModifier,
          "[F2]   Pasul 1: Selecteaza luna pentru care se genereaza rapoarte"},
         &ReportWindow::ChooseMonth},
        {"step2Button",
         {Qt::Key_F3, Qt::NoModifier,
          "[F3]   Pasul 2: Introdu / actualizeaza obligatiile pentru fiecare asigurat"},
         &ReportWindow::EnterEmployeeSums},
        {"step3Button",
         {Qt::Key_F4, Qt::NoModifier,
          "[F4]   Pasul 3: Introdu suma datorata/virata de catre angajator"},
         &ReportWindow::EnterEmployerSums},
        {"step4Button",
         {Qt::Key_F5, Qt::NoModifier, "[F5]   Pasul 4: Genereaza rapoarte"},
         &ReportWindow::GenerateReports},
    };
    for (const auto& s : steps) {
        QPushButton* button =
            m_keys->Add(this, s.name, s.command, [this, step = s.step] { (this->*step)(); });
        // The steps read as a list: each label starts at the same place.
        button->setStyleSheet("text-align: left; padding: 6px 12px;");
        SizeCommandButton(button);
        layout->addWidget(button);
    }
    layout->addStretch(1);
}

bool ReportWindow::RequireMonth() {
    if (IsWorkingMonth(m_month)) return true;
    m_client.GetPrompter().ShowMessage(SumsMessages::kChooseMonth);
    return false;
}

void ReportWindow::ChooseMonth() {
    MonthDialog dialog(m_client.GetPrompter(), m_month, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_month = dialog.Month();
    m_monthLine->setText(ToQt("Luna pentru care se lucreaza: " + WorkingMonthCaption(m_month)));
}

void ReportWindow::EnterEmployeeSums() {
    if (!RequireMonth()) return;
    EmployeeSumsWindow window(m_client, m_month, this);
    window.exec();
}

void ReportWindow::EnterEmployerSums() {
    if (!RequireMonth()) return;
    EmployerSumsWindow window(m_client, m_month, this);
    window.exec();
}

void ReportWindow::GenerateReports() {
    if (!RequireMonth()) return;
    AnnexFilesWindow window(m_client, m_month, this);
    window.exec();
}
