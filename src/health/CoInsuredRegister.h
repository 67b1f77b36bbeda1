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

// The dependants (spouse, parent) an insured person of a company declares:
// one record per dependant, tied to the person by his CNP (`cnp_asig`).

struct CoInsuredRecord {
    std::string cf;
    std::string cnpAsig;
    std::string cnp;
    std::string nume;
    std::string prenume;
    std::string tip = "S";
};

// How the dependant form was opened: add, or modify of the row `index`.
struct CoInsuredEdit {
    bool modify = false;
    long long index = 0;
};

namespace CoInsuredMessages {
inline constexpr const char* kSelectInsuredToAdd =
    "Trebuie sa selectezi un asigurat pentru a adauga un coasigurat!";
inline constexpr const char* kLiquidatedNoAdd =
    "Asiguratul selectat este lichidat si, prin urmare, nu se pot adauga coasigurati noi!";
inline constexpr const char* kSelectToModify =
    "Trebuie sa selectezi un coasigurat pentru a-l modifica!";
inline constexpr const char* kLiquidatedNoModify =
    "Asiguratul selectat este lichidat si, prin urmare, nu se pot modifica coasigurati!";
inline constexpr const char* kSelectToDelete =
    "Trebuie sa selectezi un coasigurat pentru a-l sterge!";
}  // namespace CoInsuredMessages

class CoInsuredRegister {
public:
    CoInsuredRegister(CClient& client, std::string companyCode)
        : m_client(client), m_cf(std::move(companyCode)) {}

    // The columns of the form and the list.
    static std::span<const RecordColumn<CoInsuredRecord>> Columns();

    const std::string& CompanyCode() const { return m_cf; }
    Prompter& GetPrompter();

    // The dependants of the insured person `insuredCnp` at this company, by
    // name; the company, the person's CNP and the key are not shown.
    Outcome FillList(DataList& list, const std::string& insuredCnp);
    // The dependant of a row of that list, as the modify form shows it.
    static CoInsuredRecord RecordAt(const DataList& list, int row);
    static long long KeyAt(const DataList& list, int row);
    // Shows in `row` the dependant `index` as it was stored.
    Outcome RefreshRow(DataList& list, int row, long long index);

    // The checks of the form in their order (the first failure is shown and
    // names its column), then the guarded write; the outcome carries the key.
    Outcome Save(const CoInsuredRecord& record, const CoInsuredEdit& edit);
    // Asks, then deletes the dependant of list row `row`.
    Outcome Delete(const DataList& list, int row);

private:
    Outcome Check(const CoInsuredRecord& record, const CoInsuredEdit& edit);
    Outcome CheckNotCurrentElsewhere(const CoInsuredRecord& record, const CoInsuredEdit& edit);

    CClient& m_client;
    std::string m_cf;
};
