#include "leave/PrintedDeclaration.h"

#include <cmath>
#include <iterator>

#include "db/CClient.h"
#include "db/RecordRows.h"
#include "db/SqlValues.h"
#include "domain/Dates.h"
#include "domain/TextNumbers.h"
#include "leave/LeaveFiles.h"
#include "print/PagePrinter.h"

namespace {

constexpr int kTitleFont = 1;
constexpr int kTableFont = 12;
// Where the address and the accounts stand beside their labels, and the right
// edge of the boxed block below them.
constexpr int kBesideLabel = 1300;
constexpr int kFrameRight = 6500;
// Between a text that may be cut and the text or box beside it.
constexpr int kGap = 20;

// Left and right edges of the Anexa 2 columns, shared by header and rows.
struct Span {
    int left, right;
};
const Span kColumns[] = {{200, 300},   {300, 400},   {400, 900},   {900, 1350},  {1350, 1500},
                         {1500, 1800}, {1800, 2200}, {2200, 2500}, {2500, 2800}, {2800, 3300},
                         {3300, 3700}, {3700, 4100}, {4100, 4500}, {4500, 4900}, {4900, 5200},
                         {5200, 5600}, {5600, 6000}, {6000, 6400}};

struct HeaderCell {
    int left, top, right, bottom;
    const char* text;
};
const HeaderCell kHeader[] = {
    {200, 700, 300, 900, "Nr.\ncrt"},
    {300, 700, 400, 900, "Tip.\nrect."},
    {400, 700, 900, 900, "Nume si prenume asigurat"},
    {900, 700, 1350, 900, "CNP asigurat/\nCNP copil"},
    {1350, 700, 1500, 900, "\nCAS"},
    {1500, 700, 2200, 770, "Zile"},
    {1500, 770, 1800, 900, "lucratoare/\nlucrate"},
    {1800, 770, 2200, 900, "suportate\nangaj./FNUASS"},
    {2200, 700, 2500, 900, "Suma\nangajator\n/FNUASS"},
    {2500, 700, 2800, 900, "Cod\nindemn/\nurg./contag."},
    {2800, 700, 3300, 900, "Serie si numar\nde certificat curent /\nde certificat initial"},
    {3300, 700, 3700, 900, "\nData acordarii"},
    {3700, 700, 4100, 900, "Valabil de la /\nValabil pana la"},
    {4100, 700, 4500, 900, "Locul de prescriere"},
    {4500, 700, 5600, 770, "Baza de calcul"},
    {4500, 770, 4900, 900, "Venituri"},
    {4900, 770, 5200, 900, "Zile"},
    {5200, 770, 5600, 900, "Media zilnica"},
    {5600, 700, 6000, 900, "Total zile de prestatii"},
    {6000, 700, 6400, 900, "Nr. avizului medicului expert"},
};

const char* const kGroupLabels[kDeclarationGroupCount] = {
    "J1. Indemnizatii pentru incap. temporara de munca:",
    "J2. Prevenirea imbolnavirii:",
    "J3. Sarcina si lauzie:",
    "J4. Ingrijirea copilului bolnav:",
    "J5. Indemnizatie de risc maternal:",
};

// Anexa 1 shows whole lei, cut toward zero, without grouping.
std::string Whole(double value) {
    return IntegerToText(static_cast<long long>(std::trunc(value)), false);
}
std::string Whole(const std::string& stored) {
    return Whole(TextToReal(stored));
}

std::string OrDash(const std::string& text) {
    return text.empty() ? "-" : text;
}

std::string Title(const DeclarationRecord& d) {
    const std::string number = d.Rectifying() ? d.rectifNr : "";
    return "DECLARATIE    " + d.TypeText() + " " + number;
}

std::string MonthLine(const DeclarationRecord& d) {
    return "pentru concedii si indemnizatii pentru luna " + SliceChars(d.luna, 4, 5) + ", anul " +
           SliceChars(d.luna, 0, 3);
}

const char* const kPurpose =
    "Privind evidenta obligatiilor de plata catre bugetul Fondului National Unic de Asigurari "
    "Sociale de Sanatate";

// A label cell and its framed value cell.
void LabelAndValue(PagePrinter& p, const PageBox& label, int labelAlign, const char* text,
                   const PageBox& value, int valueAlign, const std::string& shown) {
    p.TextBox(label.left, label.top, label.right, label.bottom, text, labelAlign, false, false);
    p.TextBox(value.left, value.top, value.right, value.bottom, shown, valueAlign, false, true);
}

void Anexa1Head(PagePrinter& p, const DeclarationPrintout& d) {
    p.Text(200, 100, "Casa de Asigurari de Sanatate " + d.company.jud, kAlignLeft);
    p.Text(5500, 100, "Anexa 1", kAlignLeft);
    p.TextBox(200, 200, 6600, 300, Title(d.declaration), kAlignCentre, false, false);
    p.TextBox(200, 300, 6600, 400, kPurpose, kAlignCentre, false, false);
    p.TextBox(200, 400, 6600, 500, MonthLine(d.declaration), kAlignCentre, false, false);
}

void Anexa1LinesAToJ(PagePrinter& p, const DeclarationPrintout& d) {
    const DeclarationRecord& r = d.declaration;
    const int L = kAlignLeft, R = kAlignRight;
    LabelAndValue(p, {400, 700, 1400, 800}, L, "A. Denumire angajator:", {1800, 700, 4000, 800}, L,
                  d.company.denumire);
    LabelAndValue(p, {4500, 700, 5200, 800}, R, "B. CUI (cod fiscal):", {5300, 700, 6200, 800}, R,
                  d.company.cf);
    LabelAndValue(p, {400, 800, 1800, 900}, L,
                  "C. Nr. Inreg. Reg. Comertului:", {1800, 800, 4000, 900}, L, d.company.regCom);
    LabelAndValue(p, {4500, 800, 5200, 900}, R, "D. Nr. angajati:", {5300, 800, 6200, 900}, R,
                  Whole(r.nrAng));
    LabelAndValue(p, {400, 900, 2300, 1000}, L,
                  "E. Total fond de salarii brute realizate:", {2300, 900, 3200, 1000}, R,
                  Whole(r.fondDeSalarii));
    LabelAndValue(p, {3200, 900, 5200, 1000}, R,
                  "F. Total contributii datorate pentru concedii si indemnizatii:",
                  {5300, 900, 6200, 1000}, R, Whole(r.contributiiDatorate));
    LabelAndValue(p, {400, 1000, 2300, 1100}, L,
                  "G. Total indemnizatii suportate din FAAMBP:", {2300, 1000, 3200, 1100}, R,
                  Whole(r.faambp));
    p.TextBox(3200, 1000, 6200, 1100,
              "H. Total contributii pentru concedii si indemnizatii datorate pentru "
              "indemnizatiile",
              L, false, false);
    LabelAndValue(p, {3200, 1100, 5200, 1200}, R,
                  "suportate din FAAMBP: ", {5300, 1100, 6200, 1200}, R, Whole(r.faambpDatorat));
    LabelAndValue(p, {400, 1200, 3200, 1300}, L,
                  "I. Total contributii datorate FNUASS pentru concedii si indemnizatii:",
                  {3300, 1200, 4200, 1300}, R, Whole(d.amounts.i));
    LabelAndValue(p, {400, 1300, 3200, 1400}, L,
                  "J. Total cuantum prestatii de suportat din FNUASS pentru concedii si "
                  "indemnizatii:",
                  {3300, 1300, 4200, 1400}, R, Whole(d.amounts.j));
}

void Anexa1Groups(PagePrinter& p, const DeclarationPrintout& d) {
    p.TextBox(600, 1500, 2300, 1600, "Din care:", kAlignLeft, false, false);
    p.TextRect(2500, 1500, 3050, 1600, "Nr. de cazuri", kAlignCentre, false);
    p.TextRect(3110, 1500, 3660, 1600, "Zile de prestatii", kAlignCentre, false);
    p.TextRect(3720, 1420, 4270, 1600, "Zile suportate angajator", kAlignCentre, false);
    p.TextRect(4330, 1420, 4880, 1600, "Suma sup.\nangajator", kAlignCentre, false);
    p.TextRect(4940, 1420, 5490, 1600, "Zile suportate FNUASS", kAlignCentre, false);
    p.TextRect(5550, 1420, 6200, 1600, "Suma suportata FNUASS", kAlignCentre, false);
    for (int k = 1; k <= kDeclarationGroupCount; ++k) {
        const GroupFigures& g = d.groups[k - 1];
        const int top = 1500 + 100 * k, bottom = top + 100;
        p.TextBox(600, top, 2500, bottom, kGroupLabels[k - 1], kAlignLeft, false, false);
        p.TextBox(2500, top, 3050, bottom, std::to_string(g.cases), kAlignCentre, false, true);
        p.TextBox(3110, top, 3660, bottom, std::to_string(g.BenefitDays()), kAlignCentre, false,
                  true);
        p.TextBox(3720, top, 4270, bottom, std::to_string(g.employerDays), kAlignCentre, false,
                  true);
        p.TextBox(4330, top, 4880, bottom, Whole(g.employerAmount), kAlignRight, false, true);
        p.TextBox(4940, top, 5490, bottom, std::to_string(g.fnuassDays), kAlignRight, false, true);
        p.TextBox(5550, top, 6200, bottom, Whole(g.fnuassAmount), kAlignRight, false, true);
    }
}

void Anexa1LinesKToP(PagePrinter& p, const DeclarationPrintout& d) {
    const MonthSettlement& a = d.amounts;
    const CompanyRecord& c = d.company;
    const int L = kAlignLeft, R = kAlignRight;
    LabelAndValue(p, {400, 2200, 5200, 2300}, L,
                  "K. Total suma de recuperat de la FNUASS pentru concedii si indemnizatii din "
                  "luna/lunile anterioare:",
                  {5300, 2200, 6200, 2300}, R, Whole(a.k));
    LabelAndValue(p, {400, 2300, 5200, 2400}, L,
                  "L*). Total suma recuperata de catre angajator din contributia lunii curente "
                  "(I - J):",
                  {5300, 2300, 6200, 2400}, R, Whole(a.l));
    LabelAndValue(p, {400, 2400, 5200, 2500}, L,
                  "M. Total suma de virat la FNUASS pentru concedii si indemnizatii (I - J - L):",
                  {5300, 2400, 6200, 2500}, R, Whole(a.m));
    LabelAndValue(p, {400, 2500, 5200, 2600}, L,
                  "N. Total suma de recuperat de la FNUASS pentru concedii si indemnizatii:",
                  {5300, 2500, 6200, 2600}, R, Whole(a.n));
    // The labels end where the address and the accounts beside them start.
    p.TextBox(400, 2600, kBesideLabel, 2700, "O. Adresa angajator:", L, false, false);
    p.TextWithin(kBesideLabel, 2600,
                 "Localitate: " + c.loc + ", strada " + c.str + ", nr. " + c.nr + ", bl. " + c.bl +
                     ", sc. " + c.sc + ", et. " + c.et + ", ap. " + c.ap + ", tel.: " + c.tel,
                 L, kBesideLabel, kFrameRight);
    p.TextWithin(kBesideLabel, 2700,
                 "Judet: " + c.jud + ", sector: " + c.sect + ", e-mail: " + c.email, L,
                 kBesideLabel, kFrameRight);
    p.TextBox(400, 2800, kBesideLabel, 2900, "P. Conturi bancare:", L, false, false);
    // Beside its label: at 2900 it would print over the declaration below.
    p.TextWithin(kBesideLabel, 2800, "Banca: " + c.b1 + "   Filiala " + c.f1 + "   Cont: " + c.c1,
                 L, kBesideLabel, kFrameRight);
}

void Anexa1Signature(PagePrinter& p, const DeclarationPrintout& d) {
    const int L = kAlignLeft;
    p.Text(400, 2900,
           "Sub sanctiunile aplicate falsului in acte publice, declar ca am examinat aceasta "
           "declaratie si, in conformitate cu informatiile furnizate, o declar corecta si "
           "completa.",
           L);
    p.TextWithin(400, 3000, "Numele si prenumele: " + d.company.repr, L, 400, 2400 - kGap);
    p.Text(2400, 3000, "Data: " + TodayDotted(), L);
    p.Text(3700, 3000, "Numar total de file in Anexa 2 .........", L);
    p.Text(400, 3100, "Functia: reprezentant legal", L);
    p.Text(4800, 3100, "Semnatura si stampila ................................", L);
    // Each text of the boxed block up to the next box or text on its line.
    p.TextWithin(500, 3200, "Declaratia nominala pe suport magnetic", L, 500, 2000 - kGap);
    p.TextBox(2000, 3200, 2100, 3300, "", L, false, true);
    p.TextWithin(2200, 3200, "Declaratia nominala transmisa pe cale electronica", L, 2200,
                 4000 - kGap);
    p.TextBox(4000, 3200, 4100, 3300, "", L, false, true);
    p.TextWithin(4800, 3200, "Nr. Dischete / CD-ROM ", L, 4800, 5800 - kGap);
    p.TextBox(5800, 3200, 6000, 3300, "", L, false, true);
    p.TextWithin(500, 3400, "Verificat corectitudinea fisierelor", L, 500, 2200 - kGap);
    p.TextWithin(2200, 3400,
                 "Nume .................................................................. ", L,
                 2200, 4800 - kGap);
    p.TextWithin(4800, 3400, "Semnatura .......................................................", L,
                 4800, kFrameRight - kGap);
    p.TextBox(400, 3200, kFrameRight, 3500, "", L, false, true);
}

void Anexa2Header(PagePrinter& p, const DeclarationPrintout& d) {
    p.SelectFont(kTitleFont);
    p.Text(200, 100, "Casa de Asigurari de Sanatate " + d.company.jud, kAlignLeft);
    p.Text(5500, 100, "Anexa 2", kAlignLeft);
    // Three lines as given: word wrapping would fold the title's blanks into one.
    p.TextBox(200, 200, 6600, 500,
              Title(d.declaration) + "\n" + kPurpose + "\n" + MonthLine(d.declaration),
              kAlignCentre, false, false);
    p.TextWithin(200, 600, "Denumire angajator: " + d.company.denumire + "  CUI: " + d.company.cf,
                 kAlignLeft, 200, kColumns[std::size(kColumns) - 1].right);
    p.SelectFont(kTableFont);
    for (const HeaderCell& cell : kHeader)
        p.TextRect(cell.left, cell.top, cell.right, cell.bottom, cell.text, kAlignCentre, true);
}

void Anexa2Pages(PagePrinter& p, const DeclarationPrintout& d, const std::string& footer) {
    for (std::size_t i = 0; i < d.certificates.size(); ++i) {
        const int position = static_cast<int>(i % kCertificatesPerPage);
        if (position == 0) {
            p.EndPage();
            p.NewPage(footer);
            Anexa2Header(p, d);
        }
        const int top = 900 + 120 * position;
        const std::vector<std::string> cells =
            CertificateCells(d.certificates[i], static_cast<int>(i) + 1);
        for (std::size_t column = 0; column < cells.size(); ++column)
            p.TextRect(kColumns[column].left, top, kColumns[column].right, top + 120, cells[column],
                       kAlignCentre, true);
    }
}

}  // namespace

std::string PlaceOfPrescription(const std::string& code) {
    if (code == "1") return "MF";
    if (code == "2") return "spital";
    if (code == "3") return "ambulatoriu";
    if (code == "4") return "CAS";
    return "?";
}

std::vector<std::string> CertificateCells(const CertificateRecord& c, int number) {
    const std::string initial =
        c.certInitSerie.empty() ? "-" : c.certInitSerie + " " + c.certInitNumar;
    return {std::to_string(number),
            c.tipRectif,
            c.nume + " " + c.prenume,
            c.cnp + "/\n" + c.cnpCopil,
            SliceCharsFrom(c.cas, 3),
            c.zileLucratoare + " / " + c.zileLucrate,
            c.zilePrestatiiAng + " / " + c.zileSuportateFnuass,
            GroupDigits(c.sumaSuportataAng) + " /\n" + GroupDigits(c.sumaSuportataFnuass),
            c.codIndemn + " /\n" + OrDash(c.codUrg) + " / " + OrDash(c.codContag),
            c.certSerie + " " + c.certNumar + " /\n" + initial,
            c.dataAcordarii,
            c.dataInc + "\n" + c.dataSf,
            PlaceOfPrescription(c.locPres),
            c.bazaCalc,
            c.ziBzCalc,
            c.mzbci,
            c.zilePrestatii,
            c.meNr};
}

std::string PrintDocumentName(const DeclarationPrintout& printout) {
    const DeclarationRecord& d = printout.declaration;
    std::string name = printout.company.cf + "_" + SliceChars(d.luna, 0, 3) +
                       SliceChars(d.luna, 4, 5) + "_concedii";
    if (d.Rectifying()) name += "_rectificativa_" + d.rectifNr;
    return name;
}

std::optional<DeclarationPrintout> ReadDeclarationPrintout(CClient& client, long long index) {
    if (index <= 0) {
        client.GetPrompter().ShowMessage(PrintedDeclarationMessages::kSelectDeclaration);
        return std::nullopt;
    }
    if (!CheckCertificatesComplete(client, index)) return std::nullopt;
    DeclarationPrintout printout;
    const auto declaration = LoadDeclarationOrSay(client, index);
    if (!declaration) return std::nullopt;
    printout.declaration = *declaration;
    const auto chain = ReadMonthChain(client, *declaration);
    if (!chain) return std::nullopt;
    printout.groups = GroupsFromEffects(chain->effects);
    printout.amounts = chain->amounts;
    const auto company =
        LoadDeclarationCompany(client, declaration->cf, PrintedDeclarationMessages::kNoCounty);
    if (!company) return std::nullopt;
    printout.company = *company;
    // Read before the printer is chosen, so a failure never leaves half a document.
    if (!client.Query(SqlStatement("SELECT * FROM concedii.concedii AS c WHERE c.id_declaratie=") +
                          SqlInteger(index) + " ORDER BY c.nume, c.cert_init_serie",
                      true))
        return std::nullopt;
    for (long long row = 0; row < client.RowCount(); ++row)
        ReadStoredValues<CertificateRecord>(client, row, CertificateEntry::Columns(),
                                            printout.certificates.emplace_back());
    return printout;
}

void DrawDeclarationPrintout(PagePrinter& printer, const DeclarationPrintout& printout,
                             const std::string& footer) {
    printer.StartDocument(PrintDocumentName(printout));
    printer.NewPage(footer);
    printer.SelectFont(kTitleFont);
    Anexa1Head(printer, printout);
    Anexa1LinesAToJ(printer, printout);
    Anexa1Groups(printer, printout);
    Anexa1LinesKToP(printer, printout);
    Anexa1Signature(printer, printout);
    Anexa2Pages(printer, printout, footer);
    printer.End();
}

Outcome PrintLeaveDeclaration(CClient& client, long long index, PagePrinter& printer,
                              const std::string& footer) {
    const auto printout = ReadDeclarationPrintout(client, index);
    if (!printout) return Outcome::Stopped();
    if (!printer.Begin(PagePrinter::kLandscape, true)) return Outcome::Stopped();
    DrawDeclarationPrintout(printer, *printout, footer);
    return Outcome::Done(index);
}
