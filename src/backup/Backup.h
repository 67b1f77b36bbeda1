#pragma once
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "base/Prompter.h"

class CClient;

// Copies of the program's data: the three databases dumped by the server's
// own tool in one consistent snapshot, compressed, and loaded back so that a
// failure anywhere leaves the current data as it was.

// Where the server of an installation answers and where its tools are.
struct BackupServer {
    std::string host = "127.0.0.1";
    int port = 3336;
    std::string login;
    std::string password;
    std::string installationFolder;  // its server/bin is searched first for the tools
};

// The program's own login on the port of the installation's my.cnf (3336
// when the file names none); nothing when the folder holds no installation.
[[nodiscard]] std::optional<BackupServer> ServerOfInstallation(
    const std::string& installationFolder);

// Told how far a long operation got. Called on the thread that runs it.
struct BackupProgress {
    // The child process that reads or writes the data was started.
    std::function<void(int pid)> childStarted;
    // `done` of `total` bytes of dump text; total is 0 when not known ahead.
    std::function<void(long long done, long long total)> progress;
};

// The default name of a copy made at `when` (local time):
// orvik-copie-YYYYMMDD-HHMM.sql.gz
std::string DefaultCopyName(std::time_t when);

// Writes a copy to `path`: to a new file beside it (`path`.partial, never
// through a link), renamed over `path` only when the dump ended well. One
// save or restore at a time: refused while another one runs. Why it failed
// is shown through `prompter`, which is called on the thread that saves.
Outcome SaveCopy(const BackupServer& server, const std::string& path, std::time_t when,
                 Prompter& prompter, const BackupProgress& progress = {});

struct CopyInfo {
    std::string version;
    std::string date;  // "YYYY-MM-DD HH:MM"
    long long companies = 0;
    long long textSize = 0;           // uncompressed
    std::vector<std::string> tables;  // "db.table", every one the copy defines
};

// Reads a copy to its end: nothing when it is not a copy of this program, was
// cut short, or holds anything but the program's tables and rows (a copy is
// data, never commands); then `prompter` is shown which, naming the line. Its
// version is not judged here.
[[nodiscard]] std::optional<CopyInfo> InspectCopy(const std::string& path, Prompter& prompter);

// "Restaurezi copia din <date>, cu <n> societati? ..."
std::string RestoreQuestion(const CopyInfo& info);

// Drops what an earlier restore cut short left beside the tables. Its
// failures are shown by the connection.
Outcome DropStagedTables(CClient& client);
// Loads the copy beside the current tables (they are not touched): only the
// statements the check accepts reach the server, judged again as they are
// read. The caller holds the CopyLock. Why it failed is shown through `prompter`.
Outcome LoadCopy(const BackupServer& server, const std::string& path, const CopyInfo& info,
                 Prompter& prompter, const BackupProgress& progress = {});
// Puts the loaded tables in place of the current ones in one statement and
// drops the replaced ones; refused unless exactly the copy's `tables` were
// loaded. Failures are shown through the connection's Prompter.
Outcome SwapInLoadedCopy(CClient& client, const std::vector<std::string>& tables);

// The whole restore after the question was answered, holding the CopyLock:
// the automatic copy of the current data, the load, the swap and the schema
// ladder. Failures of the connection are shown by it; the others through
// `prompter`.
Outcome RestoreCopy(CClient& client, const BackupServer& server, const std::string& path,
                    const CopyInfo& info, Prompter& prompter, const BackupProgress& progress = {});
// The same for a caller that holds the CopyLock already.
Outcome RestoreCopyHoldingLock(CClient& client, const BackupServer& server, const std::string& path,
                               const CopyInfo& info, Prompter& prompter,
                               const BackupProgress& progress = {});

// The local time `when` in strftime's `format`, as copy names and headers
// write it.
std::string LocalTimeText(std::time_t when, const char* format);

// Automatic copies live in <installation>/copii.
inline constexpr int kAutomaticCopiesKept = 10;
std::string AutomaticCopyFolder(const std::string& installationFolder);
// True when no automatic copy of the day of `when` exists yet.
bool AutomaticCopyDue(const std::string& installationFolder, std::time_t when);
// Saves the day's copy into copii/ and keeps only the last ten (under the CopyLock).
Outcome SaveAutomaticCopy(const BackupServer& server, std::time_t when, Prompter& prompter);
// The copy made just before a restore, also in copii/, kept ten deep apart
// from the daily ones, under a name of its own to the millisecond that never
// replaces another file; its failure message says the restore did not begin.
// The caller holds the CopyLock.
Outcome SaveCopyBeforeRestore(const BackupServer& server, std::time_t when, Prompter& prompter);
// Removes the oldest copies named `prefix`YYYYMMDD-HHMM.sql.gz beyond `keep`.
void PruneCopies(const std::string& folder, const std::string& prefix, int keep);
// The copies named `prefix`YYYYMMDD-HHMM.sql.gz in `folder`, oldest first.
std::vector<std::string> ListCopies(const std::string& folder, const std::string& prefix);
