#pragma once
// What the files of src/backup share and nobody else needs.
#include <ctime>
#include <string>

#include "backup/Backup.h"

inline constexpr const char* kUnchanged = "\nDatele actuale au ramas neschimbate.";

inline BackupResult Failed(std::string message) {
    BackupResult result;
    result.message = std::move(message);
    return result;
}

inline std::string MissingTool(const std::string& name) {
    return "Lipseste programul " + name +
           " (din pachetul mariadb-client), cu care se fac copiile de siguranta.";
}

// SaveCopy without taking the lock: for callers that hold it already. With
// `noReplace` an existing file under `path` is never replaced (the copy
// fails with EEXIST in `existed`).
BackupResult WriteCopy(const BackupServer& server, const std::string& path, std::time_t when,
                       const BackupProgress& progress, bool noReplace = false,
                       bool* existed = nullptr);
