#pragma once
#include <optional>
#include <string>
#include <string_view>

// Where the update service lives. An installation may name another one in
// its own settings file, one line "actualizari=https://host[:port]"; nothing
// else (no environment variable) can point the program elsewhere, since what
// the service sends is started as a program.
inline constexpr const char* kUpdateServiceBase = "https://actualizari.orvik.invalid";
inline constexpr const char* kInstallationSettingsFile = "orvik.conf";
inline constexpr const char* kUpdateServiceKey = "actualizari";

// `text` as "scheme://host[:port]" in lower case, or nothing when it is not
// exactly such an address: https to any host, plain http only to this
// machine (127.0.0.1, localhost, [::1]), no path, user or query.
[[nodiscard]] std::optional<std::string> ParseUpdateServiceAddress(std::string_view text);

// The service named by the last well-formed "actualizari=" line of the
// settings file in `installationFolder`. Malformed lines are ignored; with no
// file, no such line or a file that is not a small regular file, the
// built-in address.
std::string UpdateServiceAddress(const std::string& installationFolder);
