#include "update/UpdateSetting.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "domain/TextNumbers.h"

namespace fs = std::filesystem;

namespace {

// A settings file is a few lines; anything larger is not one of ours.
constexpr std::uintmax_t kSettingsFileLimit = 64 * 1024;

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Dot-separated labels of letters, digits and inner hyphens (an IPv4 address
// is one too).
bool IsHostName(std::string_view host) {
    if (host.empty() || host.size() > 253) return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = host.find('.', start);
        const std::string_view label = host.substr(
            start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        for (char c : label)
            if (!IsHostCharacter(c)) return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

bool IsBracketedIpv6(std::string_view host) {
    if (host.size() < 4 || host.front() != '[' || host.back() != ']') return false;
    for (char c : host.substr(1, host.size() - 2))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == ':' || c == '.'))
            return false;
    return true;
}

bool IsPort(std::string_view port) {
    if (port.empty() || port.size() > 5) return false;
    long value = 0;
    for (char c : port) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

bool IsThisMachine(std::string_view host) {
    return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

}  // namespace

std::optional<std::string> ParseUpdateServiceAddress(std::string_view text) {
    std::string address = Lower(text);
    if (!address.empty() && address.back() == '/') address.pop_back();
    const std::size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string::npos) return std::nullopt;
    const std::string scheme = address.substr(0, schemeEnd);
    if (scheme != "https" && scheme != "http") return std::nullopt;
    const std::string_view authority = std::string_view(address).substr(schemeEnd + 3);
    // The port follows the last ':' outside an IPv6 address's brackets.
    const std::size_t bracket = authority.rfind(']');
    const std::size_t colon = authority.rfind(':');
    const bool hasPort =
        colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket);
    const std::string_view host = hasPort ? authority.substr(0, colon) : authority;
    if (hasPort && !IsPort(authority.substr(colon + 1))) return std::nullopt;
    if (!IsHostName(host) && !IsBracketedIpv6(host)) return std::nullopt;
    // Plain http would let anyone on the way hand us the installer we start.
    if (scheme == "http" && !IsThisMachine(host)) return std::nullopt;
    return address;
}

std::string UpdateServiceAddress(const std::string& installationFolder) {
    const fs::path file = fs::path(installationFolder) / kInstallationSettingsFile;
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > kSettingsFileLimit ||
        error)
        return kUpdateServiceBase;
    std::ifstream in(file, std::ios::binary);
    std::string address = kUpdateServiceBase;
    std::string raw;
    while (std::getline(in, raw)) {
        const std::string line = TrimBlanks(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        if (TrimBlanks(std::string_view(line).substr(0, equals)) != kUpdateServiceKey) continue;
        if (auto parsed =
                ParseUpdateServiceAddress(TrimBlanks(std::string_view(line).substr(equals + 1))))
            address = std::move(*parsed);
    }
    return address;
}
