#include "leave/CertificateEntry.h"

#include <array>
#include <vector>

#include "db/CClient.h"
#include "db/PrefixLookup.h"
#include "db/RecordRows.h"
#include "db/SqlValues.h"
#include "db/Transaction.h"
#include "domain/Dates.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

namespace {

using Column = RecordColumn<CertificateRecord>;
using R = CertificateRecord;
using enum TextRule;
using enum StoredForm;

// The name columns are 50 characters wide: a longer name would be refused by
// the server at the save.
constexpr int kNameLength = 50;

const char* CheckCnp(const CertificateRecord& r) {
    return IsValidCnp(r.cnp) ? nullptr : "CNP-ul introdus este incorect!";
}

// Only a leave for a sick child (code 9) names the child.
const char* CheckChildCnp(const CertificateRecord& r) {
    return TextToInteger(r.codIndemn) != 9 || IsValidCnp(r.cnpCopil)
               ? nullptr
               : "CNP-ul copilului este incorect!";
}

// Whether the code is known needs the nomenclature: the save asks it.
const char* CheckIndemnityCode(const CertificateRecord& r) {
    return r.codIndemn.empty() ? "Trebuie sa introduci un cod de indemnizatie!" : nullptr;
}

const char* CheckGrantDate(const CertificateRecord& r) {
    return IsValidStoredDate(r.dataAcordarii) ? nullptr : "Data acordarii este incorecta!";
}

const char* CheckStartDate(const CertificateRecord& r) {
    return IsValidStoredDate(r.dataInc) ? nullptr
                                        : "Data de inceput a concediului medical este incorecta!";
}

// A leave cannot end before it starts: its days and amounts would all be 0.
const char* CheckEndDate(const CertificateRecord& r) {
    const bool ends =
        IsValidStoredDate(r.dataSf) &&
        (!IsValidStoredDate(r.dataInc) || TextToInteger(r.dataSf) >= TextToInteger(r.dataInc));
    return ends ? nullptr : "Data de sfarsit a concediului medical este incorecta!";
}

// In the order a save writes them. Day counts and amounts are numeric
// columns, the dates DATE columns; the type of change is stored only in a
// rectifying declaration.
const Column kColumns[] = {
    {{.name = "cnp", .maxLength = 13, .rule = Digits, .listWidth = 105}, &R::cnp, CheckCnp},
    {{.name = "cnp_copil", .maxLength = 13, .rule = Digits, .stored = Number},
     &R::cnpCopil,
     CheckChildCnp},
    {{.name = "nume", .maxLength = kNameLength, .rule = Upper}, &R::nume},
    {{.name = "prenume", .maxLength = kNameLength, .rule = Upper}, &R::prenume},
    {{.name = "cas", .choices = LeaveHouseCodes}, &R::cas},
    {{.name = "tip_rectif",
      .listWidth = 50,
      .choices = RectificationCodes,
      .written = WrittenWhen::Asked,
      .listTitle = "tip"},
     &R::tipRectif},
    {{.name = "cert_serie", .maxLength = 10, .rule = Upper}, &R::certSerie},
    {{.name = "cert_numar", .maxLength = 10, .rule = Upper}, &R::certNumar},
    {{.name = "cert_init_serie", .maxLength = 10, .rule = Upper}, &R::certInitSerie},
    {{.name = "cert_init_numar", .maxLength = 10, .rule = Upper}, &R::certInitNumar},
    {{.name = "cod_indemn", .maxLength = 2, .rule = Digits}, &R::codIndemn, CheckIndemnityCode},
    {{.name = "zile_lucratoare", .rule = Digits, .stored = Number}, &R::zileLucratoare},
    {{.name = "zile_lucrate", .maxLength = 2, .rule = Digits, .stored = Number}, &R::zileLucrate},
    {{.name = "zile_prestatii", .rule = Digits, .stored = Number}, &R::zilePrestatii},
    {{.name = "zile_prestatii_ang", .maxLength = 2, .rule = Digits, .stored = Number},
     &R::zilePrestatiiAng},
    {{.name = "zile_suportate_fnuass", .maxLength = 2, .rule = Digits, .stored = Number},
     &R::zileSuportateFnuass},
    {{.name = "suma_suportata_fnuass", .stored = Number}, &R::sumaSuportataFnuass},
    {{.name = "suma_suportata_ang", .stored = Number}, &R::sumaSuportataAng},
    {{.name = "cod_urg", .maxLength = 3, .rule = Digits}, &R::codUrg},
    {{.name = "cod_contag", .maxLength = 2, .rule = Digits}, &R::codContag},
    {{.name = "data_acordarii", .stored = Date}, &R::dataAcordarii, CheckGrantDate},
    {{.name = "data_inc", .stored = Date}, &R::dataInc, CheckStartDate},
    {{.name = "data_sf", .stored = Date}, &R::dataSf, CheckEndDate},
    {{.name = "loc_pres", .choices = PrescriptionPlaceCodes}, &R::locPres},
    {{.name = "baza_calc", .maxLength = 14, .rule = Digits, .stored = Number}, &R::bazaCalc},
    {{.name = "zi_bz_calc", .maxLength = 3, .rule = Digits, .stored = Number}, &R::ziBzCalc},
    {{.name = "mzbci", .stored = Number}, &R::mzbci},
    {{.name = "me_nr", .maxLength = 10}, &R::meNr},
    {{.name = "venit_prin_reducere", .maxLength = 10, .rule = Digits, .stored = Number},
     &R::venitPrinReducere},
};

// The declaration a certificate belongs to: set when it is added, never moved.
const Column kBelongsTo[] = {
    {{.name = "id_declaratie", .written = WrittenWhen::Adding}, &R::idDeclaratie},
    {{.name = "cf", .written = WrittenWhen::Adding}, &R::cf},
};

constexpr std::string_view kRectificationCodes[] = {"A", "M", "S"};
constexpr std::string_view kRectificationTexts[] = {"A - adaugarea unui concediu nou",
                                                    "M - modificarea unui concediu deja raportat",
                                                    "S - stergerea unui concediu deja raportat"};
constexpr std::string_view kPlaceCodes[] = {"1", "2", "3", "4"};
constexpr std::string_view kPlaceTexts[] = {"Medic de familie", "Spital", "Ambulatoriu", "CAS"};

// Only eight characters can hold a valid day: a short year must not shift
// the month into the year.
TypedDate DateParts(const std::string& compact) {
    if (compact.size() != 8) return {};
    return SplitStoredDate(compact);
}

long long Count(const std::string& text) {
    return TextToInteger(text);
}

std::string LeaveHouse(const std::string& code) {
    const int position = InsuranceHousePosition(code, InsuranceHouseTable::MedicalLeave);
    return position < 0 ? code : InsuranceHouseCode(position, InsuranceHouseTable::MedicalLeave);
}

bool IsCode(const std::string& code, const char* wanted) {
    return StripLeadingZeros(code) == wanted;
}

// The fields only some indemnity codes have are empty under the others.
void ClearOtherCodesFields(CertificateRecord& r) {
    if (!IsCode(r.codIndemn, "6")) r.codUrg.clear();
    if (!IsCode(r.codIndemn, "5")) r.codContag.clear();
    if (!IsCode(r.codIndemn, "9")) r.cnpCopil.clear();
    if (!IsCode(r.codIndemn, "10")) r.venitPrinReducere.clear();
}

const char* NomenclatureTable(Nomenclature nomenclature) {
    switch (nomenclature) {
        case Nomenclature::IndemnityCodes:
            return "SELECT * FROM nomenc.siui_sickleaveindemnizations WHERE code LIKE ";
        case Nomenclature::Emergencies:
            return "SELECT * FROM nomenc.siui_medicochirurgicalemergencies WHERE code LIKE ";
        case Nomenclature::InfectiousDiseases:
            break;
    }
    return "SELECT * FROM nomenc.siui_infectocontagiousdiseases WHERE code LIKE ";
}

}  // namespace

std::span<const std::string_view> RectificationCodes() {
    return kRectificationCodes;
}
std::span<const std::string_view> RectificationTexts() {
    return kRectificationTexts;
}
std::span<const std::string_view> PrescriptionPlaceCodes() {
    return kPlaceCodes;
}
std::span<const std::string_view> PrescriptionPlaceTexts() {
    return kPlaceTexts;
}

std::span<const std::string_view> LeaveHouseCodes() {
    static const std::vector<std::string> codes = [] {
        std::vector<std::string> all;
        for (int i = 0; i < kInsuranceHouseCount; ++i)
            all.push_back(InsuranceHouseCode(i, InsuranceHouseTable::MedicalLeave));
        return all;
    }();
    static const std::vector<std::string_view> views(codes.begin(), codes.end());
    return views;
}

std::string DeclarationMonthLine(const DeclarationRecord& d) {
    const long long days = Count(d.zileLucratoare);
    return SliceChars(d.luna, 4, 5) + "." + SliceChars(d.luna, 0, 3) + " (" +
           IntegerToText(days, false) + (days < 20 ? " zile lucratoare" : " de zile lucratoare") +
           " - " + IntegerToText(Count(d.nrAng), false) + " salariati" + ")";
}

bool ShowsChildCnp(const std::string& code) {
    return IsCode(code, "9");
}
bool ShowsReducedIncome(const std::string& code) {
    return IsCode(code, "10");
}

bool DaysTypedByUser(LeaveKind kind, const std::string& code) {
    return DayRuleOf(code, kind) == DayRule::AsTyped;
}

void NormalizeCodes(CertificateRecord& record) {
    record.codIndemn = StripLeadingZeros(record.codIndemn);
    record.codUrg = StripLeadingZeros(record.codUrg);
    record.codContag = StripLeadingZeros(record.codContag);
}

CertificateFields CalculationFields(const CertificateRecord& r, const DeclarationRecord& d) {
    CertificateFields fields;
    fields.declarationMonth = d.luna;
    fields.employees = d.nrAng;
    fields.kind = r.kind;
    fields.indemnityCode = r.codIndemn;
    fields.start = DateParts(r.dataInc);
    fields.end = DateParts(r.dataSf);
    fields.income = r.bazaCalc;
    fields.incomeDays = r.ziBzCalc;
    fields.percent = r.percent;
    fields.reducedIncome = r.venitPrinReducere;
    fields.employerDays = r.zilePrestatiiAng;
    fields.fnuassDays = r.zileSuportateFnuass;
    return fields;
}

void ApplyFigures(CertificateRecord& r, const CertificateFigures& f) {
    r.zilePrestatii = f.totalDays;
    r.zilePrestatiiAng = f.employerDays;
    r.zileSuportateFnuass = f.fnuassDays;
    r.mzbci = f.averageDailyBase;
    r.sumaSuportataAng = f.employerAmount;
    r.sumaSuportataFnuass = f.fnuassAmount;
}

std::span<const RecordColumn<CertificateRecord>> CertificateEntry::Columns() {
    return kColumns;
}

std::span<const RecordColumn<CertificateRecord>> CertificateEntry::BelongsToColumns() {
    return kBelongsTo;
}

std::optional<CertificateRecord> CertificateEntry::Load(long long index) {
    if (!m_client.Query(
            SqlStatement("SELECT * FROM concedii.concedii AS c WHERE c.index=") + SqlInteger(index),
            true) ||
        m_client.RowCount() < 1)
        return std::nullopt;
    return StoredCertificate(0);
}

CertificateRecord CertificateEntry::StoredCertificate(long long row) const {
    CertificateRecord r = RecordFromResult<CertificateRecord>(m_client, row, kColumns);
    if (r.tipRectif != "M" && r.tipRectif != "S") r.tipRectif = "A";
    ClearOtherCodesFields(r);
    r.kind = !r.certInitSerie.empty() && !r.certInitNumar.empty() ? LeaveKind::Continuation
                                                                  : LeaveKind::Initial;
    const long long place = Count(r.locPres);
    if (place < 1 || place > 4) r.locPres = "1";
    r.cas = LeaveHouse(r.cas);
    return r;
}

Outcome CertificateEntry::FillFromCorrected(CertificateRecord& record) {
    const DeclarationRecord& d = m_context.declaration;
    if (!d.Rectifying()) return Outcome::Stopped();
    Prompter& prompter = m_client.GetPrompter();
    if (record.certSerie.empty() || record.certNumar.empty())
        return Refuse(prompter, "Trebuie sa introduci seria si numarul certificatului medical!",
                      record.certSerie.empty() ? "cert_serie" : "cert_numar");
    const auto cf = SqlNumber(prompter, d.cf);
    const auto luna = cf ? SqlNumber(prompter, d.luna) : std::nullopt;
    const auto number = luna ? SqlNumber(prompter, d.rectifNr) : std::nullopt;
    if (!number) return Outcome::Stopped();
    // The nearest earlier declaration holds the version the month counts.
    if (!m_client.Query(SqlStatement("SELECT c.* FROM concedii.concedii AS c JOIN "
                                     "concedii.declaratii AS d ON c.id_declaratie=d.index WHERE "
                                     "d.cf=") +
                            *cf + " AND d.luna=" + *luna + " AND d.rectif_nr<" + *number +
                            " AND c.cert_serie=" + SqlText(m_client, record.certSerie) +
                            " AND c.cert_numar=" + SqlText(m_client, record.certNumar) +
                            " ORDER BY d.rectif_nr DESC, c.index DESC LIMIT 0,1",
                        true))
        return Outcome::Stopped();
    if (m_client.RowCount() < 1)
        return Refuse(prompter,
                      "Certificatul " + record.certSerie + " - " + record.certNumar +
                          " nu exista intr-o declaratie anterioara din aceasta luna.",
                      "cert_numar");
    const long long found = TextToInteger(m_client.GetValue(0, "INDEX"));
    CertificateRecord corrected = StoredCertificate(0);
    corrected.tipRectif = record.tipRectif;
    // Older rows lack the month's working days: the form's count stays.
    if (Count(corrected.zileLucratoare) == 0) corrected.zileLucratoare = record.zileLucratoare;
    record = corrected;
    return Outcome::Done(found);
}

std::optional<CertificatePerson> CertificateEntry::FindPersonByCnpPrefix(const std::string& typed) {
    if (typed.empty()) return std::nullopt;
    const auto cf = SqlNumber(m_client.GetPrompter(), m_context.declaration.cf);
    if (!cf) return std::nullopt;
    PrefixLookup lookup(m_client);
    bool found =
        lookup.FindFirst(SqlStatement("SELECT * FROM concedii.concedii AS c WHERE c.cnp like ") +
                             lookup.Pattern(typed) + " AND c.cf=" + *cf,
                         "(c.cod_indemn=9)*1 DESC, c.index DESC");
    if (!found)
        found = lookup.FindFirst(
            SqlStatement("SELECT * from ASIGURATI.ASIGURATI AS a where a.cnp like ") +
                lookup.Pattern(typed) + " AND a.cf=" + *cf + " AND a.iesire=0",
            "a.index");
    if (!found) return std::nullopt;
    return CertificatePerson{m_client.GetValue(0, "CNP"), m_client.GetValue(0, "NUME"),
                             m_client.GetValue(0, "PRENUME"),
                             LeaveHouse(m_client.GetValue(0, "CAS"))};
}

std::optional<std::string> CertificateEntry::LatestChildCnp(const std::string& cnp) {
    if (!m_client.Query(SqlStatement("SELECT * FROM concedii.concedii AS c WHERE c.cnp = ") +
                            SqlText(m_client, cnp) + " AND c.cod_indemn = 9 ORDER BY c.index DESC",
                        true) ||
        m_client.RowCount() < 1)
        return std::nullopt;
    return m_client.GetValue(0, "CNP_COPIL");
}

std::optional<NomenclatureMatch> CertificateEntry::FindCode(Nomenclature nomenclature,
                                                            const std::string& typed) {
    if (typed.empty()) return std::nullopt;
    const bool indemnity = nomenclature == Nomenclature::IndemnityCodes;
    PrefixLookup lookup(m_client);
    if (!lookup.FindFirst(SqlStatement(NomenclatureTable(nomenclature)) +
                              lookup.Pattern(indemnity ? PadLeftZeros(typed, 2) : typed),
                          "code*1, code"))
        return std::nullopt;
    const std::string code = m_client.GetValue(0, "CODE");
    return NomenclatureMatch{indemnity ? StripLeadingZeros(code) : code,
                             m_client.GetValue(0, "DESCRIPTION"),
                             indemnity ? m_client.GetValue(0, "PERCENT") : std::string()};
}

CertificateFigures CertificateEntry::Recalculate(const CertificateRecord& record) {
    return RecalculateCertificate(CalculationFields(record, m_context.declaration), m_client);
}

std::optional<MonthWorkingDays> CertificateEntry::MonthDays() {
    const std::string& luna = m_context.declaration.luna;
    return LoadMonthWorkingDays(m_client, SliceChars(luna, 0, 3), SliceChars(luna, 4, 5));
}

Outcome CertificateEntry::Save(const CertificateRecord& typed, long long index) {
    CertificateRecord record = typed;
    NormalizeCodes(record);
    if (Outcome fields = CheckFields(record); !fields) return fields;
    // An old row may name a house the list does not know: "?????" must never
    // reach a declaration file.
    const int house = InsuranceHousePosition(record.cas, InsuranceHouseTable::MedicalLeave);
    if (house < 0)
        return Refuse(m_client.GetPrompter(), "Trebuie sa alegi casa de asigurari!", "cas");
    record.cas = InsuranceHouseCode(house, InsuranceHouseTable::MedicalLeave);
    if (Outcome rules = CheckRectification(record, index); !rules) return rules;
    return Write(record, index);
}

Outcome CertificateEntry::CheckFields(const CertificateRecord& r) {
    Prompter& prompter = m_client.GetPrompter();
    if (Outcome cnp = CheckColumn<CertificateRecord>(prompter, kColumns, r, "cnp"); !cnp)
        return cnp;
    if (r.nume.empty() || r.prenume.empty())
        return Refuse(prompter, "Trebuie sa introduci un nume!",
                      r.nume.empty() ? "nume" : "prenume");
    if (Outcome codes = CheckCodes(r); !codes) return codes;
    if (r.kind == LeaveKind::Continuation && (r.certInitSerie.empty() || r.certInitNumar.empty()))
        return Refuse(prompter,
                      "Trebuie sa introduci seria si numarul certificatului medical initial!",
                      r.certInitSerie.empty() ? "cert_init_serie" : "cert_init_numar");
    if (r.certSerie.empty() || r.certNumar.empty())
        return Refuse(prompter, "Trebuie sa introduci seria si numarul certificatului medical!",
                      r.certSerie.empty() ? "cert_serie" : "cert_numar");
    if (Outcome dates = CheckDates(r); !dates) return dates;
    return CheckDays(r);
}

std::optional<bool> CertificateEntry::CodeExists(const char* select, const std::string& code) {
    if (!m_client.Query(SqlStatement(select) + SqlText(m_client, code), true)) return std::nullopt;
    return m_client.RowCount() > 0;
}

Outcome CertificateEntry::CheckCodes(const CertificateRecord& r) {
    Prompter& prompter = m_client.GetPrompter();
    if (Outcome code = CheckColumn<CertificateRecord>(prompter, kColumns, r, "cod_indemn"); !code)
        return code;
    const auto known = CodeExists("SELECT * FROM nomenc.siui_sickleaveindemnizations WHERE code = ",
                                  PadLeftZeros(r.codIndemn, 2));
    if (!known) return Outcome::Stopped();
    if (!*known)
        return Refuse(prompter, "Codul de indemnizatie introdus este incorect!", "cod_indemn");
    if (r.codIndemn == "6") {
        if (r.codUrg.empty())
            return Refuse(prompter,
                          "Pentru codul de indemnizatie <06>, trebuie sa introduci codul urgentei "
                          "medico-chirurgicale!",
                          "cod_urg");
        const auto urgent = CodeExists(
            "SELECT * FROM nomenc.siui_medicochirurgicalemergencies WHERE code=", r.codUrg);
        if (!urgent) return Outcome::Stopped();
        if (!*urgent)
            return Refuse(prompter, "Codul urgentei medico chirurgicale este invalid!", "cod_urg");
    }
    if (r.codIndemn == "5") {
        if (r.codContag.empty())
            return Refuse(prompter,
                          "Pentru codul de indemnizatie <05>, trebuie sa introduci codul bolii "
                          "contagioase!",
                          "cod_contag");
        const auto disease = CodeExists(
            "SELECT * FROM nomenc.siui_infectocontagiousdiseases WHERE code=", r.codContag);
        if (!disease) return Outcome::Stopped();
        if (!*disease)
            return Refuse(prompter, "Codul bolii infecto contagioase este invalid!", "cod_contag");
    }
    if (r.codIndemn == "9")
        return CheckColumn<CertificateRecord>(prompter, kColumns, r, "cnp_copil");
    return Outcome::Done();
}

Outcome CertificateEntry::CheckDates(const CertificateRecord& r) {
    for (const char* column : {"data_acordarii", "data_inc", "data_sf"})
        if (Outcome date =
                CheckColumn<CertificateRecord>(m_client.GetPrompter(), kColumns, r, column);
            !date)
            return date;
    return Outcome::Done();
}

Outcome CertificateEntry::CheckDays(const CertificateRecord& r) {
    Prompter& prompter = m_client.GetPrompter();
    const long long monthDays = Count(r.zileLucratoare);
    const long long worked = Count(r.zileLucrate);
    const long long leave = Count(r.zilePrestatii);
    if (worked > monthDays)
        return Refuse(prompter,
                      "Numarul de zile lucrate este mai mare decat numarul de zile lucratoare din "
                      "luna!",
                      "zile_lucrate");
    if (Count(r.zilePrestatiiAng) + Count(r.zileSuportateFnuass) > leave)
        return Refuse(prompter,
                      "Numarul de zile (suportate de catre angajator + FNUASS) este mai mare decat "
                      "numarul de zile lucratoare ale concediului!",
                      "zile_prestatii_ang");
    if (leave + worked > monthDays)
        return Refuse(prompter,
                      "Numarul de zile (lucrate + concediu) este mai mare decat numarul zilelor "
                      "lucratoare din luna!",
                      "zile_lucrate");
    return Outcome::Done();
}

Outcome CertificateEntry::CheckRectification(const CertificateRecord& r, long long index) {
    Prompter& prompter = m_client.GetPrompter();
    const DeclarationRecord& d = m_context.declaration;
    const auto luna = SqlNumber(prompter, d.luna);
    const auto cf = luna ? SqlNumber(prompter, d.cf) : std::nullopt;
    const auto number = cf ? SqlNumber(prompter, d.rectifNr) : std::nullopt;
    const auto cnp = number ? SqlNumber(prompter, r.cnp) : std::nullopt;
    if (!cnp) return Outcome::Stopped();
    const SqlLiteral serie = SqlText(m_client, r.certSerie);
    const SqlLiteral numar = SqlText(m_client, r.certNumar);
    const std::string named = r.certSerie + " - " + r.certNumar;
    SqlStatement sql(
        "SELECT d.*, c.cnp, c.cert_serie FROM concedii.declaratii AS d  LEFT JOIN "
        "concedii.concedii AS c ON c.id_declaratie=d.index WHERE ");
    const bool withdrawing = d.Rectifying() && r.tipRectif != "A";
    if (!d.Rectifying())
        sql += SqlStatement(" d.luna = ") + *luna + " AND d.cf = " + *cf +
               " AND d.rectif_nr <= " + *number + " AND c.cnp=" + *cnp +
               " AND c.cert_serie=" + serie + " AND c.cert_numar=" + numar + "AND c.index<>" +
               SqlInteger(index);
    else
        sql += SqlStatement(" d.luna=") + *luna + " AND d.cf=" + *cf +
               (withdrawing ? " AND d.rectif_nr<" : " AND d.rectif_nr<=") + *number +
               " AND c.cnp=" + *cnp + " AND c.cert_serie=" + serie + " AND c.cert_numar=" + numar;
    if (d.Rectifying() && !withdrawing) sql += SqlStatement("AND c.index<>") + SqlInteger(index);
    if (!m_client.Query(sql, true)) return Outcome::Stopped();
    const bool found = m_client.RowCount() > 0;
    // The same certificate twice in one declaration is unusual but possible:
    // the user decides.
    if (!d.Rectifying() && found &&
        !prompter.AskYesNo("Doresti sa adaugi certificatul " + named +
                           ".\n\nAcesta este deja introdus in declaratia curenta."))
        return Outcome::Stopped("cert_serie");
    if (d.Rectifying() && !withdrawing && found)
        return Refuse(prompter,
                      "ATENTIE: aceasta este o declaratie rectificativa\n\nDoresti sa adaugi la "
                      "declaratia anterioara certificatul " +
                          named + ".\n\nAcesta exista deja.",
                      "cert_serie");
    if (withdrawing && !found)
        return Refuse(prompter,
                      "ATENTIE: aceasta este o declaratie rectificativa\n\nDoresti sa " +
                          std::string(r.tipRectif == "M" ? "modifici in" : "stergi din") +
                          " declaratia anterioara certificatul " + named +
                          ".\n\nPentru acest lucru, trebuie ca seria si numarul sa existe deja "
                          "intr-o declaratie anterioara din aceasi luna.\nEi bine, nu exista.",
                      "cert_serie");
    return Outcome::Done();
}

Outcome CertificateEntry::Write(const CertificateRecord& typed, long long index) {
    const DeclarationRecord& d = m_context.declaration;
    CertificateRecord r = typed;
    r.idDeclaratie = d.index;
    r.cf = d.cf;
    ClearOtherCodesFields(r);
    if (r.kind != LeaveKind::Continuation) r.certInitSerie = r.certInitNumar = "";
    const SaveScope scope{.adding = index == 0, .asked = d.Rectifying()};
    m_client.ClearFields();
    AddWrittenFields<CertificateRecord>(m_client, r, kBelongsTo, scope);
    AddWrittenFields<CertificateRecord>(m_client, r, kColumns, scope);

    // The change-log copy and the change stand or fall together.
    Transaction transaction(m_client);
    if (!transaction.Begun()) return Outcome::Stopped();
    if (index != 0) {
        if (!m_client.UpdateRecord(index, "CONCEDII", "CONCEDII", "") || !transaction.Commit())
            return Outcome::Stopped();
        return Outcome::Done(index);
    }
    if (!m_client.InsertRecord("CONCEDII", "CONCEDII", "", true)) return Outcome::Stopped();
    const long long key = m_client.LastInsertId();
    if (!transaction.Commit()) return Outcome::Stopped();
    return Outcome::Done(key);
}
