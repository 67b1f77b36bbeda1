#include "ui/DataListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "datalist/RowSearch.h"
#include "text/TextCodec.h"
#include "ui/DataListHeader.h"
#include "ui/ElidedLabel.h"

namespace {

const QColor kFrame(197, 197, 197);
const QColor kSortedShade(255, 255, 187);
const QColor kSelection(200, 200, 255);
const QColor kDisabledBack(197, 197, 197);
const QColor kEmptyNote(0, 0, 200);
const char* const kEmptyText = "Nu exista date in aceasta lista";

QColor ToQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

// The first column's text sits closer to the frame, as the header's does.
int CellMargin(int column) {
    return column == 0 ? 2 : 6;
}

}  // namespace

DataListView::DataListView(QWidget* parent) : QAbstractScrollArea(parent) {
    m_headerModel = new DataListHeaderModel(m_list, this);
    m_header = new DataListHeader(m_list, this);
    m_header->setModel(m_headerModel);
    connect(m_header, &QHeaderView::sectionClicked, this, [this](int column) {
        ClickHeader(column, m_header->LastModifiers().testFlag(Qt::ControlModifier));
    });
    connect(m_header, &QHeaderView::sectionResized, this, &DataListView::OnSectionResized);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    m_rowHeight = fontMetrics().height() + 4;
    m_list.SetChangeHandler([this](ListChange change, int row) { OnListChanged(change, row); });
    RebuildHeader();
}

DataListView::~DataListView() {
    m_list.SetChangeHandler(nullptr);
}

// ---- model notices ---------------------------------------------------------------

void DataListView::OnListChanged(ListChange change, int) {
    switch (change) {
        case ListChange::Columns:
            if (!m_rebuildingHeader) RebuildHeader();
            m_layoutPending = true;
            break;
        case ListChange::Rows:
        case ListChange::RowAdded:
        case ListChange::RowRemoved:
            m_layoutPending = true;
            break;
        case ListChange::Selection:
            m_selectionDirty = true;
            break;
        case ListChange::Sorted:
            m_header->viewport()->update();
            emit sorted();
            break;
        case ListChange::Cell:
        case ListChange::RowColour:
            break;
    }
    viewport()->update();
}

void DataListView::RebuildHeader() {
    m_rebuildingHeader = true;
    m_headerModel->Reset();
    for (int c = 0; c < m_list.ColumnCount(); ++c) {
        const int width = m_list.ColumnWidth(c);
        m_header->setSectionHidden(c, width == 0);
        if (width > 0) m_header->resizeSection(c, width);
    }
    m_rebuildingHeader = false;
    m_layoutPending = true;
}

void DataListView::OnSectionResized(int column, int, int newSize) {
    if (m_rebuildingHeader) return;
    m_rebuildingHeader = true;  // the model's notice must not rebuild the header under the drag
    m_list.SetColumnWidthAt(column, newSize);
    m_rebuildingHeader = false;
    UpdateGeometry();
    viewport()->update();
}

// ---- geometry ------------------------------------------------------------------------

int DataListView::VisibleRowCount() const {
    return std::max(1, viewport()->height() / m_rowHeight);
}

// The last visible column takes the width the others leave, so a list wider
// than its columns shows no empty band at its right. Its stored width stays
// the one the owner set (or the user dragged): the list gives the spare width
// back when it narrows, down to that width.
void DataListView::StretchLastColumn() {
    int last = -1;
    int others = 0;
    for (int c = 0; c < m_list.ColumnCount(); ++c) {
        if (m_list.ColumnWidth(c) <= 0) continue;
        if (last >= 0) others += m_list.ColumnWidth(last);
        last = c;
    }
    if (last < 0) return;
    const int width = std::max(m_list.ColumnWidth(last), viewport()->width() - others);
    if (m_header->sectionSize(last) == width) return;
    m_rebuildingHeader = true;  // a shown width, not one to store
    m_header->resizeSection(last, width);
    m_rebuildingHeader = false;
}

void DataListView::UpdateGeometry() {
    m_layoutPending = false;
    const int headerHeight = m_header->sizeHint().height();
    setViewportMargins(0, headerHeight, 0, 0);
    StretchLastColumn();
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);

    QScrollBar* vertical = verticalScrollBar();
    vertical->setPageStep(VisibleRowCount());
    vertical->setRange(0, std::max(0, m_list.RowCount() - VisibleRowCount()));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setPageStep(area.width());
    horizontal->setSingleStep(20);
    horizontal->setRange(0, std::max(0, m_header->length() - area.width()));
    m_header->setOffset(horizontal->value());
}

void DataListView::EnsureLayout() {
    if (m_layoutPending) UpdateGeometry();
}

void DataListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateGeometry();
}

void DataListView::scrollContentsBy(int, int) {
    m_header->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

int DataListView::RowAt(int y) const {
    if (y < 0) return -1;
    const int row = verticalScrollBar()->value() + y / m_rowHeight;
    return row < m_list.RowCount() ? row : -1;
}

void DataListView::ScrollToRow(int row) {
    EnsureLayout();
    QScrollBar* vertical = verticalScrollBar();
    if (row < vertical->value())
        vertical->setValue(row);
    else if (row >= vertical->value() + VisibleRowCount())
        vertical->setValue(row - VisibleRowCount() + 1);
}

// ---- painting --------------------------------------------------------------------------

QColor DataListView::ListBackground() const {
    return isEnabled() ? palette().color(QPalette::Active, QPalette::Base) : kDisabledBack;
}

bool DataListView::SelectionVisible() const {
    return hasFocus() || m_showSelectionAlways;
}

void DataListView::paintEvent(QPaintEvent* event) {
    EnsureLayout();
    QPainter painter(viewport());
    const QRect clip = event->rect();
    painter.fillRect(clip, ListBackground());
    const int first = verticalScrollBar()->value();
    const int last = std::min(m_list.RowCount() - 1, first + viewport()->height() / m_rowHeight);
    for (int row = first; row <= last; ++row)
        PaintRow(painter, row, (row - first) * m_rowHeight, clip);
    if (m_list.RowCount() == 0) PaintEmptyNote(painter);
}

void DataListView::PaintRow(QPainter& painter, int row, int top, const QRect& clip) {
    const RowColours& colours = m_list.RowColoursAt(row);
    const bool selectedLook = m_list.IsRowSelected(row) && SelectionVisible();
    const QColor back = colours.m_backColour ? ToQColor(*colours.m_backColour) : ListBackground();
    const QColor text = ToQColor(colours.m_textColour);
    const int left = -horizontalScrollBar()->value();
    const QRect rowRect(left, top, m_header->length(), m_rowHeight);
    if (!rowRect.intersects(clip)) return;
    painter.fillRect(rowRect, selectedLook && m_ownerDrawn ? kSelection : back);
    for (int c = 0; c < m_list.ColumnCount(); ++c) {
        if (m_header->isSectionHidden(c)) continue;
        const QRect cell(m_header->sectionViewportPosition(c), top, m_header->sectionSize(c),
                         m_rowHeight);
        if (cell.right() < 0 || cell.left() > viewport()->width()) continue;
        PaintCell(painter, row, c, cell, selectedLook, text);
    }
    if (row == m_list.FocusRow() && hasFocus()) {
        painter.save();
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rowRect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

QString DataListView::ElideCellText(const QString& text, const QFontMetrics& metrics, int width) {
    // Measuring first keeps the common case (the text fits) to one measurement.
    if (metrics.horizontalAdvance(text) <= width) return text;
    return metrics.elidedText(text, Qt::ElideRight, width);
}

QString DataListView::CellDisplayText(int row, int column) const {
    // The blanks padding a dBase text to its field width are not shown (nor cut with "…").
    std::string_view cell = m_list.RawCell(row, column);
    while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
    std::string shown(cell);
    if (m_ownerDrawn && m_formatsOn) shown = FormatDisplayKind(shown, m_list.ColumnKind(column));
    return ToQt(shown);
}

QRect DataListView::CellTextRect(int column, const QRect& cell) {
    const int margin = CellMargin(column);
    return cell.adjusted(margin, 0, -margin, 0);
}

QString DataListView::ShownCellText(int row, int column) const {
    const QRect cell(0, 0, m_header->sectionSize(column), m_rowHeight);
    return ElideCellText(CellDisplayText(row, column), viewport()->fontMetrics(),
                         CellTextRect(column, cell).width());
}

void DataListView::PaintCell(QPainter& painter, int row, int column, const QRect& cell,
                             bool selectedLook, const QColor& textColour) {
    if (m_ownerDrawn) {
        if (column == m_list.SortedColumn() && !selectedLook) painter.fillRect(cell, kSortedShade);
        painter.setPen(kFrame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    const QString full = CellDisplayText(row, column);
    if (full.isEmpty()) return;
    const QRect textRect = CellTextRect(column, cell);
    const QString drawn = ElideCellText(full, painter.fontMetrics(), textRect.width());
    Qt::Alignment align = Qt::AlignLeft;
    if (column > 0 && drawn == full) {  // a cut text starts at the left
        const ColumnAlign columnAlign = m_list.ColumnAlignment(column);
        if (columnAlign == ColumnAlign::Right) align = Qt::AlignRight;
        if (columnAlign == ColumnAlign::Centre) align = Qt::AlignHCenter;
    }
    painter.setPen(textColour);
    painter.drawText(textRect, align | Qt::AlignVCenter | Qt::TextSingleLine, drawn);
}

// A cell drawn cut shows its whole text when the pointer rests on it.
bool DataListView::ShowCellToolTip(QHelpEvent* event) {
    const QPoint at = event->pos();
    const int row = RowAt(at.y());
    const int column = m_header->logicalIndexAt(at.x());
    if (row >= 0 && column >= 0) {
        const QString full = CellDisplayText(row, column);
        if (ShownCellText(row, column) != full) {
            const int top = (row - verticalScrollBar()->value()) * m_rowHeight;
            const QRect cell(m_header->sectionViewportPosition(column), top,
                             m_header->sectionSize(column), m_rowHeight);
            QToolTip::showText(event->globalPos(), PlainToolTip(full), viewport(), cell);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void DataListView::PaintEmptyNote(QPainter& painter) {
    const QRect area(0, 10, viewport()->width(), std::max(0, viewport()->height() - 10));
    painter.fillRect(area, ListBackground());
    painter.setPen(kEmptyNote);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromLatin1(kEmptyText));
}

// ---- selection ------------------------------------------------------------------------

void DataListView::FlushSelectionSignal() {
    if (!m_selectionDirty) return;
    m_selectionDirty = false;
    emit selectionChanged();
}

void DataListView::SelectOnly(int row) {
    m_list.ClearSelection();
    m_list.SetRowSelected(row, true);
}

void DataListView::SelectRow(int row, bool takeFocus) {
    if (row < 0 || row >= m_list.RowCount()) return;
    SelectOnly(row);
    m_list.SetFocusRow(row);
    ScrollToRow(row);
    if (takeFocus) setFocus(Qt::OtherFocusReason);
    viewport()->update();
    FlushSelectionSignal();
}

void DataListView::SelectRowClamped(int row) {
    if (m_list.RowCount() == 0 || row < 0) return;
    SelectRow(std::min(row, m_list.RowCount() - 1), true);
}

void DataListView::SetShowSelectionAlways(bool on) {
    m_showSelectionAlways = on;
    viewport()->update();
}

// A click or key moved the focus to `row`: select it alone.
void DataListView::MoveFocusTo(int row) {
    if (row < 0) {
        m_list.ClearSelection();
    } else {
        SelectOnly(row);
        m_list.SetFocusRow(row);
        ScrollToRow(row);
    }
    viewport()->update();
    FlushSelectionSignal();
}

// ---- input ----------------------------------------------------------------------------

void DataListView::mousePressEvent(QMouseEvent* event) {
    const int row = RowAt(event->position().toPoint().y());
    if (event->button() == Qt::RightButton && row >= 0 && m_list.IsRowSelected(row)) {
        m_list.SetFocusRow(row);  // keep a multi-row selection for the popup
        return;
    }
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) MoveFocusTo(row);
}

void DataListView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit rowDoubleClicked(RowAt(event->position().toPoint().y()));
}

void DataListView::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key(), event->modifiers());
    const int count = m_list.RowCount();
    const int focus = m_list.FocusRow();
    int target = -2;
    switch (event->key()) {
        case Qt::Key_Up:
            target = std::max(0, focus - 1);
            break;
        case Qt::Key_Down:
            target = std::min(count - 1, focus + 1);
            break;
        case Qt::Key_PageUp:
            target = std::max(0, focus - VisibleRowCount());
            break;
        case Qt::Key_PageDown:
            target = std::min(count - 1, focus + VisibleRowCount());
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = count - 1;
            break;
        default:
            if (TypeIntoSearch(*event)) return event->accept();
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    if (count > 0) MoveFocusTo(target);
    event->accept();
}

void DataListView::EnableTypeSearch(std::vector<std::string> columns) {
    m_searchColumns = std::move(columns);
    m_typed.clear();
}

// A printable character adds to the typed text, Backspace takes the last one
// back; the row it names is selected. False for any other key.
bool DataListView::TypeIntoSearch(const QKeyEvent& event) {
    if (m_searchColumns.empty()) return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (event.key() == Qt::Key_Backspace) {
        if (m_typed.empty()) return true;
        m_typed.pop_back();
    } else {
        const QString text = event.text();
        if (text.size() != 1 || !text[0].isPrint()) return false;
        m_typed += FromQt(text);
    }
    std::vector<int> columns;
    for (const std::string& name : m_searchColumns)
        if (const int column = m_list.ColumnIndex(name); column >= 0) columns.push_back(column);
    const int row = FindTypedRow(m_list, columns, m_typed);
    if (row >= 0) SelectRow(row, true);
    emit typedSearchChanged(ToQt(m_typed));
    return true;
}

// The owner's menu opens with every entry enabled; entries that need a row
// (positions 2, 4, 5, 7, counted from 0 as the menu lists them) are disabled
// without a selection, and 2 and 7 when the selected row has an empty second cell.
void DataListView::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    const QList<QAction*> actions = m_popupMenu->actions();
    for (QAction* action : actions) action->setEnabled(true);
    const auto disable = [&actions](std::initializer_list<int> positions) {
        for (int p : positions)
            if (p < actions.size()) actions[p]->setEnabled(false);
    };
    const int selected = m_list.NextSelectedRow(-1);
    if (selected < 0)
        disable({2, 4, 5, 7});
    else if (m_list.CellTextAt(selected, 1).empty())
        disable({2, 7});
    m_popupMenu->exec(event->globalPos());
}

void DataListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void DataListView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

bool DataListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) return ShowCellToolTip(static_cast<QHelpEvent*>(event));
    return QAbstractScrollArea::viewportEvent(event);
}

void DataListView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) viewport()->update();
}

// ---- switches -------------------------------------------------------------------------

void DataListView::ClickHeader(int column, bool ctrl) {
    if (!m_sortingEnabled || m_sorting) return;
    m_sorting = true;
    m_list.HeaderClick(column, ctrl);
    m_sorting = false;
}

void DataListView::EnableSorting(bool on) {
    m_sortingEnabled = on;
    m_list.ResetSortDirections();
}

void DataListView::SetOwnerDrawn(bool on) {
    m_ownerDrawn = on;
    viewport()->update();
}

void DataListView::SetFormatsOn(bool on) {
    m_formatsOn = on;
    viewport()->update();
}

void DataListView::SetResizingAllowed(bool on) {
    m_header->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}
