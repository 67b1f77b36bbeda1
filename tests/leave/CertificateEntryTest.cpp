// The certificate editor's flows against the test server: the save checks in
// their order, the rectification rules, the write, and the completion look-ups.
#include <gtest/gtest.h>

#include "TestServer.h"
#include "datalist/DataList.h"
#include "leave/CertificateEntry.h"
#include "leave/DeclarationRegister.h"

namespace {

const char* const kCnp = "1800101221144";
const char* const kOtherCnp = "2800203400121";
const char* const kChild = "2850101000010";

// Declarations of ALFA (12345674) for March 2010: 1 initial, 2 and 3
// rectifying; 4 is April's initial one.
const char* const kDeclarations =
    "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
    "zile_lucratoare, nr_ang) VALUES (1, 12345674, 201003, 'NU', 0, 23, 10),"
    " (2, 12345674, 201003, 'DA', 1, 23, 10), (3, 12345674, 201003, 'DA', 2, 23, 10),"
    " (4, 12345674, 201004, 'NU', 0, 22, 10)";

CertificateRecord Valid() {
    CertificateRecord r;
    r.cnp = kCnp;
    r.nume = "POPESCU";
    r.prenume = "ION";
    r.cas = "CASAB";
    r.certSerie = "CCMAE";
    r.certNumar = "123456";
    r.codIndemn = "1";
    r.dataAcordarii = "20100301";
    r.dataInc = "20100301";
    r.dataSf = "20100305";
    r.zileLucratoare = "23";
    r.zileLucrate = "10";
    r.zilePrestatii = "5";
    r.zilePrestatiiAng = "5";
    r.zileSuportateFnuass = "0";
    r.sumaSuportataAng = "119";
    r.bazaCalc = "2906";
    r.ziBzCalc = "122";
    r.mzbci = "23.8197";
    r.locPres = "2";
    r.meNr = "E7";
    return r;
}

class CertificateEntryTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        RunSql(kDeclarations);
    }
    CertificateEntry Entry(long long declaration) {
        DeclarationRegister declarations(*m_client);
        auto loaded = declarations.Load(declaration);
        EXPECT_TRUE(loaded);
        return CertificateEntry(*m_client, {loaded.value_or(DeclarationRecord{}), "ALFA SRL"});
    }
    long long Saved(long long declaration, const CertificateRecord& record, long long index = 0) {
        const Outcome saved = Entry(declaration).Save(record, index);
        EXPECT_TRUE(saved.Ok());
        return saved.Key();
    }
    void Refused(long long declaration, const CertificateRecord& record, const std::string& message,
                 const std::string& field, long long index = 0) {
        m_prompter.ExpectMessage(message);
        const Outcome saved = Entry(declaration).Save(record, index);
        EXPECT_FALSE(saved.Ok()) << message;
        EXPECT_EQ(field, saved.Field()) << message;
    }
    static std::string Stored(long long index, const char* columns) {
        return SqlScalar(std::string("SELECT CONCAT_WS('|', ") + columns +
                         ") FROM concedii.concedii WHERE `index`=" + std::to_string(index));
    }
    static std::string Count() { return SqlScalar("SELECT COUNT(*) FROM concedii.concedii"); }
};

TEST_F(CertificateEntryTest, TheSaveChecksComeInTheirOrderAndWriteNothing) {
    const auto with = [](auto change) {
        CertificateRecord r = Valid();
        change(r);
        return r;
    };
    const struct {
        CertificateRecord record;
        const char* message;
        const char* field;
    } cases[] = {
        {with([](auto& r) {
             r.cnp = "1800101221145";
             r.nume.clear();
         }),
         "CNP-ul introdus este incorect!", "cnp"},
        {with([](auto& r) {
             r.prenume.clear();
             r.codIndemn.clear();
         }),
         "Trebuie sa introduci un nume!", "prenume"},
        {with([](auto& r) {
             r.codIndemn.clear();
             r.certSerie.clear();
         }),
         "Trebuie sa introduci un cod de indemnizatie!", "cod_indemn"},
        {with([](auto& r) { r.codIndemn = "16"; }), "Codul de indemnizatie introdus este incorect!",
         "cod_indemn"},
        {with([](auto& r) { r.codIndemn = "06"; }),
         "Pentru codul de indemnizatie <06>, trebuie sa introduci codul urgentei "
         "medico-chirurgicale!",
         "cod_urg"},
        {with([](auto& r) {
             r.codIndemn = "6";
             r.codUrg = "999";
         }),
         "Codul urgentei medico chirurgicale este invalid!", "cod_urg"},
        {with([](auto& r) { r.codIndemn = "5"; }),
         "Pentru codul de indemnizatie <05>, trebuie sa introduci codul bolii contagioase!",
         "cod_contag"},
        {with([](auto& r) {
             r.codIndemn = "5";
             r.codContag = "37";
         }),
         "Codul bolii infecto contagioase este invalid!", "cod_contag"},
        {with([](auto& r) {
             r.codIndemn = "9";
             r.cnpCopil = "2850101000011";
         }),
         "CNP-ul copilului este incorect!", "cnp_copil"},
        {with([](auto& r) {
             r.kind = LeaveKind::Continuation;
             r.certInitSerie = "CCMAE";
         }),
         "Trebuie sa introduci seria si numarul certificatului medical initial!",
         "cert_init_numar"},
        {with([](auto& r) {
             r.certNumar.clear();
             r.dataAcordarii = "20100230";
         }),
         "Trebuie sa introduci seria si numarul certificatului medical!", "cert_numar"},
        {with([](auto& r) {
             r.dataAcordarii = "20100230";
             r.dataInc = "";
         }),
         "Data acordarii este incorecta!", "data_acordarii"},
        {with([](auto& r) { r.dataInc = "2010301"; }),
         "Data de inceput a concediului medical este incorecta!", "data_inc"},
        {with([](auto& r) { r.dataSf = "20100300"; }),
         "Data de sfarsit a concediului medical este incorecta!", "data_sf"},
        // An end before the start is refused like an impossible one.
        {with([](auto& r) { r.dataSf = "20100228"; }),
         "Data de sfarsit a concediului medical este incorecta!", "data_sf"},
        {with([](auto& r) {
             r.zileLucrate = "24";
             r.zilePrestatiiAng = "9";
         }),
         "Numarul de zile lucrate este mai mare decat numarul de zile lucratoare din luna!",
         "zile_lucrate"},
        {with([](auto& r) {
             r.zilePrestatiiAng = "3";
             r.zileSuportateFnuass = "3";
         }),
         "Numarul de zile (suportate de catre angajator + FNUASS) este mai mare decat numarul de "
         "zile lucratoare ale concediului!",
         "zile_prestatii_ang"},
        {with([](auto& r) {
             r.zileLucratoare = "22";
             r.zileLucrate = "5";
             r.zilePrestatii = "18";
         }),
         "Numarul de zile (lucrate + concediu) este mai mare decat numarul zilelor lucratoare din "
         "luna!",
         "zile_lucrate"},
        {with([](auto& r) { r.cas = "?????"; }), "Trebuie sa alegi casa de asigurari!", "cas"},
    };
    for (const auto& c : cases) Refused(1, c.record, c.message, c.field);
    EXPECT_EQ("0", Count());
}

TEST_F(CertificateEntryTest, AnAddWritesEveryFieldInOrderAndCodesWithoutZeros) {
    CertificateRecord r = Valid();
    r.codIndemn = "05";
    r.codContag = "01";
    r.codUrg = "12";         // not code 6: not stored
    r.cnpCopil = kChild;     // not code 9: stored as 0
    r.certInitSerie = "XX";  // an initial leave keeps no initial certificate
    r.certInitNumar = "1";
    r.venitPrinReducere = "375";  // not code 10
    const long long key = Saved(1, r);
    EXPECT_EQ(1, key);
    EXPECT_EQ(
        "insert into CONCEDII.CONCEDII (`ID_DECLARATIE`, `CF`, `CNP`, `CNP_COPIL`, `NUME`, "
        "`PRENUME`, `CAS`, `CERT_SERIE`, `CERT_NUMAR`, `CERT_INIT_SERIE`, `CERT_INIT_NUMAR`, "
        "`COD_INDEMN`, `ZILE_LUCRATOARE`, `ZILE_LUCRATE`, `ZILE_PRESTATII`, `ZILE_PRESTATII_ANG`, "
        "`ZILE_SUPORTATE_FNUASS`, `SUMA_SUPORTATA_FNUASS`, `SUMA_SUPORTATA_ANG`, `COD_URG`, "
        "`COD_CONTAG`, `DATA_ACORDARII`, `DATA_INC`, `DATA_SF`, `LOC_PRES`, `BAZA_CALC`, "
        "`ZI_BZ_CALC`, `MZBCI`, `ME_NR`, `VENIT_PRIN_REDUCERE`) values ('1', '12345674', "
        "'1800101221144', '0', 'POPESCU', 'ION', 'CASAB', 'CCMAE', '123456', '', '', '5', '23', "
        "'10', '5', '5', '0', '0', '119', '', '1', '2010-03-01', '2010-03-01', '2010-03-05', '2', "
        "'2906', '122', '23.8197', 'E7', '0')",
        m_client->LastStatement());
    EXPECT_EQ("1|12345674|1800101221144|0|5||1|2010-03-05|2|23.8197|0|",
              Stored(key,
                     "id_declaratie, cf, cnp, cnp_copil, cod_indemn, cod_urg, cod_contag, "
                     "data_sf, loc_pres, mzbci, venit_prin_reducere, tip_rectif"));

    r = Valid();
    r.codIndemn = "06";
    r.codUrg = "007";
    r.certNumar = "2";
    const long long second = Saved(1, r);
    EXPECT_EQ("6|7|", Stored(second, "cod_indemn, cod_urg, cod_contag"));

    r = Valid();
    r.codIndemn = "9";
    r.cnpCopil = kChild;
    r.certNumar = "3";
    r.kind = LeaveKind::Continuation;
    r.certInitSerie = "CCMAE";
    r.certInitNumar = "100";
    EXPECT_EQ("9|2850101000010|CCMAE|100", Stored(Saved(1, r),
                                                  "cod_indemn, cnp_copil, "
                                                  "cert_init_serie, cert_init_numar"));
}

TEST_F(CertificateEntryTest, AModifyRewritesTheRowAndKeepsACopyInTheChangeLog) {
    const long long key = Saved(1, Valid());
    CertificateEntry entry = Entry(1);
    auto loaded = entry.Load(key);
    ASSERT_TRUE(loaded);
    // Unchanged series and number: the certificate does not collide with itself.
    EXPECT_EQ(key, Saved(1, *loaded, key));
    loaded->codIndemn = "10";
    loaded->venitPrinReducere = "375";
    EXPECT_EQ(key, Saved(1, *loaded, key));
    EXPECT_EQ("10|375|1", Stored(key, "cod_indemn, venit_prin_reducere, id_declaratie"));
    EXPECT_EQ("2", SqlScalar("SELECT COUNT(*) FROM concedii.zlog_concedii WHERE znew_op='M'"));
    EXPECT_EQ(0u, m_client->LastStatement().find("UPDATE CONCEDII.CONCEDII SET `CNP`="));
}

TEST_F(CertificateEntryTest, ACertificateReadsBackAsItWasTypedEmptyNumbersAsZero) {
    CertificateRecord typed = Valid();
    typed.tipRectif = "A";
    typed.codIndemn = "9";
    typed.cnpCopil = kChild;
    typed.kind = LeaveKind::Continuation;
    typed.certInitSerie = "CCMAE";
    typed.certInitNumar = "100";
    typed.dataAcordarii = "20100228";
    typed.dataSf = "20100331";
    typed.zileLucrate = "";
    typed.bazaCalc = "";
    typed.ziBzCalc = "";
    const long long key = Saved(2, typed);
    EXPECT_EQ(
        "2010-02-28|2010-03-01|2010-03-31|0|0|0",
        Stored(key, "data_acordarii, data_inc, data_sf, zile_lucrate, baza_calc, zi_bz_calc"));
    const auto loaded = Entry(2).Load(key);
    ASSERT_TRUE(loaded);
    for (const auto& column : CertificateEntry::Columns()) {
        const std::string& was = typed.*column.member;
        // The reduced income belongs to code 10 only: the form shows it empty.
        const bool zero = was.empty() && column.spec.stored == StoredForm::Number &&
                          column.spec.name != "venit_prin_reducere";
        const std::string expected = zero ? "0" : was;
        EXPECT_EQ(expected, (*loaded).*column.member) << column.spec.name;
    }
    EXPECT_EQ(LeaveKind::Continuation, loaded->kind);
}

TEST_F(CertificateEntryTest, AChangeNeverMovesTheCertificateToAnotherDeclaration) {
    const long long key = Saved(1, Valid());
    CertificateRecord changed = Valid();
    changed.meNr = "E9";
    changed.tipRectif = "M";  // an initial declaration stores no type of change
    // Saved through April's declaration: only what the form edits is written.
    EXPECT_EQ(key, Saved(4, changed, key));
    EXPECT_EQ("1|12345674|E9|", Stored(key, "id_declaratie, cf, me_nr, tip_rectif"));
    EXPECT_EQ(std::string::npos, m_client->LastStatement().find("ID_DECLARATIE"));
}

TEST_F(CertificateEntryTest, TheDeclarationsListShowsTheTypeAndCnpAtTheirWidths) {
    CertificateRecord r = Valid();
    Saved(1, r);
    r.certNumar = "2";
    r.nume = "ALBU";
    const long long second = Saved(1, r);
    DataList list;
    CertificateRegister certificates(*m_client);
    ASSERT_TRUE(certificates.FillList(list, 1));
    ASSERT_EQ(2, list.RowCount());
    EXPECT_EQ(second, CertificateRegister::KeyAt(list, 0));  // by name
    EXPECT_EQ(50, list.ColumnWidth(list.ColumnIndex("TIP")));
    EXPECT_EQ(105, list.ColumnWidth(list.ColumnIndex("CNP")));
    EXPECT_EQ(0, list.ColumnWidth(list.ColumnIndex("INDEX")));
    EXPECT_EQ(100, list.ColumnWidth(list.ColumnIndex("NUME")));
}

TEST_F(CertificateEntryTest, AnInitialDeclarationAsksBeforeHoldingACertificateTwice) {
    CertificateRecord r = Valid();
    r.certSerie = "A'B";  // an apostrophe reaches the statements as a plain character
    Saved(1, r);
    const std::string question =
        "Doresti sa adaugi certificatul A'B - 123456.\n\nAcesta este deja introdus in "
        "declaratia curenta.";
    // "Nu" writes nothing and puts the caret on the series.
    m_prompter.ExpectQuestion(question, false);
    const Outcome kept = Entry(1).Save(r, 0);
    EXPECT_FALSE(kept.Ok());
    EXPECT_EQ("cert_serie", kept.Field());
    EXPECT_EQ("1", Count());
    m_prompter.ExpectQuestion(question, true);
    Saved(1, r);
    EXPECT_EQ("2", Count());
    r.cnp = kOtherCnp;  // another person's certificate of the same series and number
    Saved(1, r);
    // Another month's declaration does not see March's certificates.
    Saved(4, Valid());
    EXPECT_EQ("4", Count());
}

TEST_F(CertificateEntryTest, AnMOrSEntryStartsFromTheLatestEarlierVersionOfItsCertificate) {
    Saved(1, Valid());  // the initial declaration reports it
    CertificateRecord changed = Valid();
    changed.tipRectif = "M";
    changed.dataSf = "20100308";
    changed.zilePrestatii = "6";
    changed.zileSuportateFnuass = "1";
    changed.meNr = "E8";
    Saved(2, changed);  // the first rectification changes it

    // The second rectification starts from the first one's version; the kind
    // of change stays the one chosen.
    CertificateEntry second = Entry(3);
    CertificateRecord typed;
    typed.tipRectif = "S";
    typed.certSerie = "CCMAE";
    typed.certNumar = "123456";
    ASSERT_TRUE(second.FillFromCorrected(typed).Ok());
    EXPECT_EQ("S", typed.tipRectif);
    EXPECT_EQ(kCnp, typed.cnp);
    EXPECT_EQ("POPESCU", typed.nume);
    EXPECT_EQ("CASAB", typed.cas);
    EXPECT_EQ("20100308", typed.dataSf);
    EXPECT_EQ("6", typed.zilePrestatii);
    EXPECT_EQ("E8", typed.meNr);
    EXPECT_EQ("2", typed.locPres);
    // As filled, it passes the withdrawal's rule.
    EXPECT_EQ("S|1|E8", Stored(Saved(3, typed), "tip_rectif, zile_suportate_fnuass, me_nr"));

    // The first rectification sees only what the initial declaration reported.
    CertificateRecord first;
    first.tipRectif = "M";
    first.certSerie = "CCMAE";
    first.certNumar = "123456";
    ASSERT_TRUE(Entry(2).FillFromCorrected(first).Ok());
    EXPECT_EQ("20100305", first.dataSf);
    EXPECT_EQ("E7", first.meNr);

    // Nothing earlier to correct: said, and what was typed stays.
    CertificateRecord unknown;
    unknown.tipRectif = "M";
    unknown.cnp = kOtherCnp;
    unknown.certSerie = "CCMAE";
    unknown.certNumar = "999";
    m_prompter.ExpectMessage(
        "Certificatul CCMAE - 999 nu exista intr-o declaratie anterioara din aceasta luna.");
    const Outcome missing = second.FillFromCorrected(unknown);
    EXPECT_FALSE(missing.Ok());
    EXPECT_EQ("cert_numar", missing.Field());
    EXPECT_EQ(kOtherCnp, unknown.cnp);
    unknown.certSerie.clear();
    m_prompter.ExpectMessage("Trebuie sa introduci seria si numarul certificatului medical!");
    EXPECT_EQ("cert_serie", second.FillFromCorrected(unknown).Field());
    // An initial declaration corrects nothing.
    EXPECT_FALSE(Entry(1).FillFromCorrected(first).Ok());
}

TEST_F(CertificateEntryTest, RectifyingDeclarationsAddOnlyNewCertificatesAndChangeOnlyKnownOnes) {
    Saved(1, Valid());  // reported in the initial declaration
    CertificateRecord added = Valid();
    added.tipRectif = "A";
    Refused(2, added,
            "ATENTIE: aceasta este o declaratie rectificativa\n\nDoresti sa adaugi la declaratia "
            "anterioara certificatul CCMAE - 123456.\n\nAcesta exista deja.",
            "cert_serie");
    added.certNumar = "777";
    const long long key = Saved(2, added);
    EXPECT_EQ("A", Stored(key, "tip_rectif"));
    EXPECT_EQ(key, Saved(2, added, key));  // an A entry changed without its identity

    CertificateRecord modified = Valid();
    modified.certNumar = "888";
    for (const char* kind : {"M", "S"}) {
        modified.tipRectif = kind;
        Refused(2, modified,
                std::string("ATENTIE: aceasta este o declaratie rectificativa\n\nDoresti sa ") +
                    (kind[0] == 'M' ? "modifici in" : "stergi din") +
                    " declaratia anterioara certificatul CCMAE - 888.\n\nPentru acest lucru, "
                    "trebuie ca seria si numarul sa existe deja intr-o declaratie anterioara din "
                    "aceasi luna.\nEi bine, nu exista.",
                "cert_serie");
    }
    // What this same declaration added is not "earlier": it cannot be modified here.
    modified.certNumar = "777";
    modified.tipRectif = "M";
    Refused(2, modified,
            "ATENTIE: aceasta este o declaratie rectificativa\n\nDoresti sa modifici in declaratia "
            "anterioara certificatul CCMAE - 777.\n\nPentru acest lucru, trebuie ca seria si "
            "numarul sa existe deja intr-o declaratie anterioara din aceasi luna.\nEi bine, nu "
            "exista.",
            "cert_serie");
    modified.certNumar = "123456";
    EXPECT_EQ("M", Stored(Saved(2, modified), "tip_rectif"));
    // The second rectification sees what the first one added.
    added.tipRectif = "S";
    EXPECT_EQ("S", Stored(Saved(3, added), "tip_rectif"));
}

TEST_F(CertificateEntryTest, LoadingGivesTheFormItsFields) {
    RunSql(
        "INSERT INTO concedii.concedii (`index`, id_declaratie, cf, cnp, cnp_copil, nume, "
        "prenume, cas, tip_rectif, cert_serie, cert_numar, cert_init_serie, cert_init_numar, "
        "cod_indemn, cod_urg, cod_contag, data_acordarii, data_inc, data_sf, loc_pres) VALUES "
        "(7, 2, 12345674, 1800101221144, 2850101000010, 'POPESCU', 'ION', 'CASHR', 'X', 'S', "
        "'1', 'I', '2', '6', '12', '3', '2010-03-02', '2010-03-03', '0000-00-00', 0)");
    auto r = Entry(2).Load(7);
    ASSERT_TRUE(r);
    EXPECT_EQ("A", r->tipRectif);
    EXPECT_EQ("CASHG", r->cas);
    EXPECT_EQ(LeaveKind::Continuation, r->kind);
    EXPECT_EQ("12", r->codUrg);
    EXPECT_EQ("", r->codContag);
    EXPECT_EQ("", r->cnpCopil);
    EXPECT_EQ("20100302", r->dataAcordarii);
    EXPECT_EQ("20100303", r->dataInc);
    EXPECT_EQ("", r->dataSf);
    EXPECT_EQ("1", r->locPres);
    EXPECT_FALSE(Entry(2).Load(8));
}

TEST_F(CertificateEntryTest, TheCnpCompletesFromTheLatestChildCareCertificateThenTheRegister) {
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (12345674, 'CASHR', 'IONESCU', 'DAN', 1850505123457, 20090101, 0, 'S'),"
        " (12345674, 'CASCJ', 'LICHIDAT', 'VASILE', 1800101221144, 20090101, 20091231, 'S');"
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, cas, "
        "cod_indemn) VALUES (1, 12345674, 1800101221144, 2850101000010, 'POPESCU', 'ION', "
        "'CASAB', '9'), (1, 12345674, 1800101221144, 0, 'POPESCUL', 'IOAN', 'CAS_B', '1'),"
        " (1, 99999999, 1800101221199, 0, 'STRAIN', 'X', 'CAS_B', '1')");
    CertificateEntry entry = Entry(1);
    auto person = entry.FindPersonByCnpPrefix("18001");
    ASSERT_TRUE(person);
    EXPECT_EQ("POPESCU", person->nume);  // the code-9 certificate before the later one
    EXPECT_EQ("CASAB", person->cas);
    EXPECT_EQ(kChild, entry.LatestChildCnp(person->cnp).value_or(""));
    // An active insured person when no certificate has such a CNP; Harghita
    // is the leave module's code.
    person = entry.FindPersonByCnpPrefix("185");
    ASSERT_TRUE(person);
    EXPECT_EQ("1850505123457", person->cnp);
    EXPECT_EQ("IONESCU", person->nume);
    EXPECT_EQ("CASHG", person->cas);
    EXPECT_FALSE(entry.LatestChildCnp("1850505123457"));
    // Another company's certificate is not offered.
    EXPECT_FALSE(entry.FindPersonByCnpPrefix("1800101221199"));
}

TEST_F(CertificateEntryTest, TypedPrefixesAreTakenLiterally) {
    RunSql(
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (12345674, 'CAS_B', 'IONESCU', 'DAN', 1850505123457, 20090101, 0, 'S')");
    CertificateEntry entry = Entry(1);
    for (const char* typed : {"%", "1_5", "18'", "1\\"}) {
        EXPECT_FALSE(entry.FindPersonByCnpPrefix(typed)) << typed;
        EXPECT_FALSE(entry.FindCode(Nomenclature::Emergencies, typed)) << typed;
    }
    auto urgent = entry.FindCode(Nomenclature::Emergencies, "1");
    ASSERT_TRUE(urgent);
    EXPECT_EQ("1", urgent->code);
    EXPECT_EQ("Arsurile", urgent->description);
    EXPECT_EQ("10", entry.FindCode(Nomenclature::Emergencies, "10")->code);
}

TEST_F(CertificateEntryTest, IndemnityCodesAreLookedUpWithTheirZero) {
    CertificateEntry entry = Entry(1);
    auto code = entry.FindCode(Nomenclature::IndemnityCodes, "5");
    ASSERT_TRUE(code);
    EXPECT_EQ("5", code->code);
    EXPECT_EQ("100", code->percent);
    EXPECT_EQ("Boala infecto-contagioasa din grupa A", code->description);
    EXPECT_EQ("10", entry.FindCode(Nomenclature::IndemnityCodes, "10")->code);
    EXPECT_EQ("25", entry.FindCode(Nomenclature::IndemnityCodes, "10")->percent);
    EXPECT_EQ("9", entry.FindCode(Nomenclature::IndemnityCodes, "09")->code);
    EXPECT_FALSE(entry.FindCode(Nomenclature::IndemnityCodes, "2_"));
    EXPECT_EQ("34", entry.FindCode(Nomenclature::InfectiousDiseases, "34")->code);
}

TEST(CertificateTexts, TheMonthLineCountsDaysAsRomanianDoes) {
    DeclarationRecord d;
    d.luna = "201003";
    d.zileLucratoare = "23";
    d.nrAng = "10";
    EXPECT_EQ("03.2010 (23 de zile lucratoare - 10 salariati)", DeclarationMonthLine(d));
    d.zileLucratoare = "19";
    d.nrAng = "120";
    EXPECT_EQ("03.2010 (19 zile lucratoare - 120 salariati)", DeclarationMonthLine(d));
    EXPECT_TRUE(DaysTypedByUser(LeaveKind::Continuation, "01"));
    for (const char* code : {"2", "3", "4", "8", "9", "10", "15"})
        EXPECT_FALSE(DaysTypedByUser(LeaveKind::Continuation, code)) << code;
    EXPECT_FALSE(DaysTypedByUser(LeaveKind::Initial, "1"));
}

}  // namespace
