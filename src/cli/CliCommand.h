#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

// Each command of orvik-cli lives in its own file and registers itself here:
//   static const CliCommandRegistrar kRegistrar{"check", "check cnp|cui|iban VALUE...", &RunCheck};
// The usage is the one its refusals print (after "utilizare: orvik-cli "):
// "orvik-cli COMMAND --help" prints it too, and "orvik-cli --help" lists them all.
using CliArgs = std::vector<std::string>;
using CliRunner = std::function<int(const CliArgs& args)>;

struct CliCommand {
    std::string usage;
    CliRunner run;
};

std::map<std::string, CliCommand>& CliCommands();

struct CliCommandRegistrar {
    CliCommandRegistrar(const std::string& name, const std::string& usage, CliRunner run) {
        CliCommands()[name] = CliCommand{usage, std::move(run)};
    }
};
