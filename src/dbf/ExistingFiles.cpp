#include "dbf/ExistingFiles.h"

#include <filesystem>
#include <system_error>

#include "base/Prompter.h"

namespace fs = std::filesystem;

namespace {

// Inside `folder` a file is named by its place there ("CASAB/1A_0709_12345678.dbf").
std::string ShownName(const std::string& path, const std::string& folder) {
    if (folder.empty()) return path;
    const fs::path relative = fs::path(path).lexically_relative(fs::path(folder));
    if (relative.empty() || *relative.begin() == "..") return path;
    return relative.string();
}

}  // namespace

std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> existing;
    for (const std::string& path : paths) {
        std::error_code error;
        // A link to nothing would be replaced as well: it counts.
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::exists(status)) existing.push_back(path);
    }
    return existing;
}

std::string ReplaceFilesQuestion(const std::string& folder,
                                 const std::vector<std::string>& existing) {
    const bool one = existing.size() == 1;
    std::string text = one ? "Fisierul urmator exista deja in folderul:\n"
                           : "Fisierele urmatoare exista deja in folderul:\n";
    text += folder + "\n";
    for (const std::string& path : existing) text += "\n" + ShownName(path, folder);
    text += one ? "\n\nDoresti sa il inlocuiesti?" : "\n\nDoresti sa le inlocuiesti?";
    text += "\nDaca raspunzi Nu, nu se salveaza niciun fisier.";
    return text;
}

std::vector<std::string> ReplaceFilesRefusal(const std::vector<std::string>& existing) {
    std::vector<std::string> lines;
    for (const std::string& path : existing) lines.push_back("fisierul exista deja: " + path);
    lines.push_back(
        "nu s-a salvat niciun fisier; adauga --replace pentru a inlocui fisierele existente");
    return lines;
}

bool MayWriteFiles(Prompter& prompter, const std::string& folder,
                   const std::vector<std::string>& paths, ExistingFilesRule rule) {
    if (rule == ExistingFilesRule::Replace) return true;
    const std::vector<std::string> existing = ExistingFiles(paths);
    if (existing.empty()) return true;
    if (rule == ExistingFilesRule::Ask)
        return prompter.AskYesNo(ReplaceFilesQuestion(folder, existing));
    for (const std::string& line : ReplaceFilesRefusal(existing)) prompter.ShowMessage(line);
    return false;
}
