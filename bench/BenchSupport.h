#pragma once
// What the timing programs share: a prompter that prints, a throwaway server
// of their own (the tests' server script), and the clock arithmetic.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "db/InstallationPaths.h"

// Any message means the measured path was not the normal one.
class PrintingPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text, MessageKind) override {
        std::cerr << text << "\n";
        ++m_messages;
    }
    bool AskYesNo(const std::string&) override { return m_answer; }
    std::optional<std::string> ChooseFolder(const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }

    bool m_answer = false;
    int m_messages = 0;
};

// A database server prepared from sql/ in a temporary folder, on a free port
// of 127.0.0.1, stopped and removed with the object.
class ThrowawayServer {
public:
    explicit ThrowawayServer(const std::string& name)
        : m_script(std::string(ORVIK_SOURCE_DIR) + "/tests/support/test-server.sh"),
          m_folder(std::filesystem::temp_directory_path() /
                   ("orvik-" + name + "-" + std::to_string(getpid()))) {
        if (std::system((m_script + " start " + m_folder.string() + " > /dev/null").c_str()) == 0)
            std::ifstream(m_folder / "port") >> m_port;
    }
    ~ThrowawayServer() { Stop(); }
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    // 0 when the server did not start.
    int Port() const { return m_port; }
    // The installation folder the server runs from.
    const std::filesystem::path& Folder() const { return m_folder; }
    // Its port and its own client.cnf, as the program logs in.
    ServerLogin Login() const {
        return InstallationLogin(m_folder.string()).value_or(ServerLogin{});
    }
    bool Stop() {
        if (m_port == 0) return true;
        m_port = 0;
        return std::system((m_script + " stop " + m_folder.string()).c_str()) == 0;
    }

private:
    std::string m_script;
    std::filesystem::path m_folder;
    int m_port = 0;
};

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
