#include "ui/LinkedLists.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/DataListView.h"

namespace {
enum GridRow { kMasterRow, kFooterRow, kCaptionRow, kDetailRow };
}  // namespace

LinkedLists::LinkedLists(const QString& detailCaption, QWidget* parent)
    : QWidget(parent),
      m_master(new DataListView(this)),
      m_detail(new DataListView(this)),
      m_caption(new QLabel(detailCaption, this)),
      m_grid(new QGridLayout(this)) {
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->addWidget(m_master, kMasterRow, 0);
    m_grid->addWidget(m_caption, kCaptionRow, 0);
    m_grid->addWidget(m_detail, kDetailRow, 0);
    // The master holds many rows, the detail a few.
    m_grid->setRowStretch(kMasterRow, 3);
    m_grid->setRowStretch(kDetailRow, 1);
    m_grid->setColumnStretch(0, 1);
    m_caption->setBuddy(m_detail);
    connect(m_master, &DataListView::selectionChanged, this, &LinkedLists::FollowSelection);
}

void LinkedLists::Link(RowKey key, FillDetail fill) {
    m_key = std::move(key);
    m_fill = std::move(fill);
    m_shownKey.reset();
    FollowSelection();
}

void LinkedLists::SetMasterSide(QWidget* side) {
    m_grid->addWidget(side, kMasterRow, 1, 2, 1, Qt::AlignTop);
}

void LinkedLists::SetDetailSide(QWidget* side) {
    m_grid->addWidget(side, kCaptionRow, 1, 2, 1, Qt::AlignTop);
}

void LinkedLists::SetMasterFooter(QWidget* footer) {
    m_grid->addWidget(footer, kFooterRow, 0);
}

void LinkedLists::SetRowStretch(int master, int detail) {
    m_grid->setRowStretch(kMasterRow, master);
    m_grid->setRowStretch(kDetailRow, detail);
}

void LinkedLists::SetDetailBar(QWidget* bar) {
    m_grid->removeWidget(m_caption);
    m_grid->removeWidget(m_detail);
    auto* row = new QHBoxLayout;
    row->addWidget(m_caption);
    row->addStretch(1);
    row->addWidget(bar);
    m_grid->addLayout(row, kCaptionRow, 0, 1, 2);
    m_grid->addWidget(m_detail, kDetailRow, 0, 1, 2);
}

int LinkedLists::SelectedRow() const {
    return m_master->NextSelectedRow(-1);
}

void LinkedLists::FollowSelection() {
    const int row = SelectedRow();
    if (row < 0 || !m_key) {
        if (m_shownKey) Show(std::nullopt, -1);
        return;
    }
    const long long key = m_key(m_master->List(), row);
    if (m_shownKey != key) Show(key, row);
}

void LinkedLists::ReloadDetail() {
    const int row = SelectedRow();
    Show(row >= 0 && m_key ? std::optional(m_key(m_master->List(), row)) : std::nullopt, row);
}

void LinkedLists::RemoveMasterRow(int row) {
    m_master->DeleteRow(row);
    m_master->SelectRowClamped(row);
    // An emptied list selects nothing and says nothing.
    FollowSelection();
}

void LinkedLists::Show(std::optional<long long> key, int row) {
    // Remembered before the fill: a fill that failed has shown its message
    // and must not repeat it on every selection notice of the same record.
    m_shownKey = key;
    m_detail->DeleteAllRows();
    if (key && m_fill) m_fill(m_master->List(), row, m_detail->List());
    emit detailChanged();
}
