#pragma once
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

// An exclusive lock on a folder for as long as the object lives, between the
// processes of the program that work on one installation (the program and
// orvik-cli). Waits for the holder; released by the system should the
// holder die.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~FolderLock() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    // Makes a rename inside the folder survive a power cut.
    bool Sync() const { return m_fd >= 0 && ::fsync(m_fd) == 0; }

private:
    int m_fd;
};
