#pragma once
#include <deque>
#include <optional>
#include <string>

#include "base/Prompter.h"

// A Prompter for tests: it is told, in order, every text the code under test
// must show or ask, with the answer to give. Any other text, a text out of
// order, or an expectation left unmet at the end fails the current test.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() = default;
    ~ScriptedPrompter() override;

    // A message of any kind.
    ScriptedPrompter& ExpectMessage(const std::string& text);
    // A message that must also be of `kind` (its icon).
    ScriptedPrompter& ExpectMessage(const std::string& text, MessageKind kind);
    ScriptedPrompter& ExpectQuestion(const std::string& text, bool answer);
    ScriptedPrompter& ExpectFolderChoice(std::optional<std::string> folder);
    ScriptedPrompter& ExpectFileChoice(std::optional<std::string> file);
    // A save dialog that must propose `proposed`; `file` is the user's answer.
    ScriptedPrompter& ExpectSaveChoice(const std::string& proposed,
                                       std::optional<std::string> file);

    // Fails the test when expectations remain; called by the destructor too.
    void VerifyDone();
    bool AllShown() const { return m_expected.empty(); }

    void ShowMessage(const std::string& text, MessageKind kind) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& proposed,
                                              const std::string& filter) override;

private:
    enum class Kind { Message, Question, Folder, File, Save };
    struct Expected {
        Kind kind;
        std::string text;
        bool answer = false;
        std::optional<std::string> path;
        std::optional<MessageKind> messageKind;
    };
    Expected Next(Kind kind, const std::string& text);

    std::deque<Expected> m_expected;
    bool m_verified = false;
};
