#pragma once
#include <optional>
#include <span>
#include <string>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "db/SqlValues.h"

class CClient;
class DataList;
class Prompter;

// The employers' register: every other record belongs to a company through
// its fiscal code `cf`. It serves the company form and the company lists of
// the health and medical-leave windows.

// The two windows that show the company list; they differ in the list's
// column order and in one more question before a delete.
enum class CompanyPlace { Health, Leave };

// A company as stored, each value in the form of its column.
struct CompanyRecord {
    std::string cf;
    std::string denumire;
    std::string regCom;
    std::string repr;
    std::string ziuaLic;
    std::string lunaLic = "0";  // "1": salaries are paid in the following month
    std::string loc, str, nr, bl, sc, et, ap, tel;
    std::string jud = "MB";  // county code; a new company is in Bucharest
    std::string sect;        // "1".."6" in Bucharest, otherwise stored "0"
    std::string email;
    std::string b1, f1, c1;
};

// How the form was opened: add, or modify of the row `index` whose code was
// `formerCode` when the form opened.
struct CompanyEdit {
    bool modify = false;
    long long index = 0;
    std::string formerCode;

    static CompanyEdit Adding() { return {}; }
    static CompanyEdit Modifying(long long index, const CompanyRecord& loaded) {
        return {true, index, loaded.cf};
    }
};

// What a row of the company list says about its company; all empty for no row.
struct CompanyRow {
    long long key = 0;
    std::string code;
    std::string name;
    bool Empty() const { return key == 0 && code.empty(); }
};

struct CompanyCounters {
    std::string houses, existing, liquidated, coInsured;  // empty until counted
};

// "Trebuie sa selectezi ..." texts of the company list and the health window.
namespace CompanyMessages {
inline constexpr const char* kSelectToModify =
    "Trebuie sa selectezi o societate pentru a o modifica!";
inline constexpr const char* kSelectToDelete =
    "Trebuie sa selectezi o societate pentru a o sterge!";
inline constexpr const char* kNoCompanySelected = "   --  nici o societate selectata --";
inline constexpr const char* kPaymentDayInvalid =
    "Ziua lichidarii drepturilor salariale este incorecta!\n\nTrebuie sa fie intre 1 si 31.";
inline constexpr const char* kRegistryNumberInvalid =
    "Numarul de inregistrare la Registrul Comertului este incorect!\n\nTrebuie sa fie de forma "
    "J40/1234/2003: numarul de ordine (cel mult 5 cifre) si anul (cel mult 4 cifre) numai din "
    "cifre. Poate ramane necompletat.";
}  // namespace CompanyMessages

// The code rules of the company form, for codes that come from elsewhere
// (imported files): digits only, thirteen of them a CNP, fewer a fiscal code.
bool IsValidCompanyCode(const std::string& cf);
// The payment day of the form: 1..31.
bool IsValidPaymentDay(const std::string& day);

class CompanyRegister {
public:
    CompanyRegister(CClient& client, CompanyPlace place) : m_client(client), m_place(place) {}

    // The columns of the form and the list, in the order a save writes them.
    static std::span<const RecordColumn<CompanyRecord>> Columns();

    CompanyPlace Place() const { return m_place; }
    Prompter& GetPrompter();

    // The row for the modify form; nothing when it could not be read.
    [[nodiscard]] std::optional<CompanyRecord> Load(long long index);

    // The checks of the form, in their order; the first failure is shown and
    // names its column.
    Outcome Check(const CompanyRecord& record, const CompanyEdit& edit);

    // Checks and writes the company; the outcome carries its key. In modify
    // mode a changed code moves every record of the company to it, in the same
    // transaction as the update, so a failure leaves everything as it was.
    Outcome Save(const CompanyRecord& record, const CompanyEdit& edit);

    // Asks its questions and deletes the company with all its records in one
    // transaction.
    Outcome Delete(const std::string& cf);

    // The window's list: every company, code and key hidden.
    Outcome FillList(DataList& list);
    // Shows in `row` the company `index` as it was stored.
    Outcome RefreshRow(DataList& list, int row, long long index);
    static CompanyRow RowAt(const DataList& list, int row);

    // The counters of the health window; a failed query leaves the later
    // counters empty.
    CompanyCounters Count(const std::string& cf);

    // ---- what other modules read and write of a company -----------------------

    // The company with the code `cf` as stored. Nothing when the code or the
    // statement failed (already shown); an empty inner value when no company
    // has the code.
    [[nodiscard]] std::optional<std::optional<CompanyRecord>> FindByCode(const std::string& cf);
    // The company `cf`; when there is none `missing` is shown and nothing comes
    // back, as after a failure.
    [[nodiscard]] std::optional<CompanyRecord> LoadByCode(const std::string& cf,
                                                          const std::string& missing);
    // Every company's code and name (columns CF and DENUMIRE), for the lists
    // that only pick a company; the caller lays them out.
    [[nodiscard]] Outcome FillCodesAndNames(DataList& list);
    // Adds the company an imported file names when no company has its code,
    // from the few fields the import asks for (texts cut to their columns);
    // the other columns keep the table's defaults. A known company stays as it
    // is. The form's checks are the caller's.
    [[nodiscard]] Outcome AddIfMissing(const CompanyRecord& record);

private:
    Outcome Write(const CompanyRecord& record, const CompanyEdit& edit);
    Outcome CodeIsFree(const CompanyRecord& record, const CompanyEdit& edit);
    bool AgreesWhenFound(const SqlStatement& sql, bool byCount, const char* question);
    // Runs the look-up of the code; false when it failed (shown).
    bool QueryByCode(const SqlLiteral& code);
    const char* ListQuery() const;

    CClient& m_client;
    CompanyPlace m_place;
};
