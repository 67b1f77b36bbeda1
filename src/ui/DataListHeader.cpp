#include "ui/DataListHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "datalist/DataList.h"
#include "text/TextCodec.h"

DataListHeaderModel::DataListHeaderModel(const DataList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list) {}

int DataListHeaderModel::rowCount(const QModelIndex&) const {
    return 0;
}

int DataListHeaderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.ColumnCount();
}

QVariant DataListHeaderModel::data(const QModelIndex&, int) const {
    return {};
}

QVariant DataListHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_list.ColumnCount()) return {};
    if (role == Qt::DisplayRole) return ToQt(m_list.ColumnTitle(section));
    return {};
}

void DataListHeaderModel::Reset() {
    beginResetModel();
    endResetModel();
}

DataListHeader::DataListHeader(const DataList& list, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_list(list) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumSectionSize(4);
    setStretchLastSection(false);
}

void DataListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (logicalIndex < 0 || logicalIndex >= m_list.ColumnCount()) return;
    const SortArrow arrow = m_list.Column(logicalIndex).m_arrow;
    if (arrow == SortArrow::None || rect.width() < 16) return;
    // Ascending points down, descending up.
    const int cx = rect.right() - 8;
    const int cy = rect.center().y();
    QPolygon triangle;
    if (arrow == SortArrow::Ascending)
        triangle << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 3);
    else
        triangle << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 3);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(96, 96, 96));
    painter->drawPolygon(triangle);
    painter->restore();
}

void DataListHeader::mousePressEvent(QMouseEvent* event) {
    m_lastModifiers = event->modifiers();
    QHeaderView::mousePressEvent(event);
}

void DataListHeader::mouseReleaseEvent(QMouseEvent* event) {
    m_lastModifiers = event->modifiers();
    QHeaderView::mouseReleaseEvent(event);
}
