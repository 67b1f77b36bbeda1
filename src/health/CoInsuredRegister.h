#pragma once
#include <optional>
#include <span>
#include <string>

#include "db/Outcome.h"
#include "db/RecordColumns.h"
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

private:
    CClient& m_client;
    std::string m_cf;
};
