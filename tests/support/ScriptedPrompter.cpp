#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {
const char* KindName(int kind) {
    static const char* names[] = {"message", "question", "folder choice", "file choice",
                                  "save choice"};
    return names[kind];
}
}  // namespace

ScriptedPrompter::~ScriptedPrompter() {
    if (!m_verified) VerifyDone();
}

ScriptedPrompter& ScriptedPrompter::ExpectMessage(const std::string& text) {
    m_expected.push_back({Kind::Message, text});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectMessage(const std::string& text, MessageKind kind) {
    m_expected.push_back({Kind::Message, text, false, std::nullopt, kind});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectQuestion(const std::string& text, bool answer) {
    m_expected.push_back({Kind::Question, text, answer});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectFolderChoice(std::optional<std::string> folder) {
    m_expected.push_back({Kind::Folder, "", false, std::move(folder)});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectFileChoice(std::optional<std::string> file) {
    m_expected.push_back({Kind::File, "", false, std::move(file)});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::ExpectSaveChoice(const std::string& proposed,
                                                     std::optional<std::string> file) {
    m_expected.push_back({Kind::Save, proposed, false, std::move(file)});
    return *this;
}

void ScriptedPrompter::VerifyDone() {
    m_verified = true;
    for (const auto& e : m_expected)
        ADD_FAILURE() << "expected " << KindName(static_cast<int>(e.kind)) << " never came: \""
                      << e.text << "\"";
    m_expected.clear();
}

ScriptedPrompter::Expected ScriptedPrompter::Next(Kind kind, const std::string& text) {
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(static_cast<int>(kind)) << ": \"" << text
                      << "\"";
        return {kind, text};
    }
    Expected e = m_expected.front();
    m_expected.pop_front();
    EXPECT_EQ(static_cast<int>(e.kind), static_cast<int>(kind))
        << "expected a " << KindName(static_cast<int>(e.kind)) << " \"" << e.text << "\", got a "
        << KindName(static_cast<int>(kind)) << " \"" << text << "\"";
    if (kind == Kind::Message || kind == Kind::Question || kind == Kind::Save) {
        EXPECT_EQ(e.text, text);
    }
    return e;
}

void ScriptedPrompter::ShowMessage(const std::string& text, MessageKind kind) {
    const Expected e = Next(Kind::Message, text);
    if (e.kind == Kind::Message && e.messageKind) {
        EXPECT_EQ(static_cast<int>(*e.messageKind), static_cast<int>(kind))
            << "kind of the message \"" << text << "\" (0 information, 1 warning, 2 error)";
    }
}

bool ScriptedPrompter::AskYesNo(const std::string& text) {
    return Next(Kind::Question, text).answer;
}

std::optional<std::string> ScriptedPrompter::ChooseFolder(const std::string& title) {
    return Next(Kind::Folder, title).path;
}

std::optional<std::string> ScriptedPrompter::ChooseOpenFile(const std::string& filter) {
    return Next(Kind::File, filter).path;
}

std::optional<std::string> ScriptedPrompter::ChooseSaveFile(const std::string& proposed,
                                                            const std::string&) {
    return Next(Kind::Save, proposed).path;
}
