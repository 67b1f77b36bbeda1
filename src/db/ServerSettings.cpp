#include "db/ServerSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "domain/TextNumbers.h"

namespace fs = std::filesystem;

namespace {

// An option name as the server reads it: "local-infile" is "local_infile".
std::string OptionName(const std::string& line) {
    std::string name = TrimBlanks(std::string_view(line).substr(0, line.find('=')));
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

// The pool holds the pages one company's month of annex files reads (none
// from disk for 10,000 employees among 60,000; a fuller 32M pool still read
// none but ran slower) and keeps the server under 160 MB after imports,
// copies and restores (bench_server_memory). The server's thread cache stays on (its default):
// without it every restore's connection leaves ~33 MB more behind.
std::vector<std::string> OwnedServerSettings(const std::string& folder) {
    return {"innodb_buffer_pool_size=48M",
            "innodb_log_file_size=16M",
            "innodb_log_buffer_size=1M",
            "key_buffer_size=1M",
            "max_connections=20",
            "performance_schema=OFF",
            "local_infile=0",
            "secure_file_priv=" + folder + "/server/files",
            "tmpdir=" + folder + "/server/tmp"};
}

std::string WithOwnedSettings(const std::string& text, const std::vector<std::string>& settings) {
    std::map<std::string, std::string> wanted;
    for (const auto& s : settings) wanted[OptionName(s)] = s;
    std::vector<std::string> out;
    std::set<std::string> written;
    bool inGroup = false, sawGroup = false, completed = false;
    // The first [mysqld] group gets what it lacks at its end; a later one
    // loses its copies, which would override ours.
    const auto complete = [&] {
        for (const auto& s : settings)
            if (written.insert(OptionName(s)).second) out.push_back(s);
        completed = true;
    };
    for (const std::string& raw : Lines(text)) {
        const std::string line = TrimBlanks(raw);
        if (!line.empty() && line.front() == '[') {
            if (inGroup && !completed) complete();
            inGroup = line == "[mysqld]";
            sawGroup |= inGroup;
        } else if (inGroup && !line.empty() && line[0] != '#' && line[0] != ';') {
            const auto found = wanted.find(OptionName(line));
            if (found != wanted.end()) {
                if (written.insert(found->first).second) out.push_back(found->second);
                continue;
            }
        }
        out.push_back(raw);
    }
    if (inGroup && !completed) complete();
    if (!sawGroup) {
        out.push_back("[mysqld]");
        for (const auto& s : settings) out.push_back(s);
    }
    std::string result;
    for (const auto& line : out) result += line + "\n";
    return result;
}

namespace {

bool MakePrivateFolder(const fs::path& folder, std::string& why) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || ::chmod(folder.c_str(), 0700) != 0) {
        why = "nu se poate pregati folderul " + folder.string();
        return false;
    }
    return true;
}

// Written whole under a name of its own, then put in place in one step: a
// crash leaves the old file or the new one, never half of one.
bool ReplaceFile(const fs::path& path, const std::string& text, std::string& why) {
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
    const fs::path temporary = path.string() + ".nou-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    bool ok = fd >= 0;
    if (ok) {
        ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
             ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
        if (!ok) ::unlink(temporary.c_str());
    }
    if (!ok) why = "nu se poate rescrie " + path.string();
    return ok;
}

}  // namespace

bool UpdateServerSettings(const std::string& folder, std::string& why) {
    const fs::path path = fs::path(folder) / "server/bin/my.cnf";
    // No file of ours: a server the program does not start has nothing to update.
    std::error_code missing;
    if (!fs::exists(path, missing)) return true;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "nu se poate citi " + path.string();
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    if (!MakePrivateFolder(fs::path(folder) / "server/files", why) ||
        !MakePrivateFolder(fs::path(folder) / "server/tmp", why))
        return false;
    const std::string updated = WithOwnedSettings(text, OwnedServerSettings(folder));
    return updated == text || ReplaceFile(path, updated, why);
}
