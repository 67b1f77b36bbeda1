#include "health/MissingSums.h"

#include <algorithm>
#include <unordered_set>

#include "base/Prompter.h"
#include "db/CClient.h"
#include "db/SqlValues.h"
#include "health/MonthlySums.h"

std::string EmployeeCount(std::size_t count) {
    if (count == 1) return "1 angajat";
    // From 20 on, the count takes "de" (except for 101..119 and the like).
    const std::size_t lastTwo = count % 100;
    const bool de = count != 0 && (lastTwo == 0 || lastTwo >= 20);
    return std::to_string(count) + (de ? " de angajati" : " angajati");
}

std::string NamedEmployees(const std::vector<EmployeeWithoutSums>& employees) {
    std::string text;
    const std::size_t named = std::min(employees.size(), kNamedEmployees);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) text += "\n";
        text += employees[i].nume + " " + employees[i].prenume;
    }
    if (employees.size() > named) text += "\nsi inca " + std::to_string(employees.size() - named);
    return text;
}

std::string MissingSumsQuestion(const std::vector<EmployeeWithoutSums>& employees,
                                const std::string& month, MissingSumsUse use) {
    const bool one = employees.size() == 1;
    const char* const shown = use == MissingSumsUse::Files
                                  ? "In fisierele de raportare vor aparea fara sume."
                                  : "Pe anexele tiparite vor aparea cu suma 0.";
    return "ATENTIE:\n" + EmployeeCount(employees.size()) + " din luna " +
           WorkingMonthCaption(month) + (one ? " nu are" : " nu au") + " sume introduse:\n\n" +
           NamedEmployees(employees) + "\n\n" + shown +
           "\nSumele se introduc la Pasul 2.\n\nVrei sa continui?";
}

std::string MissingSumsWarningLine(const EmployeeWithoutSums& employee, const std::string& month) {
    return "AVERTISMENT\t" + employee.cnp + "\t" + employee.nume + " " + employee.prenume +
           "\tfara sume in luna " + month;
}

std::string ZeroCarriedMessage(const std::vector<EmployeeWithoutSums>& employees,
                               const std::string& month) {
    const bool one = employees.size() == 1;
    return EmployeeCount(employees.size()) +
           (one ? " nu avea sume in nicio luna anterioara si a primit"
                : " nu aveau sume in nicio luna anterioara si au primit") +
           " sume 0 in luna " + WorkingMonthCaption(month) + ":\n\n" + NamedEmployees(employees) +
           (one ? "\n\nIntrodu-i" : "\n\nIntrodu-le") +
           " sumele cu <[F6]   Modifica sumele angajatului selectat>.";
}

MissingSums::MissingSums(CClient& client, std::string month)
    : m_client(client), m_month(std::move(month)) {}

std::optional<std::vector<EmployeeWithoutSums>> MissingSums::Find(const std::string& cf,
                                                                  const std::string& house) {
    Prompter& prompter = m_client.GetPrompter();
    const auto code = SqlNumber(prompter, cf);
    const auto month = SqlNumber(prompter, m_month);
    if (!code || !month) return std::nullopt;
    SqlStatement sql =
        SqlStatement("SELECT a.cnp, a.nume, a.prenume FROM asigurati.asigurati AS a") +
        " LEFT JOIN asigurati.sume AS s ON s.id_cnp=a.index AND s.luna=" + *month +
        " WHERE a.cf=" + *code;
    if (!house.empty()) sql = sql + " AND a.cas=" + SqlText(m_client, house);
    sql = sql + " AND a.intrare<=" + *month + "31" + " AND (a.iesire>=" + *month + "01" +
          " OR a.iesire=0)" + " AND s.id_cnp IS NULL" + " ORDER BY a.nume, a.prenume, a.intrare";
    if (!m_client.Query(sql, true)) return std::nullopt;

    // A person with two records of the month (a change of form) is one employee.
    std::vector<EmployeeWithoutSums> found;
    std::unordered_set<std::string> listed;
    for (long long row = 0; row < m_client.RowCount(); ++row) {
        EmployeeWithoutSums e{m_client.GetValue(row, "CNP"), m_client.GetValue(row, "NUME"),
                              m_client.GetValue(row, "PRENUME")};
        if (listed.insert(e.cnp).second) found.push_back(std::move(e));
    }
    return found;
}

bool MissingSums::Confirm(const std::string& cf, const std::string& house, MissingSumsUse use) {
    const auto missing = Find(cf, house);
    if (!missing) return false;
    if (missing->empty()) return true;
    return m_client.GetPrompter().AskYesNo(MissingSumsQuestion(*missing, m_month, use));
}
