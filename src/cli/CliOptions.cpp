#include "cli/CliOptions.h"

#include <iostream>

namespace {

const CliOption* Find(std::span<const CliOption> table, std::string_view name) {
    for (const CliOption& option : table)
        if (option.name == name) return &option;
    return nullptr;
}

}  // namespace

std::string ReadCliOptions(const CliArgs& args, std::size_t first, std::span<const CliOption> table,
                           const CliArgumentTaker& takeArgument) {
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (!takeArgument) return "optiune necunoscuta: " + arg;
            if (std::string why = takeArgument(arg); !why.empty()) return why;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const CliOption* option = Find(table, name);
        // A switch takes no value, not even "--name=".
        if (!option || (option->isSet && equals != std::string::npos))
            return "optiune necunoscuta: " + arg;
        if (option->isSet) {
            *option->isSet = true;
            continue;
        }
        std::string value;
        if (equals != std::string::npos)
            value = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        if (value.empty()) return "lipseste valoarea pentru " + name;
        *option->value = std::move(value);
    }
    return {};
}

int CliReport::Fail(const std::string& why, int status) const {
    std::cerr << "orvik-cli " << m_name << ": " << why << "\n";
    return status;
}

int CliReport::Usage(const std::string& why) const {
    return Fail(why + "\n" + UsageText());
}
