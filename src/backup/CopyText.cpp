#include "backup/CopyText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "backup/CopyReader.h"

namespace {

constexpr std::size_t kChunk = 1 << 18;
// Copies of real data are compressed a few times over; any text is allowed
// up to the floor, beyond it at most this many times the file.
constexpr long long kExpandedFloor = 256LL << 20;
constexpr long long kMaxRatio = 100;

}  // namespace

CopyText::CopyText(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    m_limit = std::max(kExpandedFloor, kMaxRatio * static_cast<long long>(info.st_size));
    m_in = gzdopen(fd, "rb");
    if (!m_in) {
        ::close(fd);
        return;
    }
    gzbuffer(m_in, kChunk);
}

CopyText::~CopyText() {
    if (m_in) gzclose(m_in);
}

bool CopyText::Compressed() const {
    return m_in && !gzdirect(m_in);
}

bool CopyText::Fill() {
    if (m_failed || !m_in) return false;
    m_buffer.erase(0, m_at);
    m_at = 0;
    const std::size_t had = m_buffer.size();
    m_buffer.resize(had + kChunk);
    const int got = gzread(m_in, m_buffer.data() + had, kChunk);
    m_buffer.resize(had + static_cast<std::size_t>(std::max(got, 0)));
    if (got < 0) m_failed = true;
    if (got > 0) m_expanded += got;
    return got > 0;
}

CopyText::Got CopyText::Next(std::string& line) {
    line.clear();
    std::size_t searched = m_at;
    for (;;) {
        const char* start = m_buffer.data() + searched;
        const void* end = std::memchr(start, '\n', m_buffer.size() - searched);
        if (end) {
            const std::size_t stop = static_cast<const char*>(end) - m_buffer.data() + 1;
            line.assign(m_buffer, m_at, stop - m_at);
            m_at = stop;
            return Got::Line;
        }
        searched = m_buffer.size();
        if (searched - m_at > kMaxCopyLine) return Got::TooLong;
        if (m_expanded > m_limit) return Got::TooBig;
        const std::size_t pending = searched - m_at;  // Fill moves the unread part to the front
        if (!Fill()) break;
        searched = pending;
    }
    int error = Z_OK;
    if (m_in) gzerror(m_in, &error);
    if (m_failed || (error != Z_OK && error != Z_STREAM_END)) return Got::Broken;
    if (m_at < m_buffer.size()) {
        line.assign(m_buffer, m_at, std::string::npos);
        m_at = m_buffer.size();
        return Got::Line;
    }
    return Got::End;
}
