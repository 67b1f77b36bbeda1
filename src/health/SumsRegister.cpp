#include "health/SumsRegister.h"

#include <algorithm>

#include "base/RecordColumns.h"
#include "db/CClient.h"
#include "db/SqlValues.h"
#include "domain/TextNumbers.h"

namespace {

// A column of the row and the least extent of a write that stores it.
struct SumsColumn {
    RecordColumn<SumsRow> column;
    SumsExtent from = SumsExtent::InsuredOnly;
};

// The whole row, in the order the writes name its columns.
const SumsColumn kColumns[] = {
    {{{.name = "id_cnp"}, &SumsRow::idCnp}},
    {{{.name = "cf"}, &SumsRow::cf}},
    {{{.name = "cnp"}, &SumsRow::cnp}},
    {{{.name = "luna"}, &SumsRow::month}},
    {{{.name = "salariu"}, &SumsRow::salariu}, SumsExtent::WithSalary},
    {{{.name = "asig_datorat"}, &SumsRow::asigDatorat}},
    {{{.name = "asig_virat"}, &SumsRow::asigVirat}},
    {{{.name = "ang_datorat"}, &SumsRow::angDatorat}, SumsExtent::Whole},
    {{{.name = "ang_virat"}, &SumsRow::angVirat}, SumsExtent::Whole},
};

// One look-up names at most this many records.
constexpr std::size_t kLookUpPersons = 1000;

std::string Value(const SumsColumn& c, const SumsRow& row) {
    return StoredValue(c.column.spec.stored, row.*c.column.member);
}

std::vector<std::string> WholeRowNames() {
    std::vector<std::string> names;
    for (const SumsColumn& c : kColumns) names.push_back(ResultName(c.column.spec.name));
    return names;
}

std::vector<std::vector<std::string>> WholeRowValues(const std::vector<SumsRow>& rows) {
    std::vector<std::vector<std::string>> values;
    values.reserve(rows.size());
    for (const SumsRow& row : rows) {
        std::vector<std::string>& v = values.emplace_back();
        for (const SumsColumn& c : kColumns) v.push_back(Value(c, row));
    }
    return values;
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

Outcome SumsRegister::Write(const SumsRow& row, long long index, bool clearAccount) {
    m_client.ClearFields();
    for (const SumsColumn& c : kColumns)
        if (c.from <= row.extent) m_client.AddField(ResultName(c.column.spec.name), Value(c, row));
    if (index != 0) {
        if (!m_client.UpdateRecord(index, "ASIGURATI", "SUME", "")) return Outcome::Stopped();
        return Outcome::Done(index);
    }
    if (!m_client.InsertRecord("ASIGURATI", "SUME", "", clearAccount)) return Outcome::Stopped();
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
    return m_client.UpdateRecords("ASIGURATI", "SUME", WholeRowNames(), indexes,
                                  WholeRowValues(rows));
}

std::optional<std::vector<long long>> SumsRegister::InsertMany(const std::vector<SumsRow>& rows,
                                                               long long keyStep) {
    std::vector<long long> keys;
    if (rows.empty()) return keys;
    if (!m_client.InsertRecords("ASIGURATI", "SUME", WholeRowNames(), WholeRowValues(rows)))
        return std::nullopt;
    long long key = m_client.LastInsertId();
    for (std::size_t i = 0; i < rows.size(); ++i, key += keyStep) keys.push_back(key);
    // The keys of a multi-row insert are consecutive unless the server was
    // set otherwise: the last one must hold the last row's month.
    const SumsRow& last = rows.back();
    if (!m_client.Query(
            SqlStatement("SELECT x.luna AS e FROM asigurati.sume AS x WHERE x.id_cnp=") +
                SqlInteger(TextToInteger(last.idCnp)) + " AND x.index=" + SqlInteger(keys.back()),
            true) ||
        m_client.RowCount() != 1 || m_client.GetValue(0, "E") != last.month)
        return std::nullopt;
    return keys;
}
