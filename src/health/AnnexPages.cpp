#include "health/AnnexPages.h"

#include <algorithm>
#include <vector>

#include "datalist/DataList.h"
#include "db/SqlValues.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "print/PagePrinter.h"
#include "print/PageText.h"

using namespace AnnexPages;

namespace {

constexpr int kLeft = 200;
constexpr int kRight = 4600;
// Between a text that may be cut and the text beside it.
constexpr int kGap = 100;

// A cell of a table: its horizontal extent and how its text stands in it.
struct Cell {
    int left;
    int right;
    int align;
};

struct Heading {
    Cell cell;
    int top;
    int bottom;
    const char* text;
};

constexpr const char* kFootnoteDeadline =
    "*) Se depune lunar la casele de asigurari de sanatate, in termen de 25 de zile de la "
    "expirarea perioadei pentru care se datoreaza contributiile";

// 2a: CNP, Numele, Prenumele, Categoria, owed, paid, hire date, leaving date.
const Cell k2ACells[] = {{200, 900, kAlignCentre},   {900, 1600, kAlignLeft},
                         {1600, 2300, kAlignLeft},   {2300, 2800, kAlignCentre},
                         {2800, 3250, kAlignRight},  {3250, 3700, kAlignRight},
                         {3700, 4150, kAlignCentre}, {4150, 4600, kAlignCentre}};
const Heading k2AHeadings[] = {
    {k2ACells[0], 900, 1100, "CNP"},
    {k2ACells[1], 900, 1100, "Numele"},
    {k2ACells[2], 900, 1100, "Prenumele"},
    {k2ACells[3], 900, 1100, "Categoria de\n\rasigurat **)"},
    {k2ACells[4], 900, 1100, "Suma\r\ndatorata"},
    {k2ACells[5], 900, 1100, "Suma totala\r\nvirata"},
    {k2ACells[6], 900, 1100, "Data\r\nangajarii"},
    {k2ACells[7], 900, 1100, "Data\r\nplecarii"},
};

// 2b: the employee's CNP, then the dependant's CNP, names and type.
const Cell k2BCells[] = {{200, 1300, kAlignCentre},
                         {1300, 2000, kAlignCentre},
                         {2000, 3000, kAlignLeft},
                         {3000, 4000, kAlignLeft},
                         {4000, 4600, kAlignCentre}};
const Heading k2BHeadings[] = {
    {k2BCells[0], 900, 1100, "CNP angajat"},
    {{1300, 4600, kAlignCentre}, 900, 1000, "Persoane coasigurate"},
    {k2BCells[1], 1000, 1100, "CNP"},
    {k2BCells[2], 1000, 1100, "Numele"},
    {k2BCells[3], 1000, 1100, "Prenumele"},
    {k2BCells[4], 1000, 1100, "Tipul **)"},
};

// 2c: the house, then the employer's and the employees' owed and paid sums.
const Cell k2CCells[] = {{900, 1700, kAlignCentre},
                         {1700, 2300, kAlignRight},
                         {2300, 2900, kAlignRight},
                         {2900, 3500, kAlignRight},
                         {3500, 4100, kAlignRight}};
const Heading k2CHeadings[] = {
    {k2CCells[0], 900, 1200, "Casa de\r\nasigurari de\r\nsanatate **)"},
    {{1700, 2900, kAlignCentre}, 900, 1000, "Contributia angajatorului"},
    {{1700, 2300, kAlignCentre}, 1000, 1200, "Suma\r\ndatorata"},
    {{2300, 2900, kAlignCentre}, 1000, 1200, "Suma totala\r\nvirata"},
    {{2900, 4100, kAlignCentre}, 900, 1000, "Contributia asiguratilor"},
    {{2900, 3500, kAlignCentre}, 1000, 1200, "Suma\r\ndatorata"},
    {{3500, 4100, kAlignCentre}, 1000, 1200, "Suma totala\r\nvirata"},
};

const char* const k2CColumns[] = {"CASA", "ANG DATORAT LUNA", "ANG VIRAT LUNA", "ASIG DATORAT LUNA",
                                  "ASIG VIRAT LUNA"};

int LineCount(const std::string& text) {
    return static_cast<int>(SplitLines(NormaliseLineBreaks(text)).size());
}

// A framed heading cell with its lines centred in it, across and down.
void DrawHeading(PagePrinter& printer, const Heading& h) {
    const int textHeight = LineCount(h.text) * kLineHeight;
    const int top = h.top + std::max(0, (h.bottom - h.top - textHeight) / 2);
    printer.TextBox(h.cell.left, top, h.cell.right, h.bottom, h.text, kAlignCentre, false, false);
    printer.Frame(h.cell.left, h.top, h.cell.right, h.bottom);
}

template <std::size_t N>
void DrawHeadings(PagePrinter& printer, const Heading (&headings)[N]) {
    for (const Heading& heading : headings) DrawHeading(printer, heading);
}

void DrawRowCells(PagePrinter& printer, const Cell* cells, const std::vector<std::string>& texts,
                  int top, bool shaded = false) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        printer.TextBox(cells[i].left, top, cells[i].right, top + kLineHeight, texts[i],
                        cells[i].align, shaded, true);
}

// A stored whole sum as the pages show it: rounded, grouped.
std::string Amount(const std::string& stored) {
    return GroupDigits(IntegerToText(RoundHalfUp(TextToReal(stored)), false));
}

// A list cell that is not a number ("-") prints as it is.
std::string AmountOrText(const std::string& cell) {
    return IsNumberLiteral(cell) ? Amount(cell) : cell;
}

// As the preview list shows it: an open employment's 0 is an empty cell.
std::string DateCell(const std::string& stored) {
    return FormatDisplayKind(stored, DisplayKind::Date);
}

const char* AnnexNumber(PrintedAnnex annex) {
    switch (annex) {
        case PrintedAnnex::B:
            return "ANEXA Nr. 2b)";
        case PrintedAnnex::C:
            return "ANEXA Nr. 2c)";
        case PrintedAnnex::A:
            break;
    }
    return "ANEXA Nr. 2a)";
}

void DrawTitles(PagePrinter& printer, PrintedAnnex annex) {
    const char* first = "LISTA *)";
    const char* second =
        "nominala cuprinzand persoanele asigurate pentru care se plateste contributia de "
        "asigurari sociale de sanatate";
    if (annex == PrintedAnnex::B)
        second =
            "nominala cuprinzand persoanele aflate in intretinerea asiguratilor pentru care se "
            "plateste contributia de asigurari sociale de sanatate";
    if (annex == PrintedAnnex::C) {
        first = "CENTRALIZATOR *)";
        second = "referitor la obligatiile de plata ale angajatorului la FNUASS";
    }
    printer.TextBox(kLeft, 500, kRight, 600, first, kAlignCentre, false, false);
    // 2b's long line would lose both ends in the body font: the first smaller
    // font it fits in keeps it whole on its one line.
    for (int font : {kBodyFont, 10, kSmallFont}) {
        printer.SelectFont(font);
        if (printer.TextWidth(second) <= kRight - kLeft) break;
    }
    printer.TextBox(kLeft, 600, kRight, 700, second, kAlignCentre, false, false);
    printer.SelectFont(kBodyFont);
}

// Where the page's footer text starts: a footnote on its line stops before it.
int FooterStart(PagePrinter& printer, const std::string& version) {
    constexpr int kFooterRight = 4700 - 20;  // the footer cell's right edge less its margin
    const int font = printer.CurrentFont();
    printer.SelectFont(PagePrinter::kFooterFont);
    const int width = printer.TextWidth(PagePrinter::kFooterLabel + version);
    printer.SelectFont(font);
    return kFooterRight - width - kGap;
}

void DrawFootnotes(PagePrinter& printer, PrintedAnnex annex, const std::string& version) {
    printer.SelectFont(kSmallFont);
    switch (annex) {
        case PrintedAnnex::A:
            printer.Text(kLeft, 6500, std::string(kFootnoteDeadline) + ".", kAlignLeft);
            printer.Text(kLeft, 6600,
                         "**) Se va mentiona categoria de salariat: S - salariati, CM - concedii "
                         "medicale, AM - accident de munca, CT - cenzori, membri in consiliul de "
                         "administratie, alte categorii",
                         kAlignLeft);
            printer.Text(kLeft, 6700, "de persoane care realizeaza venituri asimilate salariilor.",
                         kAlignLeft);
            break;
        case PrintedAnnex::B:
            printer.Text(kLeft, 6500, std::string(kFootnoteDeadline) + ".", kAlignLeft);
            printer.Text(kLeft, 6600,
                         "**) Se va mentiona tipul de co-asigurat (S - sot/sotie, P -  parinti)",
                         kAlignLeft);
            break;
        case PrintedAnnex::C:
            // On the footer's line.
            printer.TextWithin(kLeft, 6400, kFootnoteDeadline, kAlignLeft, kLeft,
                               FooterStart(printer, version));
            printer.Text(kLeft, 6500,
                         "**) Se vor inscrie toate casele de asigurari alese in mod liber de "
                         "salariati.",
                         kAlignLeft);
            break;
    }
    printer.SelectFont(kBodyFont);
}

// The company lines at the top left, each up to the text at its right.
void DrawCompanyLines(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header) {
    const char* number = AnnexNumber(annex);
    const char* norms = "la normele metodologice";
    printer.TextWithin(kLeft, 100, header.denumire, kAlignLeft, kLeft,
                       kRight - printer.TextWidth(number) - kGap);
    printer.TextWithin(kLeft, 200, "CUI / CNP: " + header.cf, kAlignLeft, kLeft,
                       kRight - printer.TextWidth(norms) - kGap);
    printer.TextWithin(kLeft, 300, "Nr. Reg. Com.: " + header.regCom, kAlignLeft, kLeft, kRight);
    printer.TextWithin(kLeft, 400, "Casa de Asigurari: " + header.house, kAlignLeft, kLeft, kRight);
    printer.TextWithin(kRight, 100, number, kAlignRight, kLeft, kRight);
    printer.TextWithin(kRight, 200, norms, kAlignRight, kLeft, kRight);
}

// A new page with everything that stands on each page of the annex.
void StartAnnexPage(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header,
                    const std::string& version) {
    printer.EndPage();
    printer.NewPage(version);
    printer.SelectFont(kBodyFont);
    DrawCompanyLines(printer, annex, header);
    DrawTitles(printer, annex);
    const std::string month = "Luna " +
                              MonthName(static_cast<int>(TextToInteger(header.month.mm))) +
                              ", anul " + header.month.yyyy;
    printer.TextBox(kLeft, 700, kRight, 800, month, kAlignCentre, false, false);
    if (annex == PrintedAnnex::A) DrawHeadings(printer, k2AHeadings);
    if (annex == PrintedAnnex::B) DrawHeadings(printer, k2BHeadings);
    if (annex == PrintedAnnex::C) DrawHeadings(printer, k2CHeadings);
    DrawFootnotes(printer, annex, version);
}

std::vector<std::string> Row2A(const DataList& list, int row) {
    return {list.CellText(row, "CNP"),
            list.CellText(row, "NUME"),
            list.CellText(row, "PRENUME"),
            list.CellText(row, "CATEGORIA"),
            Amount(list.CellText(row, "DATORAT_LUNA")),
            Amount(list.CellText(row, "VIRAT_LUNA")),
            DateCell(list.CellText(row, "DATA_ANGAJARII")),
            DateCell(list.CellText(row, "DATA_PLECARII"))};
}

std::vector<std::string> Row2B(const DataList& list, int row) {
    return {list.CellText(row, "CNP_ANGAJAT"), list.CellText(row, "CNP"),
            list.CellText(row, "NUME"), list.CellText(row, "PRENUME"), list.CellText(row, "TIP")};
}

// "Reprezentant legal," and the representative's name, right-aligned at x 4600.
void DrawSignature(PagePrinter& printer, const AnnexPageHeader& header, int top) {
    printer.Text(kRight, top, "Reprezentant legal,", kAlignRight);
    printer.TextWithin(kRight, top + kLineHeight, header.repr, kAlignRight, kLeft, kRight);
}

// 2a and 2b: rows page by page, then the totals (2a) and the signature; a
// full last page sends them onto a page of their own.
void DrawListPages(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header,
                   const DataList& list, const std::string& version) {
    const bool withTotals = annex == PrintedAnnex::A;
    const int perPage = withTotals ? kRowsPerPage2A : kRowsPerPage2B;
    const int rows = withTotals ? std::max(0, list.RowCount() - 1) : list.RowCount();
    const Cell* cells = withTotals ? k2ACells : k2BCells;
    StartAnnexPage(printer, annex, header, version);
    int onPage = 0;
    for (int row = 0; row < rows; ++row) {
        if (onPage == perPage) {
            StartAnnexPage(printer, annex, header, version);
            onPage = 0;
        }
        const int top = kFirstRowTop + onPage * kLineHeight;
        DrawRowCells(printer, cells, withTotals ? Row2A(list, row) : Row2B(list, row), top);
        ++onPage;
    }
    if (onPage == perPage) {
        StartAnnexPage(printer, annex, header, version);
        onPage = 0;
    }
    int top = kFirstRowTop + onPage * kLineHeight;
    if (withTotals) {
        const int total = list.RowCount() - 1;
        const std::vector<std::string> sums = {
            PrintedAnnexMessages::kTotal,
            total >= 0 ? Amount(list.CellText(total, "DATORAT_LUNA")) : "0",
            total >= 0 ? Amount(list.CellText(total, "VIRAT_LUNA")) : "0"};
        printer.TextBox(k2ACells[3].left, top, k2ACells[3].right, top + kLineHeight, sums[0],
                        kAlignRight, false, true);
        DrawRowCells(printer, k2ACells + 4, {sums[1], sums[2]}, top);
        top += kLineHeight;
    }
    DrawSignature(printer, header, top);
    printer.EndPage();
}

// 2c: one page, the chosen house's line bold on grey, the TOTAL line bold.
void Draw2CPage(PagePrinter& printer, const AnnexPageHeader& header, const DataList& list,
                const std::string& version) {
    StartAnnexPage(printer, PrintedAnnex::C, header, version);
    int top = kFirstLineTop2C;
    for (int row = 0; row < list.RowCount(); ++row) {
        const std::string house = list.CellText(row, "CASA");
        const bool chosen = house == header.house;
        const bool total = row == list.RowCount() - 1;
        if (chosen || total)
            printer.SelectBoldFont(kBodyFont);
        else
            printer.SelectFont(kBodyFont);
        std::vector<std::string> texts{house};
        for (std::size_t c = 1; c < std::size(k2CColumns); ++c)
            texts.push_back(AmountOrText(list.CellText(row, k2CColumns[c])));
        DrawRowCells(printer, k2CCells, texts, top, chosen && !total);
        top += kLineHeight;
    }
    printer.SelectFont(kBodyFont);
    top += kLineHeight;
    printer.TextBox(400, top, kRight, top + kLineHeight, "Reprezentant legal,", kAlignRight, false,
                    false);
    printer.TextBox(400, top + kLineHeight, kRight, top + 2 * kLineHeight, header.repr, kAlignRight,
                    false, false);
    printer.EndPage();
}

}  // namespace

void DrawAnnexPages(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header,
                    const DataList& list, const std::string& version) {
    if (annex == PrintedAnnex::C)
        Draw2CPage(printer, header, list, version);
    else
        DrawListPages(printer, annex, header, list, version);
}
