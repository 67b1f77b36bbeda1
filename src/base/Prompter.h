#pragma once
#include <optional>
#include <string>

// What a message is, so the box shows the matching icon: a database error,
// input refused or an operation that cannot go on, or a plain notice.
enum class MessageKind { Information, Warning, Error };

// Everything the program shows or asks goes through this seam, so core flows
// never open a window and tests can answer questions with a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Modal OK box. Most messages refuse something, hence the default.
    virtual void ShowMessage(const std::string& text, MessageKind kind = MessageKind::Warning) = 0;
    // Yes = true. "No" is the default answer (Enter and Escape give it), so a
    // question that destroys data is never confirmed by a stray key press.
    virtual bool AskYesNo(const std::string& text) = 0;
    [[nodiscard]] virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
    virtual std::optional<std::string> ChooseOpenFile(const std::string& filter) = 0;
    // A save dialog proposing `proposed` (folder and name), both of which the user may change.
    // Where no one can answer, nothing is chosen.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& proposed,
                                                      const std::string& filter) {
        (void)proposed;
        (void)filter;
        return std::nullopt;
    }
};
