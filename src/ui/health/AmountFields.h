#pragma once
#include <span>
#include <string>

#include "db/RecordColumns.h"
#include "ui/RecordForm.h"

class QWidget;

// The sums forms bind their columns as every record form does, except that
// an amount field keeps a number: it is given the stored text to read and
// hands back its plain amount ("1234.50"), never the grouped text it shows.

// The amount field named after `column`, if the form has one (QWidget* to
// keep the widget header out of here).
QWidget* FindAmountField(const QWidget* form, std::string_view column);
void ShowAmount(QWidget* field, const std::string& stored);
std::string ReadAmount(const QWidget* field);

template <typename Record>
void BindAmountAwareFields(QWidget* form, std::span<const RecordColumn<Record>> columns) {
    for (const auto& column : columns)
        if (!FindAmountField(form, column.spec.name)) BindField(form, column.spec);
}

template <typename Record>
void ShowAmountAwareRecord(QWidget* form, std::span<const RecordColumn<Record>> columns,
                           const Record& record) {
    for (const auto& column : columns) {
        if (QWidget* amount = FindAmountField(form, column.spec.name))
            ShowAmount(amount, record.*column.member);
        else
            ShowFieldValue(form, column.spec, record.*column.member);
    }
}

template <typename Record>
Record ReadAmountAwareRecord(const QWidget* form, std::span<const RecordColumn<Record>> columns,
                             Record base = {}) {
    for (const auto& column : columns) {
        if (const QWidget* amount = FindAmountField(form, column.spec.name))
            base.*column.member = ReadAmount(amount);
        else if (auto value = ReadFieldValue(form, column.spec))
            base.*column.member = *value;
    }
    return base;
}
