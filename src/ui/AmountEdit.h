#pragma once
#include <QLineEdit>
#include <string>

// An edit field that holds a number and always shows it grouped with a fixed
// number of decimals ("1,234,567.50") while the user types. Digits go into the
// integer part at the caret or overwrite decimals; "-" toggles the sign; "."
// and "," lead to the decimals. A pasted amount replaces the value when it
// reads as one (ReadWrittenAmount) and is refused otherwise.
class AmountEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountEdit(QWidget* parent = nullptr);

    void SetAmount(double value);
    void SetAmountText(const std::string& text);
    // The shown text without group separators, "." before the decimals: "1234.50".
    std::string AmountText() const;
    double Amount() const { return m_value; }

    void SetDecimals(int decimals);
    void SetGrouping(bool on);
    // The value becomes the amount the text writes; false (and a beep, the
    // value unchanged) when it is not one.
    bool PasteAmount(const QString& pasted);

    // The most integer digits the field takes.
    static constexpr int kMaxIntegerDigits = 13;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Parts {
        bool negative = false;
        std::string integerDigits;
        std::string decimalDigits;
    };

    std::string Format(double value) const;
    // A shown text without group separators, "." before the decimals.
    std::string PlainText(std::string shown) const;
    Parts Split(const std::string& shown) const;
    int DecimalPosition(const std::string& shown) const;
    void ShowParts(const Parts& parts, int caretFromEnd);
    void ShowText(const std::string& shown, int caret);
    void DeleteSelection();
    void TypeDigit(char digit);
    void DeleteAt(int position, bool backwards);
    bool HandleCharacter(char c);

    double m_value = 0;
    int m_decimals = 2;
    bool m_grouping = true;
    char m_groupSeparator = ',';
    char m_decimalSeparator = '.';
};
