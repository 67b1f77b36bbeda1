#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <stdlib.h>

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvik-dbf-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Output and exit status of a shell command.
struct CommandResult {
    std::string output;
    int status = -1;
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    result.status = pclose(pipe);
    return result;
}

inline std::string QuoteForShell(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Builds dBase files byte by byte, so the reader can be fed what no writer of ours makes.
struct DbfBytes {
    struct Field {
        std::string name;
        char type;
        int length;
    };

    static std::string Header(std::uint32_t records, int headerLength, int recordLength,
                              const std::vector<Field>& fields) {
        std::string bytes(32, '\0');
        bytes[0] = 3;
        for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
        bytes[8] = static_cast<char>(headerLength & 0xFF);
        bytes[9] = static_cast<char>(headerLength >> 8);
        bytes[10] = static_cast<char>(recordLength & 0xFF);
        bytes[11] = static_cast<char>(recordLength >> 8);
        for (const Field& field : fields) {
            std::string block(32, '\0');
            block.replace(0, std::min<std::size_t>(field.name.size(), 11), field.name, 0, 11);
            block[11] = field.type;
            block[16] = static_cast<char>(field.length);
            bytes += block;
        }
        return bytes + '\x0D';
    }

    // A header that agrees with its fields.
    static std::string Header(std::uint32_t records, const std::vector<Field>& fields) {
        int recordLength = 1;
        for (const Field& field : fields) recordLength += field.length;
        return Header(records, 32 * static_cast<int>(fields.size()) + 33, recordLength, fields);
    }
};
