#include "health/RemovableMedia.h"

#include <fstream>
#include <iterator>

namespace {

// The kernel writes blanks, tabs, newlines and backslashes of a mount point
// as three octal digits after a backslash.
std::string DecodeMountField(std::string_view field) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                decoded += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 +
                                             (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        decoded += field[i];
    }
    return decoded;
}

// Strictly inside one of the desktop's media folders, not the folder itself.
bool IsMediaMount(const std::string& path) {
    for (std::string_view root : {std::string_view("/media/"), std::string_view("/run/media/")})
        if (path.size() > root.size() && path.compare(0, root.size(), root) == 0) return true;
    return false;
}

}  // namespace

std::optional<std::string> FirstRemovableMedium(std::string_view mountTable) {
    std::size_t start = 0;
    while (start < mountTable.size()) {
        std::size_t end = mountTable.find('\n', start);
        if (end == std::string_view::npos) end = mountTable.size();
        const std::string_view line = mountTable.substr(start, end - start);
        start = end + 1;
        // device, mount point, type, ...: the mount point is the second field.
        const std::size_t first = line.find(' ');
        if (first == std::string_view::npos) continue;
        const std::size_t second = line.find(' ', first + 1);
        const std::string path = DecodeMountField(
            line.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                    : second - first - 1));
        if (IsMediaMount(path)) return path;
    }
    return std::nullopt;
}

std::optional<std::string> FindRemovableMedium() {
    std::ifstream in("/proc/self/mounts", std::ios::binary);
    if (!in) return std::nullopt;
    const std::string table{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return FirstRemovableMedium(table);
}
