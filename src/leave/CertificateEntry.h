#pragma once
#include <optional>
#include <span>
#include <string>

#include "base/Outcome.h"
#include "base/RecordColumns.h"
#include "leave/CertificateRegister.h"
#include "leave/LeaveCalculation.h"
#include "leave/MonthWorkingDays.h"
#include "leave/NomenclatureLists.h"

class CClient;

// One medical certificate as its editor shows it. Dates are held as the form
// composes them ("YYYYMMDD"; empty when never set); day counts and amounts as
// the texts the fields show. The column tables say how each is stored.
struct CertificateRecord {
    std::string idDeclaratie;     // the declaration it belongs to
    std::string cf;               // and its company
    std::string tipRectif = "A";  // "A", "M" or "S": rectifying declarations only
    std::string cnp;
    std::string cnpCopil;  // code 9 only
    std::string nume;
    std::string prenume;
    std::string cas = "CAS_B";
    std::string certSerie;
    std::string certNumar;
    std::string certInitSerie;  // continuation only
    std::string certInitNumar;
    std::string codIndemn;  // without leading zeros once saved ("5")
    std::string codUrg;     // code 6 only
    std::string codContag;  // code 5 only
    std::string dataAcordarii;
    std::string dataInc;
    std::string dataSf;
    std::string locPres = "1";  // 1..4
    std::string meNr;
    std::string zileLucratoare;             // working days of the month
    std::string zileLucrate;                // days worked in the month
    std::string zilePrestatii = "0";        // working days of the leave
    std::string zilePrestatiiAng = "0";     // of these, paid by the employer
    std::string zileSuportateFnuass = "0";  // and by FNUASS
    std::string sumaSuportataAng = "0";
    std::string sumaSuportataFnuass = "0";
    std::string bazaCalc;           // income of the last 6 months
    std::string ziBzCalc;           // its days
    std::string mzbci = "0";        // average daily base, 4 decimals
    std::string venitPrinReducere;  // code 10 only
    // Shown beside the fields, never stored as such.
    LeaveKind kind = LeaveKind::Initial;
    std::string percent;  // PERCENT of the indemnity code
};

// A person found by the first digits of a CNP.
struct CertificatePerson {
    std::string cnp;
    std::string nume;
    std::string prenume;
    std::string cas;  // the leave module's code of the house
};

// A nomenclature row found by the first characters of its code.
struct NomenclatureMatch {
    std::string code;  // as the field shows it (an indemnity code without its zero)
    std::string description;
    std::string percent;  // indemnity codes only
};

namespace CertificateMessages {
inline constexpr const char* kAddTitle = "Adauga un certificat de concediu medical";
inline constexpr const char* kModifyTitle = "Modifica un certificat de concediu medical";
}  // namespace CertificateMessages

// "A - adaugarea ...", "M - ...", "S - ..." in list order, with their codes.
std::span<const std::string_view> RectificationCodes();
std::span<const std::string_view> RectificationTexts();
// "Medic de familie" ... "CAS", stored as 1..4.
std::span<const std::string_view> PrescriptionPlaceCodes();
std::span<const std::string_view> PrescriptionPlaceTexts();
// The leave module's house codes in list order (Harghita is "CASHG").
std::span<const std::string_view> LeaveHouseCodes();

// "03.2010 (23 de zile lucratoare - 10 salariati)".
std::string DeclarationMonthLine(const DeclarationRecord& declaration);

// Which fields the indemnity code and the leave type bring in.
bool ShowsChildCnp(const std::string& indemnityCode);
bool ShowsReducedIncome(const std::string& indemnityCode);
// Only a continuation under a code with the usual split has its employer and
// FNUASS days typed by the user.
bool DaysTypedByUser(LeaveKind kind, const std::string& indemnityCode);

// The three code fields as they are saved: without leading zeros.
void NormalizeCodes(CertificateRecord& record);
// The calculation's inputs from what the form shows.
CertificateFields CalculationFields(const CertificateRecord& record,
                                    const DeclarationRecord& declaration);
void ApplyFigures(CertificateRecord& record, const CertificateFigures& figures);

// The certificate editor's flows: loading, the look-ups behind completion,
// the checks of a save in their order, and the write.
class CertificateEntry {
public:
    CertificateEntry(CClient& client, CertificateContext context)
        : m_client(client), m_context(std::move(context)) {}

    // The columns of the form, named as the table names them.
    static std::span<const RecordColumn<CertificateRecord>> Columns();
    // The declaration and company the certificate belongs to, written when
    // it is added.
    static std::span<const RecordColumn<CertificateRecord>> BelongsToColumns();
    const CertificateContext& Context() const { return m_context; }
    CClient& Client() { return m_client; }

    // Nothing when the statement failed or found no row.
    [[nodiscard]] std::optional<CertificateRecord> Load(long long index);
    // An entry of a rectifying declaration that modifies or withdraws a
    // certificate starts from that certificate: the latest version reported
    // by an earlier declaration of the month with the typed series and
    // number. Every field but the kind of change is taken over; when there
    // is none, the reason is shown and `record` stays as typed.
    Outcome FillFromCorrected(CertificateRecord& record);

    // The latest certificate of the company whose CNP starts as typed (one
    // with indemnity code 9 first), else an active insured person of it.
    [[nodiscard]] std::optional<CertificatePerson> FindPersonByCnpPrefix(const std::string& typed);
    // The child's CNP of the person's latest code-9 certificate.
    [[nodiscard]] std::optional<std::string> LatestChildCnp(const std::string& cnp);
    // The first row whose code starts as typed; indemnity codes are looked up
    // padded to two digits ("5" as "05").
    [[nodiscard]] std::optional<NomenclatureMatch> FindCode(Nomenclature nomenclature,
                                                            const std::string& typed);

    CertificateFigures Recalculate(const CertificateRecord& record);
    // The working days of the declaration's month from the calendar, with the
    // free-days help; nothing when a query failed.
    [[nodiscard]] std::optional<MonthWorkingDays> MonthDays();

    // The checks of a save in their order, the rectification rules, then the
    // write; `index` 0 adds. The outcome carries the key written.
    Outcome Save(const CertificateRecord& record, long long index);

private:
    // The certificate of result row `row`, as the form shows it.
    CertificateRecord StoredCertificate(long long row) const;
    Outcome CheckFields(const CertificateRecord& record);
    Outcome CheckCodes(const CertificateRecord& record);
    Outcome CheckDates(const CertificateRecord& record);
    Outcome CheckDays(const CertificateRecord& record);
    Outcome CheckRectification(const CertificateRecord& record, long long index);
    [[nodiscard]] std::optional<bool> CodeExists(const char* table, const std::string& code);
    Outcome Write(const CertificateRecord& record, long long index);

    CClient& m_client;
    CertificateContext m_context;
};
