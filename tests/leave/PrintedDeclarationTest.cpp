// The printed leave declaration drawn into the recording backend: where each
// text and cell lands on Anexa 1, and how Anexa 2 fills its pages.
#include <gtest/gtest.h>

#include <optional>

#include "RecordedInk.h"
#include "ScriptedPrompter.h"
#include "leave/PrintedDeclaration.h"
#include "print/PagePrinter.h"
#include "print/RecordingBackend.h"

namespace {

struct Printed {
    ScriptedPrompter prompter;
    Recording rec;
    PagePrinter printer{prompter, RecordingChooser(rec, {7000, 4950})};
};

DeclarationPrintout Printout(int certificates) {
    DeclarationPrintout p;
    p.declaration.luna = "201003";
    p.declaration.rectificativa = "DA";
    p.declaration.rectifNr = "2";
    p.declaration.nrAng = "5";
    p.declaration.fondDeSalarii = "50000";
    p.declaration.contributiiDatorate = "425";
    p.declaration.faambp = "1000";
    p.declaration.faambpDatorat = "9";
    p.company.cf = "12345678";
    p.company.denumire = "ALFA SRL";
    p.company.regCom = "J40/1234/2003";
    p.company.jud = "MB";
    p.company.b1 = "BCR";
    p.company.f1 = "UNIRII";
    p.company.c1 = "RO49AAAA1B31007593840000";
    p.groups[3] = {1, 0, 7, 0, 420.75};
    p.amounts = SettleMonth(434, 420.75, 100);
    for (int i = 0; i < certificates; ++i) {
        CertificateRecord& c = p.certificates.emplace_back();
        c.nume = "NUME" + std::to_string(i + 1);
        c.prenume = "ION";
        c.cas = "CASAB";
        c.locPres = "2";
    }
    return p;
}

std::optional<TextDraw> Find(const Recording& rec, int page, const std::string& text) {
    for (const TextDraw& t : rec.TextsOnPage(page))
        if (t.text == text) return t;
    return std::nullopt;
}

bool Framed(const Recording& rec, int page, PageBox box) {
    for (const FrameDraw& f : rec.FramesOnPage(page))
        if (f.box.left == box.left && f.box.top == box.top && f.box.right == box.right &&
            f.box.bottom == box.bottom)
            return true;
    return false;
}

void ExpectBox(const Recording& rec, int page, const std::string& text, PageBox box, bool framed) {
    const auto t = Find(rec, page, text);
    ASSERT_TRUE(t) << text;
    EXPECT_EQ(box.left, t->box.left) << text;
    EXPECT_EQ(box.top, t->box.top) << text;
    EXPECT_EQ(box.right, t->box.right) << text;
    EXPECT_EQ(box.bottom, t->box.bottom) << text;
    EXPECT_EQ(framed, Framed(rec, page, box)) << text;
}

void ExpectPoint(const Recording& rec, int page, const std::string& text, int x, int y) {
    const auto t = Find(rec, page, text);
    ASSERT_TRUE(t) << text;
    EXPECT_EQ(TextKind::Point, t->kind) << text;
    EXPECT_EQ(x, t->at.x) << text;
    EXPECT_EQ(y, t->at.y) << text;
}

TEST(PrintedDeclaration, Anexa1CellsStandWhereTheFormHasThem) {
    Printed p;
    ASSERT_TRUE(p.printer.Begin(PagePrinter::kLandscape));
    DrawDeclarationPrintout(p.printer, Printout(0), "2.08");
    const Recording& rec = p.rec;
    // Rectifying declaration no. 2: its PDF is not offered under the initial one's name.
    EXPECT_EQ("12345678_201003_concedii_rectificativa_2", rec.documentName);
    EXPECT_EQ(1, rec.pages);
    EXPECT_EQ(1, rec.pagesEnded);
    EXPECT_TRUE(rec.documentEnded);
    ExpectBox(rec, 1, "Orvik Asigurati 2.08", {4500, 4600, 6500, 4800}, false);
    ExpectPoint(rec, 1, "Casa de Asigurari de Sanatate MB", 200, 100);
    ExpectPoint(rec, 1, "Anexa 1", 5500, 100);
    ExpectBox(rec, 1, "DECLARATIE    rectificativa 2", {200, 200, 6600, 300}, false);
    ExpectBox(rec, 1, "pentru concedii si indemnizatii pentru luna 03, anul 2010",
              {200, 400, 6600, 500}, false);
    ExpectBox(rec, 1, "A. Denumire angajator:", {400, 700, 1400, 800}, false);
    ExpectBox(rec, 1, "ALFA SRL", {1800, 700, 4000, 800}, true);
    ExpectBox(rec, 1, "12345678", {5300, 700, 6200, 800}, true);
    ExpectBox(rec, 1, "J40/1234/2003", {1800, 800, 4000, 900}, true);
    ExpectBox(rec, 1, "50000", {2300, 900, 3200, 1000}, true);
    ExpectBox(rec, 1, "425", {5300, 900, 6200, 1000}, true);
    ExpectBox(rec, 1, "434", {3300, 1200, 4200, 1300}, true);
    ExpectBox(rec, 1, "420", {3300, 1300, 4200, 1400}, true);  // J cut to whole lei
    ExpectBox(rec, 1, "Suma sup.\nangajator", {4330, 1420, 4880, 1600}, false);
    // J4 is the fourth group row: y 1900 to 2000.
    // Its label ends where the first figure's box starts.
    ExpectBox(rec, 1, "J4. Ingrijirea copilului bolnav:", {600, 1900, 2500, 2000}, false);
    EXPECT_TRUE(Framed(rec, 1, {2500, 1900, 3050, 2000}));
    EXPECT_TRUE(Framed(rec, 1, {5550, 2000, 6200, 2100}));  // J5's fund amount
    // I - J = 13.25 recovers part of K: L 13, nothing to pay, N 86.
    ExpectBox(rec, 1, "13", {5300, 2300, 6200, 2400}, true);
    ExpectBox(rec, 1, "86", {5300, 2500, 6200, 2600}, true);
    ExpectBox(rec, 1, "P. Conturi bancare:", {400, 2800, 1300, 2900}, false);
    // The bank line stands beside its label, above the declaration sentence.
    ExpectPoint(rec, 1, "Banca: BCR   Filiala UNIRII   Cont: RO49AAAA1B31007593840000", 1300, 2800);
    ExpectPoint(rec, 1, "Numar total de file in Anexa 2 .........", 3700, 3000);
    EXPECT_TRUE(Framed(rec, 1, {400, 3200, 6500, 3500}));
    EXPECT_TRUE(Framed(rec, 1, {5800, 3200, 6000, 3300}));
    EXPECT_FALSE(Find(rec, 1, "Anexa 2"));
}

// Pages, the rows on each, and the header texts of a page.
TEST(PrintedDeclaration, Anexa2HoldsThirtyOneRowsAPageWithItsHeaderOnEach) {
    Printed one;
    ASSERT_TRUE(one.printer.Begin(PagePrinter::kLandscape));
    DrawDeclarationPrintout(one.printer, Printout(31), "2.08");
    EXPECT_EQ(2, one.rec.pages);
    EXPECT_EQ(2, one.rec.pagesEnded);
    ExpectPoint(one.rec, 2, "Anexa 2", 5500, 100);
    ExpectBox(one.rec, 2, "31", {200, 4500, 300, 4620}, true);  // 900 + 30 x 120

    Printed two;
    ASSERT_TRUE(two.printer.Begin(PagePrinter::kLandscape));
    DrawDeclarationPrintout(two.printer, Printout(32), "2.08");
    EXPECT_EQ(3, two.rec.pages);
    EXPECT_EQ(3, two.rec.pagesEnded);
    for (int page : {2, 3}) {
        ExpectPoint(two.rec, page, "Anexa 2", 5500, 100);
        ExpectPoint(two.rec, page, "Denumire angajator: ALFA SRL  CUI: 12345678", 200, 600);
        ExpectBox(two.rec, page, "Nr.\ncrt", {200, 700, 300, 900}, true);
        ExpectBox(two.rec, page, "Nr. avizului medicului expert", {6000, 700, 6400, 900}, true);
        ExpectBox(two.rec, page, "Orvik Asigurati 2.08", {4500, 4600, 6500, 4800}, false);
        const auto title = Find(two.rec, page,
                                "DECLARATIE    rectificativa 2\nPrivind evidenta obligatiilor de "
                                "plata catre bugetul Fondului National Unic de Asigurari Sociale "
                                "de Sanatate\npentru concedii si indemnizatii pentru luna 03, "
                                "anul 2010");
        EXPECT_TRUE(title) << page;
    }
    ExpectBox(two.rec, 2, "NUME31 ION", {400, 4500, 900, 4620}, true);
    EXPECT_FALSE(Find(two.rec, 2, "NUME32 ION"));
    ExpectBox(two.rec, 3, "32", {200, 900, 300, 1020}, true);
    ExpectBox(two.rec, 3, "NUME32 ION", {400, 900, 900, 1020}, true);
    ExpectBox(two.rec, 3, "spital", {4100, 900, 4500, 1020}, true);
    // Titles in the first font, the table in the small one.
    EXPECT_EQ(1, Find(two.rec, 3, "Anexa 2")->font);
    EXPECT_EQ(12, Find(two.rec, 3, "NUME32 ION")->font);
    EXPECT_TRUE(two.rec.documentEnded);
}

// `length` characters of words, as the longest names and addresses read.
std::string LongText(const std::string& start, std::size_t length) {
    std::string text = start;
    while (text.size() < length) text += " CONSTRUCTII MONTAJ SI REPARATII";
    text.resize(length);
    return text;
}

// Every text as long as its column holds, two pages of certificates.
DeclarationPrintout LongestPrintout() {
    DeclarationPrintout p = Printout(35);
    p.declaration.nrAng = "99999";
    p.declaration.fondDeSalarii = "9999999999";
    p.declaration.contributiiDatorate = "9999999999";
    p.declaration.faambp = "9999999999";
    p.declaration.faambpDatorat = "9999999999";
    CompanyRecord& c = p.company;
    c.cf = "1800101221144";
    c.denumire = LongText("SOCIETATEA COMERCIALA", 255);
    c.regCom = LongText("J40/1234/2003", 50);
    c.repr = LongText("POPESCU-IONESCU", 255);
    c.loc = LongText("DROBETA-TURNU SEVERIN", 100);
    c.str = LongText("BULEVARDUL", 100);
    c.nr = c.bl = c.sc = c.et = c.ap = "1234567890";
    c.tel = LongText("0212223344", 50);
    c.sect = "6";
    c.email = LongText("CONTABILITATE", 50);
    c.b1 = LongText("BANCA", 100);
    c.f1 = LongText("SUCURSALA", 100);
    c.c1 = "RO49AAAA1B31007593840000";
    for (CertificateRecord& r : p.certificates) {
        r.nume = LongText("POPESCU-IONESCU", 100);
        r.prenume = LongText("ELENA-RAMONA-MX", 50);
        r.cnp = r.cnpCopil = "2900101221144";
        r.tipRectif = "M";
        r.zileLucratoare = r.zileLucrate = r.zilePrestatiiAng = r.zileSuportateFnuass = "31";
        r.sumaSuportataAng = r.sumaSuportataFnuass = "9999999";
        r.codIndemn = "15";
        r.codUrg = "A12";
        r.codContag = "12";
        r.certSerie = r.certInitSerie = "ABCDEFGHIJ";
        r.certNumar = r.certInitNumar = "1234567890";
        r.dataAcordarii = r.dataInc = r.dataSf = "2010-03-10";
        r.locPres = "3";
        r.bazaCalc = "99999999";
        r.ziBzCalc = "184";
        r.mzbci = "9999.9999";
        r.zilePrestatii = "31";
        r.meNr = "1234567890";
    }
    return p;
}

TEST(PrintedDeclaration, TheLongestTextsStayInTheirBoxesOnEveryPage) {
    Printed p;
    ASSERT_TRUE(p.printer.Begin(PagePrinter::kLandscape));
    DrawDeclarationPrintout(p.printer, LongestPrintout(), "2.08");
    ASSERT_EQ(3, p.rec.pages);
    const auto found = recorded_ink::Overprints(p.rec, {7000, 4950});
    std::string said;
    for (const std::string& f : found) said += f + "\n";
    EXPECT_TRUE(found.empty()) << said;
    // The long line labels print whole, each in its own box.
    for (const char* label :
         {"C. Nr. Inreg. Reg. Comertului:",
          "F. Total contributii datorate pentru concedii si indemnizatii:",
          "J. Total cuantum prestatii de suportat din FNUASS pentru concedii si indemnizatii:"}) {
        const auto t = Find(p.rec, 1, label);
        ASSERT_TRUE(t) << label;
        EXPECT_EQ(std::vector<std::string>{label}, t->lines);
    }
}

TEST(PrintedDeclaration, CertificateCellsFillGapsWithDashes) {
    CertificateRecord c;
    c.tipRectif = "M";
    c.nume = "POPESCU";
    c.prenume = "ION";
    c.cnp = "1800101221144";
    c.cnpCopil = "0";
    c.cas = "CAS_B";
    c.zileLucratoare = "23";
    c.zileLucrate = "15";
    c.zilePrestatiiAng = "5";
    c.zileSuportateFnuass = "3";
    c.sumaSuportataAng = "1500.5";
    c.sumaSuportataFnuass = "300";
    c.codIndemn = "01";
    c.certSerie = "AB";
    c.certNumar = "1001";
    c.dataAcordarii = "2010-03-10";
    c.dataInc = "2010-03-10";
    c.dataSf = "2010-03-19";
    c.locPres = "0";
    const std::vector<std::string> cells = CertificateCells(c, 7);
    ASSERT_EQ(18u, cells.size());
    EXPECT_EQ("7", cells[0]);
    EXPECT_EQ("POPESCU ION", cells[2]);
    EXPECT_EQ("1800101221144/\n0", cells[3]);
    EXPECT_EQ("_B", cells[4]);
    EXPECT_EQ("23 / 15", cells[5]);
    EXPECT_EQ("5 / 3", cells[6]);
    EXPECT_EQ("1.500,5 /\n300", cells[7]);
    EXPECT_EQ("01 /\n- / -", cells[8]);
    EXPECT_EQ("AB 1001 /\n-", cells[9]);
    EXPECT_EQ("2010-03-10\n2010-03-19", cells[11]);
    EXPECT_EQ("?", cells[12]);
    c.codUrg = "A12";
    c.certInitSerie = "AB";
    c.certInitNumar = "900";
    EXPECT_EQ("01 /\nA12 / -", CertificateCells(c, 1)[8]);
    EXPECT_EQ("AB 1001 /\nAB 900", CertificateCells(c, 1)[9]);
    const char* places[] = {"?", "MF", "spital", "ambulatoriu", "CAS", "?"};
    for (int code = 0; code <= 5; ++code)
        EXPECT_EQ(places[code], PlaceOfPrescription(std::to_string(code)));
}

}  // namespace
