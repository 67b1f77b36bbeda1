#pragma once
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class MonthDialog;
}
class Prompter;

// "Pasul 1: Luna pentru care se lucreaza": the month and year of the
// declaration, checked as the first day of that month.
class MonthDialog : public QDialog {
    Q_OBJECT
public:
    // Opens with the fields of `current` (empty when no month was chosen yet).
    MonthDialog(Prompter& prompter, const std::string& current, QWidget* parent = nullptr);
    ~MonthDialog() override;

    // After a confirm: the working month "YYYYMM".
    const std::string& Month() const { return m_month; }

public slots:
    void Confirm();

private:
    Prompter& m_prompter;
    std::string m_month;
    std::unique_ptr<Ui::MonthDialog> m_ui;
};
