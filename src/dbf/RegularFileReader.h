#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Reads a file only when it is a regular file: a FIFO, a device (/dev/zero behind a symlink)
// or a folder is refused without waiting on it, since such a "file" has no end to read to.
// The check is made on the opened descriptor, after symlinks were followed, so the name
// cannot be swapped between check and read.
class RegularFileReader {
public:
    RegularFileReader() = default;
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    // False, with the reason in Romanian, when the file cannot be opened or is not regular.
    bool Open(const std::string& path, std::string* error);
    // Size when opened; the file may still change under us, so reads are checked anyway.
    std::uint64_t Size() const { return m_size; }
    // Up to `size` bytes; fewer only at the end of the file or on a read error.
    std::size_t Read(char* into, std::size_t size);

private:
    void Close();

#ifdef _WIN32
    void* m_file = nullptr;
#else
    int m_fd = -1;
#endif
    std::uint64_t m_size = 0;
};
