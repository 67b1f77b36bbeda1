#pragma once
#include <QWidget>
#include <functional>
#include <optional>

class DataList;
class DataListView;
class QGridLayout;
class QLabel;

// A master list over a detail list with its caption: the detail shows what
// belongs to the record selected above (the dependants of an insured person,
// the periods of a person). Beside each list the window may put its buttons,
// and under the master list a legend.
class LinkedLists : public QWidget {
    Q_OBJECT
public:
    // The key of the record in master row `row`. Rows move with sorts and
    // deletes, so the detail follows keys, never row numbers.
    using RowKey = std::function<long long(const DataList& master, int row)>;
    // Fills `detail` for master row `row`; the detail is empty when it is called,
    // so a fill that fails leaves nothing stale in it.
    using FillDetail = std::function<void(const DataList& master, int row, DataList& detail)>;

    explicit LinkedLists(const QString& detailCaption, QWidget* parent = nullptr);

    void Link(RowKey key, FillDetail fill);
    DataListView* Master() const { return m_master; }
    DataListView* Detail() const { return m_detail; }
    QLabel* DetailCaption() const { return m_caption; }

    void SetMasterSide(QWidget* side);
    void SetDetailSide(QWidget* side);
    void SetMasterFooter(QWidget* footer);
    // How the room the lists get is shared between them (3 to 1 unless set).
    void SetRowStretch(int master, int detail);
    // Commands of the detail in a row after its caption instead of beside it:
    // the detail list then spans the whole width, the master's side too.
    void SetDetailBar(QWidget* bar);

    // The selected master row, -1 without one.
    int SelectedRow() const;
    // Refills the detail when the selected record is not the one it shows,
    // and empties it when no master row is selected.
    void FollowSelection();
    // Refills the detail of the selected record (after the record changed).
    void ReloadDetail();
    // Takes `row` out of the master list and selects the row that came into
    // its place, or the new last one.
    void RemoveMasterRow(int row);

signals:
    // The detail was filled again or emptied.
    void detailChanged();

private:
    void Show(std::optional<long long> key, int row);

    DataListView* m_master;
    DataListView* m_detail;
    QLabel* m_caption;
    QGridLayout* m_grid;
    RowKey m_key;
    FillDetail m_fill;
    // The record the detail shows; nothing while it is empty.
    std::optional<long long> m_shownKey;
};
