#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"

// Keeps what a flow shows, for the test to read; answers No to every question.
class MessageLog : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override { shown.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    // Every message, a line break between two, for assertions and their output.
    std::string All() const {
        std::string all;
        for (const std::string& text : shown) all += (all.empty() ? "" : "\n") + text;
        return all;
    }
    std::vector<std::string> shown;
};
