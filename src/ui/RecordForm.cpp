#include "ui/RecordForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "text/TextCodec.h"
#include "ui/AmountEdit.h"
#include "ui/DateTriple.h"
#include "ui/FieldRules.h"
#include "ui/KeyActions.h"

namespace {

QString ObjectName(std::string_view column) {
    return QString::fromLatin1(column.data(), static_cast<qsizetype>(column.size()));
}

template <typename Field>
Field* FindField(const QWidget* form, std::string_view column) {
    return form->findChild<Field*>(ObjectName(column));
}

int ChoicePosition(const ColumnSpec& column, const std::string& value) {
    if (!column.choices) return -1;
    const auto codes = column.choices();
    const auto found = std::find(codes.begin(), codes.end(), value);
    return found == codes.end() ? -1 : static_cast<int>(found - codes.begin());
}

std::string ChoiceCode(const ColumnSpec& column, int position) {
    if (!column.choices || position < 0) return {};
    const auto codes = column.choices();
    return position < static_cast<int>(codes.size()) ? std::string(codes[position]) : std::string();
}

}  // namespace

void BindField(QWidget* form, const ColumnSpec& column) {
    // An amount field keeps its own typing rules.
    if (FindField<AmountEdit>(form, column.name)) return;
    if (auto* edit = FindField<QLineEdit>(form, column.name))
        ApplyTextRule(edit, column.rule, column.maxLength);
}

void ShowFieldValue(QWidget* form, const ColumnSpec& column, const std::string& value) {
    if (auto* date = FindField<DateTriple>(form, column.name)) {
        date->SetCompact(value);
    } else if (auto* amount = FindField<AmountEdit>(form, column.name)) {
        amount->SetAmountText(value);
    } else if (auto* edit = FindField<QLineEdit>(form, column.name)) {
        edit->setText(ToQt(value));
    } else if (auto* combo = FindField<QComboBox>(form, column.name)) {
        combo->setCurrentIndex(ChoicePosition(column, value));
    } else if (auto* group = FindField<QButtonGroup>(form, column.name)) {
        const auto buttons = group->buttons();
        const int position = ChoicePosition(column, value);
        if (position >= 0 && position < buttons.size()) buttons[position]->setChecked(true);
    }
}

std::optional<std::string> ReadFieldValue(const QWidget* form, const ColumnSpec& column) {
    if (auto* date = FindField<DateTriple>(form, column.name)) return date->Compact();
    // The plain amount ("1234.50"), never the grouped text the field shows.
    if (auto* amount = FindField<AmountEdit>(form, column.name)) return amount->AmountText();
    if (auto* edit = FindField<QLineEdit>(form, column.name)) return FromQt(edit->text());
    if (auto* combo = FindField<QComboBox>(form, column.name))
        return ChoiceCode(column, combo->currentIndex());
    if (auto* group = FindField<QButtonGroup>(form, column.name))
        return ChoiceCode(column,
                          static_cast<int>(group->buttons().indexOf(group->checkedButton())));
    return std::nullopt;
}

void FocusField(QWidget* form, const std::string& column) {
    QWidget* field = FindField<QWidget>(form, column);
    if (!field)
        if (auto* group = FindField<QButtonGroup>(form, column);
            group && !group->buttons().isEmpty())
            field = group->buttons().first();
    if (!field) return;
    if (auto* date = qobject_cast<DateTriple*>(field)) field = date->DayField();
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void AlignLabelColumns(QWidget* form) {
    const auto layouts = form->findChildren<QFormLayout*>();
    std::vector<QWidget*> labels;
    int widest = 0;
    for (QFormLayout* layout : layouts)
        for (int row = 0; row < layout->rowCount(); ++row)
            if (QLayoutItem* item = layout->itemAt(row, QFormLayout::LabelRole);
                item && item->widget()) {
                labels.push_back(item->widget());
                widest = std::max(widest, item->widget()->sizeHint().width());
            }
    for (QWidget* label : labels) label->setMinimumWidth(widest);
}

namespace {

constexpr KeyCommand kCancel{Qt::Key_Escape, Qt::NoModifier, "[ESC]   Renunta"};

}  // namespace

void BindFormButtons(QDialog* form, QPushButton* confirmButton, QPushButton* cancelButton,
                     bool modify, std::function<void()> confirm) {
    BindFormButtons(form, confirmButton, cancelButton,
                    modify ? KeyCommand{Qt::Key_F6, Qt::NoModifier, "[F6]   Modifica"}
                           : KeyCommand{Qt::Key_F5, Qt::NoModifier, "[F5]   Adauga"},
                    std::move(confirm));
}

void BindFormButtons(QDialog* form, QPushButton* confirmButton, QPushButton* cancelButton,
                     const KeyCommand& command, std::function<void()> confirm) {
    auto* keys = new KeyActions(form);
    keys->Bind(confirmButton, command, std::move(confirm));
    // reject() is virtual: a form that stops a running task first keeps doing so.
    keys->Bind(cancelButton, kCancel, [form] { form->reject(); });
    SizeCommandButton(confirmButton);
    SizeCommandButton(cancelButton);
}

void BindFormButtons(QDialog* form, QPushButton* cancelButton) {
    auto* keys = new KeyActions(form);
    keys->Bind(cancelButton, kCancel, [form] { form->reject(); });
}

bool CloseWhenSaved(QDialog* form, const Outcome& saved) {
    if (!saved) {
        FocusField(form, saved.Field());
        return false;
    }
    form->accept();
    return true;
}
