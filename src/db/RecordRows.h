#pragma once
#include <span>
#include <string>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "db/CClient.h"

// The moves every register makes between its column table and the database:
// a record from a result row, the pending fields of a guarded write, and the
// layout of the record's list.

template <typename Record>
Record RecordFromResult(const CClient& client, long long row,
                        std::span<const RecordColumn<Record>> columns) {
    Record record;
    for (const auto& column : columns)
        record.*column.member = client.GetValue(row, ResultName(column.spec.name));
    return record;
}

// ClearFields, then one AddField per column, in the order of the table; a
// column the form did not edit this time may be left out.
template <typename Record>
void AddRecordFields(CClient& client, const Record& record,
                     std::span<const RecordColumn<Record>> columns, std::string_view omitted = {}) {
    client.ClearFields();
    for (const auto& column : columns)
        if (column.spec.name != omitted)
            client.AddField(ResultName(column.spec.name), record.*column.member);
}

// Runs the check the column table names for `column`: a failure shows its
// message and stops with the column's field.
template <typename Record>
Outcome CheckColumn(Prompter& prompter, std::span<const RecordColumn<Record>> columns,
                    const Record& record, std::string_view column) {
    for (const auto& c : columns)
        if (c.spec.name == column && c.check)
            if (const char* message = c.check(record)) return Refuse(prompter, message, column);
    return Outcome::Done();
}
