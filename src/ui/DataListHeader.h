#pragma once
#include <QAbstractTableModel>
#include <QHeaderView>

class DataList;

// Column titles of a DataList as Qt's header view wants them.
class DataListHeaderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DataListHeaderModel(const DataList& list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void Reset();

private:
    const DataList& m_list;
};

// The header: the sort arrows are drawn at the right end of each sorted
// section, and a click remembers its modifiers so Ctrl can add a sort column.
class DataListHeader : public QHeaderView {
    Q_OBJECT
public:
    DataListHeader(const DataList& list, QWidget* parent);
    Qt::KeyboardModifiers LastModifiers() const { return m_lastModifiers; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const DataList& m_list;
    Qt::KeyboardModifiers m_lastModifiers;
};
