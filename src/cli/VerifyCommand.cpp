// orvik-cli verify: checks declaration files made by other programs as the verification window
// does, no database needed. For each file, one line per faulty record
// "FILE<TAB>N<TAB>MESSAGE" (N = the record's place in the file, from 1), then one summary line
// "FILE<TAB>verificat: N inregistrari, M eronate", or "FILE<TAB>MESSAGE" with the message that
// refused the file or found nothing to check. Exit status: 0 every file clean (an annex B
// without records included), 1 some record faulty, 2 bad usage or a file refused as a whole
// (not dBase, cut short, wrong layout, no records, a leave annex's employer data); with several
// files the highest wins.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "datalist/DataList.h"
#include "import/VerifyReport.h"

namespace {

int StatusOf(FileStatus status) {
    switch (status) {
        case FileStatus::Clean:
        case FileStatus::Notice:
            return 0;
        case FileStatus::Faulty:
            return 1;
        case FileStatus::Refused:
            break;
    }
    return 2;
}

int VerifyOne(VerifiedKind kind, const std::string& path) {
    DataList list;
    const VerifiedFile file = ReadAndVerify(kind, path, list);
    const auto& rows = file.verdict.rows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].state != RowState::Faulty) continue;
        const std::int64_t place =
            row < file.places.size() ? file.places[row] : static_cast<std::int64_t>(row) + 1;
        std::cout << path << '\t' << place << '\t' << rows[row].message << '\n';
    }
    std::cout << path << '\t' << SummaryLine(file.verdict, list.RowCount()) << '\n';
    return StatusOf(file.verdict.status);
}

constexpr const char* kUsage =
    "verify A|B|C|1|2 FISIER.dbf...\n"
    "  A, B, C: anexele declaratiei de sanatate; 1, 2: anexele declaratiei de concedii medicale";
const CliReport kReport{"verify", kUsage};

int RunVerify(const CliArgs& args) {
    const auto kind = args.empty() ? std::nullopt : VerifiedKindFromName(args[0]);
    if (!kind || args.size() < 2) {
        std::cerr << kReport.UsageText() << "\n";
        return 2;
    }
    // No options: every argument after the kind is a file.
    std::vector<std::string> paths;
    const std::string why = ReadCliOptions(args, 1, {}, [&](const std::string& arg) {
        paths.push_back(arg);
        return std::string();
    });
    if (!why.empty()) return kReport.Usage(why);
    int status = 0;
    for (const std::string& path : paths) status = std::max(status, VerifyOne(*kind, path));
    std::cout.flush();
    return status;
}

const CliCommandRegistrar kRegistrar{"verify", kUsage, &RunVerify};

}  // namespace
