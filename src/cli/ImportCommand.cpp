// orvik-cli import: the two imports of employees without the window. One line
// per record not taken whole ("FILE<TAB>N<TAB>MESSAGE", N its place in the
// file from 1), then a summary line, on stdout; messages on stderr. Exit
// status: 0 every record taken, 1 some refused or the save stopped (what came
// before stays saved), 2 bad usage, no server, an unusable file or company
// data that was refused (nothing saved).
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/ReferenceLists.h"
#include "import/ImportFile.h"
#include "import/ImportSave.h"

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "import employees FISIER.dbf | import annex1a FISIER.dbf --cas CASA; optiuni: "
    "[--company-name NUME] [--payment-day ZI] [--next-month] [--installation FOLDER]";

struct Options {
    ImportKind kind = ImportKind::Employees;
    std::string file;
    std::optional<std::string> name;
    std::optional<std::string> day;
    bool nextMonth = false;
    std::optional<std::string> house;
    std::optional<std::string> installation;
};

const CliReport kReport{"import", kUsage};

// Reads the options after the kind and the file; an empty text when they make sense.
std::string ParseOptions(const CliArgs& args, Options& o) {
    const CliOption table[] = {{.name = "--company-name", .value = &o.name},
                               {.name = "--payment-day", .value = &o.day},
                               {.name = "--cas", .value = &o.house},
                               {.name = "--installation", .value = &o.installation},
                               {.name = "--next-month", .isSet = &o.nextMonth}};
    if (std::string why = ReadCliOptions(args, 2, table); !why.empty()) return why;
    if (o.kind == ImportKind::EarlierReport) {
        if (!o.house) return "lipseste --cas CASA";
        if (InsuranceHousePosition(*o.house) < 0)
            return "casa de asigurari necunoscuta: " + *o.house;
    } else if (o.house) {
        return "--cas se foloseste numai cu annex1a";
    }
    return {};
}

// The company block as the window would hold it: a known company keeps what
// is stored, a new one takes the options.
ImportRequest Request(const ImportFile& file, const Options& o) {
    ImportRequest request;
    if (file.StoredCompany()) {
        request.company = *file.StoredCompany();
    } else {
        request.company.denumire = o.name.value_or("");
        request.company.ziuaLic = o.day.value_or("");
        request.company.lunaLic = o.nextMonth ? "1" : "0";
    }
    request.house = o.house.value_or("");
    return request;
}

std::string Summary(const ImportTally& result, const ImportFile& file, const DataList& list) {
    const int rows = list.RowCount();
    // The counts the window's last message gives, on one line.
    std::string text = "inregistrari citite: " + std::to_string(rows) +
                       ", salvate complet: " + std::to_string(result.Count(RowEnd::Taken)) +
                       ", salvate fara sume: " + std::to_string(result.Count(RowEnd::TakenNoSums)) +
                       ", refuzate: " + std::to_string(result.Count(RowEnd::Refused));
    for (std::size_t row = 0; row < result.rows.size(); ++row)
        if (result.rows[row] == RowEnd::Failed)
            text += ", salvarea s-a oprit la inregistrarea " +
                    std::to_string(file.RecordPlace(list, static_cast<int>(row)));
    return text;
}

// Says once, on stderr, that the save waits for another import to end.
class WaitNotice : public ImportProgress {
public:
    explicit WaitNotice(Prompter& prompter) : m_prompter(prompter) {}
    void Start(int) override {}
    bool RowDone(int) override { return true; }
    bool Waiting(int) override {
        if (!m_said) m_prompter.ShowMessage(ImportMessages::kWaitingForOtherImport);
        m_said = true;
        return true;
    }

private:
    Prompter& m_prompter;
    bool m_said = false;
};

int Import(CClient& client, const Options& o, const std::string& path) {
    DataList list;
    ImportFile file(o.kind);
    if (!file.Open(client, path, list)) {
        if (!HasDbfExtension(path)) std::cerr << "fisierul trebuie sa aiba extensia .dbf\n";
        return 2;
    }
    WaitNotice notice(client.GetPrompter());
    ImportTally result;
    const Outcome saved = SaveImport(client, file, list, Request(file, o), result, &notice);
    if (!saved && !result.StoppedPartWay()) return 2;
    for (std::size_t row = 0; row < result.rows.size(); ++row) {
        const RowEnd end = result.rows[row];
        if (end != RowEnd::Refused && end != RowEnd::TakenNoSums) continue;
        std::cout << o.file << '\t' << file.RecordPlace(list, static_cast<int>(row)) << '\t'
                  << list.CellText(static_cast<int>(row), kVerdictColumn) << '\n';
    }
    std::cout << o.file << '\t' << Summary(result, file, list) << '\n';
    std::cout.flush();
    const bool whole =
        saved.Ok() && result.Count(RowEnd::Taken) == static_cast<int>(result.rows.size());
    return whole ? 0 : 1;
}

int RunImport(const CliArgs& args) {
    if (args.size() < 2) return kReport.Usage("lipseste felul importului sau fisierul");
    Options options;
    if (args[0] == "annex1a")
        options.kind = ImportKind::EarlierReport;
    else if (args[0] != "employees")
        return kReport.Usage("import necunoscut: " + args[0]);
    options.file = args[1];
    if (const std::string why = ParseOptions(args, options); !why.empty())
        return kReport.Usage(why);
    // The file is named from where the user stands, before the session moves
    // into the installation.
    std::error_code error;
    const std::string path = fs::absolute(options.file, error).string();
    CliSession session("orvik-cli import");
    std::string why;
    if (!session.Open(options.installation, why)) return why.empty() ? 2 : kReport.Fail(why);
    return Import(session.Client(), options, path);
}

const CliCommandRegistrar kRegistrar{"import", kUsage, &RunImport};

}  // namespace
