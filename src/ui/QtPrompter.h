#pragma once
#include "base/Prompter.h"

class QWidget;

// Message boxes and file dialogs for the core's questions. They open over the
// window the user is working in (a form or a module panel), the given parent
// only when no window of the program is active.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text, MessageKind kind) override;
    bool AskYesNo(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> ChooseFolder(const std::string& title) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& proposed,
                                              const std::string& filter) override;

    // The window a box opens over: the open modal form, else the active
    // window, else the given parent.
    QWidget* Owner() const;

private:
    QWidget* m_parent;
};
