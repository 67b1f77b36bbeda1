#pragma once
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;

// A date typed into three small fields, day, month and year, with the hint
// "ZZ-LL-AAAA" beside them. Its value is the stored form: the year text, then
// month and day padded to two ("0000" when all three are empty). Forms bind
// it like any field: its objectName is the column name.
class DateTriple : public QWidget {
    Q_OBJECT
public:
    explicit DateTriple(QWidget* parent = nullptr);

    std::string Compact() const;
    // Fills the fields from a stored date; 0 (an open record) empties them.
    void SetCompact(const std::string& stored);
    void Clear();
    void SetReadOnly(bool readOnly);
    QLineEdit* DayField() const { return m_day; }

signals:
    // The user changed one of the three fields.
    void Edited();

private:
    QLineEdit* m_day;
    QLineEdit* m_month;
    QLineEdit* m_year;
    QLabel* m_hint;
};
