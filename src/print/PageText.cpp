#include "print/PageText.h"

std::string NormaliseLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\n') {
            out += '\n';
            if (next == '\r') ++i;
        } else if (c == '\r') {
            if (next == '\n') {
                out += '\n';
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

namespace {

void WrapParagraph(const std::string& paragraph, int maxWidth,
                   const std::function<int(const std::string&)>& width,
                   std::vector<std::string>& lines) {
    std::string line;
    size_t pos = 0;
    while (pos < paragraph.size()) {
        const size_t start = paragraph.find_first_not_of(' ', pos);
        if (start == std::string::npos) break;
        size_t end = paragraph.find(' ', start);
        if (end == std::string::npos) end = paragraph.size();
        const std::string word = paragraph.substr(start, end - start);
        pos = end;
        if (line.empty()) {
            line = word;
        } else if (width(line + " " + word) <= maxWidth) {
            line += " " + word;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    lines.push_back(line);  // an empty paragraph is an empty line
}

}  // namespace

std::vector<std::string> WrapLines(const std::string& text, int maxWidth,
                                   const std::function<int(const std::string&)>& width) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitLines(text))
        WrapParagraph(paragraph, maxWidth, width, lines);
    return lines;
}

std::string CutToWidth(const std::string& line, int maxWidth,
                       const std::function<int(const std::string&)>& width, bool goesOn) {
    if (!goesOn && width(line) <= maxWidth) return line;
    // Wider starts are never narrower: the longest start that fits with the
    // mark is found by halving.
    std::size_t fits = 0;
    std::size_t tooLong = line.size() + 1;
    if (width(kCutMark) > maxWidth) return std::string();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (width(line.substr(0, middle) + kCutMark) <= maxWidth)
            fits = middle;
        else
            tooLong = middle;
    }
    std::string start = line.substr(0, fits);
    while (!start.empty() && start.back() == ' ') start.pop_back();
    return start + kCutMark;
}
