#pragma once
#include <string>
#include <vector>

class Prompter;

// The declaration files keep the names their format fixes, so a second save
// of the same month (a rectifying declaration, another house with the legal
// names) lands on the files of the first one. No save replaces a file that is
// already there without being told to: the windows ask once, naming every such
// file; the command line refuses unless it was given --replace.

// What a save does when some of the names it is about to write exist.
enum class ExistingFilesRule {
    Ask,      // the windows: one Yes/No question, "Nu" writes nothing
    Refuse,   // the command line without --replace: one line per file, nothing written
    Replace,  // the command line with --replace, or a question already answered
};

// The paths of `paths` that name something already on disk, in their order.
[[nodiscard]] std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths);

// The windows' question: the folder, then each existing file relative to it.
std::string ReplaceFilesQuestion(const std::string& folder,
                                 const std::vector<std::string>& existing);

// The command line's refusal, one line per existing file and a last line
// saying how to replace them.
std::vector<std::string> ReplaceFilesRefusal(const std::vector<std::string>& existing);

// True when the save may go on writing `paths` into `folder`: none of them
// exists, `rule` is Replace, or the user answered "Da". False after the
// question was answered "Nu" or the refusal was shown; the save writes nothing.
[[nodiscard]] bool MayWriteFiles(Prompter& prompter, const std::string& folder,
                                 const std::vector<std::string>& paths, ExistingFilesRule rule);
