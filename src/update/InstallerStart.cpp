#include "update/InstallerStart.h"

#include <cerrno>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

bool MakeExecutable(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return true;
#else
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;
    mode_t mode = info.st_mode | S_IXUSR;
    if (mode & S_IRGRP) mode |= S_IXGRP;
    if (mode & S_IROTH) mode |= S_IXOTH;
    return chmod(path.c_str(), mode & 07777) == 0;
#endif
}

int StartInstallerInPlace(const std::string& path) {
    if (!MakeExecutable(path)) return errno;
        // On success nothing below runs: the installer is this process now, and
        // the program ends without its leave procedure.
#ifdef _WIN32
    _execl(path.c_str(), path.c_str(), nullptr);
#else
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
#endif
    return errno;
}
