#pragma once
#include <optional>
#include <span>
#include <string>

#include "base/Outcome.h"
#include "base/RecordColumns.h"

class CClient;
class DataList;
class Prompter;

// What each employer owes and paid for a month (asigurati.sume_societati):
// the salary fund and the employer's contribution owed and paid. Step 3 of
// the monthly declaration lists every company with its sums of the working
// month and edits them here.

// The sums of a company for one month, each in the form of its column.
struct EmployerMonthSums {
    std::string fondDeSalarii;
    std::string datorat;
    std::string virat;
};

// A row of the list: the company, the key of its row for the month (0 when
// it has none yet) and the sums that row holds.
struct EmployerMonth {
    std::string cf;
    std::string denumire;
    long long idSuma = 0;
    EmployerMonthSums sums;
};

namespace EmployerSumsMessages {
inline constexpr const char* kSelectCompany =
    "Trebuie sa selectezi o societate pentru a-i modifica sumele!";
}  // namespace EmployerSumsMessages

class EmployerSums {
public:
    EmployerSums(CClient& client, std::string month);

    // The columns of the form, in the order a save writes them after the
    // company and the month.
    static std::span<const RecordColumn<EmployerMonthSums>> Columns();

    const std::string& Month() const { return m_month; }
    double Rate() const;
    Prompter& GetPrompter();

    // Every company with the sums of the working month in the columns the
    // window adds ("FOND DE SALARII", "DATORAT", "VIRAT", "ID_SUMA"), empty
    // for a company without them.
    Outcome FillList(DataList& list);
    static EmployerMonth RowAt(const DataList& list, int row);

    // What the form proposes to a company without sums of the month: the
    // salary fund step 2 totals for its employees, owed and paid at the
    // employer rate. Empty when none of them has sums for the month; nothing
    // after a failed statement (shown). Nothing is stored.
    [[nodiscard]] std::optional<EmployerMonthSums> Proposal(const std::string& cf);

    // What the form puts into owed and paid when the user changes the fund.
    std::string OwedOn(double fund) const;
    static EmployerMonthSums AsStored(const EmployerMonthSums& typed);
    // Checks the amounts, then updates the company's row of the month (a
    // guarded update of `idSuma`) or inserts it; the outcome carries the row's
    // key. Nothing is written when an amount is refused.
    Outcome Save(const EmployerMonth& row, const EmployerMonthSums& typed);
    // Shows in `row` the sums just saved and the key of their row.
    static void ShowSaved(DataList& list, int row, const EmployerMonthSums& stored,
                          long long idSuma);

private:
    CClient& m_client;
    std::string m_month;
};
