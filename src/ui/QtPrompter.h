#pragma once
#include "db/Prompter.h"

class QWidget;

// Message boxes and file dialogs for the core's questions.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;

private:
    QWidget* m_parent;
};
