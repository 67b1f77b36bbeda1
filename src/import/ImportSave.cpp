#include "import/ImportSave.h"

#include <algorithm>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/Transaction.h"
#include "domain/TextNumbers.h"
#include "import/ImportFile.h"
#include "import/ImportRows.h"

namespace {

const char* const kRowSavepoint = "orvik_import_row";
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
    if (client.Query(SqlStatement("SELECT * FROM asigurati.societati AS s WHERE s.cf=") + cf,
                     true) != 0)
        return false;
    if (client.RowCount() > 0) return true;
    client.ClearFields();
    client.AddField("CF", code);
    client.AddField("DENUMIRE", Fitted(company.denumire, "denumire"));
    client.AddField("REG_COM", Fitted(company.regCom, "reg_com"));
    client.AddField("REPR", Fitted(company.repr, "repr"));
    client.AddField("ZIUA_LIC", company.ziuaLic);
    client.AddField("LUNA_LIC", company.lunaLic == "1" ? "1" : "0");
    return client.InsertRecord("ASIGURATI", "SOCIETATI", "", true) == 0;
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

// Runs the rows inside the open transaction; the result says where it stopped.
void SaveRows(RowTarget& target, ImportKind kind, Transaction& transaction,
              ImportProgress* progress, ImportResult& result) {
    const int rows = target.list.RowCount();
    if (progress) progress->Start(rows);
    for (int row = 0; row < rows; ++row) {
        if (transaction.Savepoint(kRowSavepoint) != 0) {
            result.end = SaveEnd::Failed;
            return;
        }
        result.rows[row] = SaveRow(target, kind, row);
        if (result.rows[row] == RowEnd::Failed) {
            transaction.RollbackToSavepoint(kRowSavepoint);
            result.end = SaveEnd::Failed;
            return;
        }
        if (progress && !progress->RowDone(row + 1) && row + 1 < rows) {
            result.end = SaveEnd::Cancelled;
            return;
        }
    }
    result.end = SaveEnd::Finished;
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

ImportResult SaveImport(CClient& client, const ImportFile& file, DataList& list,
                        const ImportRequest& request, ImportProgress* progress) {
    Prompter& prompter = client.GetPrompter();
    ImportResult result;
    if (!file.IsOpen() || !CompanyAccepted(prompter, request.company)) return result;
    const auto cf = SqlNumber(prompter, file.CompanyCode());
    if (!cf) return result;
    result.rows.assign(static_cast<std::size_t>(list.RowCount()), RowEnd::NotReached);
    ClearVerdicts(list);
    Transaction transaction(client);
    if (!transaction.Begun() || !SaveCompany(client, *cf, file.CompanyCode(), request.company))
        return result;
    RowTarget target{client, list, *cf, file.CompanyCode(), request.house, {}};
    if (file.Kind() == ImportKind::EarlierReport)
        target.month = AnnexMonth(list.CellText(0, "AN"), list.CellText(0, "LN"));
    SaveRows(target, file.Kind(), transaction, progress, result);
    if (transaction.Commit() != 0) {
        // Nothing of the save reached the database: no row may say otherwise.
        ClearVerdicts(list);
        std::fill(result.rows.begin(), result.rows.end(), RowEnd::NotReached);
        result.end = SaveEnd::NotStarted;
        return result;
    }
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
