#include "backup/CopyFormat.h"

#include <charconv>
#include <utility>

#include "db/SchemaUpgrade.h"

namespace {

constexpr std::string_view kHeaderStart = "-- Orvik Asigurati copie de siguranta; versiune ";
constexpr std::string_view kHeaderDate = "; data ";
constexpr std::string_view kTrailerStart = "-- Orvik Asigurati sfarsitul copiei; societati ";

const std::string_view kTableStatements[] = {"DROP TABLE IF EXISTS `", "CREATE TABLE `",
                                             "INSERT INTO `"};

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

bool IsDateText(std::string_view date) {
    static constexpr std::string_view kShape = "dddd-dd-dd dd:dd";
    if (date.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < date.size(); ++i) {
        const bool digit = date[i] >= '0' && date[i] <= '9';
        if ((kShape[i] == 'd') != digit) return false;
        if (kShape[i] != 'd' && date[i] != kShape[i]) return false;
    }
    return true;
}

// Top-level "(" outside quoted values: one per row. Values are quoted with
// apostrophes and escape them with a backslash.
long long CountRows(std::string_view line) {
    long long rows = 0;
    bool quoted = false;
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\')
                ++i;
            else if (c == '\'')
                quoted = false;
        } else if (c == '\'') {
            quoted = true;
        } else if (c == '(') {
            if (depth++ == 0) ++rows;
        } else if (c == ')') {
            --depth;
        }
    }
    return rows;
}

}  // namespace

std::string CopyHeaderLine(const CopyHeader& header) {
    return std::string(kHeaderStart) + header.version + std::string(kHeaderDate) + header.date +
           "\n";
}

std::optional<CopyHeader> ParseCopyHeader(std::string_view line) {
    line = WithoutLineEnd(line);
    if (!StartsWith(line, kHeaderStart)) return std::nullopt;
    line.remove_prefix(kHeaderStart.size());
    const std::size_t at = line.find(kHeaderDate);
    if (at == 0 || at == std::string_view::npos) return std::nullopt;
    CopyHeader header{std::string(line.substr(0, at)),
                      std::string(line.substr(at + kHeaderDate.size()))};
    if (!IsDateText(header.date) || header.version.size() > 20) return std::nullopt;
    return header;
}

std::string CopyTrailerLine(long long companies) {
    return std::string(kTrailerStart) + std::to_string(companies) + "\n";
}

std::optional<long long> ParseCopyTrailer(std::string_view line) {
    line = WithoutLineEnd(line);
    if (!StartsWith(line, kTrailerStart)) return std::nullopt;
    line.remove_prefix(kTrailerStart.size());
    long long count = 0;
    const auto [end, failure] = std::from_chars(line.data(), line.data() + line.size(), count);
    if (failure != std::errc() || end != line.data() + line.size() || count < 0)
        return std::nullopt;
    return count;
}

std::string StageDumpLine(std::string_view line) {
    for (std::string_view start : kTableStatements) {
        if (StartsWith(line, start))
            return std::string(start) + std::string(kStagingPrefix) +
                   std::string(line.substr(start.size()));
    }
    return std::string(line);
}

namespace {
// "`name`" at the start of `text`, without the backquotes; "" when not.
std::string QuotedName(std::string_view text) {
    if (text.empty() || text[0] != '`') return {};
    const std::size_t end = text.find('`', 1);
    return end == std::string_view::npos ? std::string() : std::string(text.substr(1, end - 1));
}
}  // namespace

std::string DumpStager::Feed(std::string_view line) {
    const std::string_view bare = WithoutLineEnd(line);
    if (m_table.empty()) {
        if (StartsWith(bare, "USE `")) m_database = QuotedName(bare.substr(4));
        if (StartsWith(bare, "CREATE TABLE `")) {
            m_table = QuotedName(bare.substr(13));
            m_keys.clear();
        }
        return StageDumpLine(line);
    }
    if (StartsWith(bare, ")")) return EndTable(line);
    if (StartsWith(bare, "  KEY `")) {
        std::string_view key = bare.substr(2);
        if (!key.empty() && key.back() == ',') key.remove_suffix(1);
        m_keys.emplace_back(key);
        return {};
    }
    return std::exchange(m_held, std::string(line));
}

// The last definition loses the comma that stood before the keys left out.
std::string DumpStager::EndTable(std::string_view closingLine) {
    std::string out = std::exchange(m_held, {});
    if (!m_keys.empty()) {
        const std::size_t end = WithoutLineEnd(out).size();
        if (end > 0 && out[end - 1] == ',') out.erase(end - 1, 1);
        m_addKeys +=
            "ALTER TABLE `" + m_database + "`.`" + std::string(kStagingPrefix) + m_table + "`";
        for (std::size_t i = 0; i < m_keys.size(); ++i)
            m_addKeys += (i ? ", ADD " : " ADD ") + m_keys[i];
        m_addKeys += ";\n";
    }
    m_table.clear();
    return out + std::string(closingLine);
}

std::string DumpStager::Finish() {
    return std::exchange(m_held, {}) + std::exchange(m_addKeys, {});
}

void CompanyCounter::Feed(std::string_view line) {
    if (StartsWith(line, "INSERT INTO `"))
        m_inCompanies = StartsWith(line, "INSERT INTO `societati`");
    if (!m_inCompanies) return;
    m_count += CountRows(line);
    // The statement ends with the line that ends in ";" (a value never holds a
    // raw line break, so ";" at the end of a line is outside any value).
    if (!WithoutLineEnd(line).empty() && WithoutLineEnd(line).back() == ';') m_inCompanies = false;
}

// "2.1" is after "2.08": versions compare as decimal numbers. Nothing when
// the text is not one.
static std::optional<std::pair<long long, std::string>> VersionNumber(const std::string& text) {
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    long long number = 0;
    const auto [end, failure] = std::from_chars(whole.data(), whole.data() + whole.size(), number);
    if (whole.empty() || failure != std::errc() || end != whole.data() + whole.size())
        return std::nullopt;
    for (char c : fraction)
        if (c < '0' || c > '9') return std::nullopt;
    fraction.resize(16, '0');
    return std::make_pair(number, fraction);
}

std::string RefuseCopyVersion(const std::string& version) {
    if (version == kCurrentSchemaVersion) return {};
    for (const UpgradeRung& rung : UpgradeRungs())
        if (rung.from == version) return {};
    const auto copy = VersionNumber(version);
    const auto current = VersionNumber(kCurrentSchemaVersion);
    if (copy && current && *copy > *current)
        return "Copia a fost facuta de o versiune mai noua a programului (" + version +
               "); programul acesta are versiunea " + kCurrentSchemaVersion +
               ".\nActualizeaza programul si restaureaza copia dupa aceea.\n"
               "Datele actuale au ramas neschimbate.";
    return "Copia are o versiune a datelor necunoscuta (" + version +
           ") si nu poate fi restaurata.\nDatele actuale au ramas neschimbate.";
}
