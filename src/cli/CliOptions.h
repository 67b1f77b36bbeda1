#pragma once
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"

// How every command of orvik-cli reads its options. An option is written
// "--name VALUE" or "--name=VALUE" when it takes a value, "--name" alone when it
// is a switch. A value may not be empty: a script that lost a variable on the
// way ("--cf $CF" with CF unset) is told so instead of working on nothing.
// The last of an option given twice counts, so a script may repeat an option
// to change what an earlier part of its command line said.
struct CliOption {
    std::string_view name;                        // "--cf"
    std::optional<std::string>* value = nullptr;  // for an option that takes a value
    bool* isSet = nullptr;                        // for a switch
};

// What a command does with an argument that is not an option (one not
// starting with "--"): an empty text when it took it, otherwise why not.
using CliArgumentTaker = std::function<std::string(const std::string& argument)>;

// Reads args[first..] against `table`. An empty text when every argument was
// read; otherwise why not, for the first one that could not be. Arguments that
// are not options go to `takeArgument`; without one they are refused as
// unknown options.
std::string ReadCliOptions(const CliArgs& args, std::size_t first, std::span<const CliOption> table,
                           const CliArgumentTaker& takeArgument = nullptr);

// What a command prints when it cannot go on: "orvik-cli NAME: WHY" on
// stderr, and the exit status. Bad usage adds how the command is called.
class CliReport {
public:
    static constexpr int kBadUsage = 2;

    CliReport(std::string_view name, std::string_view usage) : m_name(name), m_usage(usage) {}

    int Fail(const std::string& why, int status = kBadUsage) const;
    // `why`, then "utilizare: orvik-cli USAGE"; exit status 2.
    int Usage(const std::string& why) const;
    // "utilizare: orvik-cli USAGE" alone.
    std::string UsageText() const { return "utilizare: orvik-cli " + std::string(m_usage); }

private:
    std::string_view m_name;
    std::string_view m_usage;
};
