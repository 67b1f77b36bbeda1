// Runs the domain tests of this program under a process locale whose decimal
// separator is ",", as Qt sets it on a Romanian desktop. Every number text of
// the domain layer must come out exactly as in the "C" locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Debian ships the locale sources in the package "locales"; when no
// comma-decimal locale is installed, one is compiled into the build tree
// with localedef (no root needed) and found through LOCPATH.
const char* const kInstalledCandidates[] = {"ro_RO.UTF-8", "ro_RO.utf8", "ro_RO",
                                            "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};

bool TryInstalledLocale() {
    for (const char* name : kInstalledCandidates) {
        if (std::setlocale(LC_ALL, name) != nullptr) return true;
    }
    return false;
}

bool TryCompiledLocale(std::string& attempt) {
    std::filesystem::path dir = std::filesystem::current_path() / "comma-locale";
    std::filesystem::create_directories(dir);
    std::string target = (dir / "ro_RO.UTF-8").string();
    if (!std::filesystem::exists(target)) {
        attempt = "localedef -i ro_RO -f UTF-8 '" + target + "'";
        // localedef exits non-zero on harmless warnings; the setlocale below decides.
        std::system((attempt + " >/dev/null 2>&1").c_str());
    }
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "ro_RO.UTF-8") != nullptr;
}

class CommaLocaleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string attempt;
        bool ok = TryInstalledLocale() || TryCompiledLocale(attempt);
        ASSERT_TRUE(ok) << "No locale with \",\" as decimal separator could be set or built ("
                        << attempt << "); install the Debian package \"locales\".";
        const char* point = std::localeconv()->decimal_point;
        ASSERT_STREQ(point, ",") << "locale " << std::setlocale(LC_ALL, nullptr);
        // Proof that the locale really bites the C library: strtod stops at ".".
        ASSERT_EQ(std::strtod("1.5", nullptr), 1.0);
        std::printf("domain tests run under locale %s\n", std::setlocale(LC_ALL, nullptr));
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CommaLocaleEnvironment);

}  // namespace
