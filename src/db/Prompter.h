#pragma once
#include <optional>
#include <string>

// Everything the program shows or asks goes through this seam, so core flows
// never open a window and tests can answer questions with a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void ShowMessage(const std::string& text) = 0;  // modal OK box
    virtual bool AskYesNo(const std::string& text) = 0;     // Yes = true
    virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
    virtual std::optional<std::string> ChooseOpenFile(const std::string& filter) = 0;
};
