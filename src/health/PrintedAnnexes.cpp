#include "health/PrintedAnnexes.h"

#include "print/PageFile.h"

#include <filesystem>
#include <system_error>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/TextNumbers.h"
#include "health/AnnexPages.h"
#include "health/AnnexStatements.h"
#include "health/CompanyRegister.h"
#include "health/EmployerSums.h"
#include "print/PagePrinter.h"

namespace {

struct ListColumn {
    const char* name;
    const char* type;
    int width;
    DisplayKind kind = DisplayKind::AsStored;
};

// The preview columns; width 0 hides a column.
const ListColumn k2A[] = {
    {.name = "CAS", .type = "C", .width = 0},
    {.name = "CF", .type = "N", .width = 0},
    {.name = "CNP", .type = "N", .width = 125},
    {.name = "NUME", .type = "C", .width = 110},
    {.name = "PRENUME", .type = "C", .width = 110},
    {.name = "CATEGORIA", .type = "C", .width = 80},
    {.name = "DATORAT_LUNA", .type = "N", .width = 100, .kind = DisplayKind::Number},
    {.name = "VIRAT_LUNA", .type = "N", .width = 100, .kind = DisplayKind::Number},
    {.name = "DATA_ANGAJARII", .type = "N", .width = 115, .kind = DisplayKind::Date},
    {.name = "DATA_PLECARII", .type = "N", .width = 115, .kind = DisplayKind::Date},
    {.name = "LA_LUNA", .type = "N", .width = 0}};
const ListColumn k2B[] = {{.name = "CNP_ANGAJAT", .type = "N", .width = 125},
                          {.name = "CNP", .type = "N", .width = 125},
                          {.name = "NUME", .type = "C", .width = 130},
                          {.name = "PRENUME", .type = "C", .width = 130},
                          {.name = "TIP", .type = "C", .width = 50}};
const ListColumn k2C[] = {
    {.name = "CASA", .type = "C", .width = 90},
    {.name = "ANG DATORAT LUNA", .type = "N", .width = 130, .kind = DisplayKind::Number},
    {.name = "ANG VIRAT LUNA", .type = "N", .width = 130, .kind = DisplayKind::Number},
    {.name = "ASIG DATORAT LUNA", .type = "N", .width = 130, .kind = DisplayKind::Number},
    {.name = "ASIG VIRAT LUNA", .type = "N", .width = 130, .kind = DisplayKind::Number}};

template <std::size_t N>
void SetColumns(DataList& list, const ListColumn (&columns)[N]) {
    list.DeleteAllRows();
    list.DeleteAllColumns();
    for (const ListColumn& column : columns)
        list.AppendColumn(column.name, column.type, column.width, column.kind);
}

// Copies each file column into the preview column of the same meaning.
void CopyRows(const DataList& from, DataList& to,
              const std::vector<std::pair<const char*, const char*>>& columns) {
    for (int row = 0; row < from.RowCount(); ++row) {
        const int added = to.AddRow("");
        for (const auto& [source, target] : columns)
            to.SetCellText(added, target, from.CellText(row, source));
    }
}

std::string Whole(long long value) {
    return IntegerToText(value, false);
}

}  // namespace

const char* PrintedAnnexKind(PrintedAnnex annex) {
    switch (annex) {
        case PrintedAnnex::B:
            return "2B";
        case PrintedAnnex::C:
            return "2C";
        case PrintedAnnex::A:
            break;
    }
    return "2A";
}

std::string AnnexDocumentName(PrintedAnnex annex, const AnnexPageHeader& header) {
    return std::string("Anexa ") + PrintedAnnexKind(annex) + " " + header.month.month + " " +
           header.cf + " " + header.house;
}

PrintedAnnexes::PrintedAnnexes(CClient& client, AnnexMonth month)
    : m_client(client), m_month(std::move(month)) {}

Prompter& PrintedAnnexes::GetPrompter() {
    return m_client.GetPrompter();
}

Outcome PrintedAnnexes::FileRows(Annex annex, DataList& rows, const std::string& cf,
                                 const std::string& house) {
    // Only the rows are wanted: the company texts of the file do not matter here.
    const auto values =
        MakeAnnexLiterals(m_client, m_month, AnnexCompany{cf, {}, {}, {}, {}, {}}, house);
    if (!values) return Outcome::Stopped();
    if (!m_client.Query(AnnexQuery(annex, *values), true)) return Outcome::Stopped();
    rows.FillFromResult(m_client.Result());
    return Outcome::Done();
}

Outcome PrintedAnnexes::Fill2A(DataList& list, const std::string& cf, const std::string& house) {
    DataList rows;
    if (!FileRows(Annex::A, rows, cf, house)) return Outcome::Stopped();
    SetColumns(list, k2A);
    CopyRows(rows, list,
             {{"CNP", "CNP"},
              {"NUME", "NUME"},
              {"PRENUME", "PRENUME"},
              {"CAT", "CATEGORIA"},
              {"SDL", "DATORAT_LUNA"},
              {"SVL", "VIRAT_LUNA"},
              {"ANG", "DATA_ANGAJARII"},
              {"PL", "DATA_PLECARII"}});
    long long owed = 0;
    long long paid = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        list.SetCellText(row, "CAS", house);
        list.SetCellText(row, "CF", cf);
        // An employee without sums for the month has no month on his row either.
        if (!rows.CellText(row, "SDL").empty()) list.SetCellText(row, "LA_LUNA", m_month.month);
        owed += TextToInteger(list.CellText(row, "DATORAT_LUNA"));
        paid += TextToInteger(list.CellText(row, "VIRAT_LUNA"));
    }
    const int total = list.AddRow("");
    list.SetCellText(total, "CATEGORIA", PrintedAnnexMessages::kTotal);
    list.SetCellText(total, "DATORAT_LUNA", Whole(owed));
    list.SetCellText(total, "VIRAT_LUNA", Whole(paid));
    return Outcome::Done();
}

Outcome PrintedAnnexes::Fill2B(DataList& list, const std::string& cf, const std::string& house) {
    DataList rows;
    if (!FileRows(Annex::B, rows, cf, house)) return Outcome::Stopped();
    SetColumns(list, k2B);
    CopyRows(rows, list,
             {{"CNP", "CNP_ANGAJAT"},
              {"CNPC", "CNP"},
              {"NUMEC", "NUME"},
              {"PRENUMEC", "PRENUME"},
              {"TIPC", "TIP"}});
    return Outcome::Done();
}

// One line per house of the company in the month, in the order of the houses
// list, with the employees' sums of 1C; the employer's sums only on "TOTAL".
Outcome PrintedAnnexes::Fill2C(DataList& list, const std::string& cf) {
    AnnexFiles files(m_client, m_month);
    const auto houses = files.Houses(cf);
    if (!houses) return Outcome::Stopped();
    DataList sums;
    if (!FileRows(Annex::C, sums, cf, houses->empty() ? std::string() : houses->front()))
        return Outcome::Stopped();
    DataList employers;
    if (!EmployerSums(m_client, m_month.month).FillList(employers)) return Outcome::Stopped();

    SetColumns(list, k2C);
    double owed = 0;
    double paid = 0;
    for (const std::string& house : *houses) {
        const int row = list.AddRow(house);
        list.SetCellText(row, "ANG DATORAT LUNA", "-");
        list.SetCellText(row, "ANG VIRAT LUNA", "-");
        // 1C names a house by characters 4-5 of its code.
        const std::string shortCode = SliceCharsFrom1(house, 4, 5);
        for (int s = 0; s < sums.RowCount(); ++s) {
            if (sums.CellText(s, "CAS_ASIG") != shortCode) continue;
            const double houseOwed = TextToReal(sums.CellText(s, "SDL_ASIG"));
            const double housePaid = TextToReal(sums.CellText(s, "SVT_ASIG"));
            list.SetCellText(row, "ASIG DATORAT LUNA", Whole(RoundHalfUp(houseOwed)));
            list.SetCellText(row, "ASIG VIRAT LUNA", Whole(RoundHalfUp(housePaid)));
            owed += houseOwed;
            paid += housePaid;
        }
    }
    std::string employerOwed = "0";
    std::string employerPaid = "0";
    for (int row = 0; row < employers.RowCount(); ++row) {
        if (employers.CellText(row, "CF") != cf) continue;
        employerOwed = Whole(RoundHalfUp(TextToReal(employers.CellText(row, "DATORAT"))));
        employerPaid = Whole(RoundHalfUp(TextToReal(employers.CellText(row, "VIRAT"))));
    }
    const int total = list.AddRow(PrintedAnnexMessages::kTotal);
    list.SetCellText(total, "ANG DATORAT LUNA", employerOwed);
    list.SetCellText(total, "ANG VIRAT LUNA", employerPaid);
    list.SetCellText(total, "ASIG DATORAT LUNA", Whole(RoundHalfUp(owed)));
    list.SetCellText(total, "ASIG VIRAT LUNA", Whole(RoundHalfUp(paid)));
    return Outcome::Done();
}

Outcome PrintedAnnexes::FillList(PrintedAnnex annex, DataList& list, const std::string& cf,
                                 const std::string& house) {
    switch (annex) {
        case PrintedAnnex::B:
            return Fill2B(list, cf, house);
        case PrintedAnnex::C:
            return Fill2C(list, cf);
        case PrintedAnnex::A:
            break;
    }
    return Fill2A(list, cf, house);
}

std::optional<AnnexPageHeader> PrintedAnnexes::LoadHeader(const std::string& cf,
                                                          const std::string& house) {
    const auto found = CompanyRegister(m_client, CompanyPlace::Health).FindByCode(cf);
    // A company that cannot be read, or is not there, prints nothing.
    if (!found || !*found) {
        GetPrompter().ShowMessage(PrintedAnnexMessages::kCompanyError, MessageKind::Error);
        return std::nullopt;
    }
    const CompanyRecord& company = **found;
    return AnnexPageHeader{cf, company.denumire, company.regCom, company.repr, house, m_month};
}

Outcome PrintedAnnexes::PrintInto(PagePrinter& printer, PrintedAnnex annex, const std::string& cf,
                                  const std::string& house, const std::string& version) {
    DataList list;
    if (!FillList(annex, list, cf, house)) return Outcome::Stopped();
    const auto header = LoadHeader(cf, house);
    if (!header) return Outcome::Stopped();
    DrawAnnexPages(printer, annex, *header, list, version);
    return Outcome::Done();
}

Outcome PrintedAnnexes::PrintAlone(PagePrinter& printer, PrintedAnnex annex,
                                   const AnnexPageHeader& header, const DataList& list,
                                   const std::string& version) {
    if (!printer.Begin(PagePrinter::kPortrait, true)) return Outcome::Stopped();
    printer.StartDocument(AnnexDocumentName(annex, header));
    DrawAnnexPages(printer, annex, header, list, version);
    printer.End();
    return Outcome::Done();
}

Outcome PrintedAnnexes::PrintBatch(PagePrinter& printer, const AnnexPrintJob& job,
                                   const std::string& version) {
    // The company is read before the printer is asked for: a company that
    // cannot be read prints nothing at all.
    if (!LoadHeader(job.cf, std::string())) return Outcome::Stopped();
    if (!printer.Begin(PagePrinter::kPortrait, true)) return Outcome::Stopped();
    printer.StartDocument(PrintedAnnexMessages::kBatchDocument);
    Outcome outcome = Outcome::Done();
    for (const std::string& house : job.houses) {
        for (PrintedAnnex annex : job.annexes) {
            outcome = PrintInto(printer, annex, job.cf, house, version);
            if (!outcome) break;
        }
        if (!outcome) break;
    }
    printer.End();
    return outcome;
}

Outcome PrintedAnnexes::WriteFile(const FilePrinterFactory& printerFor, const std::string& path,
                                  PrintedAnnex annex, const AnnexPageHeader& header,
                                  const DataList& list, const std::string& version) {
    const bool written = WritePagesToFile(
        GetPrompter(), printerFor, path, PagePrinter::kPortrait, [&](PagePrinter& printer) {
            printer.StartDocument(AnnexDocumentName(annex, header));
            DrawAnnexPages(printer, annex, header, list, version);
            printer.End();
        });
    if (!written) return Refuse(GetPrompter(), "Anexa nu a putut fi salvata in fisierul:\n" + path);
    return Outcome::Done();
}
