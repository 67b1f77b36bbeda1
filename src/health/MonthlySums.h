#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "health/InsuredRegister.h"

class CClient;
class DataList;
class Prompter;

// The monthly obligations of each employee: for every employment record and
// month (YYYYMM) the salary earned, the health contribution owed and the one
// paid (asigurati.sume). Step 2 of the monthly declaration lists a company's
// employees of the working month with their sums and edits them here.

// ---- the working month ---------------------------------------------------------

// Six characters YYYYMM: what steps 2 to 4 need before they open.
bool IsWorkingMonth(const std::string& month);
// The month the user typed as "YYYYMM", or nothing after "Luna introdusa este
// incorecta!" when day 1 of it is not a valid date.
[[nodiscard]] std::optional<std::string> ComposeWorkingMonth(Prompter& prompter,
                                                             const std::string& month,
                                                             const std::string& year);
// "Februarie 2009".
std::string WorkingMonthCaption(const std::string& month);
// The two fields of the month dialog for a working month ("02", "2009").
struct TypedMonth {
    std::string month, year;
};
TypedMonth SplitWorkingMonth(const std::string& month);
// A rate in percent as the labels show it: "5.5", "7.0".
std::string RateText(double rate);

namespace SumsMessages {
inline constexpr const char* kChooseMonth =
    "Trebuie sa selectezi o luna pentru care se genereaza rapoarte!";
inline constexpr const char* kMonthInvalid = "Luna introdusa este incorecta!";
inline constexpr const char* kSelectEmployee =
    "Trebuie sa selectezi un angajat pentru a-i modifica sumele!";
inline constexpr const char* kSelectCompanyToCarry =
    "Trebuie sa selectezi o societate pentru a prelua sumele!";
inline constexpr const char* kCarryQuestion =
    "ATENTIE:\nLa toti salariatii care nu au inca sume introduse, se vor completa automat sumele "
    "din ultima luna anterioara.\nCotele de contributie vor fi actualizate automat.\n\nVrei sa "
    "continui?";
}  // namespace SumsMessages

// ---- amounts typed into the sums forms -----------------------------------------

// An amount as it is stored: blanks trimmed, an empty field is 0 (the numeric
// columns refuse an empty text).
std::string StoredAmount(const std::string& typed);
// Refuses a stored amount that is not a plain number with "<what> trebuie sa
// fie un numar!"; the outcome names the column for the caret.
Outcome CheckAmount(Prompter& prompter, const std::string& stored, std::string_view column,
                    const char* what);

// ---- an employee's sums --------------------------------------------------------

// The sums of a record for one month, each in the form of its column.
struct MonthSums {
    std::string salariu;
    std::string asigDatorat;
    std::string asigVirat;
};

// A row of the month's employee list: the employment record, its key, and its
// sums for the month when it has them (`laLuna` is then the month, else empty).
struct EmployeeMonth {
    long long key = 0;
    InsuredRecord person;
    MonthSums sums;
    std::string laLuna;
};

// Totals under the list, as their labels show them.
struct MonthTotals {
    std::string fund;          // "Fond de salarii:"
    std::string employerOwed;  // "Datorat de catre angajator (R0%):"
    std::string employeeOwed;  // "Datorat de catre salariati (R1%):"
    std::string employeePaid;  // "TOTAL virat de catre asigurati:"
};

class MonthlySums {
public:
    MonthlySums(CClient& client, std::string month);

    // The columns of the sums form and their place in the list.
    static std::span<const RecordColumn<MonthSums>> Columns();

    const std::string& Month() const { return m_month; }
    double EmployerRate() const;
    double EmployeeRate() const;
    Prompter& GetPrompter();

    // The upper list: every company, its code hidden.
    Outcome FillCompanies(DataList& list);
    // The company of a row of that list, by code: rows move, codes do not.
    static long long CompanyKey(const DataList& list, int row);
    static std::string CompanyCode(const DataList& list, int row);
    static std::string CompanyName(const DataList& list, int row);

    // The records of the company that belong to the working month (hired by
    // its last day, not liquidated before its first), with their sums; red
    // for a liquidated record, green for one hired in the month.
    Outcome FillEmployees(DataList& list, const std::string& companyCode);
    static EmployeeMonth RowAt(const DataList& list, int row);
    MonthTotals Totals(const DataList& list) const;

    // What the form puts into owed and paid when the user changes the
    // salary: the contribution at the employee rate of the month.
    std::string OwedOn(double salary) const;
    // The sums as a save stores them (empty amounts are 0).
    static MonthSums AsStored(const MonthSums& typed);
    // Checks the amounts, then updates the record's row of the month or
    // inserts it; nothing is written when an amount is refused.
    Outcome Save(const EmployeeMonth& row, const MonthSums& typed);
    // Shows in `row` the sums just saved for the working month.
    void ShowSaved(DataList& list, int row, const MonthSums& stored) const;

    // Asks once, then gives every listed record without sums for the month
    // the salary of its latest earlier month with owed and paid at this
    // month's rate (zeros when it never had sums, and then it says how many
    // got them). The outcome's key is the number of rows carried; a failure
    // says how many were.
    Outcome CarryForward(DataList& list);

private:
    struct CarriedRow {
        int row;
        MonthSums sums;
        // The record had no sums in any earlier month: it was given zeros.
        bool zeros = false;
    };
    // The sums a carry-forward writes for `row`, `zeros` set when there was
    // nothing earlier to carry; nothing when the look-up failed.
    [[nodiscard]] std::optional<MonthSums> CarriedSums(const EmployeeMonth& row, bool& zeros);
    // Says who was given zeros, so they are not declared so unnoticed.
    void ShowZeroCarried(const DataList& list, const std::vector<CarriedRow>& carried);
    bool InsertSums(const EmployeeMonth& row, const MonthSums& sums);
    // Writes the carried rows in one transaction; false when it stopped.
    bool WriteCarried(const DataList& list, std::vector<CarriedRow>& carried);

    CClient& m_client;
    std::string m_month;
};
