#pragma once
#include <QString>

#include "db/RecordColumns.h"

class QLineEdit;
class QWidget;

// Typing rules of form fields: names upper case, e-mail lower case, codes and
// days digits only, each with its entry limit.
enum class FieldCase { AsTyped, Upper, Lower, Digits };

QLineEdit* MakeField(QWidget* parent, const char* objectName, int maxLength,
                     FieldCase rule = FieldCase::AsTyped);

// The entry limit (when above 0) and the typing rule of a field.
void ApplyTextRule(QLineEdit* edit, TextRule rule, int maxLength);
