#pragma once
#include <QString>
#include <functional>
#include <string>

#include "base/RecordColumns.h"

class QWidget;

// While a form is typed, a field whose value cannot pass its own check is
// marked where the mistake is made: a red frame, the save's message as its
// tooltip and in the form's status line. A field is looked at once the user
// has typed in it and then leaves it, or fills it up (13 CNP digits, the 8
// digits of a date); a marked field is looked at again on every edit, so a
// correction takes the mark away at once. The marks only inform: the save
// still runs every check in its order.

// The message the field's column would be refused with, nullptr when it passes.
using FieldVerdict = std::function<const char*()>;

// Watches the field of `column` in `form`, if the form has one.
void WatchFieldCheck(QWidget* form, const ColumnSpec& column, FieldVerdict verdict);

// The message a field is marked with; empty when it is not marked.
QString FieldMarkOf(const QWidget* form, const char* column);
// Whether the form watches the field of `column`.
bool IsFieldWatched(const QWidget* form, const char* column);

// Marks the watched field of `column` with `message` at once, as a save that
// refused its value does (a code already taken, a value the user never
// touched); the next edit looks at the field again.
void MarkRefusedField(QWidget* form, const std::string& column, const QString& message);
