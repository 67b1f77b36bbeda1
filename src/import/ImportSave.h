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
    // How long a save waits for another import into the same database to end.
    int lockWaitSeconds = 300;
};

// Told as rows are saved: after each row of the annex import, after each
// chunk of the payroll import (the first chunks are small, later ones a few
// hundred rows). Answering false stops the save there; the rows before it
// stay saved. While another import into the same database runs, the save
// waits and says so; answering false gives up with nothing saved.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    virtual void Start(int rows) = 0;
    virtual bool RowDone(int rowsDone) = 0;
    virtual bool Waiting(int /*secondsWaited*/) { return true; }
};

// What became of one row.
enum class RowEnd {
    NotReached,   // the save ended before it
    Taken,        // the person and the sums were written
    TakenNoSums,  // the person was written, the sums were not (their note says why)
    Refused,      // red, nothing written
    Failed,       // a statement failed: the row was undone and the save stopped
};

// What became of each row of a save, and why it stopped short when it did.
// Neither flag set on a save that did not finish: it never started (the
// company's data was refused, or nothing could be written).
struct ImportTally {
    std::vector<RowEnd> rows;
    bool cancelled = false;  // stopped by the user, between rows or while waiting
    bool failed = false;     // a statement failed; the rows before it are saved
    int Count(RowEnd what) const;
    // Rows whose writes are in the database.
    int Saved() const { return Count(RowEnd::Taken) + Count(RowEnd::TakenNoSums); }
    bool StoppedPartWay() const { return cancelled || failed; }
};

// The server-wide lock every import holds for its whole save.
inline constexpr const char* kImportLockName = "orvik_asigurati_import";

namespace ImportMessages {
// After a cancel: how far the save went.
std::string CancelledMessage(int saved, int gone, int rows);
inline constexpr const char* kWaitingForOtherImport =
    "Se asteapta terminarea altui import de date in aceeasi baza de date...";
// When the other import did not end in time: nothing was saved.
std::string OtherImportMessage(int seconds);
}  // namespace ImportMessages

// Saves the rows of an opened file: the company when it is new, then the
// rows in order, with the checks, the person and the month's sums, each row's
// verdict in its "EROARE" cell (red for a refused row). Imports into one
// database run one at a time (a server-wide lock held for the whole save), so
// a second one sees the first one's persons and sums and updates them. One
// transaction holds the whole save; a failing statement undoes its own row
// only, and the rows before it are committed. Done (with the number of rows
// saved) when every row was gone through; `tally` says what became of each.
[[nodiscard]] Outcome SaveImport(CClient& client, const ImportFile& file, DataList& list,
                                 const ImportRequest& request, ImportTally& tally,
                                 ImportProgress* progress = nullptr);
