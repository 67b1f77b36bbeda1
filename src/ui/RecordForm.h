#pragma once
#include <optional>
#include <span>
#include <string>

#include <functional>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "ui/FieldMarks.h"
#include "ui/KeyActions.h"

class QDialog;
class QPushButton;
class QWidget;

// Moves a record between its column table and a form whose fields carry the
// column names as objectNames: a line edit holds a typed value, an amount
// field a number, a date triple a stored date, a combo box or a button group
// the position of a code among the column's choices.

// The entry limit and text rule of one column on its field, if the form has it.
void BindField(QWidget* form, const ColumnSpec& column);
void ShowFieldValue(QWidget* form, const ColumnSpec& column, const std::string& value);
// Nothing when the form has no field for the column.
[[nodiscard]] std::optional<std::string> ReadFieldValue(const QWidget* form,
                                                        const ColumnSpec& column);
// Puts the caret in the field of `column` (after a refused check), its text selected.
void FocusField(QWidget* form, const std::string& column);
// The labels of every form layout inside `form` take the width of the widest,
// so groups stacked one under the other share one label column.
void AlignLabelColumns(QWidget* form);

// The two buttons of every record form, with their keys: "[F5]   Adauga" in
// add mode or "[F6]   Modifica" in modify mode runs `confirm`,
// "[ESC]   Renunta" closes the form.
void BindFormButtons(QDialog* form, QPushButton* confirmButton, QPushButton* cancelButton,
                     bool modify, std::function<void()> confirm);
// The same for a form whose confirming command is its own ("[F6]   Lichideaza").
void BindFormButtons(QDialog* form, QPushButton* confirmButton, QPushButton* cancelButton,
                     const KeyCommand& command, std::function<void()> confirm);
// "[ESC]   Renunta" alone, for a form whose other buttons have no key; the
// caller sizes its buttons together.
void BindFormButtons(QDialog* form, QPushButton* cancelButton);
// What a form does with its register's answer: close, or put the caret on
// the refused field and stay open. True when it closed.
bool CloseWhenSaved(QDialog* form, const Outcome& saved);

template <typename Record>
Record ReadRecord(const QWidget* form, std::span<const RecordColumn<Record>> columns,
                  Record base = {});

// Applies the column table to the form's fields: entry limits, text rules,
// and the marks of the columns that name a check of their own.
// `base` gives what the form does not show but a check reads (the kind of
// change a date belongs to).
template <typename Record>
void BindRecordFields(QWidget* form, std::span<const RecordColumn<Record>> columns,
                      std::function<Record()> base = {}) {
    for (const auto& column : columns) {
        BindField(form, column.spec);
        if (column.check)
            WatchFieldCheck(form, column.spec, [form, columns, base, check = column.check] {
                return check(ReadRecord<Record>(form, columns, base ? base() : Record{}));
            });
    }
}

template <typename Record>
void ShowRecord(QWidget* form, std::span<const RecordColumn<Record>> columns,
                const Record& record) {
    for (const auto& column : columns) ShowFieldValue(form, column.spec, record.*column.member);
}

// The record as the form shows it; columns without a field keep `base`'s values.
template <typename Record>
Record ReadRecord(const QWidget* form, std::span<const RecordColumn<Record>> columns, Record base) {
    for (const auto& column : columns)
        if (auto value = ReadFieldValue(form, column.spec)) base.*column.member = *value;
    return base;
}
