#pragma once
// What the files of src/backup share and nobody else needs.
#include <ctime>
#include <string>

#include "backup/Backup.h"

inline constexpr const char* kUnchanged = "\nDatele actuale au ramas neschimbate.";

// A copy or a load that failed: its reason shown as an error, and the flow stops.
inline Outcome Failed(Prompter& prompter, const std::string& message) {
    prompter.ShowMessage(message, MessageKind::Error);
    return Outcome::Stopped();
}

inline std::string MissingTool(const std::string& name) {
    return "Lipseste programul " + name +
           " (din pachetul mariadb-client), cu care se fac copiile de siguranta.";
}

// SaveCopy without taking the lock: for callers that hold it already. Why
// it failed, ready to be shown; empty when the copy was written. With
// `noReplace` an existing file under `path` is never replaced (the copy
// fails with EEXIST in `existed`).
std::string WriteCopy(const BackupServer& server, const std::string& path, std::time_t when,
                      const BackupProgress& progress, bool noReplace = false,
                      bool* existed = nullptr);
