#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "health/InsuredRegister.h"
#include "health/SumsRegister.h"
#include "import/ImportSave.h"

class CClient;
class DataList;
class ImportFile;

// The rules of one row of each import. A refused row is painted red with its
// reason; every row's verdict goes into its "EROARE" cell.

namespace ImportMessages {
inline constexpr const char* kBadCnp = "CNP-ul este incorect. Inregistrarea a fost ignorata";
inline constexpr const char* kBadHireDate =
    "Data intrarii este incorecta. Inregistrarea a fost ignorata";
inline constexpr const char* kBadFormEmployees =
    "Forma de angajare este incorecta (trebuia sa fie S, CM, AM, CT, CIC, DCM, SCS sau SS). "
    "Inregistrarea a fost ignorata";
inline constexpr const char* kBadFormAnnex =
    "Forma de angajare este incorecta. Inregistrarea a fost ignorata";
inline constexpr const char* kBadLeaveDate =
    "Data plecarii este incorecta. Inregistrarea a fost ignorata";
inline constexpr const char* kAlreadyImported =
    "Asiguratul este deja in baza de date cu aceeasi data de intrare (fisierul a mai fost "
    "importat o data?).";
inline constexpr const char* kPersonUpdated = "Asigurat existent: a fost modificat";
inline constexpr const char* kPersonAdded = "Asigurat inexistent: a fost adaugat";
inline constexpr const char* kBadMonthNote =
    "; Campul la luna este incorect. Nu au fost procesate sumele";
inline constexpr const char* kBadAmountsNote =
    "; Sumele nu sunt numere. Nu au fost procesate sumele";
inline constexpr const char* kSumsUpdatedNote = "; Sumele in luna existente: au fost modificate";
inline constexpr const char* kSumsAddedNote = "; Sumele in luna inexistente: au fost adaugate";
}  // namespace ImportMessages

// Where the rows go: the company (checked at open) and, for the annex
// import, the chosen house and the month of the file. The rows are written
// through the company's insured register and the sums register.
struct RowTarget {
    CClient& client;
    DataList& list;
    std::string cfText;
    std::string house;
    std::string month;
    InsuredRegister insured{client, cfText};
    SumsRegister sums{client};
    // The file the rows came from, for what its opening found wrong in a row.
    const ImportFile* file = nullptr;
};

RowEnd SaveEmployeeRow(RowTarget& target, int row);
RowEnd SaveAnnexRow(RowTarget& target, int row);

// The person of a row as the insured register stores it (no leaving date).
InsuredRecord ImportedPerson(const RowTarget& target, int row, const std::string& house,
                             const std::string& form, const std::string& hire);
// The sums of a row for `month`; `amounts` are salary, the insured's owed and
// paid, the employer's owed and paid, as many as given.
SumsRow ImportedSums(const RowTarget& target, int row, long long person, const std::string& month,
                     const std::vector<std::string>& amounts);

// Paints the row red with the reason it was not imported.
RowEnd RefuseRow(DataList& list, int row, const char* message);
// The reason a payroll row is refused before anything is written, or nothing.
const char* EmployeeRowRefusal(const RowTarget& target, int row);
// A name cut to its column of the insured persons, as the form's field would cut it.
std::string ImportedName(const std::string& cell, std::string_view column);
// The amounts of the row as SQL takes them, nothing when one is not a number.
[[nodiscard]] std::optional<std::vector<std::string>> ImportedAmounts(
    const DataList& list, int row, std::span<const char* const> cells);

// The checks of the cells, shared by both imports and the tests.
bool IsImportedCnp(const std::string& cell);
// Eight digits forming a date the forms accept.
bool IsImportedDate(const std::string& cell);
// Six digits YYYYMM whose first day is a date the forms accept.
bool IsImportedMonth(const std::string& cell);
// A numeric cell as SQL takes it: the reader's "," back to ".", empty as 0.
std::string ImportedNumber(const std::string& cell);
// The house a payroll file names; unknown codes are Bucharest's.
std::string ImportedHouse(const std::string& cell);
// The note of a row whose house is unknown, naming the one used instead
// ("; casa CASXX necunoscuta, s-a folosit CAS_B"); empty for a known house,
// and for an old code of a known house.
std::string HouseNote(const std::string& cell);
// The annex month: year, then the month padded to two digits.
std::string AnnexMonth(const std::string& year, const std::string& month);
