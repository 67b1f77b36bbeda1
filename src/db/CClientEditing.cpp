// Guarded insert, update and delete of main records, each keeping a copy of
// the row as it was in the table's change-log twin (zlog_<table>).
#include <mysql.h>

#include <algorithm>
#include <optional>

#include "db/CClient.h"
#include "db/Transaction.h"
#include "domain/TextNumbers.h"

namespace {

std::string IndexText(long long index) {
    return std::to_string(index);
}

// Column names of a table in result order, as the server spells them; empty
// when the table cannot be read. The current result table is left alone.
std::vector<std::string> ColumnsOf(MYSQL* connection, const std::string& table) {
    std::vector<std::string> names;
    const std::string sql = "select * from " + table + " LIMIT 0";
    if (mysql_real_query(connection, sql.data(), sql.size()) != 0) return names;
    MYSQL_RES* result = mysql_store_result(connection);
    if (!result) return names;
    for (unsigned c = 0; c < mysql_num_fields(result); ++c)
        names.push_back(mysql_fetch_field_direct(result, c)->name);
    mysql_free_result(result);
    return names;
}

std::string JoinQuoted(const std::vector<std::string>& items, char quote) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i) out += ", ";
        out += quote + items[i] + quote;
    }
    return out;
}

std::string IndexList(const std::vector<long long>& indexes) {
    std::string out;
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (i) out += ",";
        out += std::to_string(indexes[i]);
    }
    return out;
}

bool RunSilently(MYSQL* connection, const std::string& sql) {
    if (mysql_real_query(connection, sql.data(), sql.size()) != 0) return false;
    if (MYSQL_RES* result = mysql_store_result(connection)) mysql_free_result(result);
    return true;
}

}  // namespace

void CClient::ClearFields() {
    m_fieldNames.clear();
    m_fieldValues.clear();
}

void CClient::AddField(const std::string& name, const std::string& value) {
    m_fieldNames.push_back(name);
    m_fieldValues.push_back(value);
}

bool CClient::HasRight(const std::string&, const std::string&, char) {
    return true;
}

// A backtick is stored as an apostrophe (older files rely on it); everything
// else goes through the library's escaping, so any byte is stored unchanged.
void CClient::EscapeFieldValues() {
    for (auto& value : m_fieldValues) {
        for (char& c : value)
            if (c == '`') c = '\'';
        value = EscapeText(value);
    }
}

std::optional<CClient::ChangeLogColumns> CClient::ChangeLogColumnsOf(const std::string& source,
                                                                     const std::string& twin) {
    if (auto known = m_changeLogColumns.find(source); known != m_changeLogColumns.end())
        return known->second;
    const std::vector<std::string> sourceColumns = ColumnsOf(m_connection, source);
    if (sourceColumns.empty()) return std::nullopt;
    std::vector<std::string> twinUpper;
    for (const auto& name : ColumnsOf(m_connection, twin)) twinUpper.push_back(ToUpper(name));
    ChangeLogColumns columns;
    const auto inTwin = [&twinUpper](const char* name) {
        return std::find(twinUpper.begin(), twinUpper.end(), name) != twinUpper.end();
    };
    columns.twinHasMarks = inTwin("ZNEW_CONT") && inTwin("ZNEW_OP");
    for (const auto& name : sourceColumns) {
        const std::string upper = ToUpper(name);
        if (upper == "ZZ_DATA") columns.hasZzData = true;
        for (const auto& t : twinUpper)
            if (t == upper) columns.shared.push_back(name);
    }
    // Kept only while a transaction is open: outside one a table may change
    // between two statements.
    if (m_openTransactions > 0) m_changeLogColumns[source] = columns;
    return columns;
}

// Copies the row into the change log; only the columns both tables have, so a
// twin that an older release never widened still receives its row. Failures
// are not reported: the change itself must still happen.
bool CClient::CopyToChangeLog(long long index, const std::string& db, const std::string& table,
                              char operation, bool* hasZzData) {
    *hasZzData = false;
    // Not while a lost transaction's flow unwinds: the copy would be kept
    // without the change it records.
    if (!m_connection || m_transactionLost) return false;
    const std::string source = db + "." + table;
    const std::string twin = db + ".zlog_" + table;
    const auto columns = ChangeLogColumnsOf(source, twin);
    if (!columns) return false;
    *hasZzData = columns->hasZzData;
    const std::vector<std::string>& shared = columns->shared;
    if (shared.empty()) return false;
    const std::string names = JoinQuoted(shared, '`');
    const std::string copy = "insert into " + twin + " (" + names + ") select " + names + " from " +
                             source + " where `index`='" + IndexText(index) + "'";
    if (!RunSilently(m_connection, copy) || mysql_affected_rows(m_connection) == 0) return false;
    m_lastInsertId = static_cast<std::int64_t>(mysql_insert_id(m_connection));
    RunSilently(m_connection, "update " + twin + " set `znew_cont`='', `znew_op`='" +
                                  std::string(1, operation) + "' where `znew_index`='" +
                                  std::to_string(m_lastInsertId) + "'");
    return true;
}

// The set-based copy of many rows: the same columns as one row's copy, with
// the account and operation filled in by the same statement, in the order
// the rows were given.
bool CClient::CopyRowsToChangeLog(const std::vector<long long>& indexes, const std::string& db,
                                  const std::string& table, char operation, bool* hasZzData) {
    *hasZzData = false;
    if (!m_connection || m_transactionLost) return false;
    const std::string source = db + "." + table;
    const std::string twin = db + ".zlog_" + table;
    const auto columns = ChangeLogColumnsOf(source, twin);
    if (!columns) return false;
    *hasZzData = columns->hasZzData;
    if (columns->shared.empty()) return false;
    const std::string names = JoinQuoted(columns->shared, '`');
    const std::string list = IndexList(indexes);
    const std::string marks =
        columns->twinHasMarks ? ", '', '" + std::string(1, operation) + "'" : std::string();
    return RunSilently(m_connection, "insert into " + twin + " (" + names +
                                         (columns->twinHasMarks ? ", `znew_cont`, `znew_op`" : "") +
                                         ") select " + names + marks + " from " + source +
                                         " where `index` in (" + list +
                                         ") order by field(`index`, " + list + ")");
}

bool CClient::InsertRecords(const std::string& db, const std::string& table,
                            const std::vector<std::string>& names,
                            const std::vector<std::vector<std::string>>& rows) {
    if (!HasRight(db, table, 'A')) {
        GetPrompter().ShowMessage("Nu ai dreptul de adaugare!");
        return false;
    }
    if (rows.empty()) return true;
    std::string sql =
        "insert into " + db + "." + table + " (" + JoinQuoted(names, '`') + ") values ";
    for (size_t r = 0; r < rows.size(); ++r) {
        m_fieldValues = rows[r];
        EscapeFieldValues();
        sql += (r ? ",(" : "(") + JoinQuoted(m_fieldValues, '\'') + ")";
    }
    m_fieldValues.clear();
    unsigned long long added = 0;
    if (!RunQuietly(sql, &added) || added != rows.size()) return false;
    m_lastInsertId = static_cast<std::int64_t>(mysql_insert_id(m_connection));
    return true;
}

// The rows' new values as a derived table joined on the key; it is read
// first, so each record is found by its key whatever the table's statistics
// say.
bool CClient::UpdateRecords(const std::string& db, const std::string& table,
                            const std::vector<std::string>& names,
                            const std::vector<long long>& indexes,
                            const std::vector<std::vector<std::string>>& rows) {
    if (!HasRight(db, table, 'M')) {
        GetPrompter().ShowMessage("Nu ai dreptul de modificare!");
        return false;
    }
    if (rows.empty()) return true;
    std::optional<Transaction> transaction;
    if (m_openTransactions == 0) transaction.emplace(*this);
    bool hasZzData = false;
    CopyRowsToChangeLog(indexes, db, table, 'M', &hasZzData);
    std::string values;
    for (size_t r = 0; r < rows.size(); ++r) {
        values += (r ? " union all select " : "select ") + std::to_string(indexes[r]);
        if (r == 0) values += " as `k`";
        m_fieldValues = rows[r];
        EscapeFieldValues();
        for (size_t c = 0; c < m_fieldValues.size(); ++c) {
            values += ", '" + m_fieldValues[c] + "'";
            if (r == 0) values += " as `v" + std::to_string(c) + "`";
        }
    }
    m_fieldValues.clear();
    std::string assignments;
    for (size_t c = 0; c < names.size(); ++c)
        assignments += (c ? ", t.`" : "t.`") + names[c] + "`=v.`v" + std::to_string(c) + "`";
    bool done = RunQuietly("UPDATE (" + values + ") AS v STRAIGHT_JOIN " + db + "." + table +
                           " AS t ON t.`index`=v.`k` SET " + assignments +
                           (hasZzData ? ", t.ZZ_DATA=t.ZZ_DATA" : ""));
    if (done && transaction) done = transaction->Commit();
    return done;
}

bool CClient::InsertRecord(const std::string& db, const std::string& table, const std::string& tail,
                           bool clearAccount) {
    if (!HasRight(db, table, 'A')) {
        GetPrompter().ShowMessage("Nu ai dreptul de adaugare!");
        return false;
    }
    BeginWait();
    EscapeFieldValues();
    m_fragments = {"insert into " + db + "." + table + " (",
                   JoinQuoted(m_fieldNames, '`'),
                   ")",
                   " values (",
                   JoinQuoted(m_fieldValues, '\''),
                   ")",
                   tail};
    if (!RunComposedStatement()) {
        EndWait();
        return false;
    }
    m_lastInsertId = static_cast<std::int64_t>(mysql_insert_id(m_connection));
    if (clearAccount)
        RunSilently(m_connection, "update " + db + "." + table +
                                      " set `ZZ_CONT`='' where `index`='" +
                                      std::to_string(m_lastInsertId) + "'");
    EndWait();
    return true;
}

bool CClient::UpdateRecord(long long index, const std::string& db, const std::string& table,
                           const std::string& tail) {
    if (!HasRight(db, table, 'M')) {
        GetPrompter().ShowMessage("Nu ai dreptul de modificare!");
        return false;
    }
    BeginWait();
    // The copy and the change stand or fall together: a refused change must
    // not leave a log row of something that never happened. Inside a flow's
    // transaction the flow takes both back when it fails.
    std::optional<Transaction> transaction;
    if (m_openTransactions == 0) transaction.emplace(*this);
    bool hasZzData = false;
    CopyToChangeLog(index, db, table, 'M', &hasZzData);
    EscapeFieldValues();
    std::string assignments;
    for (size_t i = 0; i < m_fieldNames.size(); ++i) {
        if (i) assignments += ", ";
        assignments += "`" + m_fieldNames[i] + "`='" + m_fieldValues[i] + "'";
    }
    m_fragments = {"UPDATE " + db + "." + table + " SET ", assignments,
                   hasZzData ? ", ZZ_DATA=ZZ_DATA" : "",
                   " where `index`='" + IndexText(index) + "'", tail};
    bool done = RunComposedStatement();
    if (done && transaction) done = transaction->Commit();
    EndWait();
    return done;
}

bool CClient::DeleteRecord(long long index, const std::string& db, const std::string& table,
                           const std::string& tail) {
    if (!HasRight(db, table, 'D')) {
        GetPrompter().ShowMessage("Nu ai dreptul de stergere!");
        return false;
    }
    BeginWait();
    std::optional<Transaction> transaction;
    if (m_openTransactions == 0) transaction.emplace(*this);
    bool hasZzData = false;
    CopyToChangeLog(index, db, table, 'D', &hasZzData);
    m_fragments = {"DELETE FROM " + db + "." + table + " WHERE `INDEX`='" + IndexText(index) + "'",
                   tail};
    bool done = RunComposedStatement();
    if (done && transaction) done = transaction->Commit();
    EndWait();
    return done;
}

bool CClient::ColumnExists(const std::string& db, const std::string& table,
                           const std::string& column) {
    if (!Query("DESCRIBE " + db + "." + table, true)) return false;
    const std::string wanted = ToUpper(column);
    for (long long row = 0; row < m_rowCount; ++row)
        if (ToUpper(GetValue(row, "FIELD")) == wanted) return true;
    return false;
}
