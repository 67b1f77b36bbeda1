#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A copy is the gzip-compressed text of the server's own dump of the three
// databases between two lines of ours: the header names the program, the
// schema version and the moment of the copy; the trailer, written only after
// the dump ended well, holds the companies count. A copy without its trailer
// was cut short.

struct CopyHeader {
    std::string version;  // schema version of the data, "2.08"
    std::string date;     // "YYYY-MM-DD HH:MM"
};

std::string CopyHeaderLine(const CopyHeader& header);
[[nodiscard]] std::optional<CopyHeader> ParseCopyHeader(std::string_view line);
std::string CopyTrailerLine(long long companies);
[[nodiscard]] std::optional<long long> ParseCopyTrailer(std::string_view line);

// The copy is loaded beside the current tables under this prefix, then all
// tables are swapped in one statement; the tables it replaced wait under the
// other prefix until they are dropped. Both stay inside the three databases,
// where the program's login has its rights.
inline constexpr std::string_view kStagingPrefix = "zcopie_";
inline constexpr std::string_view kReplacedPrefix = "zvechi_";

// A dump line with the table it names moved under the staging prefix; the
// lines that name no table come back as they are. The dump writes each
// statement naming a table at the start of a line, and never a raw line break
// inside a value, so the start of a line is always the start of a statement
// or a row.
std::string StageDumpLine(std::string_view line);

// The whole dump rewritten for loading beside the current tables, line by
// line: each table under the staging prefix, and its plain secondary keys
// left out of CREATE TABLE and added once all rows are in. Keeping three
// indexes of 600,000 monthly sums up to date row by row with the server's
// small buffers takes about ten times as long as building them once.
class DumpStager {
public:
    // What to send for this line (possibly nothing yet, or a held line too).
    std::string Feed(std::string_view line);
    // What is still to send at the end: the statements that add the keys.
    std::string Finish();

private:
    std::string EndTable(std::string_view closingLine);

    std::string m_database;  // of the last USE line
    std::string m_table;     // of the CREATE TABLE being read, "" outside one
    std::string m_held;      // its last definition, until we know whether a comma must go
    std::vector<std::string> m_keys;
    std::string m_addKeys;
};

// Counts the rows of the dump's INSERT statements into `societati`, line by
// line, as the dump streams by.
class CompanyCounter {
public:
    void Feed(std::string_view line);
    long long Count() const { return m_count; }

private:
    bool m_inCompanies = false;
    long long m_count = 0;
};

// Why a copy of schema version `version` cannot be restored by this release,
// empty when it can (its version is on the upgrade ladder).
std::string RefuseCopyVersion(const std::string& version);
