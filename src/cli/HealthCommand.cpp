// orvik-cli health files: the health declaration files 1A, 1B, 1C of one company or of
// every company, for one month, as the step-4 window writes them. One line per file
// written on stdout; messages on stderr. Exit status: 0 every file written, 1 a company
// or house had nothing to write or a file failed (the others are still written),
// 2 bad usage, no installation or server, an unknown company, an unusable folder,
// or files of the same names already there (each named; nothing is written
// unless --replace is given).
// Each employee of the month without sums gets a line on stderr,
// "AVERTISMENT<TAB>CNP<TAB>NUME PRENUME<TAB>fara sume in luna AAAALL", in both
// commands (not for annex 2b, which carries no sums); the status stays as above.
//
// orvik-cli health print: one printed annex 2a, 2b or 2c of a company, month and house
// as a PDF file, the same pages the window prints. The file's path on stdout; exit
// status 0 written, 2 bad usage or anything that kept the file from being written.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/PdfPrinting.h"
#include "datalist/DataList.h"
#include "db/CClient.h"
#include "dbf/ExistingFiles.h"
#include "domain/ProgramVersion.h"
#include "domain/TextNumbers.h"
#include "health/AnnexFiles.h"
#include "health/MissingSums.h"
#include "health/PrintedAnnexes.h"

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "health files (--cf COD | --all-companies) --month AAAALL (--cas CASA | --all) --dir FOLDER "
    "[--legal-names] [--replace] [--installation FOLDER]\n"
    "    --replace: inlocuieste fisierele cu aceleasi nume aflate deja in folder\n"
    "  orvik-cli health print --cf COD --month AAAALL --cas CASA --annex a|b|c --pdf FISIER "
    "[--installation FOLDER]";

// Messages of the core go to stderr, each after the company it concerns when
// several are written.
struct Options {
    std::optional<std::string> cf;
    bool allCompanies = false;
    std::optional<std::string> month;
    std::optional<std::string> house;
    bool allHouses = false;
    std::optional<std::string> dir;
    bool legalNames = false;
    bool replace = false;
    std::optional<std::string> installation;
    std::optional<std::string> annex;
    std::optional<std::string> pdf;
};

const CliReport kReport{"health", kUsage};

// Reads the options; an empty text when they make sense, otherwise why not.
std::string ParseOptions(const CliArgs& args, Options& o) {
    const CliOption table[] = {
        {.name = "--all-companies", .isSet = &o.allCompanies},
        {.name = "--all", .isSet = &o.allHouses},
        {.name = "--legal-names", .isSet = &o.legalNames},
        {.name = "--replace", .isSet = &o.replace},
        {.name = "--cf", .value = &o.cf},
        {.name = "--cas", .value = &o.house},
        {.name = "--installation", .value = &o.installation},
        {.name = "--month", .value = &o.month},
        {.name = "--dir", .value = &o.dir},
        {.name = "--annex", .value = &o.annex},
        {.name = "--pdf", .value = &o.pdf},
    };
    return ReadCliOptions(args, 1, table);
}

// What `health files` needs; an empty text when the options make sense.
std::string CheckFileOptions(const Options& o) {
    if (o.annex || o.pdf) return "--annex si --pdf sunt ale comenzii health print";
    if (o.cf.has_value() == o.allCompanies) return "alege fie --cf COD, fie --all-companies";
    if (o.house.has_value() == o.allHouses) return "alege fie --cas CASA, fie --all";
    if (!o.month) return "lipseste --month AAAALL";
    if (!o.dir) return "lipseste --dir FOLDER";
    if (o.cf && !AllDigits(*o.cf))
        return "codul societatii trebuie sa contina numai cifre: " + *o.cf;
    if (!ParseAnnexMonth(*o.month)) return "luna trebuie sa fie de forma AAAALL: " + *o.month;
    return {};
}

// What `health print` needs: one company, month, house and annex, and the file.
std::string CheckPrintOptions(const Options& o) {
    if (o.allCompanies || o.allHouses || o.dir || o.legalNames || o.replace)
        return "health print tipareste o singura anexa: --cf, --month, --cas, --annex, --pdf";
    if (!o.cf) return "lipseste --cf COD";
    if (!o.month) return "lipseste --month AAAALL";
    if (!o.house) return "lipseste --cas CASA";
    if (!o.annex) return "lipseste --annex a|b|c";
    if (!o.pdf) return "lipseste --pdf FISIER";
    if (!AllDigits(*o.cf)) return "codul societatii trebuie sa contina numai cifre: " + *o.cf;
    if (!ParseAnnexMonth(*o.month)) return "luna trebuie sa fie de forma AAAALL: " + *o.month;
    if (*o.annex != "a" && *o.annex != "b" && *o.annex != "c")
        return "anexa trebuie sa fie a, b sau c: " + *o.annex;
    return {};
}

// One line on stderr for each employee of the month at `house` (every house
// when empty) without sums: the files and pages are still written, but a
// script sees who is missing. False after a failed look-up (shown).
bool WarnMissingSums(CClient& client, const std::string& month, const std::string& cf,
                     const std::string& house) {
    const auto missing = MissingSums(client, month).Find(cf, house);
    if (!missing) return false;
    for (const EmployeeWithoutSums& employee : *missing)
        std::cerr << MissingSumsWarningLine(employee, month) << "\n";
    std::cerr.flush();
    return true;
}

class FilesRun {
public:
    FilesRun(CClient& client, CliPrompter& prompter, const Options& options, AnnexMonth month,
             std::string folder)
        : m_client(client),
          m_files(client, std::move(month)),
          m_prompter(prompter),
          m_options(options),
          m_folder(std::move(folder)) {}

    // Every company's files are named before any is written, so a refusal
    // leaves the folder as it was.
    int Run() {
        std::vector<CompanyFiles> planned;
        int status = Plan(planned);
        if (!m_options.replace && RefusesExisting(planned)) return 2;
        for (const CompanyFiles& files : planned) status = std::max(status, Write(files));
        return status;
    }

private:
    struct CompanyFiles {
        std::string context;
        AnnexCompany company;
        AnnexSaveRequest request;
    };

    int Plan(std::vector<CompanyFiles>& planned) {
        if (!m_options.allCompanies) return Company(*m_options.cf, m_folder, true, planned);
        DataList list;
        if (!m_files.FillCompanies(list)) return 2;
        int status = 0;
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string cf = list.CellText(row, "CF");
            m_prompter.SetContext("societatea " + cf + ": ");
            const std::string folder = (fs::path(m_folder) / cf).string();
            status = std::max(status, Company(cf, folder, false, planned));
        }
        return status;
    }

    // The company and its houses of the month, as the options name them.
    int Company(const std::string& cf, const std::string& folder, bool single,
                std::vector<CompanyFiles>& planned) {
        const auto company = m_files.LoadCompany(cf);
        if (!company) return single ? 2 : 1;
        auto houses = m_files.Houses(cf);
        if (!houses) return 1;
        if (m_options.house) {
            if (std::find(houses->begin(), houses->end(), *m_options.house) == houses->end()) {
                m_prompter.ShowMessage(m_files.NoInsuredMessage(cf, *m_options.house),
                                       MessageKind::Warning);
                return 1;
            }
            houses = std::vector<std::string>{*m_options.house};
        }
        // Existing files were refused or allowed for the whole run already.
        const AnnexSaveRequest request{cf,
                                       *houses,
                                       m_options.allHouses,
                                       folder,
                                       m_options.legalNames ? FileNaming::Legal : FileNaming::House,
                                       ExistingFilesRule::Replace};
        planned.push_back({single ? std::string() : "societatea " + cf + ": ", *company, request});
        return 0;
    }

    // Names each file of the run already on disk; true when there was one.
    bool RefusesExisting(const std::vector<CompanyFiles>& planned) {
        std::vector<std::string> paths;
        for (const CompanyFiles& files : planned)
            for (std::string& path : AnnexSavePaths(files.request, m_files.Month()))
                paths.push_back(std::move(path));
        m_prompter.SetContext("");
        return !MayWriteFiles(m_prompter, m_folder, paths, ExistingFilesRule::Refuse);
    }

    int Write(const CompanyFiles& files) {
        m_prompter.SetContext(files.context);
        const std::string& folder = files.request.folder;
        if (!files.request.houses.empty() &&
            !WarnMissingSums(m_client, m_files.Month().month, files.request.cf,
                             m_options.house.value_or(std::string())))
            return 1;
        std::error_code error;
        if (!files.request.houses.empty()) fs::create_directories(folder, error);
        if (error) {
            m_prompter.ShowMessage(
                "Nu se poate crea folderul " + folder + "!\n\n" + error.message(),
                MessageKind::Warning);
            return 1;
        }
        std::vector<std::string> written;
        const Outcome done = m_files.WriteHouses(files.company, files.request, written);
        for (const std::string& path : written) std::cout << path << "\n";
        std::cout.flush();
        return done ? 0 : 1;
    }

    CClient& m_client;
    AnnexFiles m_files;
    CliPrompter& m_prompter;
    const Options& m_options;
    std::string m_folder;
};

// Connects to the installation's server (starting it when it does not answer),
// runs `work`, and leaves the installation as it was found. Messages carry no
// command name: a batch puts the company it is at before them.
int WithConnection(const Options& options, const std::function<int(CClient&, CliPrompter&)>& work) {
    CliSession session("health");
    session.Messages().SetContext("");
    std::string why;
    if (!session.Open(options.installation, why)) return why.empty() ? 2 : kReport.Fail(why);
    return work(session.Client(), session.Messages());
}

int RunFiles(const Options& options) {
    std::string why;
    const auto folder = PrepareOutputFolder(*options.dir, why);
    if (!folder) return kReport.Fail(why);
    return WithConnection(options, [&](CClient& client, CliPrompter& prompter) {
        return FilesRun(client, prompter, options, *ParseAnnexMonth(*options.month), *folder).Run();
    });
}

PrintedAnnex AnnexOf(const std::string& letter) {
    if (letter == "b") return PrintedAnnex::B;
    if (letter == "c") return PrintedAnnex::C;
    return PrintedAnnex::A;
}

// The annex of a house with employees in the month, drawn into the PDF file.
int PrintAnnex(CClient& client, const Options& o, const std::string& pdf) {
    const AnnexMonth month = *ParseAnnexMonth(*o.month);
    AnnexFiles files(client, month);
    const auto houses = files.Houses(*o.cf);
    if (!houses) return 2;
    if (std::find(houses->begin(), houses->end(), *o.house) == houses->end()) {
        client.GetPrompter().ShowMessage(files.NoInsuredMessage(*o.cf, *o.house));
        return 2;
    }
    PrintedAnnexes annexes(client, month);
    const PrintedAnnex annex = AnnexOf(*o.annex);
    // 2b lists dependants only: no sums to be missing from it.
    if (annex != PrintedAnnex::B && !WarnMissingSums(client, month.month, *o.cf, *o.house))
        return 2;
    const auto header = annexes.LoadHeader(*o.cf, *o.house);
    if (!header) return 2;
    DataList list;
    if (!annexes.FillList(annex, list, *o.cf, *o.house)) return 2;
    if (!annexes.WriteFile(PdfPrinterFactory(), pdf, annex, *header, list, kProgramVersion))
        return 2;
    std::cout << pdf << "\n";
    return 0;
}

int RunPrint(const Options& options) {
    // The file is named from where the tool was started, before it moves.
    std::error_code error;
    const std::string pdf = fs::absolute(*options.pdf, error).string();
    if (error) return kReport.Fail("nu se poate folosi fisierul " + *options.pdf);
    return WithPdfPrinting([&] {
        return WithConnection(options, [&](CClient& client, CliPrompter&) {
            return PrintAnnex(client, options, pdf);
        });
    });
}

int RunHealth(const CliArgs& args) {
    const bool files = !args.empty() && args[0] == "files";
    const bool print = !args.empty() && args[0] == "print";
    if (!files && !print) return kReport.Usage("comanda lipsa sau necunoscuta");
    Options options;
    std::string why = ParseOptions(args, options);
    if (why.empty()) why = files ? CheckFileOptions(options) : CheckPrintOptions(options);
    if (!why.empty()) return kReport.Usage(why);
    return files ? RunFiles(options) : RunPrint(options);
}

const CliCommandRegistrar kRegistrar{"health", kUsage, &RunHealth};

}  // namespace
