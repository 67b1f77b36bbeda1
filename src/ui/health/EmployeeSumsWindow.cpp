#include "ui/health/EmployeeSumsWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Prompter.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/LinkedLists.h"
#include "ui/ScreenRoom.h"
#include "ui/health/SumsDialog.h"

namespace {

const QColor kLiquidatedText(255, 0, 0);
const QColor kHiredText(0, 127, 0);
const char* const kEmployeesCaption = "Angajati existenti:";
// The company list shows a handful of rows; the employees take the rest.
constexpr int kCompanyRows = 8;
// Every column of the employee list without a scroll bar, and a page of its rows.
constexpr QSize kWantedSize(1000, 740);

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* ColouredLabel(const char* text, const QColor& colour, QWidget* parent) {
    QLabel* label = PlainLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

EmployeeSumsWindow::EmployeeSumsWindow(CClient& client, const std::string& month, QWidget* parent)
    : QDialog(parent),
      m_sums(client, month),
      m_keys(new KeyActions(this)),
      m_lists(new LinkedLists(kEmployeesCaption, this)) {
    setObjectName("employeeSumsWindow");
    setWindowTitle("Pasul 2: Introducere / actualizare a obligatiilor");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        PlainLabel("Societati: (selecteaza o societate pentru a-i afisa angajatiii)", this));

    DataListView* companies = m_lists->Master();
    companies->setObjectName("companyList");
    companies->setFixedHeight(companies->RowHeight() * (kCompanyRows + 1) + 8);
    m_lists->Detail()->setObjectName("employeeList");
    m_lists->DetailCaption()->setObjectName("employeesCaption");
    m_lists->SetMasterSide(BuildTotals());
    // The buttons go over the employees: beside them they would push the last
    // columns behind a scroll bar on a 1024-pixel screen.
    m_lists->SetDetailBar(BuildEmployeeButtons());
    layout->addWidget(m_lists, 1);
    layout->addWidget(BuildLegend());

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(BuildNotes(), 1);
    QPushButton* close =
        m_keys->Add(this, "closeButton", {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
                    [this] { reject(); });
    SizeCommandButton(close);
    bottom->addWidget(close, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    connect(m_lists->Detail(), &DataListView::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) ModifySums();
    });
    connect(m_lists, &LinkedLists::detailChanged, this, &EmployeeSumsWindow::ShowCountAndTotals);
    m_filled = m_sums.FillCompanies(companies->List()).Ok();
    m_lists->Link(MonthlySums::CompanyKey, [this](const DataList& list, int row, DataList& detail) {
        m_employeesShown = m_sums.FillEmployees(detail, MonthlySums::CompanyCode(list, row)).Ok();
    });
    ShowCountAndTotals();
    FitToScreen();
    companies->setFocus();
}

int EmployeeSumsWindow::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

QWidget* EmployeeSumsWindow::BuildTotals() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(12, 0, 0, 0);
    const std::string captions[] = {
        "Fond de salarii:",
        "Datorat de catre angajator (" + RateText(m_sums.EmployerRate()) + "%):",
        "Datorat de catre salariati (" + RateText(m_sums.EmployeeRate()) + "%):",
        "TOTAL virat de catre asigurati:"};
    const char* const names[] = {"fundTotal", "employerOwedTotal", "employeeOwedTotal",
                                 "employeePaidTotal"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(PlainLabel(ToQt(captions[i]), box), i, 0);
        m_totals[i] = PlainLabel(QString(), box);
        m_totals[i]->setObjectName(names[i]);
        m_totals[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_totals[i]->setMinimumWidth(m_totals[i]->fontMetrics().horizontalAdvance("0000000000.00"));
        QFont bold = m_totals[i]->font();
        bold.setBold(true);
        m_totals[i]->setFont(bold);
        grid->addWidget(m_totals[i], i, 1);
    }
    QLabel* month = PlainLabel(ToQt("Luna curenta: " + WorkingMonthCaption(m_sums.Month())), box);
    month->setObjectName("monthLine");
    grid->addWidget(month, 5, 0, 1, 2);
    grid->setRowMinimumHeight(4, 8);
    return box;
}

QWidget* EmployeeSumsWindow::BuildEmployeeButtons() {
    m_employeeButtons = new QWidget(this);
    auto* row = new QHBoxLayout(m_employeeButtons);
    row->setContentsMargins(0, 0, 0, 0);
    QPushButton* modify =
        m_keys->Add(m_employeeButtons, "modifySumsButton",
                    {Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica sumele angajatului selectat"},
                    [this] { ModifySums(); });
    QPushButton* carry =
        m_keys->Add(m_employeeButtons, "carryForwardButton",
                    {Qt::Key_F8, Qt::NoModifier, "[F8]   Preia sumele din luna anterioara"},
                    [this] { CarryForward(); });
    for (QPushButton* button : {modify, carry}) {
        SizeCommandButton(button);
        row->addWidget(button);
    }
    return m_employeeButtons;
}

QWidget* EmployeeSumsWindow::BuildLegend() {
    auto* legend = new QWidget(this);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* liquidated = ColouredLabel("lichidat in luna curenta", kLiquidatedText, legend);
    liquidated->setObjectName("liquidatedLegend");
    QLabel* hired = ColouredLabel("angajat in luna curenta", kHiredText, legend);
    hired->setObjectName("hiredLegend");
    row->addWidget(liquidated);
    row->addSpacing(24);
    row->addWidget(hired);
    row->addSpacing(24);
    row->addWidget(PlainLabel("(dublu click - modifica sumele angajatului)", legend));
    row->addStretch(1);
    return legend;
}

QWidget* EmployeeSumsWindow::BuildNotes() {
    auto* notes = new QWidget(this);
    auto* column = new QVBoxLayout(notes);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    for (const char* text :
         {"Campul LA_LUNA reprezinta ultima luna la care au fost modificate sumele (luna din "
          "care provin sumele)",
          "Apasa butonul <[F6]   Modifica sumele angajatului selectat> numai daca s-a modificat "
          "salariul realizat de la ultima luna introdusa (campul LA_LUNA) "}) {
        QLabel* note = PlainLabel(text, notes);
        note->setWordWrap(true);
        column->addWidget(note);
    }
    return notes;
}

void EmployeeSumsWindow::FitToScreen() {
    ResizeWithinScreen(this, kWantedSize);
}

DataList& EmployeeSumsWindow::Employees() {
    return m_lists->Detail()->List();
}

void EmployeeSumsWindow::ShowCountAndTotals() {
    if (m_lists->SelectedRow() < 0 || !m_employeesShown) {
        m_lists->DetailCaption()->setText(kEmployeesCaption);
        for (QLabel* total : m_totals) total->clear();
        return;
    }
    m_lists->DetailCaption()->setText(
        QString("%1 %2").arg(kEmployeesCaption).arg(Employees().RowCount()));
    const MonthTotals totals = m_sums.Totals(Employees());
    const std::string* values[] = {&totals.fund, &totals.employerOwed, &totals.employeeOwed,
                                   &totals.employeePaid};
    for (int i = 0; i < 4; ++i) m_totals[i]->setText(ToQt(*values[i]));
}

void EmployeeSumsWindow::ModifySums() {
    const int row = m_lists->Detail()->NextSelectedRow(-1);
    if (row < 0) {
        m_sums.GetPrompter().ShowMessage(SumsMessages::kSelectEmployee);
        return;
    }
    const std::string company =
        MonthlySums::CompanyName(m_lists->Master()->List(), m_lists->SelectedRow());
    SumsDialog dialog(m_sums, company, MonthlySums::RowAt(Employees(), row), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_sums.ShowSaved(Employees(), row, dialog.Saved());
    ShowCountAndTotals();
}

void EmployeeSumsWindow::CarryForward() {
    if (m_lists->SelectedRow() < 0) {
        m_sums.GetPrompter().ShowMessage(SumsMessages::kSelectCompanyToCarry);
        return;
    }
    // Rows carried before a failure are saved and shown, so the totals follow either way.
    (void)m_sums.CarryForward(Employees());
    ShowCountAndTotals();
}
