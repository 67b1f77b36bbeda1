#include "ui/health/InsuredListWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Prompter.h"
#include "ui/ColourLabel.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"
#include "ui/LinkedLists.h"
#include "ui/ScreenRoom.h"
#include "ui/health/CoInsuredDialog.h"
#include "ui/health/EmploymentChangeDialog.h"
#include "ui/health/InsuredDialog.h"
#include "ui/health/LiquidationDialog.h"

namespace {

const QColor kLiquidatedText(255, 0, 0);
constexpr int kWantedHeight = 720;

const char* const kNotes[] = {
    "*1 - se utilizeaza DOAR daca au fost introduse INITIAL gresit casa de asigurari, CNP-ul, "
    "numele, prenumele, forma sau data de angajare/lichidare",
    "*2 - se utilizeaza DOAR cand a parasit societatea",
    "*3 - se utilizeaza DOAR daca isi modifica forma de angajare (vor fi generate automat o iesire "
    "de pe vechea forma si o intrare in noua forma)",
    "*4 - se utilizeaza DOAR daca isi schimba casa de asigurari la care este asigurat (vor fi "
    "generate automat o iesire de la vechea casa si o intrare la cea noua)",
    "*5 - se utilizeaza DOAR daca au fost introduse INITIAL gresit CNP-ul, numele, prenumele sau "
    "tipul de coasigurat",
    "*6 - se utilizeaza DOAR daca a fost introdus din greseala la un alt asigurat "
    "(coasiguratii isi pastreaza calitatea pana cand sunt raportati de catre o alta firma drept\n"
    "asigurati si nu trebuie stersi de pe \"lista\" asiguratului)",
};

QLabel* PlainLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QVBoxLayout* ButtonColumn(QWidget* box) {
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

}  // namespace

InsuredListWindow::InsuredListWindow(CClient& client, const CompanyRow& company,
                                     InsuredFilter filter, QWidget* parent)
    : QDialog(parent),
      m_company(company),
      m_insured(client, company.code),
      m_coInsured(client, company.code),
      m_keys(new KeyActions(this)),
      m_lists(new LinkedLists("Coasiguratii asiguratului selectat:", this)) {
    setObjectName("insuredListWindow");
    setWindowTitle("Vizualizarea listei de asigurati");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildHeading(filter));

    DataListView* insured = m_lists->Master();
    insured->setObjectName("insuredList");
    insured->EnableSorting(true);
    m_lists->Detail()->setObjectName("coInsuredList");
    m_lists->SetMasterFooter(BuildLegend());
    m_lists->SetMasterSide(BuildInsuredButtons());
    m_lists->SetDetailSide(BuildCoInsuredButtons());
    layout->addWidget(m_lists, 1);

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(BuildNotes(), 1);
    m_closeButton =
        m_keys->Add(this, "closeButton", {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
                    [this] { reject(); });
    SizeCommandButton(m_closeButton);
    bottom->addWidget(m_closeButton, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    connect(insured, &DataListView::rowDoubleClicked, this, [this](int row) {
        if (row >= 0) ModifyInsured();
    });
    m_filled = m_insured.FillList(insured->List(), filter).Ok();
    // The house and the form are codes of a few letters: narrow columns leave
    // the dates in sight beside the buttons on a 1024-pixel screen.
    const int codeWidth = insured->fontMetrics().horizontalAdvance("CASMB") + 16;
    for (const char* code : {"CAS", "FORMA"}) insured->SetColumnWidth(code, codeWidth);
    m_lists->Link(
        [](const DataList& list, int row) { return InsuredRegister::RowAt(list, row).key; },
        [this](const DataList& list, int row, DataList& detail) {
            (void)m_coInsured.FillList(detail, InsuredRegister::RowAt(list, row).cnp);
        });
    SetTabOrder();
    FitToScreen();
    insured->setFocus();
}

int InsuredListWindow::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

QLayout* InsuredListWindow::BuildHeading(InsuredFilter filter) {
    auto* grid = new QGridLayout();
    grid->addWidget(PlainLabel("Societate curenta:", this), 0, 0);
    auto* company = new ColourLabel(this);
    company->setObjectName("currentCompany");
    company->SetLabelText(m_company.name);
    grid->addWidget(company, 0, 1);
    grid->addWidget(PlainLabel("Se vizualizeaza:", this), 1, 0);
    QLabel* shown = PlainLabel(InsuredRegister::FilterText(filter), this);
    shown->setObjectName("filterText");
    grid->addWidget(shown, 1, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

QWidget* InsuredListWindow::BuildLegend() {
    auto* legend = new QWidget(this);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* liquidated = PlainLabel("asigurat lichidat", legend);
    liquidated->setObjectName("liquidatedLegend");
    QPalette red = liquidated->palette();
    red.setColor(QPalette::WindowText, kLiquidatedText);
    liquidated->setPalette(red);
    QLabel* existing = PlainLabel("asigurat existent", legend);
    existing->setObjectName("existingLegend");
    row->addWidget(liquidated);
    row->addSpacing(24);
    row->addWidget(existing);
    row->addStretch(1);
    return legend;
}

QWidget* InsuredListWindow::BuildInsuredButtons() {
    m_insuredButtons = new QWidget(this);
    QWidget* box = m_insuredButtons;
    QVBoxLayout* column = ButtonColumn(box);
    const auto add = [&](const char* name, const KeyCommand& command, std::function<void()> act) {
        QPushButton* button = m_keys->Add(box, name, command, std::move(act));
        SizeCommandButton(button);
        column->addWidget(button);
    };
    add("modifyInsuredButton",
        {Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica asiguratul selectat (*1)"},
        [this] { ModifyInsured(); });
    add("liquidateInsuredButton",
        {Qt::Key_F7, Qt::NoModifier, "[F7]   Lichideaza asiguratul selectat (*2)"},
        [this] { LiquidateInsured(); });
    add("changeFormButton", {Qt::Key_F8, Qt::NoModifier, "[F8]   Modifica forma de angajare (*3)"},
        [this] { ChangeEmployment(ChangeKind::Form); });
    add("changeHouseButton", {Qt::Key_F9, Qt::NoModifier, "[F9]   Schimba casa de asigurari (*4)"},
        [this] { ChangeEmployment(ChangeKind::House); });
    // No key: a delete is never one stray key press away.
    auto* remove = new QPushButton("Sterge inregistrarea selectata", box);
    remove->setObjectName("deleteInsuredButton");
    remove->setAutoDefault(false);
    SizeCommandButton(remove);
    connect(remove, &QPushButton::clicked, this, &InsuredListWindow::DeleteInsured);
    column->addWidget(remove);
    return box;
}

QWidget* InsuredListWindow::BuildCoInsuredButtons() {
    m_coInsuredButtons = new QWidget(this);
    QWidget* box = m_coInsuredButtons;
    QVBoxLayout* column = ButtonColumn(box);
    const KeyCommand commands[] = {
        {Qt::Key_F5, Qt::ControlModifier, "[CTRL + F5]   Adauga un coasigurat"},
        {Qt::Key_F6, Qt::ControlModifier, "[CTRL + F6]   Modifica coasiguratul selectat (*5)"},
        {Qt::Key_F8, Qt::ControlModifier, "[CTRL + F8]   Sterge (*6)"},
    };
    const char* const names[] = {"addCoInsuredButton", "modifyCoInsuredButton",
                                 "deleteCoInsuredButton"};
    const std::function<void()> actions[] = {
        [this] { AddCoInsured(); }, [this] { ModifyCoInsured(); }, [this] { DeleteCoInsured(); }};
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = m_keys->Add(box, names[i], commands[i], actions[i]);
        SizeCommandButton(button);
        column->addWidget(button);
    }
    // A double click on a dependant changes it, as Ctrl+F6 does.
    auto* modify = box->findChild<QPushButton*>(names[1]);
    connect(m_lists->Detail(), &DataListView::rowDoubleClicked, modify, [modify](int row) {
        if (row >= 0) modify->click();
    });
    return box;
}

QWidget* InsuredListWindow::BuildNotes() {
    auto* notes = new QWidget(this);
    notes->setObjectName("notes");
    auto* column = new QVBoxLayout(notes);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    for (const char* text : kNotes) {
        QLabel* note = PlainLabel(text, notes);
        note->setWordWrap(true);
        column->addWidget(note);
    }
    return notes;
}

// Lists first, each followed by its own commands, then the way out.
void InsuredListWindow::SetTabOrder() {
    QList<QWidget*> order{m_lists->Master()};
    order += m_insuredButtons->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    order += m_lists->Detail();
    order += m_coInsuredButtons->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    order += m_closeButton;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// Wide enough for every column of the list beside its buttons, tall enough
// for a page of rows above the notes, and never larger than the screen; the
// last column takes what the screen gives beyond that.
void InsuredListWindow::FitToScreen() {
    const DataListView* insured = m_lists->Master();
    int columns = 0;
    for (int c = 0; c < insured->List().ColumnCount(); ++c)
        columns += insured->List().ColumnWidth(c);
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    const int listWidth =
        columns + insured->verticalScrollBar()->sizeHint().width() + 2 * insured->frameWidth();
    const int side =
        std::max(m_insuredButtons->sizeHint().width(), m_coInsuredButtons->sizeHint().width());
    const QSize wanted(listWidth + side + margins + 2 * layout()->spacing(), kWantedHeight);
    ResizeWithinScreen(this, wanted.expandedTo(sizeHint()));
}

DataList& InsuredListWindow::Insured() {
    return m_lists->Master()->List();
}

int InsuredListWindow::RequireRow(const char* message) {
    const int row = m_lists->SelectedRow();
    if (row < 0) m_insured.GetPrompter().ShowMessage(message);
    return row;
}

void InsuredListWindow::ModifyInsured() {
    const int row = RequireRow(InsuredMessages::kSelectToModify);
    if (row < 0) return;
    const long long key = InsuredRegister::RowAt(Insured(), row).key;
    auto loaded = m_insured.Load(key);
    if (!loaded) return;
    InsuredDialog dialog(m_insured, m_company.name, loaded->record, loaded->edit, this);
    if (dialog.exec() != QDialog::Accepted) return;
    (void)m_insured.RefreshRow(Insured(), row, key);
    // A changed CNP took the dependants with it.
    m_lists->ReloadDetail();
}

void InsuredListWindow::LiquidateInsured() {
    const int row = RequireRow(InsuredMessages::kSelectToLiquidate);
    if (row < 0) return;
    const InsuredRow selected = InsuredRegister::RowAt(Insured(), row);
    if (selected.Liquidated()) {
        m_insured.GetPrompter().ShowMessage(InsuredMessages::kSelectOpenToLiquidate);
        return;
    }
    auto loaded = m_insured.Load(selected.key);
    if (!loaded) return;
    LiquidationDialog dialog(m_insured, m_company.name, loaded->record, this);
    if (dialog.exec() == QDialog::Accepted)
        (void)m_insured.RefreshRow(Insured(), row, selected.key);
}

void InsuredListWindow::DeleteInsured() {
    const int row = RequireRow(InsuredMessages::kSelectToDelete);
    if (row < 0) return;
    if (!m_insured.Delete(InsuredRegister::RowAt(Insured(), row))) return;
    m_lists->RemoveMasterRow(row);
}

std::optional<LoadedInsured> InsuredListWindow::RequireOpenRecord(const char* selectMessage,
                                                                  const char* liquidatedMessage) {
    const int row = RequireRow(selectMessage);
    if (row < 0) return std::nullopt;
    const InsuredRow selected = InsuredRegister::RowAt(Insured(), row);
    if (selected.Liquidated()) {
        m_insured.GetPrompter().ShowMessage(liquidatedMessage);
        return std::nullopt;
    }
    return m_insured.Load(selected.key);
}

// The old row closes in place; the new record is appended and selected, so
// its dependants show below.
void InsuredListWindow::ChangeEmployment(ChangeKind kind) {
    const bool form = kind == ChangeKind::Form;
    const auto loaded = RequireOpenRecord(
        form ? "Trebuie sa selectezi un asigurat pentru a-i modifica forma de angajare!"
             : "Trebuie sa selectezi un asigurat pentru a-i schimba casa de asigurari!",
        form ? "Trebuie sa selectezi un asigurat existent pentru a-i modifica forma de angajare!"
             : "Trebuie sa selectezi un asigurat existent pentru a-i schimba casa de asigurari!");
    if (!loaded) return;
    const int row = m_lists->SelectedRow();
    EmploymentChangeDialog dialog(kind, m_insured, m_company.name, loaded->edit.index,
                                  loaded->record, this);
    if (dialog.exec() != QDialog::Accepted) return;
    (void)m_insured.RefreshRow(Insured(), row, loaded->edit.index);
    const int added = Insured().AddRow("");
    (void)m_insured.RefreshRow(Insured(), added, dialog.NewKey());
    m_lists->Master()->SelectRow(added, true);
}

void InsuredListWindow::OpenCoInsuredForm(const InsuredRecord& person,
                                          const CoInsuredRecord& dependant,
                                          const CoInsuredEdit& edit) {
    CoInsuredDialog dialog(m_coInsured, m_insured, m_company.name, person, dependant, edit, this);
    if (dialog.exec() != QDialog::Accepted) return;
    DataListView* detail = m_lists->Detail();
    int row = detail->NextSelectedRow(-1);
    if (!edit.modify) row = detail->AddRow("");
    (void)m_coInsured.RefreshRow(detail->List(), row, dialog.SavedKey());
    detail->SelectRow(row, true);
}

void InsuredListWindow::AddCoInsured() {
    const auto loaded = RequireOpenRecord(CoInsuredMessages::kSelectInsuredToAdd,
                                          CoInsuredMessages::kLiquidatedNoAdd);
    if (loaded) OpenCoInsuredForm(loaded->record, CoInsuredRecord{}, CoInsuredEdit{});
}

void InsuredListWindow::ModifyCoInsured() {
    const DataList& detail = m_lists->Detail()->List();
    const int row = m_lists->Detail()->NextSelectedRow(-1);
    if (row < 0) {
        m_coInsured.GetPrompter().ShowMessage(CoInsuredMessages::kSelectToModify);
        return;
    }
    const auto loaded = RequireOpenRecord(CoInsuredMessages::kSelectToModify,
                                          CoInsuredMessages::kLiquidatedNoModify);
    if (loaded)
        OpenCoInsuredForm(loaded->record, CoInsuredRegister::RecordAt(detail, row),
                          {true, CoInsuredRegister::KeyAt(detail, row)});
}

void InsuredListWindow::DeleteCoInsured() {
    DataListView* detail = m_lists->Detail();
    const int row = detail->NextSelectedRow(-1);
    if (row < 0) {
        m_coInsured.GetPrompter().ShowMessage(CoInsuredMessages::kSelectToDelete);
        return;
    }
    if (!m_coInsured.Delete(detail->List(), row)) return;
    detail->DeleteRow(row);
    if (detail->RowCount() > 0) detail->SelectRowClamped(row);
}
