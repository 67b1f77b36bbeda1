// Save and restore of an installation holding 100 companies, 50,000 insured
// persons and 600,000 monthly sums, against servers of its own: prints the
// time of each step and the size of the copy.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "../tests/backup/BackupInstallation.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
    BackupInstallation source, target;
    if (!source.Ready() || !target.Ready()) {
        std::fprintf(stderr, "the servers did not start\n");
        return 1;
    }
    FillData(source.Client(), 100, 50000, 600000);
    const std::string copy = source.Folder() + "/bench.sql.gz";

    auto start = std::chrono::steady_clock::now();
    MessageLog log;
    const bool saved = SaveCopy(source.Server(), copy, std::time(nullptr), log).Ok();
    const double saveTime = Seconds(start);
    if (!saved) return std::fprintf(stderr, "%s", log.All().c_str()), 1;

    start = std::chrono::steady_clock::now();
    const auto info = InspectCopy(copy, log);
    const double checkTime = Seconds(start);
    if (!info) return std::fprintf(stderr, "%s", log.All().c_str()), 1;
    start = std::chrono::steady_clock::now();
    const bool restored = RestoreCopy(target.Client(), target.Server(), copy, *info, log).Ok();
    const double restoreTime = Seconds(start);
    if (!restored) return std::fprintf(stderr, "%s", log.All().c_str()), 1;

    std::printf("save     %.2f s  copy %.1f MB (text %.1f MB)\n", saveTime,
                static_cast<double>(std::filesystem::file_size(copy)) / 1048576.0,
                info->textSize / 1048576.0);
    std::printf("check    %.2f s\n", checkTime);
    std::printf("restore  %.2f s  (copy of the data it replaced, load, swap, ladder)\n",
                restoreTime);
    return 0;
}
