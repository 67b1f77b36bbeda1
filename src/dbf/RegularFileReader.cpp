#include "dbf/RegularFileReader.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <cstdio>
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

RegularFileReader::~RegularFileReader() {
    Close();
}

#ifdef _WIN32

bool RegularFileReader::Open(const std::string& path, std::string* error) {
    Close();
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed))
        return Fail(error, "fisierul " + path + " nu este un fisier obisnuit");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Fail(error, "fisierul " + path + " nu poate fi deschis");
    m_file = file;
    m_size = std::filesystem::file_size(path, failed);
    return true;
}

std::size_t RegularFileReader::Read(char* into, std::size_t size) {
    return m_file ? std::fread(into, 1, size, static_cast<std::FILE*>(m_file)) : 0;
}

void RegularFileReader::Close() {
    if (m_file) std::fclose(static_cast<std::FILE*>(m_file));
    m_file = nullptr;
}

#else

bool RegularFileReader::Open(const std::string& path, std::string* error) {
    Close();
    // Non-blocking, so opening a FIFO nobody writes to returns at once instead of waiting.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Fail(error, "fisierul " + path + " nu poate fi deschis");
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Fail(error, "fisierul " + path + " nu este un fisier obisnuit");
    }
    // A regular file ignores the flag, but reads should wait for the disk as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

std::size_t RegularFileReader::Read(char* into, std::size_t size) {
    std::size_t done = 0;
    while (m_fd >= 0 && done < size) {
        const ssize_t got = ::read(m_fd, into + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void RegularFileReader::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

#endif
