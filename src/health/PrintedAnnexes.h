#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "health/AnnexFiles.h"
#include "print/PageBackend.h"
#include "print/PageFile.h"

class CClient;
class DataList;
class PagePrinter;
class Prompter;

// The paper annexes of one company, working month and insurance house: 2a
// (insured persons with their contributions), 2b (co-insured dependants) and
// 2c (the employer's and the employees' contributions per house). Their rows
// come from the same statements as the files 1A, 1B, 1C; the preview list the
// window shows is exactly what the pages print.

enum class PrintedAnnex { A, B, C };

// "2A", "2B", "2C".
const char* PrintedAnnexKind(PrintedAnnex annex);

// The company texts every page header repeats.
struct AnnexPageHeader {
    std::string cf;
    std::string denumire;
    std::string regCom;
    std::string repr;
    std::string house;
    AnnexMonth month;
};

namespace PrintedAnnexMessages {
inline constexpr const char* kSelectHouse =
    "Trebuie sa selectezi o casa de asigurari pentru a tipari raportul!";
inline constexpr const char* kCompanyError = "Eroare #1234";
inline constexpr const char* kBatchDocument = "Orvik Asigurati - Toate anexele";
inline constexpr const char* kTotal = "TOTAL";
inline constexpr const char* kSelectCompany =
    "Trebuie sa selectezi o societate pentru a tipari raportul!";
inline constexpr const char* kNothingToPrint =
    "Societatea selectata nu are asigurati in luna de lucru: nu este nimic de tiparit!";
}  // namespace PrintedAnnexMessages

// "Anexa 2A 200907 12345678 CASAB": the print document of an annex printed alone.
std::string AnnexDocumentName(PrintedAnnex annex, const AnnexPageHeader& header);

// Makes the printer that writes a file at `path` (a PDF file).

// What one "Tipareste" prints: the annexes in the order 2a, 2b, 2c for each
// house in turn.
struct AnnexPrintJob {
    std::string cf;
    std::vector<std::string> houses;
    std::vector<PrintedAnnex> annexes;
};

class PrintedAnnexes {
public:
    PrintedAnnexes(CClient& client, AnnexMonth month);

    const AnnexMonth& Month() const { return m_month; }
    Prompter& GetPrompter();

    // The preview list of an annex: its rows and, for 2a and 2c, the last row
    // "TOTAL". Stopped after a failed statement (shown).
    Outcome FillList(PrintedAnnex annex, DataList& list, const std::string& cf,
                     const std::string& house);

    // The company row for the page headers; nothing after "Eroare #1234".
    [[nodiscard]] std::optional<AnnexPageHeader> LoadHeader(const std::string& cf,
                                                            const std::string& house);

    // One annex into a job already open (the batch): nothing is drawn when
    // the company or the rows cannot be read.
    Outcome PrintInto(PagePrinter& printer, PrintedAnnex annex, const std::string& cf,
                      const std::string& house, const std::string& version);

    // One annex in a print document of its own, the printer asked by Begin.
    Outcome PrintAlone(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header,
                       const DataList& list, const std::string& version);

    // Several annexes or houses: the printer is chosen once and one document
    // holds them all. Stops at the first annex that cannot be read.
    Outcome PrintBatch(PagePrinter& printer, const AnnexPrintJob& job, const std::string& version);

    // One annex into the file `path`, asking nothing: written beside it first
    // and renamed over it once complete, so a failed write neither leaves half
    // a file nor loses the one that was there (said through the prompter).
    Outcome WriteFile(const FilePrinterFactory& printerFor, const std::string& path,
                      PrintedAnnex annex, const AnnexPageHeader& header, const DataList& list,
                      const std::string& version);

private:
    Outcome Fill2A(DataList& list, const std::string& cf, const std::string& house);
    Outcome Fill2B(DataList& list, const std::string& cf, const std::string& house);
    Outcome Fill2C(DataList& list, const std::string& cf);
    // The rows of a file annex for the house, as the file would hold them.
    Outcome FileRows(Annex annex, DataList& rows, const std::string& cf, const std::string& house);

    CClient& m_client;
    AnnexMonth m_month;
};
