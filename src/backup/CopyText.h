#pragma once
#include <string>

#include <zlib.h>

// The text of a copy file, line by line, in bounded memory: a line longer
// than kMaxCopyLine and a text expanding far beyond what real data gives
// (a small file unpacking to gigabytes) stop the reading.
class CopyText {
public:
    enum class Got { Line, End, TooLong, TooBig, Broken };

    // Only a regular file is read: a FIFO or a device would never end.
    explicit CopyText(const std::string& path);
    ~CopyText();
    CopyText(const CopyText&) = delete;
    CopyText& operator=(const CopyText&) = delete;

    bool Opened() const { return m_in != nullptr; }
    // False for a file that is not gzip data.
    bool Compressed() const;
    // The next line with its line end; the last one may lack it.
    Got Next(std::string& line);
    long long Expanded() const { return m_expanded; }
    long long Limit() const { return m_limit; }

private:
    bool Fill();

    gzFile m_in = nullptr;
    std::string m_buffer;
    std::size_t m_at = 0;
    long long m_expanded = 0;
    long long m_limit = 0;
    bool m_failed = false;
};
