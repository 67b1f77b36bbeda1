#include "health/SumsRegister.h"

#include <algorithm>

#include "db/CClient.h"
#include "db/SqlValues.h"
#include "domain/TextNumbers.h"

namespace {

// The columns of a whole row, in the order the writes name them.
const std::vector<std::string> kColumns = {"ID_CNP",     "CF",          "CNP",
                                           "LUNA",       "SALARIU",     "ASIG_DATORAT",
                                           "ASIG_VIRAT", "ANG_DATORAT", "ANG_VIRAT"};
// One look-up names at most this many records.
constexpr std::size_t kLookUpPersons = 1000;

// The inserts never name ZZ_CONT, so a new row already holds its empty
// default: clearing it again would cost a statement per insert and change
// nothing.
constexpr bool kClearAccount = false;

std::vector<std::string> Values(const SumsRow& row) {
    return {std::to_string(row.person),
            row.cf,
            row.cnp,
            row.month,
            row.salariu,
            row.asigDatorat,
            row.asigVirat,
            row.angDatorat,
            row.angVirat};
}

SqlStatement InList(const std::vector<long long>& values, std::size_t first, std::size_t last) {
    SqlStatement list("(");
    for (std::size_t i = first; i < last; ++i) {
        if (i > first) list += ",";
        list += SqlInteger(values[i]);
    }
    return list + ")";
}

}  // namespace

std::optional<long long> SumsRegister::FindKey(long long person, const std::string& month) {
    const auto monthSql = SqlNumber(m_client.GetPrompter(), month);
    if (!monthSql) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.sume AS s WHERE s.id_cnp=") +
                           SqlInteger(person) + " AND s.LUNA=" + *monthSql,
                       true))
        return std::nullopt;
    if (m_client.RowCount() < 1) return 0;
    return TextToInteger(m_client.GetValue(0, "INDEX"));
}

Outcome SumsRegister::Write(const SumsRow& row, long long index) {
    const std::vector<std::string> values = Values(row);
    m_client.ClearFields();
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const bool amountOfTheEmployer = i == 4 || i >= 7;
        if (!row.insuredOnly || !amountOfTheEmployer) m_client.AddField(kColumns[i], values[i]);
    }
    if (index != 0) {
        if (!m_client.UpdateRecord(index, "ASIGURATI", "SUME", ""))
            return Outcome::Stopped();
        return Outcome::Done(index);
    }
    if (!m_client.InsertRecord("ASIGURATI", "SUME", "", kClearAccount))
        return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}

std::optional<SumsKeys> SumsRegister::FindKeys(const std::vector<long long>& persons,
                                               const std::vector<long long>& months) {
    SumsKeys keys;
    if (persons.empty() || months.empty()) return keys;
    for (std::size_t first = 0; first < persons.size(); first += kLookUpPersons) {
        const std::size_t last = std::min(persons.size(), first + kLookUpPersons);
        // The lowest key first, as the single look-up finds it.
        if (!m_client.Query(SqlStatement("SELECT s.index AS i, s.id_cnp AS p, s.luna AS l FROM "
                                        "asigurati.sume AS s WHERE s.id_cnp IN ") +
                               InList(persons, first, last) + " AND s.luna IN " +
                               InList(months, 0, months.size()) + " ORDER BY s.index",
                           true))
            return std::nullopt;
        for (long long r = 0; r < m_client.RowCount(); ++r)
            keys.emplace(std::pair{TextToInteger(m_client.GetValue(r, "P")),
                                   TextToInteger(m_client.GetValue(r, "L"))},
                         TextToInteger(m_client.GetValue(r, "I")));
    }
    return keys;
}

bool SumsRegister::UpdateMany(const std::vector<long long>& indexes,
                              const std::vector<SumsRow>& rows) {
    std::vector<std::vector<std::string>> values;
    values.reserve(rows.size());
    for (const SumsRow& row : rows) values.push_back(Values(row));
    return m_client.UpdateRecords("ASIGURATI", "SUME", kColumns, indexes, values);
}

std::optional<std::vector<long long>> SumsRegister::InsertMany(const std::vector<SumsRow>& rows,
                                                               long long keyStep) {
    std::vector<long long> keys;
    if (rows.empty()) return keys;
    std::vector<std::vector<std::string>> values;
    values.reserve(rows.size());
    for (const SumsRow& row : rows) values.push_back(Values(row));
    if (!m_client.InsertRecords("ASIGURATI", "SUME", kColumns, values)) return std::nullopt;
    long long key = m_client.LastInsertId();
    for (std::size_t i = 0; i < rows.size(); ++i, key += keyStep) keys.push_back(key);
    // The keys of a multi-row insert are consecutive unless the server was
    // set otherwise: the last one must hold the last row's month.
    const SumsRow& last = rows.back();
    if (!m_client.Query(SqlStatement("SELECT x.luna AS e FROM asigurati.sume AS x WHERE x.id_cnp=") +
                           SqlInteger(last.person) + " AND x.index=" + SqlInteger(keys.back()),
                       true) ||
        m_client.RowCount() != 1 || m_client.GetValue(0, "E") != last.month)
        return std::nullopt;
    return keys;
}
