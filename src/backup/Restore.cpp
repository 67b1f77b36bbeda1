// Putting a loaded copy in place, and the automatic copies.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "backup/Backup.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "backup/BackupInternal.h"
#include "backup/CopyFormat.h"
#include "backup/CopyLock.h"
#include "db/CClient.h"
#include "db/InstallationPaths.h"
#include "db/SchemaUpgrade.h"
#include "db/TableStatistics.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDailyPrefix = "orvik-copie-";
constexpr const char* kBeforeRestorePrefix = "orvik-copie-inainte-de-restaurare-";

struct TableName {
    std::string db, table;
    std::string Quoted(std::string_view prefix = {}) const {
        return "`" + db + "`.`" + std::string(prefix) + table + "`";
    }
};

bool StartsWith(const std::string& text, std::string_view start) {
    return text.compare(0, start.size(), start) == 0;
}

// The tables of the three databases. Names are plain lower-case words on this
// server; anything with a backtick is left alone rather than quoted wrongly.
std::optional<std::vector<TableName>> ListTables(CClient& client) {
    if (!client.Query("SELECT table_schema AS s, table_name AS t FROM information_schema.tables "
                      "WHERE table_schema IN ('asigurati','concedii','nomenc') "
                      "AND table_type='BASE TABLE' ORDER BY table_schema, table_name",
                      true))
        return std::nullopt;
    std::vector<TableName> tables;
    for (long long row = 0; row < client.RowCount(); ++row) {
        TableName name{client.GetValue(row, "S"), client.GetValue(row, "T")};
        if (name.table.find('`') == std::string::npos) tables.push_back(name);
    }
    return tables;
}

bool DropTables(CClient& client, const std::vector<std::string>& quoted) {
    if (quoted.empty()) return true;
    std::string sql = "DROP TABLE IF EXISTS ";
    for (std::size_t i = 0; i < quoted.size(); ++i) sql += (i ? ", " : "") + quoted[i];
    return client.Query(sql, false);
}

bool IsStamp(std::string_view stamp) {
    // YYYYMMDD-HHMM, YYYYMMDD-HHMMSS or YYYYMMDD-HHMMSS-mmm[-N]
    static constexpr std::string_view kShape = "dddddddd-dddddd-ddd";
    if (stamp.size() > kShape.size() && stamp[kShape.size()] == '-') {
        const std::string_view counter = stamp.substr(kShape.size() + 1);
        if (counter.empty() || counter.size() > 4) return false;
        for (char c : counter)
            if (c < '0' || c > '9') return false;
        stamp = stamp.substr(0, kShape.size());
    }
    if (stamp.size() != 13 && stamp.size() != 15 && stamp.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < stamp.size(); ++i)
        if (kShape[i] == '-' ? stamp[i] != '-' : (stamp[i] < '0' || stamp[i] > '9')) return false;
    return true;
}

bool IsCopyName(const std::string& name, const std::string& prefix) {
    static constexpr std::string_view kEnd = ".sql.gz";
    if (!StartsWith(name, prefix) || name.size() < prefix.size() + kEnd.size()) return false;
    if (name.compare(name.size() - kEnd.size(), kEnd.size(), kEnd) != 0) return false;
    return IsStamp(
        std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - kEnd.size()));
}

// What a save of copii/ killed half-way left: ours by name (an automatic
// copy's name with .partial), a plain file of this user. Only called under
// the CopyLock, so no save is writing one right now.
void RemoveLeftoverPartials(const fs::path& folder) {
    static constexpr std::string_view kPartial = ".partial";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= kPartial.size() ||
            name.compare(name.size() - kPartial.size(), kPartial.size(), kPartial) != 0)
            continue;
        const std::string copy = name.substr(0, name.size() - kPartial.size());
        if (!IsCopyName(copy, kDailyPrefix) && !IsCopyName(copy, kBeforeRestorePrefix)) continue;
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && info.st_nlink == 1)
            ::unlink(entry.path().c_str());
    }
}

// copii/ of the installation, made when missing, without what killed saves left.
fs::path CopyFolder(const BackupServer& server) {
    const fs::path folder = AutomaticCopyFolder(server.installationFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    RemoveLeftoverPartials(folder);
    return folder;
}

// Why the copy failed; empty when it was written.
std::string SaveInto(const BackupServer& server, std::time_t when, const std::string& name,
                     const std::string& prefix) {
    const fs::path folder = CopyFolder(server);
    std::string failure = WriteCopy(server, (folder / name).string(), when, {});
    if (failure.empty()) PruneCopies(folder.string(), prefix, kAutomaticCopiesKept);
    return failure;
}

}  // namespace

std::optional<BackupServer> ServerOfInstallation(const std::string& installationFolder) {
    const std::optional<ServerLogin> login = InstallationLogin(installationFolder);
    if (!login) return std::nullopt;
    BackupServer server;
    // The installation's own password, from its client.cnf.
    if (!LoginCredentials(*login, server.login, server.password)) return std::nullopt;
    server.port = login->port;
    server.installationFolder = installationFolder;
    return server;
}

std::string RestoreQuestion(const CopyInfo& info) {
    // "2025-01-31 14:05" shown as the forms show dates: 31.01.2025 14:05
    const std::string& d = info.date;
    const std::string date =
        d.substr(8, 2) + "." + d.substr(5, 2) + "." + d.substr(0, 4) + " " + d.substr(11);
    return "Restaurezi copia de siguranta din " + date + ", cu " + std::to_string(info.companies) +
           (info.companies == 1 ? " societate" : " societati") +
           "?\n\nToate datele actuale vor fi inlocuite cu cele din copie. Inainte, programul "
           "salveaza automat o copie a datelor actuale in folderul copii al instalarii.";
}

Outcome DropStagedTables(CClient& client) {
    const auto tables = ListTables(client);
    if (!tables) return Outcome::Stopped();
    std::vector<std::string> staged;
    for (const TableName& t : *tables)
        if (StartsWith(t.table, kStagingPrefix) || StartsWith(t.table, kReplacedPrefix))
            staged.push_back(t.Quoted());
    return DropTables(client, staged) ? Outcome::Done() : Outcome::Stopped();
}

Outcome SwapInLoadedCopy(CClient& client, const std::vector<std::string>& copyTables) {
    const auto tables = ListTables(client);
    if (!tables) return Outcome::Stopped();
    std::set<std::string> expected(copyTables.begin(), copyTables.end()), staged;
    std::set<std::pair<std::string, std::string>> loaded;
    std::vector<TableName> current;
    for (const TableName& t : *tables) {
        if (StartsWith(t.table, kStagingPrefix)) {
            loaded.insert({t.db, t.table.substr(kStagingPrefix.size())});
            staged.insert(t.db + "." + t.table.substr(kStagingPrefix.size()));
        } else if (!StartsWith(t.table, kReplacedPrefix))
            current.push_back(t);
    }
    // Only the tables this load made, every one of them: anything else under
    // the staging prefix is not this copy's.
    if (staged != expected || !loaded.count({"asigurati", "setari"})) {
        return Refuse(client.GetPrompter(),
                      "Tabelele incarcate nu sunt cele ale copiei; "
                      "datele actuale au ramas neschimbate.");
    }
    // One statement: the server renames all or none, so no moment exists in
    // which some tables are the copy's and others the old ones. Tables the
    // copy does not have are moved aside too; the ladder makes what it needs.
    std::string sql = "RENAME TABLE ";
    std::vector<std::string> replaced;
    for (const TableName& t : current) {
        sql += t.Quoted() + " TO " + t.Quoted(kReplacedPrefix) + ", ";
        replaced.push_back(t.Quoted(kReplacedPrefix));
    }
    bool first = true;
    for (const auto& [db, table] : loaded) {
        const TableName t{db, table};
        sql += std::string(first ? "" : ", ") + t.Quoted(kStagingPrefix) + " TO " + t.Quoted();
        first = false;
    }
    if (!client.Query(sql, false)) return Outcome::Stopped();
    // The copy is in place; the old tables are only in the way now. A failure
    // to drop them is shown; they are leftovers the next start removes.
    (void)DropTables(client, replaced);
    return Outcome::Done();
}

Outcome RestoreCopy(CClient& client, const BackupServer& server, const std::string& path,
                    const CopyInfo& info, Prompter& prompter, const BackupProgress& progress) {
    const CopyLock lock(server);
    if (!lock.Held()) return Failed(prompter, lock.Message() + kUnchanged);
    return RestoreCopyHoldingLock(client, server, path, info, prompter, progress);
}

// The safety copy comes first: nothing, not even what an earlier restore
// left, is dropped before the current data is saved.
Outcome RestoreCopyHoldingLock(CClient& client, const BackupServer& server, const std::string& path,
                               const CopyInfo& info, Prompter& prompter,
                               const BackupProgress& progress) {
    if (!SaveCopyBeforeRestore(server, std::time(nullptr), prompter)) return Outcome::Stopped();
    if (!DropStagedTables(client)) return Outcome::Stopped();
    if (!LoadCopy(server, path, info, prompter, progress) ||
        !SwapInLoadedCopy(client, info.tables)) {
        (void)DropStagedTables(client);
        return Outcome::Stopped();
    }
    const Outcome upgraded = UpgradeSchema(client);
    // Every table is new: its statistics are the ones taken while it was loaded.
    (void)RefreshTableStatistics(client);
    if (!upgraded)
        return Failed(prompter,
                      "Copia a fost restaurata, dar aducerea ei la versiunea programului s-a "
                      "oprit; porneste programul din nou.");
    return Outcome::Done();
}

std::string AutomaticCopyFolder(const std::string& installationFolder) {
    return (fs::path(installationFolder) / "copii").string();
}

std::vector<std::string> ListCopies(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && IsCopyName(name, prefix)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());  // the stamp sorts by time
    return names;
}

void PruneCopies(const std::string& folder, const std::string& prefix, int keep) {
    const std::vector<std::string> names = ListCopies(folder, prefix);
    for (std::size_t i = 0; i + keep < names.size(); ++i) {
        std::error_code error;
        fs::remove(fs::path(folder) / names[i], error);
    }
}

bool AutomaticCopyDue(const std::string& installationFolder, std::time_t when) {
    const std::string day = kDailyPrefix + LocalTimeText(when, "%Y%m%d") + "-";
    for (const std::string& name :
         ListCopies(AutomaticCopyFolder(installationFolder), kDailyPrefix))
        if (StartsWith(name, day)) return false;
    return true;
}

Outcome SaveAutomaticCopy(const BackupServer& server, std::time_t when, Prompter& prompter) {
    const CopyLock lock(server);
    const std::string failure =
        lock.Held() ? SaveInto(server, when, DefaultCopyName(when), kDailyPrefix) : lock.Message();
    if (failure.empty()) return Outcome::Done();
    prompter.ShowMessage("Copia automata a datelor nu a putut fi facuta.\n" + failure);
    return Outcome::Stopped();
}

Outcome SaveCopyBeforeRestore(const BackupServer& server, std::time_t when, Prompter& prompter) {
    // Milliseconds in the name, a counter after them and a file that is never
    // replaced: no restore may overwrite the copy of the data another one
    // replaced.
    timeval now{};
    ::gettimeofday(&now, nullptr);
    const std::string stamp = kBeforeRestorePrefix + LocalTimeText(when, "%Y%m%d-%H%M%S") + "-" +
                              std::to_string(1000 + now.tv_usec / 1000).substr(1);
    const fs::path folder = CopyFolder(server);
    std::error_code error;
    std::string failure;
    bool written = false;
    for (int counter = 1; counter <= 100; ++counter) {
        const std::string name =
            stamp + (counter == 1 ? "" : "-" + std::to_string(counter)) + ".sql.gz";
        const fs::path path = folder / name;
        if (fs::exists(fs::symlink_status(path, error))) continue;
        bool existed = false;
        failure = WriteCopy(server, path.string(), when, {}, true, &existed);
        written = failure.empty();
        if (!existed) break;
    }
    if (written) {
        PruneCopies(folder.string(), kBeforeRestorePrefix, kAutomaticCopiesKept);
        return Outcome::Done();
    }
    return Failed(prompter,
                  "Copia automata a datelor actuale nu a putut fi facuta, asa ca restaurarea nu "
                  "a inceput.\n" +
                      failure);
}
