#include <iostream>

#include "cli/CliCommand.h"

std::map<std::string, CliCommand>& CliCommands() {
    static std::map<std::string, CliCommand> commands;
    return commands;
}

static int PrintUsage() {
    std::cerr << "utilizare:\n";
    for (const auto& [name, command] : CliCommands()) std::cerr << "  orvik-cli " << command.usage << "\n";
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 2) return PrintUsage();
    auto found = CliCommands().find(argv[1]);
    if (found == CliCommands().end()) {
        std::cerr << "orvik-cli: comanda necunoscuta: " << argv[1] << "\n";
        return PrintUsage();
    }
    return found->second.run(CliArgs(argv + 2, argv + argc));
}
