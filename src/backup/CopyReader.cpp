#include "backup/CopyReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "backup/CopyFormat.h"
#include "db/SchemaUpgrade.h"

namespace {

const char* const kBaseTables[] = {
    "asigurati.setari",
    "asigurati.cas",
    "asigurati.societati",
    "asigurati.asigurati",
    "asigurati.coasigurati",
    "asigurati.sume",
    "asigurati.sume_societati",
    "concedii.declaratii",
    "concedii.concedii",
    "nomenc.salarii_minime",
    "nomenc.siui_sickleaveindemnizations",
    "nomenc.siui_infectocontagiousdiseases",
    "nomenc.siui_medicochirurgicalemergencies",
    "nomenc.zile_de_sarbatori_legale",
};

// The change-log twins; the layout completion of every start makes the ones
// an older database lacks.
const char* const kTwinTables[] = {
    "asigurati.zlog_setari",      "asigurati.zlog_societati", "asigurati.zlog_asigurati",
    "asigurati.zlog_coasigurati", "asigurati.zlog_sume",      "asigurati.zlog_sume_societati",
    "concedii.zlog_declaratii",   "concedii.zlog_concedii",
};

const char* const kDatabases[] = {"asigurati", "concedii", "nomenc"};

// The session lines mariadb-dump writes around the data with the save's
// options (older releases of the tool wrote utf8 where newer write utf8mb4).
const std::string_view kSessionLines[] = {
    "/*!40101 SET @OLD_CHARACTER_SET_CLIENT=@@CHARACTER_SET_CLIENT */;",
    "/*!40101 SET @OLD_CHARACTER_SET_RESULTS=@@CHARACTER_SET_RESULTS */;",
    "/*!40101 SET @OLD_COLLATION_CONNECTION=@@COLLATION_CONNECTION */;",
    "/*!40101 SET NAMES latin1 */;",
    "/*!40103 SET @OLD_TIME_ZONE=@@TIME_ZONE */;",
    "/*!40103 SET TIME_ZONE='+00:00' */;",
    "/*!40014 SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0 */;",
    "/*!40014 SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0 */;",
    "/*!40101 SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='NO_AUTO_VALUE_ON_ZERO' */;",
    "/*!40111 SET @OLD_SQL_NOTES=@@SQL_NOTES, SQL_NOTES=0 */;",
    "/*!40101 SET @saved_cs_client     = @@character_set_client */;",
    "/*!40101 SET character_set_client = utf8mb4 */;",
    "/*!40101 SET character_set_client = utf8 */;",
    "/*!40101 SET character_set_client = @saved_cs_client */;",
    "SET @OLD_AUTOCOMMIT=@@AUTOCOMMIT, @@AUTOCOMMIT=0;",
    "COMMIT;",
    "SET AUTOCOMMIT=@OLD_AUTOCOMMIT;",
    "/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */;",
    "/*!40101 SET SQL_MODE=@OLD_SQL_MODE */;",
    "/*!40014 SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS */;",
    "/*!40014 SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS */;",
    "/*!40101 SET CHARACTER_SET_CLIENT=@OLD_CHARACTER_SET_CLIENT */;",
    "/*!40101 SET CHARACTER_SET_RESULTS=@OLD_CHARACTER_SET_RESULTS */;",
    "/*!40101 SET COLLATION_CONNECTION=@OLD_COLLATION_CONNECTION */;",
    "/*!40111 SET SQL_NOTES=@OLD_SQL_NOTES */;",
};

// The dump's first line: newer clients refuse client commands after it.
constexpr std::string_view kSandboxLine = "/*M!999999\\- enable the sandbox mode */ ";

// The words a table definition of the program's tables is made of: column
// types, their attributes, keys and table options. No word that reads other
// data, computes a column, points at files or another server.
const std::set<std::string, std::less<>> kDefinitionWords = {
    "bit",
    "tinyint",
    "smallint",
    "mediumint",
    "int",
    "integer",
    "bigint",
    "decimal",
    "numeric",
    "float",
    "double",
    "real",
    "char",
    "varchar",
    "binary",
    "varbinary",
    "tinytext",
    "text",
    "mediumtext",
    "longtext",
    "tinyblob",
    "blob",
    "mediumblob",
    "longblob",
    "date",
    "time",
    "datetime",
    "timestamp",
    "year",
    "enum",
    "set",
    "unsigned",
    "zerofill",
    "not",
    "null",
    "default",
    "auto_increment",
    "comment",
    "character",
    "collate",
    "charset",
    "on",
    "update",
    "current_timestamp",
    "primary",
    "unique",
    "key",
    "index",
    "fulltext",
    "using",
    "btree",
    "hash",
    "engine",
    "innodb",
    "myisam",
    "aria",
    "row_format",
    "dynamic",
    "compact",
    "compressed",
    "fixed",
    "page",
    "pack_keys",
    "checksum",
    "delay_key_write",
    "page_checksum",
    "transactional",
};

const char* const kCharsetNames[] = {"latin1",  "latin2", "utf8",  "utf8mb3",
                                     "utf8mb4", "ascii",  "cp1250"};

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsWordChar(char c) {
    return IsLower(c) || IsDigit(c) || c == '_' || (c >= 'A' && c <= 'Z');
}

// A character set or collation name: latin1, utf8mb3_unicode_ci ...
bool IsCharsetWord(std::string_view word) {
    for (const char* name : kCharsetNames) {
        const std::string_view n(name);
        if (word == n || (StartsWith(word, n) && word[n.size()] == '_')) return true;
    }
    return false;
}

bool IsDefinitionWord(std::string_view word) {
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return kDefinitionWords.count(lower) > 0 || IsCharsetWord(lower);
}

// `name` at the start of `text` (backquotes included): the name, empty when
// the text does not start with one of lower-case letters, digits and '_'.
std::string_view TableName(std::string_view text, std::size_t& length) {
    length = 0;
    if (text.size() < 3 || text[0] != '`') return {};
    std::size_t end = 1;
    while (end < text.size() && (IsLower(text[end]) || IsDigit(text[end]) || text[end] == '_'))
        ++end;
    if (end == 1 || end >= text.size() || text[end] != '`') return {};
    length = end + 1;
    return text.substr(1, end - 1);
}

// Past the closing apostrophe of a quoted value starting at `at` (just after
// the opening one); npos when the line ends first or holds a byte the dump
// always escapes. A backslash escapes the next byte and '' stands for one
// apostrophe, as for the server and the mariadb client.
std::size_t SkipQuoted(std::string_view text, std::size_t at) {
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\\') {
            if (at + 1 >= text.size()) return std::string_view::npos;
            const char next = text[at + 1];
            if (next == '\0' || next == '\n' || next == '\r') return std::string_view::npos;
            at += 2;
        } else if (c == '\'') {
            if (at + 1 < text.size() && text[at + 1] == '\'') {
                at += 2;
                continue;
            }
            return at + 1;
        } else if (c == '\0' || c == '\n' || c == '\r') {
            return std::string_view::npos;
        } else {
            ++at;
        }
    }
    return std::string_view::npos;
}

// Past a number literal starting at `at`: -12, 3.5, 1.25e-07; npos when none.
std::size_t SkipNumber(std::string_view text, std::size_t at) {
    auto digits = [&](std::size_t from) {
        std::size_t end = from;
        while (end < text.size() && IsDigit(text[end])) ++end;
        return end;
    };
    if (at < text.size() && text[at] == '-') ++at;
    std::size_t end = digits(at);
    if (end == at) return std::string_view::npos;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fraction = digits(end + 1);
        if (fraction == end + 1) return std::string_view::npos;
        end = fraction;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        const std::size_t after = digits(exponent);
        if (after == exponent) return std::string_view::npos;
        end = after;
    }
    return end;
}

// One line of a table definition: names in backquotes, quoted texts, numbers,
// the definition words and ( ) , = only, single spaces between. `closing` is
// the last line, which alone ends with ';'.
bool DefinitionTokensOk(std::string_view text, bool closing) {
    if (closing) {
        if (text.empty() || text.back() != ';') return false;
        text.remove_suffix(1);
    }
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || c == '(' || c == ')' || c == ',' || c == '=') {
            ++at;
        } else if (c == '`') {
            std::size_t end = at + 1;
            while (end < text.size() && (IsWordChar(text[end]) || text[end] == '$')) ++end;
            if (end == at + 1 || end >= text.size() || text[end] != '`') return false;
            at = end + 1;
        } else if (c == '\'') {
            at = SkipQuoted(text, at + 1);
            if (at == std::string_view::npos) return false;
        } else if (IsDigit(c) || c == '-') {
            at = SkipNumber(text, at);
            if (at == std::string_view::npos) return false;
        } else if (IsWordChar(c)) {
            std::size_t end = at;
            while (end < text.size() && IsWordChar(text[end])) ++end;
            if (!IsDefinitionWord(text.substr(at, end - at))) return false;
            at = end;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

CopyTableCatalogue CopyTablesOfVersion(const std::string& version) {
    CopyTableCatalogue catalogue;
    for (const char* table : kBaseTables) catalogue.required.insert(table);
    auto& twins = version == kCurrentSchemaVersion ? catalogue.required : catalogue.optional;
    for (const char* table : kTwinTables) twins.insert(table);
    return catalogue;
}

std::vector<std::string> ProgramTables() {
    const CopyTableCatalogue all = CopyTablesOfVersion(kCurrentSchemaVersion);
    return {all.required.begin(), all.required.end()};
}

CopyReader::CopyReader(std::string version)
    : m_version(std::move(version)), m_catalogue(CopyTablesOfVersion(m_version)) {}

bool CopyReader::Refuse(const std::string& why) {
    if (m_refusal.empty()) m_refusal = why;
    return false;
}

bool CopyReader::KnownTable(const std::string& table) const {
    return m_catalogue.required.count(table) > 0 || m_catalogue.optional.count(table) > 0;
}

bool CopyReader::Feed(std::string_view line) {
    if (Refused()) return false;
    ++m_line;
    if (line.size() > kMaxCopyLine) return Refuse(LineText() + " este prea lunga");
    if (line.empty() || line.back() != '\n') {
        m_cutShort = true;
        return Refuse(LineText() + " este taiata");
    }
    line.remove_suffix(1);
    m_statementSize = m_state == State::Between ? line.size() : m_statementSize + line.size();
    if (m_statementSize > kMaxCopyStatement)
        return Refuse(LineText() + ": instructiunea este prea lunga");
    switch (m_state) {
        case State::Between:
            return Between(line);
        case State::Create:
            return CreateLine(line);
        case State::Rows:
            return RowsText(line, true);
        case State::Ended:
            break;
    }
    return Refuse(LineText() + " urmeaza dupa sfarsitul copiei");
}

std::string CopyReader::LineText() const {
    return "linia " + std::to_string(m_line);
}

bool CopyReader::Between(std::string_view line) {
    if (line.empty()) return true;
    const auto notOurs = [this] {
        return Refuse(LineText() +
                      " nu are forma instructiunilor pe care programul le scrie in copii");
    };
    if (line == kSandboxLine && m_line == 2) return true;
    if (std::find(std::begin(kSessionLines), std::end(kSessionLines), line) !=
        std::end(kSessionLines))
        return true;
    std::size_t length = 0;
    if (StartsWith(line, "USE ")) {
        const std::string_view db = TableName(line.substr(4), length);
        const bool known =
            std::find(std::begin(kDatabases), std::end(kDatabases), db) != std::end(kDatabases);
        if (!known || line.substr(4 + length) != ";") return notOurs();
        m_database = db;
        return true;
    }
    if (const auto trailer = ParseCopyTrailer(line); trailer && line.back() != '\r') {
        if (*trailer != m_companies)
            return Refuse(LineText() +
                          ": numarul de societati nu se potriveste cu randurile copiei");
        m_state = State::Ended;
        return true;
    }
    for (std::string_view start : {"DROP TABLE IF EXISTS ", "CREATE TABLE ", "INSERT INTO "}) {
        if (!StartsWith(line, start)) continue;
        const std::string_view rest = line.substr(start.size());
        const std::string name(TableName(rest, length));
        const std::string_view tail = rest.substr(length);
        if (name.empty() || m_database.empty()) return notOurs();
        const std::string table = m_database + "." + name;
        if (start[0] == 'D') {
            if (tail != ";") return notOurs();
            if (!KnownTable(table)) return NewTable(name);  // refused, naming the table
            if (m_created.count(table))
                return Refuse(LineText() + " numeste a doua oara tabela " + table);
            return true;
        }
        if (start[0] == 'C') return tail == " (" ? NewTable(name) : notOurs();
        // Rows only for the table defined just before.
        if (table != m_table || (tail != " VALUES" && !StartsWith(tail, " VALUES (")))
            return notOurs();
        m_state = State::Rows;
        m_row = Row::Open;
        m_countCompanies = table == "asigurati.societati";
        return RowsText(tail.substr(std::min<std::size_t>(tail.size(), 8)), false);
    }
    return notOurs();
}

bool CopyReader::NewTable(std::string_view name) {
    const std::string table = m_database + "." + std::string(name);
    if (!KnownTable(table))
        return Refuse(LineText() + " numeste tabela " + table + ", care nu este a programului");
    if (!m_created.insert(table).second)
        return Refuse(LineText() + " numeste a doua oara tabela " + table);
    m_tables.push_back(table);
    m_table = table;
    m_state = State::Create;
    return true;
}

bool CopyReader::CreateLine(std::string_view line) {
    const bool closing = StartsWith(line, ")");
    const bool part = StartsWith(line, "  `") || StartsWith(line, "  PRIMARY KEY ") ||
                      StartsWith(line, "  KEY `") || StartsWith(line, "  UNIQUE KEY `");
    if ((!closing && !part) || !DefinitionTokensOk(line, closing))
        return Refuse(LineText() +
                      " nu are forma definitiilor de tabele pe care programul le scrie in copii");
    if (closing) m_state = State::Between;
    return true;
}

// The rows of an INSERT: ( value, ... ) separated by commas, a line break
// allowed only before a row, ';' at the end of the last line. A value is a
// quoted text, a number or NULL.
bool CopyReader::RowsText(std::string_view text, bool lineStart) {
    const auto refuse = [&] {
        return Refuse(LineText() + " nu are forma randurilor pe care programul le scrie in copii");
    };
    if (lineStart && (text.empty() || text[0] != '(')) return refuse();
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        switch (m_row) {
            case Row::Open:
                if (c != '(') return refuse();
                if (m_countCompanies) ++m_companies;
                m_row = Row::Value;
                ++at;
                break;
            case Row::Value:
                if (c == '\'') {
                    at = SkipQuoted(text, at + 1);
                } else if (text.substr(at, 4) == "NULL") {
                    at += 4;
                } else {
                    at = SkipNumber(text, at);
                }
                if (at == std::string_view::npos) return refuse();
                m_row = Row::AfterValue;
                break;
            case Row::AfterValue:
                if (c != ',' && c != ')') return refuse();
                m_row = c == ',' ? Row::Value : Row::AfterRow;
                ++at;
                break;
            case Row::AfterRow:
                if (c != ',' && c != ';') return refuse();
                m_row = c == ',' ? Row::Open : Row::Done;
                ++at;
                break;
            case Row::Done:
                return refuse();
        }
    }
    if (m_row == Row::Done) {
        m_state = State::Between;
        return true;
    }
    // A line ends only after VALUES or after the comma between rows.
    return m_row == Row::Open ? true : refuse();
}

bool CopyReader::Finish() {
    if (Refused()) return false;
    if (m_state != State::Ended) {
        m_cutShort = true;
        return Refuse("copia nu are ultima linie");
    }
    for (const std::string& table : m_catalogue.required)
        if (!m_created.count(table)) return Refuse("copiei ii lipseste tabela " + table);
    return true;
}
