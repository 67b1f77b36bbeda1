#include "import/ImportSave.h"

#include <algorithm>
#include <chrono>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/TableStatistics.h"
#include "db/Transaction.h"
#include "domain/TextNumbers.h"
#include "import/ImportBatch.h"
#include "import/ImportFile.h"
#include "import/ImportMarks.h"
#include "import/ImportRows.h"

namespace {

const char* const kRowSavepoint = "orvik_import_row";
const char* const kChunkSavepoint = "orvik_import_chunk";
// Rows written by one chunk's statements once the save is under way.
constexpr int kChunkRows = 500;

// The refusal names the company form's field, for the caret.
Outcome CompanyAccepted(Prompter& prompter, const CompanyRecord& company) {
    if (TrimBlanks(company.denumire).empty())
        return Refuse(prompter, ImportMessages::kNoCompanyName, "denumire");
    if (!IsValidPaymentDay(company.ziuaLic))
        return Refuse(prompter, CompanyMessages::kPaymentDayInvalid, "ziua_lic");
    return Outcome::Done();
}

// A company the database does not know yet is added with what was typed; a
// known one stays as it is.
bool SaveCompany(CClient& client, const std::string& code, const CompanyRecord& company) {
    CompanyRecord typed = company;
    typed.cf = code;
    return CompanyRegister(client, CompanyPlace::Health).AddIfMissing(typed).Ok();
}

// A second save goes through every row again: earlier verdicts go first.
void ClearVerdicts(DataList& list) {
    for (int row = 0; row < list.RowCount(); ++row) {
        list.SetCellText(row, kVerdictColumn, "");
        list.SetRowTextColour(row, kSavedRowColour);
    }
}

RowEnd SaveRow(RowTarget& target, ImportKind kind, int row) {
    return kind == ImportKind::Employees ? SaveEmployeeRow(target, row) : SaveAnnexRow(target, row);
}

// One row in its own savepoint; false when it failed: it was undone and the
// save stops there.
bool SaveOneRow(RowTarget& target, ImportKind kind, Transaction& transaction, int row,
                ImportTally& tally) {
    if (!transaction.Savepoint(kRowSavepoint)) {
        tally.failed = true;
        return false;
    }
    tally.rows[row] = SaveRow(target, kind, row);
    if (tally.rows[row] != RowEnd::Failed) return true;
    (void)transaction.RollbackToSavepoint(kRowSavepoint);
    tally.failed = true;
    return false;
}

// The annex import, row by row inside the open transaction; true when every
// row was gone through.
bool SaveRowsOneByOne(RowTarget& target, ImportKind kind, Transaction& transaction,
                      ImportProgress* progress, ImportTally& tally) {
    const int rows = target.list.RowCount();
    if (progress) progress->Start(rows);
    for (int row = 0; row < rows; ++row) {
        if (!SaveOneRow(target, kind, transaction, row, tally)) return false;
        if (progress && !progress->RowDone(row + 1) && row + 1 < rows) {
            tally.cancelled = true;
            return false;
        }
    }
    return true;
}

// A chunk the server refused is undone and saved row by row: the refused row
// gets its message and stops the save, the rows before it stay. False when
// the save stops.
bool SaveChunkOneByOne(RowTarget& target, Transaction& transaction, int first, int end,
                       EmployeeKeys& keys, ImportTally& tally) {
    if (!transaction.RollbackToSavepoint(kChunkSavepoint)) {
        tally.rows[first] = RowEnd::Failed;
        tally.failed = true;
        return false;
    }
    for (int row = first; row < end; ++row)
        if (!SaveOneRow(target, ImportKind::Employees, transaction, row, tally)) return false;
    if (end == target.list.RowCount()) return true;
    if (auto reloaded = LoadEmployeeKeys(target)) {
        keys = std::move(*reloaded);
        return true;
    }
    tally.rows[end] = RowEnd::Failed;
    tally.failed = true;
    return false;
}

// The payroll import in chunks inside the open transaction. The first chunks
// are small, so a save stopped at once keeps little; later ones hold
// kChunkRows rows. True when every row was gone through.
bool SaveEmployeeRows(RowTarget& target, Transaction& transaction, ImportProgress* progress,
                      ImportTally& tally) {
    const int rows = target.list.RowCount();
    if (progress) progress->Start(rows);
    EmployeeKeys keys;
    if (rows > 0) {
        auto loaded = LoadEmployeeKeys(target);
        if (!loaded) {
            tally.rows[0] = RowEnd::Failed;
            tally.failed = true;
            return false;
        }
        keys = std::move(*loaded);
    }
    int size = 1;
    for (int row = 0; row < rows; size = std::min(2 * size, kChunkRows)) {
        std::vector<PlannedRow> chunk = PlanEmployeeChunk(target, keys, row, size);
        const int end = chunk.back().row + 1;
        if (!transaction.Savepoint(kChunkSavepoint)) {
            tally.failed = true;
            return false;
        }
        if (WriteEmployeeChunk(target, keys, chunk)) {
            for (const PlannedRow& p : chunk) tally.rows[p.row] = p.end;
        } else if (!SaveChunkOneByOne(target, transaction, row, end, keys, tally)) {
            return false;
        }
        row = end;
        if (progress && !progress->RowDone(row) && row < rows) {
            tally.cancelled = true;
            return false;
        }
    }
    return true;
}

enum class LockEnd { Taken, TimedOut, Stopped, Failed };

// Imports into one database run one at a time. The lock is the server's, so
// it holds between every program and command line using it, and it goes with
// the connection should the program die.
class ImportLock {
public:
    explicit ImportLock(CClient& client) : m_client(client) {}
    ~ImportLock() { Release(); }
    ImportLock(const ImportLock&) = delete;
    ImportLock& operator=(const ImportLock&) = delete;

    LockEnd Take(int limitSeconds, ImportProgress* progress) {
        const auto start = std::chrono::steady_clock::now();
        for (int wait = 0;; wait = 1) {
            if (!m_client.Query(SqlStatement("SELECT GET_LOCK('") + kImportLockName + "', " +
                                    SqlInteger(wait) + ") AS got",
                                true))
                return LockEnd::Failed;
            if (m_client.GetValue(0, "GOT") == "1") {
                m_held = true;
                return LockEnd::Taken;
            }
            const auto waited = std::chrono::duration_cast<std::chrono::seconds>(
                std::chrono::steady_clock::now() - start);
            if (waited.count() >= limitSeconds) return LockEnd::TimedOut;
            if (progress && !progress->Waiting(static_cast<int>(waited.count())))
                return LockEnd::Stopped;
        }
    }
    // Before the save's last message: the next import must not wait for the user.
    void Release() {
        if (!m_held) return;
        m_held = false;
        if (m_client.IsConnected())
            (void)m_client.Query(SqlStatement("SELECT RELEASE_LOCK('") + kImportLockName + "')",
                                 false);
    }

private:
    CClient& m_client;
    bool m_held = false;
};

// The company and the rows in one transaction; true when every row was gone
// through, and the tally says where it stopped otherwise.
bool SaveInTransaction(CClient& client, const ImportFile& file, DataList& list,
                       const ImportRequest& request, ImportProgress* progress, ImportTally& tally) {
    Transaction transaction(client);
    if (!transaction.Begun() || !SaveCompany(client, file.CompanyCode(), request.company))
        return false;
    RowTarget target{client, list, file.CompanyCode(), request.house, {}};
    target.file = &file;
    bool finished = false;
    if (file.Kind() == ImportKind::EarlierReport) {
        target.month = AnnexMonth(list.CellText(0, "AN"), list.CellText(0, "LN"));
        finished = SaveRowsOneByOne(target, file.Kind(), transaction, progress, tally);
    } else {
        finished = SaveEmployeeRows(target, transaction, progress, tally);
    }
    if (!transaction.Commit()) {
        // Nothing of the save reached the database: no row may say otherwise.
        ClearVerdicts(list);
        std::fill(tally.rows.begin(), tally.rows.end(), RowEnd::NotReached);
        tally.cancelled = tally.failed = false;
        return false;
    }
    return finished;
}

}  // namespace

int ImportTally::Count(RowEnd what) const {
    return static_cast<int>(std::count(rows.begin(), rows.end(), what));
}

std::string ImportMessages::CancelledMessage(int saved, int gone, int rows) {
    return "Salvarea a fost intrerupta.\n\nAu fost parcurse " + std::to_string(gone) + " din " +
           std::to_string(rows) + " inregistrari, iar " + std::to_string(saved) +
           " au fost salvate in baza de date.";
}

std::string ImportMessages::OtherImportMessage(int seconds) {
    return "Un alt import de date in aceeasi baza de date nu s-a terminat in " +
           std::to_string(seconds) +
           " de secunde.\n\nNu a fost salvat nimic. Incearca din nou dupa ce se termina.";
}

Outcome SaveImport(CClient& client, const ImportFile& file, DataList& list,
                   const ImportRequest& request, ImportTally& tally, ImportProgress* progress) {
    Prompter& prompter = client.GetPrompter();
    tally = {};
    if (!file.IsOpen()) return Outcome::Stopped();
    if (Outcome accepted = CompanyAccepted(prompter, request.company); !accepted) return accepted;
    // The code goes bare into the statements: it must be one SQL takes as a number.
    if (!SqlNumber(prompter, file.CompanyCode())) return Outcome::Stopped();
    tally.rows.assign(static_cast<std::size_t>(list.RowCount()), RowEnd::NotReached);
    ClearVerdicts(list);
    ImportLock lock(client);
    switch (lock.Take(request.lockWaitSeconds, progress)) {
        case LockEnd::Taken:
            break;
        case LockEnd::TimedOut:
            prompter.ShowMessage(ImportMessages::OtherImportMessage(request.lockWaitSeconds));
            return Outcome::Stopped();
        case LockEnd::Stopped:
            tally.cancelled = true;
            prompter.ShowMessage(ImportMessages::CancelledMessage(0, 0, list.RowCount()) + "\n\n" +
                                     ImportMessages::CountsText(tally),
                                 MessageKind::Information);
            return Outcome::Stopped();
        case LockEnd::Failed:
            return Outcome::Stopped();
    }
    const bool finished = SaveInTransaction(client, file, list, request, progress, tally);
    PaintRowsWithoutSums(list, tally);
    // The statistics of the tables a save filled are taken again before the
    // lock goes and before the server can be stopped (plans after a restart).
    if (tally.Saved() > 0) (void)RefreshTableStatistics(client);
    lock.Release();
    if (finished) {
        prompter.ShowMessage(ImportMessages::FinishedMessage(tally),
                             tally.Saved() > 0 ? MessageKind::Information : MessageKind::Warning);
        return Outcome::Done(tally.Saved());
    }
    if (tally.cancelled) {
        const int gone = static_cast<int>(tally.rows.size()) - tally.Count(RowEnd::NotReached);
        prompter.ShowMessage(
            ImportMessages::CancelledMessage(tally.Saved(), gone, list.RowCount()) + "\n\n" +
                ImportMessages::CountsText(tally),
            MessageKind::Information);
    }
    return Outcome::Stopped();
}
