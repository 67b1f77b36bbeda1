// Checking a copy and loading it beside the current tables.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <functional>

#include "backup/BackupInternal.h"
#include "backup/ChildProcess.h"
#include "backup/CopyFormat.h"
#include "backup/CopyReader.h"
#include "backup/CopyText.h"

namespace {

constexpr long long kProgressStep = 1 << 20;

// Sent before the copy: whatever the server's default, a backslash in a
// quoted value escapes, as the copy was judged.
constexpr const char* kLoaderPreamble = "SET SESSION sql_mode='NO_AUTO_VALUE_ON_ZERO';\n";

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

// Reads the copy from its header to its end through the statement filter,
// handing each line it accepts (the header and trailer excepted) to `take`,
// which may stop the reading by answering false. The message why the copy
// is refused, empty when it was read whole and accepted (or `take` stopped).
std::string ReadCopy(const std::string& path, CopyInfo* info,
                     const std::function<bool(const std::string&)>& take) {
    const std::string unusable = "Copia " + path + " nu poate fi restaurata: ";
    CopyText text(path);
    if (!text.Opened()) return "Fisierul " + path + " nu poate fi deschis." + kUnchanged;
    std::string line;
    CopyText::Got got = text.Next(line);
    const auto header =
        got == CopyText::Got::Line && text.Compressed() ? ParseCopyHeader(line) : std::nullopt;
    if (!header)
        return "Fisierul " + path + " nu este o copie de siguranta facuta de Orvik Asigurati." +
               kUnchanged;
    CopyReader reader(header->version);
    long long size = 0;
    while ((got = text.Next(line)) == CopyText::Got::Line) {
        size += static_cast<long long>(line.size());
        if (!reader.Feed(line)) break;
        if (!reader.Ended() && !take(line)) return {};
    }
    if (got == CopyText::Got::TooLong)
        return unusable + "linia " + std::to_string(reader.LineNumber() + 1) + " este prea lunga." +
               kUnchanged;
    if (got == CopyText::Got::TooBig)
        return unusable + "textul ei trece de " + std::to_string(text.Limit() >> 20) +
               " MB, mult peste cat ocupa datele programului." + kUnchanged;
    if (got != CopyText::Got::Broken && !reader.Refused()) reader.Finish();
    if (got == CopyText::Got::Broken || reader.CutShort())
        return "Copia " + path + " este incompleta sau deteriorata si nu poate fi restaurata." +
               kUnchanged;
    if (reader.Refused()) return unusable + reader.Refusal() + "." + kUnchanged;
    if (info)
        *info = CopyInfo{header->version, header->date, reader.Companies(), size, reader.Tables()};
    return {};
}

}  // namespace

std::optional<CopyInfo> InspectCopy(const std::string& path, Prompter& prompter) {
    CopyInfo info;
    const std::string refused = ReadCopy(path, &info, [](const std::string&) { return true; });
    if (refused.empty()) return info;
    prompter.ShowMessage(refused);
    return std::nullopt;
}

Outcome LoadCopy(const BackupServer& server, const std::string& path, const CopyInfo& info,
                 Prompter& prompter, const BackupProgress& progress) {
    const std::string tool = FindClientTool(server.installationFolder, "mariadb");
    if (tool.empty()) return Failed(prompter, MissingTool("mariadb") + kUnchanged);
    ClientDefaultsFile defaults(server.host, server.port, server.login, server.password);
    if (!defaults.Ok())
        return Failed(prompter, std::string("Nu se poate crea un fisier temporar.") + kUnchanged);

    PipeSignalBlock noPipeSignal;
    ChildProcess loader;
    // No file of this machine may be read through the load, and no client
    // command runs (the copy was judged to hold none; this is the second lock).
    if (!loader.Start(tool,
                      {defaults.Argument(), "--default-character-set=latin1", "--local-infile=0",
                       "--loose-sandbox"},
                      ChildProcess::Pipe::Input, defaults.Fd()))
        return Failed(prompter, "Programul " + tool + " nu a putut fi pornit." + kUnchanged);
    if (progress.childStarted) progress.childStarted(loader.Pid());
    bool fed = WriteAll(loader.Fd(), kLoaderPreamble);
    long long done = 0, reported = 0;
    DumpStager stager;
    // Judged again while loading: the file may have changed since it was checked.
    const std::string refused = ReadCopy(path, nullptr, [&](const std::string& line) {
        done += static_cast<long long>(line.size());
        fed = fed && WriteAll(loader.Fd(), stager.Feed(line));
        if (progress.progress && done - reported >= kProgressStep) {
            progress.progress(done, info.textSize);
            reported = done;
        }
        return fed;
    });
    // The keys left out of the tables are added once all rows are in.
    if (refused.empty() && fed) fed = WriteAll(loader.Fd(), stager.Finish());
    // Nothing of a refused copy may run, not even the statement under way.
    if (!refused.empty()) ::kill(loader.Pid(), SIGKILL);
    loader.ClosePipe();
    const bool loaded = loader.Wait();
    if (!refused.empty()) return Failed(prompter, refused);
    if (!loaded || !fed) {
        const std::string why = loader.ErrorText();
        return Failed(prompter, "Copia nu a putut fi incarcata" + (why.empty() ? "." : ": " + why) +
                                    kUnchanged);
    }
    if (progress.progress) progress.progress(info.textSize, info.textSize);
    return Outcome::Done();
}
