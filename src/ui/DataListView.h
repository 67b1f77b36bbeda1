#pragma once
#include <QAbstractScrollArea>
#include <QColor>
#include <QPointer>
#include <string>
#include <vector>

#include "datalist/DataList.h"

#include <QMenu>
class DataListHeader;
class QHelpEvent;
class DataListHeaderModel;

// The grid every dialog shows its tables in: a self-painting view over a
// DataList (cell frames, shaded sort column, per-row colours, display kinds),
// sorting on header clicks (Ctrl adds columns) and a note on an empty list.
// Only the visible rows are painted, so lists of 100,000 rows scroll freely.
class DataListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit DataListView(QWidget* parent = nullptr);
    ~DataListView() override;

    DataList& List() { return m_list; }
    const DataList& List() const { return m_list; }

    // The table operations, so a dialog can talk to the list directly.
    int InsertColumn(int position, const std::string& title, const std::string& type, int width,
                     DisplayKind kind = DisplayKind::AsStored) {
        return m_list.InsertColumn(position, title, type, width, kind);
    }
    int AppendColumn(const std::string& title, const std::string& type, int width,
                     DisplayKind kind = DisplayKind::AsStored) {
        return m_list.AppendColumn(title, type, width, kind);
    }
    void SetColumnKind(const std::string& name, DisplayKind kind) {
        m_list.SetColumnKind(name, kind);
    }
    void SetColumnWidth(const std::string& name, int width) { m_list.SetColumnWidth(name, width); }
    int ColumnIndex(const std::string& name) const { return m_list.ColumnIndex(name); }
    bool DeleteColumn(int column) { return m_list.DeleteColumn(column); }
    void DeleteAllColumns() { m_list.DeleteAllColumns(); }
    int AddRow(const std::string& firstText) { return m_list.AddRow(firstText); }
    bool DeleteRow(int row) { return m_list.DeleteRow(row); }
    void DeleteAllRows() { m_list.DeleteAllRows(); }
    int RowCount() const { return m_list.RowCount(); }
    void SetCellText(int row, const std::string& name, const std::string& text) {
        m_list.SetCellText(row, name, text);
    }
    void SetCellNumber(int row, const std::string& name, long long value) {
        m_list.SetCellNumber(row, name, value);
    }
    std::string CellText(int row, const std::string& name) const {
        return m_list.CellText(row, name);
    }
    std::string CellTextAt(int row, int column) const { return m_list.CellTextAt(row, column); }
    long long CellNumber(int row, const std::string& name) const {
        return m_list.CellNumber(row, name);
    }
    void SetRowTextColour(int row, Colour colour) { m_list.SetRowTextColour(row, colour); }
    void FillFromResult(const ResultTable& result, bool addIndex = false, bool rowsOnly = false) {
        m_list.FillFromResult(result, addIndex, rowsOnly);
    }

    // Selection
    int NextSelectedRow(int row) const { return m_list.NextSelectedRow(row); }
    void SelectRow(int row, bool takeFocus);
    void SelectRowClamped(int row);
    void SetShowSelectionAlways(bool on);

    // Behaviour switches
    void EnableSorting(bool on);
    void SetOwnerDrawn(bool on);
    void SetFormatsOn(bool on);
    void SetResizingAllowed(bool on);
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    // Typing selects the row the typed text names in these columns
    // (FindTypedRow); Backspace edits the text, typedSearchChanged tells it.
    void EnableTypeSearch(std::vector<std::string> columns);

    int RowHeight() const { return m_rowHeight; }
    int RowAt(int y) const;  // viewport y; -1 below the last row
    // Sorts as a click on the header of `column` would (Ctrl adds to the sequence).
    void ClickHeader(int column, bool ctrl);

    // The text of a cell as it is drawn at its column's width: cut with "…"
    // when it does not fit (its tooltip then shows it whole).
    QString ShownCellText(int row, int column) const;
    static QString ElideCellText(const QString& text, const QFontMetrics& metrics, int width);

signals:
    void sorted();
    void selectionChanged();
    void rowDoubleClicked(int row);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void typedSearchChanged(const QString& typed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void OnListChanged(ListChange change, int row);
    void RebuildHeader();
    void UpdateGeometry();
    void StretchLastColumn();
    void EnsureLayout();
    void FlushSelectionSignal();
    void OnSectionResized(int column, int oldSize, int newSize);
    int VisibleRowCount() const;
    void SelectOnly(int row);
    void MoveFocusTo(int row);
    bool TypeIntoSearch(const QKeyEvent& event);
    void ScrollToRow(int row);
    void PaintRow(QPainter& painter, int row, int top, const QRect& clip);
    void PaintCell(QPainter& painter, int row, int column, const QRect& cell, bool selectedLook,
                   const QColor& textColour);
    void PaintEmptyNote(QPainter& painter);
    QString CellDisplayText(int row, int column) const;  // formatted by its display kind
    static QRect CellTextRect(int column, const QRect& cell);
    bool ShowCellToolTip(QHelpEvent* event);
    QColor ListBackground() const;
    bool SelectionVisible() const;

    DataList m_list;
    DataListHeader* m_header = nullptr;
    DataListHeaderModel* m_headerModel = nullptr;
    QPointer<QMenu> m_popupMenu;
    int m_rowHeight = 18;
    bool m_ownerDrawn = true;
    bool m_formatsOn = true;
    bool m_sortingEnabled = false;
    bool m_sorting = false;
    bool m_showSelectionAlways = true;
    bool m_layoutPending = false;
    bool m_selectionDirty = false;
    bool m_rebuildingHeader = false;
    std::vector<std::string> m_searchColumns;  // empty: typing searches nothing
    std::string m_typed;
};
