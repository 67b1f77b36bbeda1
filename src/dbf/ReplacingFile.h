#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// A file written under a temporary name in the folder of its final name and moved over that
// name only once everything reached the disk. Until Commit succeeds, the final name shows
// either nothing or the complete file that was there before; a failed or abandoned write
// removes its temporary file. The temporary file is locked while it is written, so the
// temporary files of a writer that was killed (unlocked) are removed by the next write of
// the same name, and those of a writer still at work are left alone.
class ReplacingFile {
public:
    explicit ReplacingFile(std::string finalPath);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Open(std::string* error);
    bool Write(const char* data, std::size_t size);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Hands what was written so far to the disk without waiting for it, so the sync in
    // Commit finds little left to do. Only a hint: nothing fails when it cannot.
    void StartWriteback();
    // Flushes, syncs and closes the temporary file, then renames it over the final name.
    bool Commit(std::string* error);

private:
    void Abandon();
    void Unlock();

    std::string m_finalPath;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    int m_lockFd = -1;  // holds the lock on the temporary file until it is renamed or removed
    int m_errno = 0;  // first failure of a write, kept for the message
};
