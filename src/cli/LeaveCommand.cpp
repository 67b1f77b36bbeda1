// orvik-cli leave files: the files A1 and A2 of one medical-leave declaration,
// as the leave window's save button writes them; their paths on stdout, one
// per line. orvik-cli leave print: the printed declaration (Anexa 1 and
// Anexa 2) into a PDF file, its path on stdout. Messages on stderr. Exit
// status: 0 done, 2 bad usage, no installation or server, no such
// declaration, a file that could not be written, or A1/A2 files already in
// the folder (each named; nothing is written unless --replace is given: an
// initial and a rectifying declaration of a month have the same names).
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "domain/ProgramVersion.h"
#include "domain/TextNumbers.h"
#include "health/AnnexFiles.h"
#include "leave/LeaveFiles.h"
#include "leave/PrintedDeclaration.h"
#include "print/PagePrinter.h"
#include "print/PainterBackend.h"

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "leave files --cf COD --month AAAALL [--rectif N] --dir FOLDER [--replace] "
    "[--installation FOLDER]\n"
    "    --replace: inlocuieste fisierele A1 si A2 aflate deja in folder\n"
    "  orvik-cli leave print --cf COD --month AAAALL [--rectif N] --pdf FISIER "
    "[--installation FOLDER]";

struct Options {
    std::string action;
    std::optional<std::string> cf, month, rectif, dir, pdf, installation;
    bool replace = false;
};

const CliReport kReport{"leave", kUsage};

// The action, then "--name value" or "--name=value"; an empty text when they make sense.
std::string ParseOptions(const CliArgs& args, Options& o) {
    if (args.empty()) return "comanda lipsa";
    o.action = args[0];
    if (o.action != "files" && o.action != "print") return "comanda necunoscuta: " + o.action;
    const CliOption table[] = {{.name = "--cf", .value = &o.cf},
                               {.name = "--month", .value = &o.month},
                               {.name = "--rectif", .value = &o.rectif},
                               {.name = "--dir", .value = &o.dir},
                               {.name = "--pdf", .value = &o.pdf},
                               {.name = "--installation", .value = &o.installation},
                               {.name = "--replace", .isSet = &o.replace}};
    if (std::string why = ReadCliOptions(args, 1, table); !why.empty()) return why;
    if (!o.cf || !AllDigits(*o.cf)) return "lipseste --cf COD (numai cifre)";
    if (!o.month || !ParseAnnexMonth(*o.month)) return "luna trebuie sa fie de forma AAAALL";
    if (o.rectif && !AllDigits(*o.rectif)) return "--rectif trebuie sa fie un numar";
    if (o.action == "files" && (!o.dir || o.pdf)) return "leave files cere --dir FOLDER";
    if (o.action == "print" && (!o.pdf || o.dir)) return "leave print cere --pdf FISIER";
    if (o.action == "print" && o.replace) return "--replace este al comenzii leave files";
    return {};
}

// The declaration the options name; 0 after saying why there is none.
long long FindNamed(CliSession& session, const Options& o) {
    const long long number = o.rectif ? TextToInteger(*o.rectif) : 0;
    const auto index = FindDeclarationIndex(session.Client(), *o.cf, *o.month, number);
    if (!index) return 0;
    if (*index == 0) {
        const std::string kind = number > 0
                                     ? "declaratia rectificativa nr. " + std::to_string(number)
                                     : "declaratia initiala";
        kReport.Fail("societatea " + *o.cf + " nu are " + kind + " pentru luna " + *o.month);
    }
    return *index;
}

int WriteFiles(CliSession& session, const Options& o, const std::string& folder) {
    const long long index = FindNamed(session, o);
    if (index == 0) return 2;
    const auto written =
        WriteLeaveFiles(session.Client(), *o.cf, index, folder,
                        o.replace ? ExistingFilesRule::Replace : ExistingFilesRule::Refuse);
    if (!written) return 2;
    std::cout << written->a1Path << "\n" << written->a2Path << "\n";
    return 0;
}

int PrintPdf(CliSession& session, const Options& o, const std::string& pdf) {
    const long long index = FindNamed(session, o);
    if (index == 0) return 2;
    // Asked before drawing: the printer only finds out page by page. An earlier
    // file of the name is removed, so it cannot pass for the new one.
    if (!std::ofstream(pdf, std::ios::binary | std::ios::app))
        return kReport.Fail("nu se poate scrie fisierul " + pdf);
    std::error_code error;
    fs::remove(pdf, error);
    PagePrinter printer(session.GetPrompter(), PdfFileChooser(pdf));
    if (!PrintLeaveDeclaration(session.Client(), index, printer, kProgramVersion)) return 2;
    if (fs::file_size(pdf, error) == 0 || error)
        return kReport.Fail("nu s-a putut scrie fisierul " + pdf);
    std::cout << pdf << "\n";
    return 0;
}

int RunLeave(const CliArgs& args) {
    Options options;
    const std::string why = ParseOptions(args, options);
    if (!why.empty()) return kReport.Usage(why);
    std::string problem;
    // Paths are made absolute before the session moves into the installation.
    std::optional<std::string> target;
    if (options.dir) {
        target = PrepareOutputFolder(*options.dir, problem);
        if (!target) return kReport.Fail(problem);
    } else {
        std::error_code error;
        const fs::path pdf = fs::absolute(*options.pdf, error);
        if (error || pdf.filename().empty())
            return kReport.Fail("nu se poate folosi fisierul " + *options.pdf);
        if (!PrepareOutputFolder(pdf.parent_path().string(), problem)) return kReport.Fail(problem);
        target = pdf.string();
    }
    CliSession session("orvik-cli leave");
    if (!session.Open(options.installation, problem))
        return problem.empty() ? 2 : kReport.Fail(problem);
    if (options.action == "files") return WriteFiles(session, options, *target);
    // Fonts need a GUI application; a PDF needs no display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvik-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    return PrintPdf(session, options, *target);
}

const CliCommandRegistrar kRegistrar{"leave", kUsage, &RunLeave};

}  // namespace
