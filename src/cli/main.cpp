#include <iostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "domain/ProgramVersion.h"

std::map<std::string, CliCommand>& CliCommands() {
    static std::map<std::string, CliCommand> commands;
    return commands;
}

namespace {

constexpr std::string_view kHelp = "--help";

// A command's usage written for "utilizare: orvik-cli ", re-indented for the
// list of every command: its other forms under its first, explanations deeper.
void ListUsage(std::ostream& out, const std::string& usage) {
    std::istringstream lines(usage);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos) continue;
        const std::string text = line.substr(start);
        if (first)
            out << "  orvik-cli " << text << "\n";
        else if (text.rfind("orvik-cli ", 0) == 0)
            out << "  " << text << "\n";
        else
            out << "      " << text << "\n";
        first = false;
    }
}

int PrintUsage(std::ostream& out, int status) {
    out << "utilizare:\n";
    for (const auto& [name, command] : CliCommands()) ListUsage(out, command.usage);
    out << "  orvik-cli COMANDA --help\n"
           "  orvik-cli --version\n";
    return status;
}

// Asked for on purpose: on stdout, exit status 0.
int PrintCommandHelp(const CliCommand& command) {
    std::string usage = command.usage;
    while (!usage.empty() && usage.back() == '\n') usage.pop_back();
    std::cout << "utilizare: orvik-cli " << usage << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return PrintUsage(std::cerr, 2);
    const std::string_view first = argv[1];
    if (first == kHelp) return PrintUsage(std::cout, 0);
    if (first == "--version") {
        std::cout << "orvik-cli (Orvik Asigurati) " << kProgramVersion << "\n";
        return 0;
    }
    auto found = CliCommands().find(argv[1]);
    if (found == CliCommands().end()) {
        std::cerr << "orvik-cli: comanda necunoscuta: " << argv[1] << "\n";
        return PrintUsage(std::cerr, 2);
    }
    const CliArgs args(argv + 2, argv + argc);
    for (const std::string& arg : args)
        if (arg == kHelp) return PrintCommandHelp(found->second);
    return found->second.run(args);
}
