#include "update/UpdateAnswer.h"

#include "domain/TextNumbers.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<VersionAnswer> ParseVersionAnswer(std::string_view answer) {
    if (answer.size() < 16) return std::nullopt;
    const std::string_view number = answer.substr(0, 5);
    int dots = 0;
    for (char c : number) {
        if (c == '.')
            ++dots;
        else if (!IsDigit(c))
            return std::nullopt;
    }
    if (dots > 1 || dots == 5) return std::nullopt;
    long long size = 0;
    // Ten digits at most, so the size always fits.
    for (char c : answer.substr(6, 10)) {
        if (!IsDigit(c)) return std::nullopt;
        size = size * 10 + (c - '0');
    }
    VersionAnswer result;
    result.number = std::string(number);
    result.version = StripLeadingZeros(number);
    result.size = size;
    return result;
}

bool IsNewerVersion(const VersionAnswer& answer, std::string_view runningVersion) {
    return TextToReal(answer.number) > TextToReal(runningVersion);
}

std::string VersionQuery(std::string_view runningVersion) {
    return "action=vers&type=ASG&ver=" + std::string(runningVersion);
}

std::string DownloadQuery(std::string_view newVersion, std::string_view runningVersion) {
    return "action=get_vers_update&type=ASG&value=" + std::string(newVersion) +
           "&ver=" + std::string(runningVersion);
}

std::string InstallerFileName(std::string_view newVersion) {
    return "Instalare_Orvik_Asigurati_" + std::string(newVersion) + ".exe";
}

std::string ProgressText(long long done, long long size) {
    return "Se descarca kitul de instalare (" + IntegerToText(done, true) + " / " +
           IntegerToText(size, true) + ")";
}

namespace DownloadFailure {

std::string NoVersion() {
    return "serviciul de actualizari nu a raspuns cu versiunea noua.";
}

std::string NotServed(int httpStatus) {
    std::string text = "serviciul de actualizari nu a trimis kitul de instalare";
    if (httpStatus > 0) text += " (raspuns HTTP " + std::to_string(httpStatus) + ")";
    return text + ".";
}

std::string CannotWrite(std::string_view path) {
    return "fisierul " + std::string(path) + " nu poate fi scris.";
}

std::string Stalled() {
    return "serviciul de actualizari nu a mai trimis nimic.";
}

std::string Broken(long long done, long long size) {
    return "legatura s-a intrerupt; s-au primit " + IntegerToText(done, true) + " din " +
           IntegerToText(size, true) + " octeti.";
}

std::string TooLong(long long size) {
    return "s-au primit mai multi octeti decat cei " + IntegerToText(size, true) + " anuntati.";
}

}  // namespace DownloadFailure
