#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Outcome.h"

class CClient;

// The sums of every employment record and month (asigurati.sume) as whole
// rows: the look-ups and writes of a file's rows, one by one or many at once.

// One record's sums of one month. The amounts are as SQL takes them; a row
// that carries only the insured's contribution leaves the salary and the
// employer's amounts at the table's defaults.
struct SumsRow {
    long long person = 0;  // the employment record (id_cnp)
    std::string cf;
    std::string cnp;
    std::string month;  // YYYYMM
    std::string salariu = "0";
    std::string asigDatorat = "0";
    std::string asigVirat = "0";
    std::string angDatorat = "0";
    std::string angVirat = "0";
    bool insuredOnly = false;
};

// Keys of existing sums by (employment record, month).
using SumsKeys = std::map<std::pair<long long, long long>, long long>;

class SumsRegister {
public:
    explicit SumsRegister(CClient& client) : m_client(client) {}

    // The key of the record's sums of `month`: 0 when it has none, nothing
    // when the look-up failed (shown).
    [[nodiscard]] std::optional<long long> FindKey(long long person, const std::string& month);
    // Updates the sums `index`, or inserts the row when it is 0; the outcome
    // carries the key.
    [[nodiscard]] Outcome Write(const SumsRow& row, long long index);

    // The existing sums of the records in the months, the lowest key of each
    // pair; nothing when a look-up failed (shown).
    [[nodiscard]] std::optional<SumsKeys> FindKeys(const std::vector<long long>& persons,
                                                   const std::vector<long long>& months);
    // Many whole rows (never insuredOnly) in a few statements. A refusal is
    // not shown: the caller writes the rows one by one instead. The inserts
    // answer the keys the server gave, in order; `keyStep` is the server's
    // step between consecutive keys, and when the rows did not get them the
    // answer is nothing too.
    [[nodiscard]] bool UpdateMany(const std::vector<long long>& indexes,
                                  const std::vector<SumsRow>& rows);
    [[nodiscard]] std::optional<std::vector<long long>> InsertMany(const std::vector<SumsRow>& rows,
                                                                   long long keyStep);

private:
    CClient& m_client;
};
