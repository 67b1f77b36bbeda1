#pragma once
// Runs orvik-cli as a script would: its stdout, stderr and exit status.
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "../dbf/DbfTestSupport.h"

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs orvik-cli in `folder`; `environment` is set before it.
inline CliResult RunCli(const std::string& arguments, const std::string& folder = "/tmp",
                        const std::string& environment = "") {
    TempFolder errors;
    const std::string command = "cd " + QuoteForShell(folder) + " && " + environment + " " +
                                QuoteForShell(ORVIK_CLI) + " " + arguments + " 2>" +
                                QuoteForShell(errors.File("err"));
    CliResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadBytes(errors.File("err"));
    return result;
}

// The test server's installation, named on the command line.
inline std::string TestInstallation() {
    return " --installation " + QuoteForShell(ORVIK_TEST_SERVER_DIR);
}
