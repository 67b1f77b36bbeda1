// Writing, checking and loading the copy files.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "backup/Backup.h"
#include "backup/ChildProcess.h"
#include "backup/CopyFormat.h"

namespace {

constexpr const char* kDatabases[] = {"asigurati", "concedii", "nomenc"};
constexpr long long kProgressStep = 1 << 20;
const char* const kUnchanged = "\nDatele actuale au ramas neschimbate.";

BackupResult Failed(std::string message) {
    BackupResult result;
    result.message = std::move(message);
    return result;
}

std::string MissingTool(const std::string& name) {
    return "Lipseste programul " + name +
           " (din pachetul mariadb-client), cu care se fac copiile de siguranta.";
}

// One line with its line end; false at the end of the data or on an error.
bool ReadLine(gzFile in, std::string& line) {
    line.clear();
    char buffer[1 << 16];
    while (gzgets(in, buffer, sizeof buffer)) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') return true;
    }
    return !line.empty();
}

// The schema version of the data, read with the same tool and login.
std::optional<std::string> ReadVersion(const BackupServer& server,
                                       const ClientDefaultsFile& defaults, std::string& message) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb");
    if (tool.empty()) {
        message = MissingTool("mariadb");
        return std::nullopt;
    }
    ChildProcess child;
    if (!child.Start(tool,
                     {defaults.Argument(), "--default-character-set=latin1", "-N", "-B", "-e",
                      "SELECT setare FROM asigurati.setari WHERE denumire='versiune'"},
                     ChildProcess::Pipe::Output)) {
        message = "Programul " + tool + " nu a putut fi pornit.";
        return std::nullopt;
    }
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(child.Fd(), buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    child.ClosePipe();
    if (!child.Wait()) {
        message = "Serverul de baze de date nu raspunde: " + child.ErrorText();
        return std::nullopt;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.empty() || text.find('\n') != std::string::npos) {
        message = "Versiunea datelor nu poate fi citita din asigurati.setari.";
        return std::nullopt;
    }
    return text;
}

std::vector<std::string> DumpArguments(const ClientDefaultsFile& defaults) {
    // One snapshot of all three databases; no CREATE DATABASE, so a restore
    // decides where the tables go. Table locks add nothing to InnoDB and
    // would be one more statement naming a table.
    std::vector<std::string> arguments = {defaults.Argument(), "--single-transaction",
                                          "--routines",        "--default-character-set=latin1",
                                          "--no-create-db",    "--skip-comments",
                                          "--skip-add-locks",  "--skip-disable-keys",
                                          "--no-autocommit",   "--databases"};
    for (const char* db : kDatabases) arguments.emplace_back(db);
    return arguments;
}

// Streams the dump into the compressed file; `message` empty when all went well.
void CopyDump(ChildProcess& dump, gzFile out, const BackupProgress& progress,
              CompanyCounter& counter, std::string& message) {
    std::FILE* in = ::fdopen(dump.TakeFd(), "r");
    char* line = nullptr;
    std::size_t capacity = 0;
    ssize_t n;
    long long done = 0, reported = 0;
    while (in && (n = ::getline(&line, &capacity, in)) > 0) {
        counter.Feed(std::string_view(line, static_cast<std::size_t>(n)));
        if (gzwrite(out, line, static_cast<unsigned>(n)) != n) {
            message = "Copia nu poate fi scrisa (discul este plin sau nu permite scrierea).";
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

// Writing into a loader that ended must fail with EPIPE, not end the program.
class PipeSignalBlock {
public:
    PipeSignalBlock() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~PipeSignalBlock() {
        const timespec none{0, 0};
        while (sigtimedwait(&m_pipe, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }

private:
    sigset_t m_pipe, m_previous;
};

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

BackupResult SaveCopy(const BackupServer& server, const std::string& path, std::time_t when,
                      const BackupProgress& progress) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb-dump");
    if (tool.empty()) return Failed(MissingTool("mariadb-dump"));
    ClientDefaultsFile defaults(server.host, server.port, server.login, server.password);
    if (!defaults.Ok()) return Failed("Nu se poate crea un fisier temporar.");
    std::string message;
    const auto version = ReadVersion(server, defaults, message);
    if (!version) return Failed("Copia nu a putut fi facuta.\n" + message);

    // Written beside the final name and renamed when complete, so a copy that
    // failed half-way never stands under the name of a good one.
    const std::string partial = path + ".partial";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return Failed("Fisierul " + path + " nu poate fi creat: " + std::strerror(errno));
    gzFile out = gzdopen(::dup(fd), "wb6");
    if (!out) {
        ::close(fd);
        ::unlink(partial.c_str());
        return Failed("Fisierul " + path + " nu poate fi creat.");
    }
    gzbuffer(out, 1 << 18);
    gzputs(out, CopyHeaderLine({*version, LocalTimeText(when, "%Y-%m-%d %H:%M")}).c_str());

    ChildProcess dump;
    CompanyCounter counter;
    if (!dump.Start(tool, DumpArguments(defaults), ChildProcess::Pipe::Output)) {
        message = "Programul " + tool + " nu a putut fi pornit.";
    } else {
        if (progress.childStarted) progress.childStarted(dump.Pid());
        CopyDump(dump, out, progress, counter, message);
        if (!dump.Wait() && message.empty())
            message = "Copia nu a putut fi facuta: " + dump.ErrorText();
    }
    const bool written = FinishFile(out, fd, CopyTrailerLine(counter.Count()));
    if (message.empty() && !written) message = "Copia nu a putut fi scrisa in " + path + ".";
    if (message.empty() && std::rename(partial.c_str(), path.c_str()) != 0)
        message = "Copia nu a putut fi pusa sub numele " + path + ": " + std::strerror(errno);
    if (!message.empty()) {
        ::unlink(partial.c_str());
        return Failed(message);
    }
    BackupResult result;
    result.ok = true;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f && std::fseek(f, 0, SEEK_END) == 0) result.fileSize = std::ftell(f);
    if (f) std::fclose(f);
    return result;
}

std::optional<CopyInfo> InspectCopy(const std::string& path, std::string& message) {
    const std::string notACopy = "Fisierul " + path +
                                 " nu este o copie de siguranta facuta de Orvik Asigurati." +
                                 kUnchanged;
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in) {
        message = "Fisierul " + path + " nu poate fi deschis." + kUnchanged;
        return std::nullopt;
    }
    std::string line;
    const bool read = ReadLine(in, line);
    const auto header = read && !gzdirect(in) ? ParseCopyHeader(line) : std::nullopt;
    if (!header) {
        gzclose(in);
        message = notACopy;
        return std::nullopt;
    }
    CopyInfo info{header->version, header->date, 0, 0};
    std::string last;
    while (ReadLine(in, line)) {
        info.textSize += static_cast<long long>(line.size());
        last.swap(line);
    }
    int error = Z_OK;
    gzerror(in, &error);
    gzclose(in);
    const auto companies = ParseCopyTrailer(last);
    if ((error != Z_OK && error != Z_STREAM_END) || !companies) {
        message = "Copia " + path + " este incompleta sau deteriorata si nu poate fi restaurata." +
                  kUnchanged;
        return std::nullopt;
    }
    info.companies = *companies;
    return info;
}

BackupResult LoadCopy(const BackupServer& server, const std::string& path, const CopyInfo& info,
                      const BackupProgress& progress) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb");
    if (tool.empty()) return Failed(MissingTool("mariadb") + kUnchanged);
    ClientDefaultsFile defaults(server.host, server.port, server.login, server.password);
    if (!defaults.Ok())
        return Failed(std::string("Nu se poate crea un fisier temporar.") + kUnchanged);
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in) return Failed("Fisierul " + path + " nu poate fi deschis." + kUnchanged);
    gzbuffer(in, 1 << 18);

    PipeSignalBlock noPipeSignal;
    ChildProcess loader;
    if (!loader.Start(tool, {defaults.Argument(), "--default-character-set=latin1"},
                      ChildProcess::Pipe::Input)) {
        gzclose(in);
        return Failed("Programul " + tool + " nu a putut fi pornit." + kUnchanged);
    }
    if (progress.childStarted) progress.childStarted(loader.Pid());
    std::string line;
    long long done = 0, reported = 0;
    bool fed = false;  // up to the trailer: the file may have changed since it was checked
    bool more = ReadLine(in, line);  // the header is ours, not the server's
    DumpStager stager;
    while (more && ReadLine(in, line)) {
        done += static_cast<long long>(line.size());
        if (ParseCopyTrailer(line)) {
            fed = true;
            break;
        }
        more = WriteAll(loader.Fd(), stager.Feed(line));
        if (progress.progress && done - reported >= kProgressStep) {
            progress.progress(done, info.textSize);
            reported = done;
        }
    }
    gzclose(in);
    // The keys left out of the tables are added once all rows are in.
    if (fed) fed = WriteAll(loader.Fd(), stager.Finish());
    loader.ClosePipe();
    const bool loaded = loader.Wait();
    if (!loaded || !fed) {
        const std::string why = loader.ErrorText();
        return Failed("Copia nu a putut fi incarcata" + (why.empty() ? "." : ": " + why) +
                      kUnchanged);
    }
    if (progress.progress) progress.progress(info.textSize, info.textSize);
    BackupResult result;
    result.ok = true;
    return result;
}
