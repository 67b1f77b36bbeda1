#include "dbf/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    return ".tmp" + std::to_string(seed) + "-" + std::to_string(counter++);
}

#ifndef _WIN32
// "." + name + ".tmp" + digits + "-" + digits: the temporary names of `name`.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string start = "." + name + ".tmp";
    if (entry.compare(0, start.size(), start) != 0) return false;
    const std::string tail = entry.substr(start.size());
    const std::size_t dash = tail.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (i != dash && (tail[i] < '0' || tail[i] > '9')) return false;
    return true;
}

// Removes what killed writers of `target` left: regular files of ours under its temporary
// names that nobody holds locked. A link or another user's file under such a name is left
// as it is (never followed).
void RemoveAbandonedTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string entryName = entry.path().filename().string();
        if (!IsTemporaryOf(entryName, name)) continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry.path().c_str());
        ::close(fd);
    }
}
#endif

std::string SystemText(int code) {
    return std::generic_category().message(code);
}

#ifndef _WIN32
// The rename itself must reach the disk too, or a crash could bring back the old name.
void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
#endif

}  // namespace

ReplacingFile::ReplacingFile(std::string finalPath) : m_finalPath(std::move(finalPath)) {}

ReplacingFile::~ReplacingFile() {
    Abandon();
}

bool ReplacingFile::Open(std::string* error) {
    const fs::path target(m_finalPath);
    if (target.filename().empty()) {
        if (error) *error = "nume de fisier lipsa: " + m_finalPath;
        return false;
    }
#ifndef _WIN32
    RemoveAbandonedTemporaries(target);
#endif
    // A few attempts in case another writer picked the same temporary name.
    for (int attempt = 0; attempt < 16 && !m_file; ++attempt) {
        fs::path temp = target.parent_path() / ("." + target.filename().string() + UniqueSuffix());
        m_file = std::fopen(temp.string().c_str(), "wbx");
        if (m_file) m_tempPath = temp.string();
        if (!m_file && errno != EEXIST) break;
    }
    if (!m_file) {
        if (error) *error = "nu se poate crea fisierul " + m_finalPath + ": " + SystemText(errno);
        return false;
    }
#ifndef _WIN32
    // Held on a descriptor of its own, so the lock outlives the closing of the file
    // until the rename.
    m_lockFd = ::dup(::fileno(m_file));
    if (m_lockFd >= 0) ::flock(m_lockFd, LOCK_EX);
#endif
    std::setvbuf(m_file, nullptr, _IOFBF, kBufferSize);
    m_errno = 0;
    return true;
}

bool ReplacingFile::Write(const char* data, std::size_t size) {
    if (!m_file || m_errno != 0) return false;
    if (std::fwrite(data, 1, size, m_file) != size) m_errno = errno != 0 ? errno : EIO;
    return m_errno == 0;
}

void ReplacingFile::StartWriteback() {
#ifdef __linux__
    if (!m_file || m_errno != 0) return;
    // A failed flush is a failed write, reported by Commit like any other.
    if (std::fflush(m_file) != 0) {
        m_errno = errno != 0 ? errno : EIO;
        return;
    }
    ::sync_file_range(::fileno(m_file), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool ReplacingFile::Commit(std::string* error) {
    if (!m_file) {
        if (error) *error = "fisierul " + m_finalPath + " nu a fost deschis";
        return false;
    }
    if (m_errno == 0 && std::fflush(m_file) != 0) m_errno = errno != 0 ? errno : EIO;
#ifndef _WIN32
    if (m_errno == 0 && ::fsync(::fileno(m_file)) != 0) m_errno = errno != 0 ? errno : EIO;
#endif
    if (std::fclose(m_file) != 0 && m_errno == 0) m_errno = errno != 0 ? errno : EIO;
    m_file = nullptr;
    if (m_errno != 0) {
        if (error) *error = "scrierea in " + m_finalPath + " a esuat: " + SystemText(m_errno);
        Abandon();
        return false;
    }
    std::error_code renameError;
    fs::rename(m_tempPath, m_finalPath, renameError);
    if (renameError) {
        if (error) *error = "nu se poate inlocui " + m_finalPath + ": " + renameError.message();
        Abandon();
        return false;
    }
    m_tempPath.clear();
    Unlock();
#ifndef _WIN32
    SyncFolder(fs::path(m_finalPath).parent_path());
#endif
    return true;
}

void ReplacingFile::Unlock() {
#ifndef _WIN32
    if (m_lockFd >= 0) ::close(m_lockFd);
#endif
    m_lockFd = -1;
}

void ReplacingFile::Abandon() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    if (!m_tempPath.empty()) {
        std::error_code ignored;
        fs::remove(m_tempPath, ignored);
        m_tempPath.clear();
    }
    Unlock();
}
