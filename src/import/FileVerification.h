#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/DbfProgress.h"

class DataList;
struct DbfTableSpec;

// Checks of declaration files made by other programs: the health annexes A, B, C and the
// medical-leave annexes 1 and 2, as the insurance houses check them. The checks only read the
// table the dBase reader filled and answer what is wrong with it; applying the answer to the
// list (the "EROARE" column, red rows, removed rows) is a separate step, so the checks can run
// anywhere and the window, the command line and the tests share them.

enum class VerifiedKind { AnnexA, AnnexB, AnnexC, Leave1, Leave2 };

// "A", "B", "C", "1", "2" (any letter case): the names the command line takes.
[[nodiscard]] std::optional<VerifiedKind> VerifiedKindFromName(std::string_view name);

enum class RowState : std::uint8_t { Clean, Faulty, Removed };

// What the checks say of one row of the list as read. A removed row carries no certificate
// (annex 2) and is dropped from the list without a message.
struct RowVerdict {
    RowState state = RowState::Clean;
    // One of the fixed texts below (each ends in a zero byte), "" for a row not marked. A
    // pointer rather than a view: a million rows' verdicts cost 16 bytes each, not 24.
    const char* message = "";
};

// Clean: every record passed. Faulty: some records are marked. Refused: the file as a whole
// was turned down (unreadable, wrong layout, no records, or a leave annex's employer data).
// Notice: nothing to check, and rightly so (an annex B of a company without co-insured
// persons); its message is information, not a fault.
enum class FileStatus { Clean, Faulty, Refused, Notice };

// The employer data of a leave annex as checked on its first record ("CUI" without the
// letter R); written back into the record(s).
struct EmployerFields {
    std::string ln, an, cui, tipd;
};

struct [[nodiscard]] FileVerdict {
    FileStatus status = FileStatus::Refused;
    // The one message shown when the verification ends.
    std::string message;
    // One entry per row of the list as read, only when the records were checked one by one.
    std::vector<RowVerdict> rows;
    bool addErrorColumn = false;
    // Leave annexes: the checked employer data, for the first record (annex 1) or every
    // record (annex 2).
    std::optional<EmployerFields> employer;
    bool employerToEveryRow = false;

    int FaultyCount() const;
};

// Checks a table read from a file of `kind`: first its layout (field count, then names byte
// for byte, position by position), then the records. `progress`, when given, runs over the
// rows as they are checked.
FileVerdict VerifyTable(VerifiedKind kind, const DbfTableSpec& spec, const DataList& list,
                        DbfProgress* progress = nullptr);

// One function per kind; VerifyTable picks among them.
FileVerdict VerifyHealthAnnexA(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress = nullptr);
FileVerdict VerifyHealthAnnexB(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress = nullptr);
FileVerdict VerifyHealthAnnexC(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress = nullptr);
FileVerdict VerifyLeaveAnnex1(const DbfTableSpec& spec, const DataList& list);
FileVerdict VerifyLeaveAnnex2(const DbfTableSpec& spec, const DataList& list,
                              DbfProgress* progress = nullptr);

// The field names each kind must have, in file order.
const std::vector<std::string_view>& VerifiedLayout(VerifiedKind kind);
// The longer layout this program writes for a leave annex (58 fields for A1, 33 for A2), also
// accepted; nothing for the health annexes, which have one layout.
const std::vector<std::string_view>* WrittenLeaveLayout(VerifiedKind kind);

// The employer identification of the leave annexes: "CUI" not empty, one leading "R" or "r"
// removed, the rest trimmed, then a valid fiscal code. The code without the letter, or
// nothing when it is refused.
[[nodiscard]] std::optional<std::string> LeaveEmployerCode(std::string_view cui);

namespace VerifyMessages {
inline constexpr std::string_view kUnreadable = "Fisierul selectat nu a putut fi citit complet!";
inline constexpr std::string_view kNotDbf = "Fisierul selectat nu este un fisier dBase.";
inline constexpr std::string_view kOpenFilter = "Fisier dbf  (*.dbf)|*.dbf||";

inline constexpr std::string_view kAnnexACount =
    "Anexa 1A: Fisierul selectat este invalid!\n\nTrebuie sa contina 16 campuri.";
inline constexpr std::string_view kAnnexBCount =
    "Anexa B: Fisierul selectat este invalid!\n\nTrebuie sa contina 13 campuri.";
inline constexpr std::string_view kAnnexCCount =
    "Anexa C: Fisierul selectat este invalid!\n\nTrebuie sa contina 13 campuri.";
inline constexpr std::string_view kAnnexANames =
    "Anexa A: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";
inline constexpr std::string_view kAnnexBNames =
    "Anexa B: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";
inline constexpr std::string_view kAnnexCNames =
    "Anexa 3C: Fisierul selectat este invalid!\n\nUnul sau mai multe campuri nu au denumirea "
    "corecta";

inline constexpr std::string_view kAnYear = "Campul AN trebuie sa fie mai mare sau egal cu 2006";
inline constexpr std::string_view kAnYearB =
    "Campul AN: anul declaratiei trebuie sa fie mai mare sau egal cu 2006";
inline constexpr std::string_view kLnMonth = "Campul LN trebuie sa fie intre 1 si 12";
inline constexpr std::string_view kLnMonthB =
    "Campul LN: luna declaratiei trebuie sa fie intre 1 si 12";
inline constexpr std::string_view kCfMissingA =
    "Codul de identificare fiscala nu este prezent in campul CF";
inline constexpr std::string_view kCfMissingB =
    "Campurile CF: Codul de identificare fiscala nu este prezent";
inline constexpr std::string_view kCfMissingC =
    "Codul de identificare fiscala nu este prezent in campuril CF";
inline constexpr std::string_view kCfInvalid = "Campul CF: Codul de identificare fiscala incorect";
inline constexpr std::string_view kCnpInvalid = "Campul CNP: Codul Numeric Personal incorect";
inline constexpr std::string_view kCatInvalid =
    "Campul CAT: Forma de angajare trebuie sa fie S, CM, AM, CT, CIC, DCM, SCS sau SS";
inline constexpr std::string_view kAngInvalid =
    "Campul ANG: data este incorecta. trebuie sa fie de forma AAAALLZZ";
inline constexpr std::string_view kPlInvalid =
    "Campul PL: data este incorecta. trebuie sa fie de forma AAAALLZZ";
inline constexpr std::string_view kCnpcInvalid = "Campul CNPC: Codul Numeric Personal incorect";
inline constexpr std::string_view kTipcInvalid =
    "Campul TIPC: Forma de coasigurare trebuie sa fie S sau P";
inline constexpr std::string_view kCasInvalid =
    "Campul CAS_ASIG: codul de casa de asigurari este eronat";

inline constexpr std::string_view kLeave1Count =
    "Concedii medicale - Anexa 1: Fisierul trebuie sa contina 56 de campuri";
inline constexpr std::string_view kLeave1Names =
    "Concedii medicale - Anexa 1: Unul sau mai multe campuri nu are/au denumirea corecta";
inline constexpr std::string_view kLeave1Empty =
    "Concedii medicale - Anexa 1 - Fisierul nu contine inregistrari";
inline constexpr std::string_view kLeave1Several =
    "Concedii medicale - Anexa 1: Fisierul trebuie sa contina o singura inregistrare";
inline constexpr std::string_view kLeave1Cui =
    "Concedii medicale - Anexa 1: Codul fiscal din campul CUI este invalid";
inline constexpr std::string_view kLeave1Month =
    "Concedii medicale - Anexa 1: Campurile LN si AN sunt incorecte.";
inline constexpr std::string_view kLeave1Tipd =
    "Concedii medicale - Anexa 1: Valoarea din campul TIPD este invalida";
inline constexpr std::string_view kLeave1Done =
    "Concedii medicale - Anexa 1: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate "
    "erori.";

inline constexpr std::string_view kLeave2Count =
    "Concedii medicale - Anexa 2: Fisierul trebuie sa contina 22 de campuri";
inline constexpr std::string_view kLeave2Names =
    "Concedii medicale - Anexa 2: Unul sau mai multe campuri nu are/au denumirea corecta";
inline constexpr std::string_view kLeave2Cui =
    "Concedii medicale - Anexa 2: Codul fiscal din campul CUI este invalid";
inline constexpr std::string_view kLeave2Month =
    "Concedii medicale - Anexa 2: Campurile LN si AN sunt incorecte";
inline constexpr std::string_view kLeave2Tipd =
    "Concedii medicale - Anexa 2: Valoarea din campul TIPD este invalida";
inline constexpr std::string_view kTipRectif = "Campul TIP_RECTIF: trebuie sa fie M, A sau S";
inline constexpr std::string_view kLeaveCnp = "Campul CNP: codul numeric personal este invalid";
inline constexpr std::string_view kLeave2Faulty =
    "Concedii medicale - Anexa 2: Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu "
    "sunt eronate. Verifica coloana EROARE de la sfarsitul tabelului";
inline constexpr std::string_view kLeave2Done =
    "Concedii medicale - Anexa 2: Fisierul a fost verificat cu succes!\n\nNu au fost remarcate "
    "erori.";

// "Anexa A: Fisierul selectat nu contine inregistrari!" and the two final messages, for the
// letter of a health annex.
std::string HealthNoRecords(char letter);
std::string HealthFaulty(char letter);
std::string HealthClean(char letter);
}  // namespace VerifyMessages
