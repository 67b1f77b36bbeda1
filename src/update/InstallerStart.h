#pragma once
#include <functional>
#include <string>

// Replaces the running program by the downloaded installer. Returns only when
// that failed, with the C library's error number (8 for an empty file, which
// is not a program). Injected where the program would otherwise end, so tests
// see what would have been started.
using InstallerStarter = std::function<int(const std::string& path)>;

// Gives the file its execute bit (the download wrote a plain file), then
// overlays this process with it, the path being the whole command line.
int StartInstallerInPlace(const std::string& path);

// Adds the execute bit wherever the file can be read. False with errno set.
bool MakeExecutable(const std::string& path);
