#pragma once
#include <string>

#include "dbf/DbfProgress.h"
#include "dbf/DbfTableSpec.h"

class DataList;

// Loads a dBase table into `list`: one column per field (named after it), one row per record
// that is not deleted. `spec` receives the header numbers and the fields. The header is not
// trusted: counts are checked against what the file really holds and fields wider than the
// record are refused. On failure the list keeps the columns and the rows read so far, false is
// returned and `error`, when given, says why.
bool ReadDbfFile(const std::string& path, DataList& list, DbfTableSpec& spec,
                 DbfProgress* progress = nullptr, std::string* error = nullptr);
