#pragma once
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "base/Prompter.h"

// Keeps the messages of work done on a worker thread or under the wait
// cursor, in the order they came, to be shown afterwards. Nothing is asked
// there: a question is answered No.
class HeldMessages : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind kind) override {
        const std::lock_guard<std::mutex> guard(m_mutex);
        m_messages.emplace_back(text, kind);
    }
    bool AskYesNo(const std::string&) override { return false; }
    [[nodiscard]] std::optional<std::string> ChooseFolder(const std::string&) override {
        return {};
    }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }

    // Shows what was kept through `prompter` and forgets it.
    void ShowThrough(Prompter& prompter) {
        std::vector<std::pair<std::string, MessageKind>> messages;
        {
            const std::lock_guard<std::mutex> guard(m_mutex);
            messages = std::exchange(m_messages, {});
        }
        for (const auto& [text, kind] : messages) prompter.ShowMessage(text, kind);
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<std::string, MessageKind>> m_messages;
};
