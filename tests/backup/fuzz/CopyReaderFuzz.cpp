// libFuzzer target for the copy reader: any text after a copy's header must
// give a clean verdict, and no line it accepts may carry anything that runs
// beyond the program's own statements, whatever the quoting games.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "backup/CopyReader.h"

namespace {

const char* const kForbidden[] = {
    "LOAD",      "DELETE",    "GRANT",   "REVOKE",     "TRIGGER",   "PROCEDURE", "FUNCTION",
    "VIEW",      "EVENT",     "USER",    "DATABASE",   "SCHEMA",    "SOURCE",    "SYSTEM",
    "DELIMITER", "SELECT",    "ALTER",   "RENAME",     "TRUNCATE",  "REPLACE",   "CALL",
    "HANDLER",   "PREPARE",   "EXECUTE", "OUTFILE",    "INFILE",    "DUMPFILE",  "LOCAL",
    "SHUTDOWN",  "KILL",      "FLUSH",   "INSTALL",    "PLUGIN",    "SERVER",    "LIKE",
    "AS",        "GENERATED", "CHECK",   "CONNECTION", "DIRECTORY", "PARTITION",
};

// Outside quoted values an accepted line holds no client command, comment,
// qualified name or statement word beyond the program's. Session lines of
// the dump are the only executable comments and are skipped by their start.
void CheckAcceptedLine(std::string_view line) {
    if (line.substr(0, 3) == "/*!" || line.substr(0, 3) == "/*M") return;
    if (line.substr(0, 47) == "-- Orvik Asigurati sfarsitul copiei; societati ") return;
    std::string outside;
    bool quoted = false, named = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\') {
                if (++i < line.size() && (line[i] == '\n' || line[i] == '\0')) __builtin_trap();
            } else if (c == '\'') {
                quoted = false;
            }
            if (c == '\n' || c == '\0') __builtin_trap();
            continue;
        }
        if (named) {  // a name in backquotes: its letters are no statement word
            if (c == '`') named = false;
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '$' && c != '`')
                __builtin_trap();
            outside += c == '`' ? '`' : 'x';
            continue;
        }
        if (c == '`') {
            named = true;
            outside += c;
            continue;
        }
        if (c == '\'') {
            quoted = true;
            outside += ' ';
            continue;
        }
        outside += c;
    }
    if (quoted || named) __builtin_trap();  // a value or a name never spans lines
    for (std::string_view bad : {"\\", "/*", "*/", "#", "--", "`.", ".`", "\"", "@"})
        if (outside.find(bad) != std::string::npos &&
            outside.rfind("SET ", 0) != 0)  // SET @OLD_AUTOCOMMIT ... of the dump
            __builtin_trap();
    std::string word;
    for (char c : outside + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            continue;
        }
        for (const char* bad : kForbidden)
            if (word == bad) __builtin_trap();
        word.clear();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CopyReader reader("2.08");
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(at, end - at);
        const bool accepted = reader.Feed(line);
        if (accepted == reader.Refused()) __builtin_trap();
        if (accepted) CheckAcceptedLine(line);
        at = end;
        if (!accepted) break;
    }
    const bool whole = reader.Finish();
    if (whole == reader.Refused() || (whole && !reader.Ended())) __builtin_trap();
    // Once refused it stays refused: nothing after may be let through.
    if (!whole && reader.Feed("COMMIT;\n")) __builtin_trap();
    if (reader.Tables().size() > 22) __builtin_trap();
    return 0;
}
