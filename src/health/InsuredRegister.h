#pragma once
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "db/SqlValues.h"

class CClient;
class DataList;
class Prompter;

// The insured register of one company: one record per insurance period of a
// person (CNP) at the company, open while `iesire` is 0.

// A record as stored; dates as "YYYYMMDD" texts composed from the form's
// three fields ("0000" for three empty ones).
struct InsuredRecord {
    std::string cf;
    std::string cas = "CAS_B";
    std::string nume;
    std::string prenume;
    std::string cnp;
    std::string intrare;
    std::string iesire = "0";
    std::string forma = "S";
};

// How the add/modify form was opened. The liquidation date is edited only
// for a record that was liquidated when the form opened.
struct InsuredEdit {
    bool modify = false;
    long long index = 0;
    std::string formerCnp;
    bool liquidationShown = false;
};

struct LoadedInsured {
    InsuredRecord record;
    InsuredEdit edit;
};

// The filter of the list window, as the health window's radio group orders it.
enum class InsuredFilter { All = 0, Open = 1, Liquidated = 2 };

// What a row of the list says about its record.
struct InsuredRow {
    long long key = 0;
    std::string cnp;
    std::string iesire;
    bool Liquidated() const { return !iesire.empty() && iesire != "0"; }
};

// A move of an open record to another employment form or insurance house:
// the record closes the day before `changeDate` and a new one opens on it.
enum class ChangeKind { Form, House };
struct EmploymentChange {
    ChangeKind kind = ChangeKind::Form;
    long long index = 0;     // the open record
    InsuredRecord current;   // as the dialog shows it (its hire date included)
    std::string newCode;     // the new form's or the new house's code
    std::string changeDate;  // stored form, from the three fields
};

// What the liquidation form holds: the person's CNP, the hire date it shows,
// and the liquidation date typed.
struct LiquidationFields {
    std::string cnp;
    std::string intrare;
    std::string iesire;
};

namespace InsuredMessages {
inline constexpr const char* kSelectToModify =
    "Trebuie sa selectezi un asigurat pentru a-l modifica!";
inline constexpr const char* kSelectToLiquidate =
    "Trebuie sa selectezi un asigurat pentru a-l lichida!";
inline constexpr const char* kSelectToDelete =
    "Trebuie sa selectezi un asigurat pentru a-l sterge!";
inline constexpr const char* kSelectOpenToLiquidate =
    "Trebuie sa selectezi un asigurat existent pentru a-l lichida!";
}  // namespace InsuredMessages

class InsuredRegister {
public:
    InsuredRegister(CClient& client, std::string companyCode)
        : m_client(client), m_cf(std::move(companyCode)) {}

    // The columns of the form and the list, in the order a save writes them.
    static std::span<const RecordColumn<InsuredRecord>> Columns();
    // The fields of the liquidation form and of the form or house change.
    static std::span<const RecordColumn<LiquidationFields>> LiquidationColumns();
    static std::span<const RecordColumn<EmploymentChange>> ChangeColumns();
    // Text of the list filter after "Se vizualizeaza:".
    static const char* FilterText(InsuredFilter filter);

    const std::string& CompanyCode() const { return m_cf; }
    Prompter& GetPrompter();

    // The record for the modify form; nothing when it could not be read.
    [[nodiscard]] std::optional<LoadedInsured> Load(long long index);
    Outcome Check(const InsuredRecord& record, const InsuredEdit& edit);
    // Checks and writes; the outcome carries the key. A modify moves the
    // person's dependants and sums to the CNP in the same transaction.
    Outcome Save(const InsuredRecord& record, const InsuredEdit& edit);

    // Type-ahead of the liquidation form: the first open record of the
    // company whose CNP starts with what was typed.
    [[nodiscard]] std::optional<InsuredRecord> FindOpenByCnpPrefix(const std::string& typed);
    // The first open record whose surname and first name start as typed.
    [[nodiscard]] std::optional<InsuredRecord> FindOpenByNamePrefix(const std::string& nume,
                                                                    const std::string& prenume);
    // Closes the open record of `cnp` on `liquidation`; `hire` is the hire
    // date the form shows.
    Outcome Liquidate(const std::string& cnp, const std::string& hire,
                      const std::string& liquidation);
    // Checks the change date, then closes the open record and opens the new
    // one in one transaction; the outcome carries the new record's key.
    Outcome ChangeEmployment(const EmploymentChange& change);

    // Asks its two questions and deletes the record with its sums (and the
    // person's dependants when it was his last record) in one transaction.
    Outcome Delete(const InsuredRow& row);

    // ---- records written as whole rows (the import) ------------------------------

    // The key of the company's open record of `cnp`: 0 when there is none,
    // nothing when the look-up failed (shown).
    [[nodiscard]] std::optional<long long> FindOpenKey(const std::string& cnp);
    // The key of the company's record of `cnp` hired on `hire`, open or not.
    [[nodiscard]] std::optional<long long> FindKeyByHire(const std::string& cnp,
                                                         const std::string& hire);
    // Writes the record as given, without the form's checks: an update of
    // the record `index`, an insert when it is 0. The leaving date is written
    // only when `withLeaving`. The outcome carries the key.
    [[nodiscard]] Outcome WriteWhole(const InsuredRecord& record, long long index,
                                     bool withLeaving);
    // The keys of the company's open records by CNP (the lowest key of a CNP
    // met twice); nothing when the look-up failed (shown).
    [[nodiscard]] std::optional<std::unordered_map<long long, long long>> OpenKeysByCnp();
    // Many records in a few statements, the leaving date left as it is. A
    // refusal is not shown: the caller writes the rows one by one instead.
    // The inserts answer the keys the server gave, in order (`keyStep` apart);
    // when the records did not get them the answer is nothing too.
    [[nodiscard]] bool UpdateMany(const std::vector<long long>& indexes,
                                  const std::vector<InsuredRecord>& records);
    [[nodiscard]] std::optional<std::vector<long long>> InsertMany(
        const std::vector<InsuredRecord>& records, long long keyStep);

    Outcome FillList(DataList& list, InsuredFilter filter);
    // Shows in `row` the record `index` as stored, red when liquidated.
    Outcome RefreshRow(DataList& list, int row, long long index);
    static InsuredRow RowAt(const DataList& list, int row);

private:
    [[nodiscard]] std::optional<SqlLiteral> Code();
    Outcome CheckFields(const InsuredRecord& record, const InsuredEdit& edit);
    Outcome CheckAgainstOtherRecords(const InsuredRecord& record, const InsuredEdit& edit,
                                     const SqlLiteral& cnp, const SqlLiteral& cf);
    bool AgreesWhenFound(const SqlStatement& sql, const std::string& question);
    Outcome Write(const InsuredRecord& record, const InsuredEdit& edit);

    CClient& m_client;
    std::string m_cf;
};

// Red for a liquidated record, as every list of insured persons shows it.
void ColourInsuredRows(DataList& list);
