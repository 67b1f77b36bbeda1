#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Outcome.h"

class CClient;

// The sums of every employment record and month (asigurati.sume): the
// look-ups and writes of its rows, one by one or many at once.

// How much of a row of sums a write stores besides what the row belongs to;
// each extent holds the ones before it, and the columns a write leaves out
// keep the table's defaults.
enum class SumsExtent {
    InsuredOnly,  // the insured's contribution only
    WithSalary,   // the salary too: all the sums form edits
    Whole,        // the employer's contribution too
};

// One record's sums of one month, each value in the form its column stores.
struct SumsRow {
    std::string idCnp;  // the employment record
    std::string cf;
    std::string cnp;
    std::string month;  // YYYYMM
    std::string salariu = "0";
    std::string asigDatorat = "0";
    std::string asigVirat = "0";
    std::string angDatorat = "0";
    std::string angVirat = "0";
    SumsExtent extent = SumsExtent::Whole;
};

// Keys of existing sums by (employment record, month).
using SumsKeys = std::map<std::pair<long long, long long>, long long>;

class SumsRegister {
public:
    explicit SumsRegister(CClient& client) : m_client(client) {}

    // The key of the record's sums of `month`: 0 when it has none, nothing
    // when the look-up failed (shown).
    [[nodiscard]] std::optional<long long> FindKey(long long person, const std::string& month);
    // Updates the sums `index`, or inserts the row when it is 0, writing the
    // columns of the row's extent; the outcome carries the key. An insert
    // clears the row's account flag only when asked: the flag is empty on a
    // new row anyway, and clearing costs a statement.
    [[nodiscard]] Outcome Write(const SumsRow& row, long long index, bool clearAccount = false);

    // The existing sums of the records in the months, the lowest key of each
    // pair; nothing when a look-up failed (shown).
    [[nodiscard]] std::optional<SumsKeys> FindKeys(const std::vector<long long>& persons,
                                                   const std::vector<long long>& months);
    // Many whole rows (their extent is not looked at) in a few statements.
    // A refusal is not shown: the caller writes the rows one by one instead.
    // The inserts answer the keys the server gave, in order; `keyStep` is the
    // server's step between consecutive keys, and when the rows did not get
    // them the answer is nothing too.
    [[nodiscard]] bool UpdateMany(const std::vector<long long>& indexes,
                                  const std::vector<SumsRow>& rows);
    [[nodiscard]] std::optional<std::vector<long long>> InsertMany(const std::vector<SumsRow>& rows,
                                                                   long long keyStep);

private:
    CClient& m_client;
};
