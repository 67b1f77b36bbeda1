#include "db/LayoutCompletion.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "db/CClient.h"

namespace {

const char* const kSchemas = "TABLE_SCHEMA IN ('asigurati','concedii')";

// Tables edited through the guarded operations, each with its zlog_ twin.
const char* const kLoggedTables[][2] = {
    {"asigurati", "setari"},      {"asigurati", "societati"}, {"asigurati", "asigurati"},
    {"asigurati", "coasigurati"}, {"asigurati", "sume"},      {"asigurati", "sume_societati"},
    {"concedii", "declaratii"},   {"concedii", "concedii"},
};

struct LookupIndex {
    const char* db;
    const char* table;
    const char* name;
    std::vector<std::string> columns;
    // A statement names the key in an index hint: it must exist by this name.
    bool named = false;
};

// Every column the program's statements look rows up by; not unique, so old
// data never blocks them. A key a join reaches a table through also holds the
// columns the joins read there: with such a covering key the optimizer never
// scans the table with a join buffer, however stale its statistics.
const LookupIndex kLookupIndexes[] = {
    {"asigurati", "societati", "cf", {"cf"}},
    {"asigurati", "asigurati", "cf_cnp", {"cf", "cnp"}},
    {"asigurati", "asigurati", "cnp", {"cnp", "iesire"}},
    {"asigurati",
     "sume",
     "id_cnp_luna",
     {"id_cnp", "luna", "salariu", "asig_datorat", "asig_virat"}},
    {"asigurati", "sume", "cf_luna", {"cf", "luna"}},
    {"asigurati", "sume", "cnp", {"cnp"}},
    {"asigurati", "coasigurati", "cnp_asig", {"cnp_asig", "cnp", "nume", "prenume", "tip"}},
    {"asigurati", "coasigurati", "cnp", {"cnp"}},
    {"asigurati", "sume_societati", "cf_luna", {"cf", "luna"}},
    {"concedii", "declaratii", "cf_luna", {"cf", "luna"}},
    {"concedii", "concedii", "id_declaratie", {"id_declaratie"}, true},
    {"concedii", "concedii", "cnp", {"cnp"}},
};

using Row = std::map<std::string, std::string>;

// The rows of a query as maps from upper-case column name to cell; empty when
// the query failed (its error has been shown).
std::vector<Row> ReadRows(CClient& client, const std::string& sql) {
    std::vector<Row> rows;
    if (!client.Query(sql, true)) return rows;
    for (long long r = 0; r < client.RowCount(); ++r) {
        Row row;
        for (const auto& name : client.Result().m_columnNames) row[name] = client.GetValue(r, name);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string Quoted(const std::string& name) {
    std::string out = "`";
    for (char c : name) out += c == '`' ? std::string("``") : std::string(1, c);
    return out + "`";
}

std::string Join(const std::vector<std::string>& items, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) out += (i ? separator : "") + items[i];
    return out;
}

// Runs one ALTER TABLE per table with all of its clauses.
void AlterTables(CClient& client, const std::map<std::string, std::vector<std::string>>& clauses) {
    for (const auto& [table, parts] : clauses)
        (void)client.Query("ALTER TABLE " + table + " " + Join(parts, ", "), false);
}

struct ColumnInfo {
    std::string name;  // as the server spells it
    std::string type;  // full definition type, e.g. "varchar(50)"
    std::string kind;  // data type alone, lower case
};

// The columns of every table in order, by lower-case "db.table".
using Layout = std::map<std::string, std::vector<ColumnInfo>>;

Layout ReadLayout(CClient& client) {
    Layout layout;
    for (const Row& row : ReadRows(client,
                                   "SELECT LOWER(TABLE_SCHEMA) AS D, LOWER(TABLE_NAME) AS T, "
                                   "COLUMN_NAME AS C, COLUMN_TYPE AS CT, LOWER(DATA_TYPE) AS K "
                                   "FROM information_schema.COLUMNS WHERE " +
                                       std::string(kSchemas) + " ORDER BY ORDINAL_POSITION"))
        layout[row.at("D") + "." + row.at("T")].push_back({row.at("C"), row.at("CT"), row.at("K")});
    return layout;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool HasColumn(const Layout& layout, const std::string& table, const std::string& column) {
    const auto found = layout.find(table);
    if (found == layout.end()) return false;
    for (const ColumnInfo& info : found->second)
        if (Lower(info.name) == Lower(column)) return true;
    return false;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A missing key is added; a key of that name holding only the first of its
// columns (as older releases made it) is replaced by the whole one.
void AddLookupIndexes(CClient& client, const Layout& layout) {
    std::map<std::string, std::vector<std::string>> indexColumns;  // "db.table" -> column lists
    std::map<std::string, std::string> namedColumns;               // "db.table.name" -> columns
    for (const Row& row :
         ReadRows(client,
                  "SELECT LOWER(TABLE_SCHEMA) AS D, LOWER(TABLE_NAME) AS T, LOWER(INDEX_NAME) "
                  "AS I, LOWER(GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX SEPARATOR ',')) "
                  "AS C FROM information_schema.STATISTICS WHERE " +
                      std::string(kSchemas) + " GROUP BY TABLE_SCHEMA, TABLE_NAME, INDEX_NAME")) {
        const std::string table = row.at("D") + "." + row.at("T");
        indexColumns[table].push_back(row.at("C") + ",");
        namedColumns[table + "." + row.at("I")] = row.at("C") + ",";
    }
    std::map<std::string, std::vector<std::string>> clauses;
    for (const LookupIndex& index : kLookupIndexes) {
        const std::string table = std::string(index.db) + "." + index.table;
        bool present = true;
        for (const auto& column : index.columns) present &= HasColumn(layout, table, column);
        if (!present) continue;
        const std::string wanted = Lower(Join(index.columns, ",") + ",");
        const auto named = namedColumns.find(table + "." + index.name);
        bool covered = index.named && named != namedColumns.end() && named->second == wanted;
        for (const auto& columns : indexColumns[table])
            covered |= !index.named && StartsWith(columns, wanted);
        if (covered) continue;
        if (named != namedColumns.end()) {
            // Someone else's key of that name is left alone.
            if (!StartsWith(wanted, named->second)) continue;
            clauses[table].push_back("DROP KEY " + Quoted(index.name));
        }
        std::vector<std::string> quoted;
        for (const auto& column : index.columns) quoted.push_back(Quoted(column));
        clauses[table].push_back("ADD KEY " + Quoted(index.name) + " (" + Join(quoted, ", ") + ")");
    }
    AlterTables(client, clauses);
}

// The neutral value of a column type; empty when it has none (enum).
std::string NeutralDefault(const std::string& type) {
    static const std::set<std::string> numbers = {"tinyint", "smallint", "mediumint", "int",
                                                  "bigint",  "decimal",  "float",     "double",
                                                  "year",    "bit"};
    static const std::set<std::string> texts = {
        "char",      "varchar",  "tinytext", "text",       "mediumtext", "longtext", "binary",
        "varbinary", "tinyblob", "blob",     "mediumblob", "longblob",   "set"};
    if (numbers.count(type)) return "0";
    if (texts.count(type)) return "''";
    if (type == "date") return "'0000-00-00'";
    if (type == "datetime" || type == "timestamp") return "'0000-00-00 00:00:00'";
    if (type == "time") return "'00:00:00'";
    return "";
}

const char* const kTwinKey =
    " MODIFY `index` INT NOT NULL DEFAULT 0, DROP PRIMARY KEY, ADD `znew_index` INT NOT NULL "
    "AUTO_INCREMENT PRIMARY KEY FIRST, ADD `znew_cont` VARCHAR(50) NOT NULL DEFAULT '', ADD "
    "`znew_op` CHAR(1) NOT NULL DEFAULT ''";

// A twin is its table's copy with `index` as a plain column and its own key.
void CreateTwin(CClient& client, const std::string& source, const std::string& twin) {
    if (!client.Query("CREATE TABLE " + twin + " LIKE " + source, false)) return;
    // A half-made twin would refuse every second log row of a record.
    if (!client.Query("ALTER TABLE " + twin + kTwinKey, false))
        (void)client.Query("DROP TABLE " + twin, false);
}

// A twin an older release never widened gets the columns its table gained,
// so the log keeps them too.
void WidenTwin(const Layout& layout, const std::string& source, const std::string& twin,
               std::map<std::string, std::vector<std::string>>& clauses) {
    for (const ColumnInfo& column : layout.at(source)) {
        const std::string value = NeutralDefault(column.kind);
        if (HasColumn(layout, twin, column.name) || value.empty()) continue;
        clauses[twin].push_back("ADD " + Quoted(column.name) + " " + column.type +
                                " NOT NULL DEFAULT " + value);
    }
}

void CompleteTwins(CClient& client, const Layout& layout) {
    std::map<std::string, std::vector<std::string>> clauses;
    for (const auto& [db, table] : kLoggedTables) {
        const std::string source = std::string(db) + "." + table;
        const std::string twin = std::string(db) + ".zlog_" + table;
        if (!layout.count(source)) continue;
        if (layout.count(twin))
            WidenTwin(layout, source, twin, clauses);
        else
            CreateTwin(client, source, twin);
    }
    AlterTables(client, clauses);
}

// Release 2.07 made the calculation base a MEDIUMINT, too small for the
// income typed into it; widening keeps every stored value.
void WidenCalculationBase(CClient& client, const Layout& layout) {
    for (const char* table : {"concedii.concedii", "concedii.zlog_concedii"}) {
        const auto found = layout.find(table);
        if (found == layout.end()) continue;
        for (const ColumnInfo& column : found->second)
            if (Lower(column.name) == "baza_calc" && column.kind == "mediumint")
                (void)client.Query(std::string("ALTER TABLE ") + table + " MODIFY " +
                                       Quoted(column.name) + " INT NOT NULL DEFAULT 0",
                                   false);
    }
}

void AddNeutralDefaults(CClient& client) {
    std::map<std::string, std::vector<std::string>> clauses;
    for (const Row& row : ReadRows(
             client,
             "SELECT TABLE_SCHEMA AS D, TABLE_NAME AS T, COLUMN_NAME AS C, LOWER(DATA_TYPE) AS K, "
             "COLUMN_DEFAULT IS NULL AS ND, UPPER(COLUMN_NAME)='ZZ_DATA' AS Z FROM "
             "information_schema.COLUMNS WHERE " +
                 std::string(kSchemas) +
                 " AND IS_NULLABLE='NO' AND EXTRA NOT LIKE '%auto_increment%' AND (COLUMN_DEFAULT "
                 "IS NULL OR (UPPER(COLUMN_NAME)='ZZ_DATA' AND EXTRA LIKE '%on update%')) ORDER "
                 "BY TABLE_SCHEMA, TABLE_NAME, ORDINAL_POSITION")) {
        const std::string table = Quoted(row.at("D")) + "." + Quoted(row.at("T"));
        const std::string& column = row.at("C");
        const std::string& type = row.at("K");
        // The change time is set once, when the row is written; an update
        // keeps it (and a log row keeps the time of the state it copies).
        if (type == "timestamp" && row.at("Z") == "1") {
            clauses[table].push_back("MODIFY " + Quoted(column) +
                                     " TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP");
            continue;
        }
        const std::string value = NeutralDefault(type);
        if (row.at("ND") == "1" && !value.empty())
            clauses[table].push_back("ALTER COLUMN " + Quoted(column) + " SET DEFAULT " + value);
    }
    AlterTables(client, clauses);
}

}  // namespace

void CompleteLayout(CClient& client) {
    const Layout layout = ReadLayout(client);
    AddLookupIndexes(client, layout);
    WidenCalculationBase(client, layout);
    CompleteTwins(client, layout);
    AddNeutralDefaults(client);
}
