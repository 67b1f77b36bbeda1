// The manual's sources against the program: every message the manual quotes
// is one the program shows, byte for byte, and every link inside the manual
// leads to a chapter anchor that exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = ORVIK_SOURCE_DIR;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of the string literals of C++ source, neighbours joined as the
// compiler joins them, escapes resolved and carriage returns dropped (the
// manual shows a message's lines, not its line ends).
std::vector<std::string> Literals(const std::string& code) {
    std::vector<std::string> found;
    std::string current;
    bool open = false;  // a literal ended and only blanks followed so far
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '/' && i + 1 < code.size() && code[i + 1] == '/') {
            i = code.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (c == '\'') {  // a character literal, such as '"'
            const size_t end = code.find('\'', i + (code[i + 1] == '\\' ? 3 : 2));
            if (end == std::string::npos) break;
            i = end;
            continue;
        }
        if (c == '"') {
            for (++i; i < code.size() && code[i] != '"'; ++i) {
                if (code[i] != '\\') {
                    current += code[i];
                    continue;
                }
                const char e = code[++i];
                if (e == 'n')
                    current += '\n';
                else if (e != 'r')
                    current += e;
            }
            open = true;
            continue;
        }
        if (open && !std::isspace(static_cast<unsigned char>(c))) {
            found.push_back(current);
            current.clear();
            open = false;
        }
    }
    if (open) found.push_back(current);
    return found;
}

std::vector<std::string> ProgramTexts() {
    std::vector<std::string> texts;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / "src")) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h") continue;
        for (auto& t : Literals(ReadAll(entry.path()))) texts.push_back(std::move(t));
    }
    return texts;
}

// The messages quoted in a chapter: each block of "> " lines, a line ending
// in a backslash continuing the message on the next line, a lone ">" the
// blank line between two paragraphs of it.
std::vector<std::string> QuotedMessages(const std::string& markdown) {
    std::vector<std::string> messages;
    std::string current;
    bool inQuote = false;
    std::istringstream lines(markdown);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(">", 0) != 0) {
            if (inQuote) messages.push_back(current);
            current.clear();
            inQuote = false;
            continue;
        }
        inQuote = true;
        std::string text = line.size() > 1 ? line.substr(2) : "";
        if (line == ">") {
            current += "\n\n";
            continue;
        }
        const bool continues = !text.empty() && text.back() == '\\';
        if (continues) text.pop_back();
        for (const auto& [from, to] : std::map<std::string, std::string>{
                 {"&lt;", "<"}, {"&gt;", ">"}, {"\\*", "*"}, {"\\_", "_"}}) {
            for (size_t at; (at = text.find(from)) != std::string::npos;)
                text.replace(at, from.size(), to);
        }
        current += text;
        if (continues) current += '\n';
    }
    if (inQuote) messages.push_back(current);
    return messages;
}

std::vector<fs::path> Chapters() {
    std::vector<fs::path> chapters;
    for (const auto& entry : fs::directory_iterator(kSource / "doc" / "manual"))
        if (entry.path().extension() == ".md") chapters.push_back(entry.path());
    return chapters;
}

TEST(ManualText, EveryQuotedMessageIsTheProgramsOwnByteForByte) {
    const auto program = ProgramTexts();
    const auto messages = QuotedMessages(ReadAll(kSource / "doc/manual/mesaje.md"));
    ASSERT_GT(messages.size(), 50u);
    for (const std::string& message : messages) {
        bool found = false;
        for (const std::string& text : program) found |= text.find(message) != std::string::npos;
        EXPECT_TRUE(found) << "not a text of the program: \"" << message << "\"";
    }
}

TEST(ManualText, QuotedLinesAreReadAsThePromptShowsThem) {
    const auto messages =
        QuotedMessages("> Prima linie!\\\n> a doua\n>\n> &lt;06&gt; \\*\n\nText\n");
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("Prima linie!\na doua\n\n<06> *", messages[0]);
    const auto literals = Literals("f(\"Un \" // nota\n \"doi\\n\\r\" + x, '\"', \"trei\");");
    EXPECT_EQ((std::vector<std::string>{"Un doi\n", "trei"}), literals);
}

TEST(ManualText, EveryLinkLeadsToAnAnchorThatExists) {
    std::set<std::string> anchors;
    const std::regex heading(R"(^#+ .*\{#([A-Za-z0-9_-]+)\}\s*$)");
    for (const auto& chapter : Chapters()) {
        const std::string page = chapter.stem().string() + ".html";
        anchors.insert(page);
        std::istringstream lines(ReadAll(chapter));
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (std::regex_match(line, m, heading)) anchors.insert(page + "#" + m[1].str());
        }
    }
    const std::regex link(R"(\]\(([^)\s]*)\))");
    for (const auto& chapter : Chapters()) {
        const std::string page = chapter.stem().string() + ".html";
        const std::string text = ReadAll(chapter);
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            std::string target = (*it)[1].str();
            if (target.rfind("images/", 0) == 0) {
                EXPECT_TRUE(fs::exists(kSource / "doc/manual" / target)) << page << ": " << target;
                continue;
            }
            if (target.rfind("#", 0) == 0) target = page + target;
            EXPECT_TRUE(anchors.count(target)) << page << " links to " << target;
        }
    }
}

}  // namespace
