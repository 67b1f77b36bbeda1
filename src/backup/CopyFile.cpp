// Writing the copy files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "backup/BackupInternal.h"
#include "backup/ChildProcess.h"
#include "backup/CopyFormat.h"
#include "backup/CopyLock.h"
#include "backup/CopyReader.h"

namespace {

constexpr const char* kDatabases[] = {"asigurati", "concedii", "nomenc"};
constexpr long long kProgressStep = 1 << 20;

// The lines a query prints, read with the same tool and login.
std::optional<std::vector<std::string>> QueryLines(const BackupServer& server,
                                                   const ClientDefaultsFile& defaults,
                                                   const std::string& sql, std::string& message) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb");
    if (tool.empty()) {
        message = MissingTool("mariadb");
        return std::nullopt;
    }
    ChildProcess child;
    if (!child.Start(tool,
                     {defaults.Argument(), "--default-character-set=latin1", "-N", "-B", "-e", sql},
                     ChildProcess::Pipe::Output, defaults.Fd())) {
        message = "Programul " + tool + " nu a putut fi pornit.";
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(child.Fd(), buffer, sizeof buffer)) > 0 && text.size() < (1 << 20))
        text.append(buffer, static_cast<std::size_t>(n));
    child.ClosePipe();
    if (!child.Wait()) {
        message = "Serverul de baze de date nu raspunde: " + child.ErrorText();
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// The schema version of the data.
std::optional<std::string> ReadVersion(const BackupServer& server,
                                       const ClientDefaultsFile& defaults, std::string& message) {
    const auto lines = QueryLines(
        server, defaults, "SELECT setare FROM asigurati.setari WHERE denumire='versiune'", message);
    if (!lines) return std::nullopt;
    if (lines->size() != 1 || lines->front().empty()) {
        message = "Versiunea datelor nu poate fi citita din asigurati.setari.";
        return std::nullopt;
    }
    return lines->front();
}

// The tables of the three databases that are not the program's: what a
// restore or a killed one left beside them, or anything added by hand. A copy
// holds the program's tables only.
std::optional<std::vector<std::string>> OtherTables(const BackupServer& server,
                                                    const ClientDefaultsFile& defaults,
                                                    std::string& message) {
    const auto lines = QueryLines(server, defaults,
                                  "SELECT CONCAT(table_schema, '.', table_name) FROM "
                                  "information_schema.tables WHERE table_schema IN "
                                  "('asigurati','concedii','nomenc')",
                                  message);
    if (!lines) return std::nullopt;
    const std::vector<std::string> program = ProgramTables();
    const std::set<std::string> ours(program.begin(), program.end());
    std::vector<std::string> others;
    for (const std::string& table : *lines)
        if (!ours.count(table)) others.push_back(table);
    return others;
}

std::vector<std::string> DumpArguments(const ClientDefaultsFile& defaults,
                                       const std::vector<std::string>& leftOut) {
    // One snapshot of all three databases; no CREATE DATABASE, so a restore
    // decides where the tables go. Table locks add nothing to InnoDB and
    // would be one more statement naming a table. No triggers and no
    // routines: a copy is rows and table definitions, nothing that runs.
    // Rows are read up to 4 MB and statements cut near 1 MB, so every line
    // stays far below the longest line a restore takes.
    std::vector<std::string> arguments = {defaults.Argument(),     "--single-transaction",
                                          "--skip-triggers",       "--default-character-set=latin1",
                                          "--no-create-db",        "--skip-comments",
                                          "--skip-add-locks",      "--skip-disable-keys",
                                          "--no-autocommit",       "--max-allowed-packet=4M",
                                          "--net-buffer-length=1M"};
    for (const std::string& table : leftOut) arguments.push_back("--ignore-table=" + table);
    arguments.emplace_back("--databases");
    for (const char* db : kDatabases) arguments.emplace_back(db);
    return arguments;
}

// Streams the dump into the compressed file, judging every line as a restore
// will: a copy this program could not load back is not a copy. `message`
// empty when all went well.
void CopyDump(ChildProcess& dump, gzFile out, const BackupProgress& progress, CopyReader& reader,
              std::string& message) {
    std::FILE* in = ::fdopen(dump.TakeFd(), "r");
    char* line = nullptr;
    std::size_t capacity = 0;
    ssize_t n;
    long long done = 0, reported = 0;
    while (in && (n = ::getline(&line, &capacity, in)) > 0) {
        if (!reader.Feed(std::string_view(line, static_cast<std::size_t>(n)))) {
            message =
                "Copia nu a putut fi facuta: textul scris de mariadb-dump nu ar putea fi "
                "restaurat (" +
                reader.Refusal() + ").";
            break;
        }
        if (gzwrite(out, line, static_cast<unsigned>(n)) != n) {
            message = "Copia nu a putut fi scrisa (discul este plin sau nu permite scrierea).";
            break;
        }
        done += n;
        if (progress.progress && done - reported >= kProgressStep) {
            progress.progress(done, 0);
            reported = done;
        }
    }
    std::free(line);
    if (in) std::fclose(in);  // a dump still running ends on the closed pipe
}

bool FinishFile(gzFile out, int fd, const std::string& trailer) {
    bool ok = gzputs(out, trailer.c_str()) >= 0;
    ok = gzclose(out) == Z_OK && ok;
    ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

// FILE.partial, created new and never through a link. One left by a save
// that was killed is ours by name and removed; anything else under that
// name (another user's link, say) is left alone and the save refused.
int OpenPartial(const std::string& partial, std::string& message) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd =
            ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) return fd;
        if (errno != EEXIST || attempt > 0) break;
        struct stat info {};
        if (::lstat(partial.c_str(), &info) != 0) continue;
        if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || info.st_nlink != 1) {
            message = "Fisierul " + partial +
                      " exista deja si nu este o copie neterminata a programului; sterge-l sau "
                      "alege alt nume.";
            return -1;
        }
        ::unlink(partial.c_str());  // removes the name only, never what it points to
    }
    message = "Fisierul " + partial + " nu poate fi creat: " + std::strerror(errno);
    return -1;
}

// The finished copy under its name: replacing a file there, or with
// `noReplace` never (EEXIST).
bool Publish(const std::string& partial, const std::string& path, bool noReplace) {
    if (!noReplace) return std::rename(partial.c_str(), path.c_str()) == 0;
    if (::renameat2(AT_FDCWD, partial.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: a hard link refuses an existing name too.
    if (::link(partial.c_str(), path.c_str()) != 0) return false;
    ::unlink(partial.c_str());
    return true;
}

}  // namespace

std::string LocalTimeText(std::time_t when, const char* format) {
    std::tm parts{};
    localtime_r(&when, &parts);
    char text[64];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

std::string DefaultCopyName(std::time_t when) {
    return "orvik-copie-" + LocalTimeText(when, "%Y%m%d-%H%M") + ".sql.gz";
}

std::string WriteCopy(const BackupServer& server, const std::string& path, std::time_t when,
                      const BackupProgress& progress, bool noReplace, bool* existed) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb-dump");
    if (tool.empty()) return MissingTool("mariadb-dump");
    ClientDefaultsFile defaults(server.host, server.port, server.login, server.password);
    if (!defaults.Ok()) return "Nu se poate crea un fisier temporar.";
    std::string message;
    const auto version = ReadVersion(server, defaults, message);
    const auto others = version ? OtherTables(server, defaults, message) : std::nullopt;
    if (!others) return "Copia nu a putut fi facuta.\n" + message;

    // Written beside the final name and renamed when complete, so a copy that
    // failed half-way never stands under the name of a good one.
    const std::string partial = path + ".partial";
    const int fd = OpenPartial(partial, message);
    if (fd < 0) return message;
    gzFile out = gzdopen(::dup(fd), "wb6");
    if (!out) {
        ::close(fd);
        ::unlink(partial.c_str());
        return "Fisierul " + path + " nu poate fi creat.";
    }
    gzbuffer(out, 1 << 18);
    gzputs(out, CopyHeaderLine({*version, LocalTimeText(when, "%Y-%m-%d %H:%M")}).c_str());

    ChildProcess dump;
    CopyReader reader(*version);
    if (!dump.Start(tool, DumpArguments(defaults, *others), ChildProcess::Pipe::Output,
                    defaults.Fd())) {
        message = "Programul " + tool + " nu a putut fi pornit.";
    } else {
        if (progress.childStarted) progress.childStarted(dump.Pid());
        CopyDump(dump, out, progress, reader, message);
        if (!dump.Wait() && message.empty())
            message = "Copia nu a putut fi facuta: " + dump.ErrorText();
    }
    const std::string trailer = CopyTrailerLine(reader.Companies());
    if (message.empty() && (!reader.Feed(trailer) || !reader.Finish()))
        message = "Copia nu a putut fi facuta: " + reader.Refusal() + ".";
    const bool complete = FinishFile(out, fd, trailer);
    if (message.empty() && !complete) message = "Copia nu a putut fi scrisa in " + path + ".";
    if (message.empty() && !Publish(partial, path, noReplace)) {
        if (existed) *existed = errno == EEXIST;
        message = "Copia nu a putut fi pusa sub numele " + path + ": " + std::strerror(errno);
    }
    if (!message.empty()) ::unlink(partial.c_str());
    return message;
}

Outcome SaveCopy(const BackupServer& server, const std::string& path, std::time_t when,
                 Prompter& prompter, const BackupProgress& progress) {
    const CopyLock lock(server);
    if (!lock.Held()) return Failed(prompter, "Copia nu a putut fi facuta.\n" + lock.Message());
    const std::string failure = WriteCopy(server, path, when, progress);
    return failure.empty() ? Outcome::Done() : Failed(prompter, failure);
}
