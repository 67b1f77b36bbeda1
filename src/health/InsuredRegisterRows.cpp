// The insured register's writes of whole rows: records that arrive complete
// (an imported file) and skip the form's checks, one at a time or many in a
// few statements.
#include "db/CClient.h"
#include "domain/TextNumbers.h"
#include "health/InsuredRegister.h"

namespace {

// The inserts never name ZZ_CONT, so a new row already holds its empty
// default: clearing it again would cost a statement per insert, two per row
// of a 10,000-row file, and change nothing.
constexpr bool kClearAccount = false;

bool Written(std::string_view column, bool withLeaving) {
    return withLeaving || column != "iesire";
}

std::vector<std::string> WholeRowNames() {
    std::vector<std::string> names;
    for (const auto& column : InsuredRegister::Columns())
        if (Written(column.spec.name, false)) names.push_back(ResultName(column.spec.name));
    return names;
}

std::vector<std::string> WholeRowValues(const InsuredRecord& record) {
    std::vector<std::string> values;
    for (const auto& column : InsuredRegister::Columns())
        if (Written(column.spec.name, false)) values.push_back(record.*column.member);
    return values;
}

}  // namespace

std::optional<long long> InsuredRegister::FindOpenKey(const std::string& cnp) {
    const auto cf = Code();
    const auto cnpSql = cf ? SqlNumber(GetPrompter(), cnp) : std::nullopt;
    if (!cnpSql) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cf=") + *cf +
                           " AND a.cnp=" + *cnpSql + " AND a.iesire=0",
                       true))
        return std::nullopt;
    if (m_client.RowCount() < 1) return 0;
    return TextToInteger(m_client.GetValue(0, "INDEX"));
}

std::optional<long long> InsuredRegister::FindKeyByHire(const std::string& cnp,
                                                        const std::string& hire) {
    const auto cf = Code();
    const auto cnpSql = cf ? SqlNumber(GetPrompter(), cnp) : std::nullopt;
    const auto hireSql = cnpSql ? SqlNumber(GetPrompter(), hire) : std::nullopt;
    if (!hireSql) return std::nullopt;
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE a.cf=") + *cf +
                           " AND a.cnp=" + *cnpSql + " AND a.intrare=" + *hireSql,
                       true))
        return std::nullopt;
    if (m_client.RowCount() < 1) return 0;
    return TextToInteger(m_client.GetValue(0, "INDEX"));
}

Outcome InsuredRegister::WriteWhole(const InsuredRecord& record, long long index,
                                    bool withLeaving) {
    m_client.ClearFields();
    for (const auto& column : Columns())
        if (Written(column.spec.name, withLeaving))
            m_client.AddField(ResultName(column.spec.name), record.*column.member);
    if (index != 0) {
        if (!m_client.UpdateRecord(index, "ASIGURATI", "ASIGURATI", ""))
            return Outcome::Stopped();
        return Outcome::Done(index);
    }
    if (!m_client.InsertRecord("ASIGURATI", "ASIGURATI", "", kClearAccount))
        return Outcome::Stopped();
    return Outcome::Done(m_client.LastInsertId());
}

std::optional<std::unordered_map<long long, long long>> InsuredRegister::OpenKeysByCnp() {
    const auto cf = Code();
    if (!cf) return std::nullopt;
    // The lowest key first, as FindOpenKey finds it.
    if (!m_client.Query(SqlStatement("SELECT a.index AS i, a.cnp AS c FROM asigurati.asigurati AS a "
                                    "WHERE a.cf=") +
                           *cf + " AND a.iesire=0 ORDER BY a.index",
                       true))
        return std::nullopt;
    std::unordered_map<long long, long long> keys;
    for (long long r = 0; r < m_client.RowCount(); ++r)
        keys.emplace(TextToInteger(m_client.GetValue(r, "C")),
                     TextToInteger(m_client.GetValue(r, "I")));
    return keys;
}

bool InsuredRegister::UpdateMany(const std::vector<long long>& indexes,
                                 const std::vector<InsuredRecord>& records) {
    std::vector<std::vector<std::string>> values;
    values.reserve(records.size());
    for (const InsuredRecord& record : records) values.push_back(WholeRowValues(record));
    return m_client.UpdateRecords("ASIGURATI", "ASIGURATI", WholeRowNames(), indexes, values);
}

std::optional<std::vector<long long>> InsuredRegister::InsertMany(
    const std::vector<InsuredRecord>& records, long long keyStep) {
    std::vector<long long> keys;
    if (records.empty()) return keys;
    const auto cf = Code();
    if (!cf) return std::nullopt;
    std::vector<std::vector<std::string>> values;
    values.reserve(records.size());
    for (const InsuredRecord& record : records) values.push_back(WholeRowValues(record));
    if (!m_client.InsertRecords("ASIGURATI", "ASIGURATI", WholeRowNames(), values))
        return std::nullopt;
    long long key = m_client.LastInsertId();
    for (std::size_t i = 0; i < records.size(); ++i, key += keyStep) keys.push_back(key);
    // The keys of a multi-row insert are consecutive unless the server was
    // set otherwise: the last one must hold the last record's CNP.
    if (!m_client.Query(SqlStatement("SELECT x.cnp AS e FROM asigurati.asigurati AS x WHERE x.cf=") +
                           *cf + " AND x.index=" + SqlInteger(keys.back()),
                       true) ||
        m_client.RowCount() != 1 || m_client.GetValue(0, "E") != records.back().cnp)
        return std::nullopt;
    return keys;
}
