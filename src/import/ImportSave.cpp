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
#include "import/ImportRows.h"

namespace {

const char* const kRowSavepoint = "orvik_import_row";
const char* const kChunkSavepoint = "orvik_import_chunk";
// Rows written by one chunk's statements once the save is under way.
constexpr int kChunkRows = 500;
const Colour kPlainColour{0, 0, 0};

// A typed company text cut to its column, as the form's field would cut it.
std::string Fitted(const std::string& text, std::string_view column) {
    for (const auto& c : CompanyRegister::Columns())
        if (c.spec.name == column && c.spec.maxLength > 0 &&
            text.size() > static_cast<std::size_t>(c.spec.maxLength))
            return text.substr(0, static_cast<std::size_t>(c.spec.maxLength));
    return text;
}

bool CompanyAccepted(Prompter& prompter, const CompanyRecord& company) {
    if (TrimBlanks(company.denumire).empty()) {
        prompter.ShowMessage(ImportMessages::kNoCompanyName);
        return false;
    }
    if (!IsValidPaymentDay(company.ziuaLic)) {
        prompter.ShowMessage(CompanyMessages::kPaymentDayInvalid);
        return false;
    }
    return true;
}

// A company the database does not know yet is added with what was typed; a
// known one stays as it is.
bool SaveCompany(CClient& client, const SqlLiteral& cf, const std::string& code,
                 const CompanyRecord& company) {
    if (!client.Query(SqlStatement("SELECT * FROM asigurati.societati AS s WHERE s.cf=") + cf,
                      true))
        return false;
    if (client.RowCount() > 0) return true;
    client.ClearFields();
    client.AddField("CF", code);
    client.AddField("DENUMIRE", Fitted(company.denumire, "denumire"));
    client.AddField("REG_COM", Fitted(company.regCom, "reg_com"));
    client.AddField("REPR", Fitted(company.repr, "repr"));
    client.AddField("ZIUA_LIC", company.ziuaLic);
    client.AddField("LUNA_LIC", company.lunaLic == "1" ? "1" : "0");
    return client.InsertRecord("ASIGURATI", "SOCIETATI", "", true);
}

// A second save goes through every row again: earlier verdicts go first.
void ClearVerdicts(DataList& list) {
    for (int row = 0; row < list.RowCount(); ++row) {
        list.SetCellText(row, kVerdictColumn, "");
        list.SetRowTextColour(row, kPlainColour);
    }
}

RowEnd SaveRow(RowTarget& target, ImportKind kind, int row) {
    return kind == ImportKind::Employees ? SaveEmployeeRow(target, row) : SaveAnnexRow(target, row);
}

// One row in its own savepoint; false when it failed: it was undone and the
// save stops there.
bool SaveOneRow(RowTarget& target, ImportKind kind, Transaction& transaction, int row,
                ImportResult& result) {
    if (!transaction.Savepoint(kRowSavepoint)) {
        result.end = SaveEnd::Failed;
        return false;
    }
    result.rows[row] = SaveRow(target, kind, row);
    if (result.rows[row] != RowEnd::Failed) return true;
    (void)transaction.RollbackToSavepoint(kRowSavepoint);
    result.end = SaveEnd::Failed;
    return false;
}

// The annex import, row by row inside the open transaction.
void SaveRowsOneByOne(RowTarget& target, ImportKind kind, Transaction& transaction,
                      ImportProgress* progress, ImportResult& result) {
    const int rows = target.list.RowCount();
    if (progress) progress->Start(rows);
    for (int row = 0; row < rows; ++row) {
        if (!SaveOneRow(target, kind, transaction, row, result)) return;
        if (progress && !progress->RowDone(row + 1) && row + 1 < rows) {
            result.end = SaveEnd::Cancelled;
            return;
        }
    }
    result.end = SaveEnd::Finished;
}

// A chunk the server refused is undone and saved row by row: the refused row
// gets its message and stops the save, the rows before it stay. False when
// the save stops.
bool SaveChunkOneByOne(RowTarget& target, Transaction& transaction, int first, int end,
                       EmployeeKeys& keys, ImportResult& result) {
    if (!transaction.RollbackToSavepoint(kChunkSavepoint)) {
        result.rows[first] = RowEnd::Failed;
        result.end = SaveEnd::Failed;
        return false;
    }
    for (int row = first; row < end; ++row)
        if (!SaveOneRow(target, ImportKind::Employees, transaction, row, result)) return false;
    if (end == target.list.RowCount() || LoadEmployeeKeys(target, keys)) return true;
    result.rows[end] = RowEnd::Failed;
    result.end = SaveEnd::Failed;
    return false;
}

// The payroll import in chunks inside the open transaction. The first chunks
// are small, so a save stopped at once keeps little; later ones hold
// kChunkRows rows.
void SaveEmployeeRows(RowTarget& target, Transaction& transaction, ImportProgress* progress,
                      ImportResult& result) {
    const int rows = target.list.RowCount();
    if (progress) progress->Start(rows);
    EmployeeKeys keys;
    if (rows > 0 && !LoadEmployeeKeys(target, keys)) {
        result.rows[0] = RowEnd::Failed;
        result.end = SaveEnd::Failed;
        return;
    }
    int size = 1;
    for (int row = 0; row < rows; size = std::min(2 * size, kChunkRows)) {
        std::vector<PlannedRow> chunk = PlanEmployeeChunk(target, keys, row, size);
        const int end = chunk.back().row + 1;
        if (!transaction.Savepoint(kChunkSavepoint)) {
            result.end = SaveEnd::Failed;
            return;
        }
        if (WriteEmployeeChunk(target, keys, chunk)) {
            for (const PlannedRow& p : chunk) result.rows[p.row] = p.end;
        } else if (!SaveChunkOneByOne(target, transaction, row, end, keys, result)) {
            return;
        }
        row = end;
        if (progress && !progress->RowDone(row) && row < rows) {
            result.end = SaveEnd::Cancelled;
            return;
        }
    }
    result.end = SaveEnd::Finished;
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

// The company and the rows in one transaction; the result says where it stopped.
void SaveInTransaction(CClient& client, const ImportFile& file, DataList& list,
                       const ImportRequest& request, ImportProgress* progress, ImportResult& result,
                       const SqlLiteral& cf) {
    Transaction transaction(client);
    if (!transaction.Begun() || !SaveCompany(client, cf, file.CompanyCode(), request.company))
        return;
    RowTarget target{client, list, cf, file.CompanyCode(), request.house, {}};
    if (file.Kind() == ImportKind::EarlierReport) {
        target.month = AnnexMonth(list.CellText(0, "AN"), list.CellText(0, "LN"));
        SaveRowsOneByOne(target, file.Kind(), transaction, progress, result);
    } else {
        SaveEmployeeRows(target, transaction, progress, result);
    }
    if (!transaction.Commit()) {
        // Nothing of the save reached the database: no row may say otherwise.
        ClearVerdicts(list);
        std::fill(result.rows.begin(), result.rows.end(), RowEnd::NotReached);
        result.end = SaveEnd::NotStarted;
    }
}

}  // namespace

int ImportResult::Count(RowEnd what) const {
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

ImportResult SaveImport(CClient& client, const ImportFile& file, DataList& list,
                        const ImportRequest& request, ImportProgress* progress) {
    Prompter& prompter = client.GetPrompter();
    ImportResult result;
    if (!file.IsOpen() || !CompanyAccepted(prompter, request.company)) return result;
    const auto cf = SqlNumber(prompter, file.CompanyCode());
    if (!cf) return result;
    result.rows.assign(static_cast<std::size_t>(list.RowCount()), RowEnd::NotReached);
    ClearVerdicts(list);
    ImportLock lock(client);
    switch (lock.Take(request.lockWaitSeconds, progress)) {
        case LockEnd::Taken:
            break;
        case LockEnd::TimedOut:
            prompter.ShowMessage(ImportMessages::OtherImportMessage(request.lockWaitSeconds));
            return result;
        case LockEnd::Stopped:
            result.end = SaveEnd::Cancelled;
            prompter.ShowMessage(ImportMessages::CancelledMessage(0, 0, list.RowCount()),
                                 MessageKind::Information);
            return result;
        case LockEnd::Failed:
            return result;
    }
    SaveInTransaction(client, file, list, request, progress, result, *cf);
    // The statistics of the tables a save filled are taken again before the
    // lock goes and before the server can be stopped (plans after a restart).
    if (result.Saved() > 0) (void)RefreshTableStatistics(client);
    lock.Release();
    if (result.end == SaveEnd::Finished)
        prompter.ShowMessage(ImportMessages::kSaved, MessageKind::Information);
    if (result.end == SaveEnd::Cancelled)
        prompter.ShowMessage(
            ImportMessages::CancelledMessage(result.Saved(),
                                             result.rows.size() - result.Count(RowEnd::NotReached),
                                             list.RowCount()),
            MessageKind::Information);
    return result;
}
