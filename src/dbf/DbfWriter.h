#pragma once
#include <string>

#include "dbf/DbfFormat.h"
#include "dbf/DbfProgress.h"
#include "dbf/DbfTableSpec.h"

class DataList;

// Writes the rows of `list` as a dBase III table: field i takes column i of every row. Without
// a table layout every column becomes a "C" field of 100 bytes named after the column. The
// layout's counts and lengths are set to what was written. True only when the whole file is in place
// under `path`; on failure `path` is untouched (an earlier file of that name stays as it was)
// and `error`, when given, says why.
bool WriteDbfFile(const std::string& path, const DataList* list, DbfTableSpec* spec,
                  DbfProgress* progress = nullptr, std::string* error = nullptr);

// The same with the date to put into the header instead of today's.
bool WriteDbfFileDated(const std::string& path, const DataList* list, DbfTableSpec* spec,
                       DbfProgress* progress, const DbfDate& date, std::string* error = nullptr);

// One field per column of the list, "C", 100 bytes, named after the column.
DbfTableSpec DefaultDbfSpec(const DataList* list);
