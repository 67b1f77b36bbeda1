#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// A copy is data, never commands: it is loaded only when every line has a
// shape the program's own save writes (the dump's session lines, USE of one
// of the three databases, DROP TABLE IF EXISTS, CREATE TABLE of plain columns
// and keys, INSERT of literal rows) and its tables are the program's tables.
// Anything else refuses the whole copy before a byte of it reaches a client:
// client commands, other statements, comments that hide statements, names
// of other databases.
//
// The dump writes every statement from the start of a line and escapes line
// breaks inside values, so a line outside a statement is a whole statement
// and the loader's client sees exactly the statements judged here.

// The longest line taken, and the longest statement: the save keeps its
// statements near one megabyte and rows far below either.
inline constexpr std::size_t kMaxCopyLine = std::size_t{16} << 20;
inline constexpr std::size_t kMaxCopyStatement = std::size_t{32} << 20;

// The program's tables, "db.table", as a copy of schema version `version`
// must hold them: every one for the current version; for an older version the
// change-log twins may be missing (the ladder makes them).
struct CopyTableCatalogue {
    std::set<std::string> required;
    std::set<std::string> optional;
};
CopyTableCatalogue CopyTablesOfVersion(const std::string& version);
// Every table the program's databases hold at the current version.
std::vector<std::string> ProgramTables();

// Judges the lines of a copy after its header, one at a time, each with its
// line end. Once refused, it stays refused.
class CopyReader {
public:
    explicit CopyReader(std::string version);

    // False when the line refuses the copy; Refusal() says why.
    bool Feed(std::string_view line);
    // At the end of the text: false when the copy was cut short (no trailer),
    // or its tables are not the program's.
    bool Finish();

    bool Refused() const { return !m_refusal.empty(); }
    // True once the trailer line was read.
    bool Ended() const { return m_state == State::Ended; }
    // Why, naming the line: "linia 12: ...". Empty while accepted.
    const std::string& Refusal() const { return m_refusal; }
    // True when the text ended without the trailer line.
    bool CutShort() const { return m_cutShort; }
    long long Companies() const { return m_companies; }
    long long LineNumber() const { return m_line; }
    // "db.table" of every CREATE TABLE, in order.
    const std::vector<std::string>& Tables() const { return m_tables; }

private:
    enum class State { Between, Create, Rows, Ended };
    enum class Row { Open, Value, AfterValue, AfterRow, Done };

    bool Refuse(const std::string& why);
    std::string LineText() const;  // "linia N"
    bool Between(std::string_view line);
    bool NewTable(std::string_view name);
    bool CreateLine(std::string_view line);
    bool RowsText(std::string_view text, bool lineStart);
    bool KnownTable(const std::string& table) const;

    std::string m_version;
    CopyTableCatalogue m_catalogue;
    State m_state = State::Between;
    Row m_row = Row::Open;
    std::string m_database;  // of the last USE
    std::string m_table;     // of the last CREATE TABLE, "db.table"
    std::set<std::string> m_created;
    std::vector<std::string> m_tables;
    std::size_t m_statementSize = 0;
    bool m_countCompanies = false;
    long long m_companies = 0;
    long long m_line = 1;  // the header is line 1
    bool m_cutShort = false;
    std::string m_refusal;
};
