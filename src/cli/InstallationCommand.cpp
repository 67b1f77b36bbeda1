// orvik-cli installation create FOLDER [--port PORT]
// Prepares an installation in FOLDER as the program's first start does: the
// server's data, the three databases, the program's own login. An existing
// installation is left exactly as it is (exit 0). The result line on stdout;
// 1 when it could not be made (the server missing, a failed step), 2 bad usage.
#include <iostream>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/InstallationSetup.h"
#include "domain/TextNumbers.h"

namespace {

constexpr const char* kUsage = "installation create FOLDER [--port PORT]";
const CliReport kReport{"installation", kUsage};

int RunInstallation(const CliArgs& args) {
    std::string action, folder;
    std::optional<std::string> port;
    const CliOption table[] = {{.name = "--port", .value = &port}};
    const std::string why = ReadCliOptions(args, 0, table, [&](const std::string& arg) {
        std::string& next = action.empty() ? action : folder;
        if (!next.empty()) return "argument in plus: " + arg;
        next = arg;
        return std::string();
    });
    if (!why.empty()) return kReport.Usage(why);
    if (action != "create" || folder.empty()) return kReport.Fail(kReport.UsageText());
    InstallationRequest request{.folder = folder};
    if (port) {
        const long long number = TextToInteger(*port);
        if (!AllDigits(*port) || number < 1 || number > 65535)
            return kReport.Usage("portul trebuie sa fie un numar intre 1 si 65535: " + *port);
        request.port = static_cast<int>(number);
    }
    const InstallationResult result = CreateInstallation(request);
    switch (result.outcome) {
        case InstallationOutcome::Created:
        case InstallationOutcome::AlreadyThere:
            std::cout << result.message << "\n";
            return 0;
        case InstallationOutcome::ServerMissing:
        case InstallationOutcome::Failed:
            break;
    }
    return kReport.Fail(result.message, 1);
}

const CliCommandRegistrar kRegistrar{"installation", kUsage, &RunInstallation};

}  // namespace
