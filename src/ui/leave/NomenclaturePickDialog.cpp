#include "ui/leave/NomenclaturePickDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Prompter.h"
#include "db/CClient.h"
#include "text/TextCodec.h"
#include "ui/DataListView.h"
#include "ui/KeyActions.h"

namespace {
// Room for COD and DESCRIERE side by side without a horizontal scroll bar.
constexpr int kWidth = 680;
constexpr int kHeight = 480;
}  // namespace

NomenclaturePickDialog::NomenclaturePickDialog(CClient& client, Nomenclature nomenclature,
                                               const std::string& presetCode, QWidget* parent)
    : QDialog(parent), m_prompter(client.GetPrompter()) {
    setObjectName("nomenclaturePickDialog");
    setWindowTitle(ToQt(NomenclatureTitle(nomenclature)));
    auto* layout = new QVBoxLayout(this);

    auto* buttons = new QHBoxLayout();
    auto* keys = new KeyActions(this);
    QPushButton* select =
        keys->Add(this, "selectButton", {Qt::Key_F2, Qt::NoModifier, "[F2]   Selecteaza"},
                  [this] { PickSelected(); });
    QPushButton* close =
        keys->Add(this, "closeButton", {Qt::Key_Escape, Qt::NoModifier, "[ESC]   Iesire"},
                  [this] { reject(); });
    // Enter picks too: the list is where the user's eyes are.
    select->setDefault(true);
    for (QPushButton* button : {select, close}) {
        SizeCommandButton(button);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_view = new DataListView(this);
    m_view->setObjectName("nomenclatureList");
    layout->addWidget(m_view, 1);
    m_countLine = new QLabel(this);
    m_countLine->setObjectName("countLine");
    m_countLine->setTextFormat(Qt::PlainText);
    auto* searchLine = new QLabel("Scrie codul sau o parte din descriere pentru a cauta.", this);
    searchLine->setObjectName("searchLine");
    searchLine->setTextFormat(Qt::PlainText);
    auto* footer = new QHBoxLayout();
    footer->addWidget(m_countLine);
    footer->addStretch(1);
    footer->addWidget(searchLine);
    layout->addLayout(footer);
    m_view->EnableTypeSearch({"COD", "DESCRIERE"});
    connect(m_view, &DataListView::typedSearchChanged, searchLine,
            [searchLine](const QString& typed) {
                searchLine->setText(typed.isEmpty() ? QString() : "Cautare: " + typed);
            });
    connect(m_view, &DataListView::rowDoubleClicked, this, [this] {
        if (m_view->NextSelectedRow(-1) >= 0) PickSelected();
    });

    NomenclatureLists lists(client);
    m_filled = lists.FillList(nomenclature, m_view->List()).Ok();
    m_presetRow = NomenclatureLists::FindCode(m_view->List(), presetCode);
    if (m_presetRow >= 0) m_view->SelectRow(m_presetRow, true);
    m_countLine->setText(ToQt(CountLine(m_view->RowCount())));
    resize(kWidth, kHeight);
    m_view->setFocus();
}

int NomenclaturePickDialog::exec() {
    if (!m_filled) return QDialog::Rejected;
    return QDialog::exec();
}

void NomenclaturePickDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Scrolled again now the list has its real height, so the row is in view.
    if (m_presetRow >= 0 && m_view->NextSelectedRow(-1) == m_presetRow)
        m_view->SelectRow(m_presetRow, true);
}

void NomenclaturePickDialog::PickSelected() {
    const int row = m_view->NextSelectedRow(-1);
    if (row < 0) {
        m_prompter.ShowMessage("Trebuie sa selectezi o inregistrare din tabel!");
        return;
    }
    m_chosen = NomenclatureLists::PickAt(m_view->List(), row);
    accept();
}

std::optional<NomenclaturePick> NomenclaturePickDialog::Pick(CClient& client,
                                                             Nomenclature nomenclature,
                                                             const std::string& presetCode,
                                                             QWidget* parent) {
    NomenclaturePickDialog dialog(client, nomenclature, presetCode, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}
