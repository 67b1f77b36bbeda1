#pragma once
#include <span>
#include <string>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "db/CClient.h"

// The moves every register makes between its column table and the database:
// a record from a result row and the fields of a write, each value in the
// form its column gives.

// The table's values of a result row, as the record's editor holds them
// (dates "YYYYMMDD").
template <typename Record>
void ReadRecordValues(const CClient& client, long long row,
                      std::span<const RecordColumn<Record>> columns, Record& record) {
    for (const auto& column : columns)
        record.*column.member =
            HeldValue(column.spec.stored, client.GetValue(row, ResultName(column.spec.name)));
}

template <typename Record>
Record RecordFromResult(const CClient& client, long long row,
                        std::span<const RecordColumn<Record>> columns) {
    Record record;
    ReadRecordValues(client, row, columns, record);
    return record;
}

// The table's values of a result row as the row stores them, for printouts
// and files.
template <typename Record>
void ReadStoredValues(const CClient& client, long long row,
                      std::span<const RecordColumn<Record>> columns, Record& record) {
    for (const auto& column : columns)
        record.*column.member = client.GetValue(row, ResultName(column.spec.name));
}

// One AddField per column the save writes, in the order of the table, each
// value in its stored form. Several tables of one record add to the same
// fields: the caller clears them first.
template <typename Record>
void AddWrittenFields(CClient& client, const Record& record,
                      std::span<const RecordColumn<Record>> columns, const SaveScope& scope) {
    for (const auto& column : columns)
        if (IsWritten(column.spec, scope))
            client.AddField(ResultName(column.spec.name),
                            StoredValue(column.spec.stored, record.*column.member));
}

// ClearFields, then the fields of every column a save of this scope writes.
template <typename Record>
void AddRecordFields(CClient& client, const Record& record,
                     std::span<const RecordColumn<Record>> columns, const SaveScope& scope) {
    client.ClearFields();
    AddWrittenFields(client, record, columns, scope);
}

// A change of a row: every column the table always writes, but `omitted`, a
// column the form did not edit this time.
template <typename Record>
void AddRecordFields(CClient& client, const Record& record,
                     std::span<const RecordColumn<Record>> columns, std::string_view omitted = {}) {
    AddRecordFields(client, record, columns, SaveScope{.omitted = omitted});
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
