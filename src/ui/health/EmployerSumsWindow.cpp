#include "ui/health/EmployerSumsWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Prompter.h"
#include "health/MonthlySums.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/health/EmployerSumsDialog.h"

EmployerSumsWindow::EmployerSumsWindow(CClient& client, const std::string& month, QWidget* parent)
    : QDialog(parent), m_sums(client, month), m_list(new DataListView(this)) {
    setObjectName("employerSumsWindow");
    setWindowTitle("Pasul 3: Sumele datorate de catre angajator");
    auto* layout = new QVBoxLayout(this);
    // The list does not say which month its sums belong to; this line does.
    auto* monthLine = new QLabel(ToQt("Luna curenta: " + WorkingMonthCaption(month)), this);
    monthLine->setObjectName("monthLine");
    monthLine->setTextFormat(Qt::PlainText);
    layout->addWidget(monthLine);
    auto* caption = new QLabel("Societati:", this);
    caption->setBuddy(m_list);
    layout->addWidget(caption);
    m_list->setObjectName("companyList");
    layout->addWidget(m_list, 1);

    auto* keys = new KeyActions(this);
    auto* buttons = new QHBoxLayout();
    QPushButton* modify =
        keys->Add(this, "modifySumsButton", {Qt::Key_F4, Qt::NoModifier, "[F4]   Modifica sumele"},
                  [this] { ModifySums(); });
    QPushButton* close =
        keys->Add(this, "closeButton", {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
                  [this] { reject(); });
    for (QPushButton* button : {modify, close}) SizeCommandButton(button);
    buttons->addWidget(modify);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_list, &DataListView::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) ModifySums();
    });
    m_filled = m_sums.FillList(m_list->List()).Ok();
    resize(680, 460);
    m_list->setFocus();
}

int EmployerSumsWindow::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

void EmployerSumsWindow::ModifySums() {
    const int row = m_list->NextSelectedRow(-1);
    if (row < 0) {
        m_sums.GetPrompter().ShowMessage(EmployerSumsMessages::kSelectCompany);
        return;
    }
    EmployerMonth current = EmployerSums::RowAt(m_list->List(), row);
    if (current.idSuma == 0) {
        // No sums of the month yet: start from what step 2 totals, stored only on save.
        auto proposed = m_sums.Proposal(current.cf);
        if (!proposed) return;
        current.sums = *proposed;
    }
    EmployerSumsDialog dialog(m_sums, current, this);
    if (dialog.exec() != QDialog::Accepted) return;
    EmployerSums::ShowSaved(m_list->List(), row, dialog.Saved(), dialog.SavedKey());
}
