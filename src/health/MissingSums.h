#pragma once
#include <optional>
#include <string>
#include <vector>

class CClient;

// Employees of the working month who have no sums for it. The annex files
// give them empty SDL/SVL and the printed annexes 0, which nobody notices on
// paper, so step 4 (the window and the command line alike) names them before
// anything goes out, and step 2 names the ones a carry-forward gave zeros.

// One employee: the CNP and the name the annexes print.
struct EmployeeWithoutSums {
    std::string cnp;
    std::string nume;
    std::string prenume;
};

// Several employees in a message: the first ones by name, one a line, then
// "si inca N" for the rest.
inline constexpr std::size_t kNamedEmployees = 10;
std::string NamedEmployees(const std::vector<EmployeeWithoutSums>& employees);

// "1 angajat", "3 angajati", "20 de angajati".
std::string EmployeeCount(std::size_t count);

// What step 4 is about to do with them.
enum class MissingSumsUse { Files, Print };

// The Yes/No question before the files are written or the annexes printed.
std::string MissingSumsQuestion(const std::vector<EmployeeWithoutSums>& employees,
                                const std::string& month, MissingSumsUse use);

// The line the command line writes on stderr for each of them:
// "AVERTISMENT\t<CNP>\t<NUME PRENUME>\tfara sume in luna <AAAALL>".
std::string MissingSumsWarningLine(const EmployeeWithoutSums& employee, const std::string& month);

// The information after a carry-forward gave zeros to employees who had no
// sums in any earlier month.
std::string ZeroCarriedMessage(const std::vector<EmployeeWithoutSums>& employees,
                               const std::string& month);

class MissingSums {
public:
    // `month` is the working month, YYYYMM.
    MissingSums(CClient& client, std::string month);

    // The company's employees of the month at `house` (every house when it is
    // empty) with at least one employment record without sums for the month,
    // each once, in the annexes' order. Nothing after a failed statement
    // (shown).
    [[nodiscard]] std::optional<std::vector<EmployeeWithoutSums>> Find(const std::string& cf,
                                                                       const std::string& house);

    // Asks before step 4 goes on when some are missing ("Nu" is the default);
    // true when nobody is missing or the user said yes. A failed look-up
    // stops too: its message was shown.
    bool Confirm(const std::string& cf, const std::string& house, MissingSumsUse use);

private:
    CClient& m_client;
    std::string m_month;
};
