#pragma once
#include <string>
#include <vector>

#include "health/CompanyRegister.h"

class CClient;
class DataList;
class ImportFile;

// What the user completed before the save: the company's data (used only for
// a company the database does not know yet) and, for the annex import, the
// insurance house of every employee.
struct ImportRequest {
    CompanyRecord company;
    std::string house;
};

// Told after each row; answering false stops the save before the next row
// (the rows before it stay saved).
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    virtual void Start(int rows) = 0;
    virtual bool RowDone(int rowsDone) = 0;
};

// What became of one row.
enum class RowEnd {
    NotReached,   // the save ended before it
    Taken,        // the person and the sums were written
    TakenNoSums,  // the person was written, the sums were not (their note says why)
    Refused,      // red, nothing written
    Failed,       // a statement failed: the row was undone and the save stopped
};

enum class SaveEnd {
    Finished,   // every row was gone through
    Cancelled,  // stopped by the user between rows
    Failed,     // a statement failed; the rows before it are saved
    NotStarted  // the company's data was refused, or nothing could be written
};

struct ImportResult {
    SaveEnd end = SaveEnd::NotStarted;
    std::vector<RowEnd> rows;
    int Count(RowEnd what) const;
    // Rows whose writes are in the database.
    int Saved() const { return Count(RowEnd::Taken) + Count(RowEnd::TakenNoSums); }
};

namespace ImportMessages {
// After a cancel: how far the save went.
std::string CancelledMessage(int saved, int gone, int rows);
}  // namespace ImportMessages

// Saves the rows of an opened file: the company when it is new, then row by
// row the checks, the person and the month's sums, each row's verdict in its
// "EROARE" cell (red for a refused row). One transaction holds the whole save
// with a savepoint before each row: a failing statement undoes its own row
// only, and the rows before it are committed.
ImportResult SaveImport(CClient& client, const ImportFile& file, DataList& list,
                        const ImportRequest& request, ImportProgress* progress = nullptr);
