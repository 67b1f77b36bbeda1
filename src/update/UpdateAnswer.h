#pragma once
#include <optional>
#include <string>
#include <string_view>

// The update service's side of the exchange, as plain text: the queries we
// send, the fixed-layout version answer we read back, and the texts built from
// it. No network here, so every rule is tested on its own.

// What the service said about the newest release.
struct VersionAnswer {
    std::string number;   // characters 1-5 as sent, "02.10"
    std::string version;  // the same without leading zeros, "2.10"
    long long size = 0;   // the installer's size in bytes
};

// The first bytes of the answer: characters 1-5 the newest version (digits
// and "."), character 6 a separator, characters 7-16 the installer's size in
// digits. Anything else (an error page, a short or garbled answer) is no
// answer at all, so a stray page never announces a release.
[[nodiscard]] std::optional<VersionAnswer> ParseVersionAnswer(std::string_view answer);

// The announced version against the running one, both read as numbers:
// "02.10" is newer than "2.08", "2.08" is not.
bool IsNewerVersion(const VersionAnswer& answer, std::string_view runningVersion);

std::string VersionQuery(std::string_view runningVersion);
std::string DownloadQuery(std::string_view newVersion, std::string_view runningVersion);

// The installer's file name inside the program's folder.
std::string InstallerFileName(std::string_view newVersion);

// "Se descarca kitul de instalare (1.000 / 734.003)".
std::string ProgressText(long long done, long long size);

// Why a download stopped, as the dialog says it after "Descarcarea a esuat: ".
namespace DownloadFailure {
std::string NoVersion();
std::string NotServed(int httpStatus);
std::string CannotWrite(std::string_view path);
std::string Stalled();
std::string Broken(long long done, long long size);
std::string TooLong(long long size);
}  // namespace DownloadFailure
