#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/ImportRows.h"
#include "import/ImportSave.h"

// The payroll import in chunks: what the file's rows need is read up front in
// a few set-based look-ups, each chunk's rows are written with a handful of
// multi-row statements, and their verdicts are the ones the row-by-row save
// gives. A chunk the server refuses is undone and saved again row by row, so
// the refused row gets its own message and the rows before it stay.

// The company's records the rows may meet: open persons by CNP, their sums by
// person and month, kept up to date as chunks are written.
struct EmployeeKeys {
    std::unordered_map<long long, long long> persons;
    SumsKeys sums;
    long long keyStep = 1;
};

// What one row will do, decided from the keys and the row's cells.
struct PlannedRow {
    int row = 0;
    RowEnd end = RowEnd::Refused;
    const char* refusal = nullptr;
    std::string text;
    long long cnp = 0;
    long long person = 0;  // given by the insert for a person the chunk adds
    bool newPerson = false;
    bool sums = false;
    std::string monthText;
    long long month = 0;
    long long sumsIndex = 0;  // 0 until the insert gives it, for sums the chunk adds
    InsuredRecord record;
    std::vector<std::string> amounts;
};

// Reads the keys for the rows of the list; nothing when a look-up failed (shown).
[[nodiscard]] std::optional<EmployeeKeys> LoadEmployeeKeys(RowTarget& target);

// Plans the rows from `first`, at most `limit` of them, ending before a row
// whose person the chunk already writes (its change-log copy must show the
// first row's change). Never empty while rows remain.
std::vector<PlannedRow> PlanEmployeeChunk(RowTarget& target, const EmployeeKeys& keys, int first,
                                          int limit);

// Writes a planned chunk; false when the server refused a statement (not
// shown: the caller undoes the chunk and saves it row by row). On success
// the verdicts are in the list and the keys know the new records.
[[nodiscard]] bool WriteEmployeeChunk(RowTarget& target, EmployeeKeys& keys,
                                      std::vector<PlannedRow>& chunk);
