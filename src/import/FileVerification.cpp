#include "import/FileVerification.h"

#include <algorithm>
#include <array>

#include "datalist/DataList.h"
#include "dbf/DbfTableSpec.h"
#include "domain/Dates.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"

namespace {

using namespace VerifyMessages;

const std::vector<std::string_view> kAnnexA = {"LN",  "AN",   "CF",      "RJ",  "RN",  "RA",
                                               "CNP", "NUME", "PRENUME", "CAT", "ANG", "PL",
                                               "SDL", "SVL",  "NREP",    "PREP"};
const std::vector<std::string_view> kAnnexB = {
    "LN", "AN", "CF", "RJ", "RN", "RA", "CNP", "CNPC", "NUMEC", "PRENUMEC", "TIPC", "NREP", "PREP"};
const std::vector<std::string_view> kAnnexC = {"LN",       "AN",       "CF",   "RJ",   "RN",
                                               "RA",       "CAS_ASIG", "SDLA", "SVTA", "SDL_ASIG",
                                               "SVT_ASIG", "NREP",     "PREP"};
const std::vector<std::string_view> kLeave1 = {
    "CAS_ANG",   "TIPD",       "LN",         "AN",       "DEN_ANG",  "CUI",        "REG_COM",
    "NR_ANGAJ",  "TOT_SAL_BR", "TOT_CONTRI", "FAAMBP",   "C_FAAMBP", "FOND_CONTR", "TOT_CUANT_",
    "CAZ_G1",    "CAZ_G2",     "CAZ_G3",     "CAZ_G4",   "CAZ_G5",   "ZI_PRE_G1",  "ZI_PRE_G2",
    "ZI_PRE_G3", "ZI_PRE_G4",  "ZI_PRE_G5",  "ZI_FN_G1", "ZI_FN_G2", "ZI_FN_G3",   "ZI_FN_G4",
    "ZI_FN_G5",  "FN_G1",      "FN_G2",      "FN_G3",    "FN_G4",    "FN_G5",      "TOT_ANTER",
    "COMPENSAT", "TOT_VIRAT",  "TOT_RECUP",  "ADR_LOC",  "ADR_STR",  "ADR_NR",     "ADR_BL",
    "ADR_SC",    "ADR_ET",     "ADR_AP",     "ADR_TEL",  "ADR_JUD",  "ADR_SECT",   "E_MAIL",
    "B1",        "F1",         "C1",         "B2",       "F2",       "C2",         "NRF"};
const std::vector<std::string_view> kLeave2 = {
    "TIPD",       "LN",        "AN",      "DEN_ANG",   "CUI",        "NR_CRT",
    "TIP_RECTIF", "NUME_ASIG", "CNP",     "CAS_ASIG",  "ZI_LUCRAT",  "TOT_ZI_LUC",
    "SERIE_CCM",  "NUMAR_CCM", "ZI_PRE",  "ZI_FN",     "COD_INDEMN", "SERIE_CCM_",
    "NUMAR_CCM_", "FN",        "COD_URG", "COD_CONTAG"};

// The leave annexes as this program writes them: A1 with the two totals of the groups, A2 with
// the child's code, the dates, the employer's days and the base of calculation.
const std::vector<std::string_view> kLeave1Written = {
    "CAS_ANG",   "TIPD",       "LN",         "AN",         "DEN_ANG",   "CUI",        "REG_COM",
    "NR_ANGAJ",  "TOT_SAL_BR", "TOT_CONTRI", "FAAMBP",     "C_FAAMBP",  "FOND_CONTR", "TOT_CUANT_",
    "CAZ_G1",    "CAZ_G2",     "CAZ_G3",     "CAZ_G4",     "CAZ_G5",    "ZI_PRE_G1",  "ZI_PRE_G2",
    "ZI_PRE_G3", "ZI_PRE_G4",  "ZI_PRE_G5",  "TOT_ZI_PRE", "TOT_SUM",   "ZI_FN_G1",   "ZI_FN_G2",
    "ZI_FN_G3",  "ZI_FN_G4",   "ZI_FN_G5",   "FN_G1",      "FN_G2",     "FN_G3",      "FN_G4",
    "FN_G5",     "TOT_ANTER",  "COMPENSAT",  "TOT_VIRAT",  "TOT_RECUP", "ADR_LOC",    "ADR_STR",
    "ADR_NR",    "ADR_BL",     "ADR_SC",     "ADR_ET",     "ADR_AP",    "ADR_TEL",    "ADR_JUD",
    "ADR_SECT",  "E_MAIL",     "B1",         "F1",         "C1",        "B2",         "F2",
    "C2",        "NRF"};
const std::vector<std::string_view> kLeave2Written = {
    "TIPD",       "LN",         "AN",        "DEN_ANG",    "CUI",        "NR_CRT",
    "TIP_RECTIF", "NUME_ASIG",  "CNP",       "CNP_COPIL",  "CAS_ASIG",   "ZI_LUCRAT",
    "TOT_ZI_LUC", "SERIE_CCM",  "NUMAR_CCM", "SERIE_CCM_", "NUMAR_CCM_", "DATA_ACORD",
    "COD_INDEMN", "ZI_PRE_ANG", "ZI_FN",     "ZI_PRE",     "LOC_PRES",   "SUM_ANG",
    "FN",         "DATA_INC",   "DATA_SF",   "COD_URG",    "COD_CONTAG", "BAZA_CALC",
    "ZI_BZ_CALC", "MZBCI",      "ME_NR"};

constexpr std::array<std::string_view, 8> kEmploymentForms = {"S",   "CM",  "AM",  "CT",
                                                              "CIC", "DCM", "SCS", "SS"};

// Column of a field of a layout that has already been checked: its place in the layout.
int Column(const std::vector<std::string_view>& layout, std::string_view name) {
    return static_cast<int>(std::find(layout.begin(), layout.end(), name) - layout.begin());
}

// A cell as the checks read it: the list's text without surrounding blanks, read in place.
std::string_view Cell(const DataList& list, int row, int column) {
    return list.TrimmedCell(row, column);
}

long long Integer(const DataList& list, int row, int column) {
    return TextToInteger(Cell(list, row, column));
}

// Refused for its layout (or nothing to check), with the message to show.
FileVerdict Refused(std::string_view message) {
    FileVerdict verdict;
    verdict.status = FileStatus::Refused;
    verdict.message = std::string(message);
    return verdict;
}

// Count first, then every name byte for byte in its place.
std::optional<FileVerdict> LayoutRefusal(const DbfTableSpec& spec,
                                         const std::vector<std::string_view>& layout,
                                         std::string_view countMessage,
                                         std::string_view namesMessage) {
    if (spec.m_names.size() != layout.size()) return Refused(countMessage);
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (spec.m_names[i] != layout[i]) return Refused(namesMessage);
    return std::nullopt;
}

// A leave annex comes in two layouts: the fund's and the longer one this program writes. The
// field count picks the layout, whose names are then compared in place; the file's own layout
// is answered, so its fields are found by name. Neither count keeps the fund's count message.
struct LeaveLayout {
    const std::vector<std::string_view>* layout = nullptr;
    std::optional<FileVerdict> refusal;
};

LeaveLayout MatchLeaveLayout(const DbfTableSpec& spec, const std::vector<std::string_view>& fund,
                             const std::vector<std::string_view>& written,
                             std::string_view countMessage, std::string_view namesMessage) {
    const auto* layout = spec.m_names.size() == written.size() ? &written : &fund;
    return {layout, LayoutRefusal(spec, *layout, countMessage, namesMessage)};
}

// Runs `check` over every row; the first message it gives marks the row.
template <typename Check>
FileVerdict CheckRows(const DataList& list, DbfProgress* progress, Check check) {
    FileVerdict verdict;
    verdict.addErrorColumn = true;
    verdict.rows.resize(static_cast<std::size_t>(list.RowCount()));
    if (progress) progress->Start(list.RowCount());
    for (int row = 0; row < list.RowCount(); ++row) {
        verdict.rows[row] = check(row);
        if (progress) progress->Step();
    }
    verdict.status = verdict.FaultyCount() > 0 ? FileStatus::Faulty : FileStatus::Clean;
    return verdict;
}

// The messages are the literals below, so their text is followed by a zero byte.
RowVerdict Mark(std::string_view message) {
    return {RowState::Faulty, message.data()};
}

// The first checks every health annex shares (LN, AN, CF are their first three fields); B
// words its messages differently. A file repeats one employer's code on every record, so the
// last code checked is remembered.
class HeadCheck {
public:
    HeadCheck(std::string_view an, std::string_view ln, std::string_view cfMissing)
        : m_an(an), m_ln(ln), m_cfMissing(cfMissing) {}

    std::optional<RowVerdict> operator()(const DataList& list, int row) {
        if (Integer(list, row, 1) < 2006) return Mark(m_an);
        const long long month = Integer(list, row, 0);
        if (month < 1 || month > 12) return Mark(m_ln);
        const std::string_view code = Cell(list, row, 2);
        if (TextToInteger(code) == 0) return Mark(m_cfMissing);
        if (code != m_lastCode) {
            m_lastValid = IsValidFiscalCode(code);
            m_lastCode = code;
        }
        if (!m_lastValid) return Mark(kCfInvalid);
        return std::nullopt;
    }

private:
    std::string_view m_an, m_ln, m_cfMissing;
    std::string m_lastCode;
    bool m_lastValid = false;
};

// A health annex: layout, at least one record, then its checks row by row.
template <typename Check>
FileVerdict VerifyHealth(char letter, const DbfTableSpec& spec, const DataList& list,
                         const std::vector<std::string_view>& layout, std::string_view count,
                         std::string_view names, DbfProgress* progress, Check check) {
    if (auto refused = LayoutRefusal(spec, layout, count, names)) return *refused;
    if (list.RowCount() == 0) {
        FileVerdict verdict = Refused(HealthNoRecords(letter));
        // A company without co-insured persons sends an annex B without records: this program
        // writes one itself. Only A and C must hold something.
        if (letter == 'B') verdict.status = FileStatus::Notice;
        return verdict;
    }
    FileVerdict verdict = CheckRows(list, progress, check);
    verdict.message =
        verdict.status == FileStatus::Faulty ? HealthFaulty(letter) : HealthClean(letter);
    return verdict;
}

bool IsEmploymentForm(std::string_view text) {
    return std::find(kEmploymentForms.begin(), kEmploymentForms.end(), text) !=
           kEmploymentForms.end();
}

// The employer data of a leave annex on its first record, or the message refusing it.
struct LeaveHeadMessages {
    std::string_view cui, month, tipd;
};

std::optional<FileVerdict> LeaveHeadRefusal(const DataList& list,
                                            const std::vector<std::string_view>& layout,
                                            const LeaveHeadMessages& messages,
                                            EmployerFields& employer) {
    const auto code = LeaveEmployerCode(Cell(list, 0, Column(layout, "CUI")));
    if (!code) return Refused(messages.cui);
    employer.cui = *code;
    employer.ln = std::string(Cell(list, 0, Column(layout, "LN")));
    employer.an = std::string(Cell(list, 0, Column(layout, "AN")));
    if (!IsValidCalendarDate("01", employer.ln, employer.an)) return Refused(messages.month);
    employer.tipd = std::string(Cell(list, 0, Column(layout, "TIPD")));
    if (employer.tipd != "0" && employer.tipd != "1") return Refused(messages.tipd);
    return std::nullopt;
}

}  // namespace

namespace VerifyMessages {
std::string HealthNoRecords(char letter) {
    return std::string("Anexa ") + letter + ": Fisierul selectat nu contine inregistrari!";
}
std::string HealthFaulty(char letter) {
    return std::string("Anexa ") + letter +
           ": Fisierul a fost verificat!\n\nInregistrarile marcate cu rosu sunt eronate. "
           "Verifica coloana EROARE de la sfarsitul tabelului";
}
std::string HealthClean(char letter) {
    return std::string("Anexa ") + letter +
           ": Fisierul a fost verificat cu succes!\n\nNu au fost remarcate erori.";
}
}  // namespace VerifyMessages

std::optional<VerifiedKind> VerifiedKindFromName(std::string_view name) {
    if (name.size() != 1) return std::nullopt;
    switch (name[0]) {
        case 'A':
        case 'a':
            return VerifiedKind::AnnexA;
        case 'B':
        case 'b':
            return VerifiedKind::AnnexB;
        case 'C':
        case 'c':
            return VerifiedKind::AnnexC;
        case '1':
            return VerifiedKind::Leave1;
        case '2':
            return VerifiedKind::Leave2;
        default:
            return std::nullopt;
    }
}

int FileVerdict::FaultyCount() const {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const RowVerdict& row) {
        return row.state == RowState::Faulty;
    }));
}

const std::vector<std::string_view>& VerifiedLayout(VerifiedKind kind) {
    switch (kind) {
        case VerifiedKind::AnnexA:
            return kAnnexA;
        case VerifiedKind::AnnexB:
            return kAnnexB;
        case VerifiedKind::AnnexC:
            return kAnnexC;
        case VerifiedKind::Leave1:
            return kLeave1;
        case VerifiedKind::Leave2:
            break;
    }
    return kLeave2;
}

const std::vector<std::string_view>* WrittenLeaveLayout(VerifiedKind kind) {
    if (kind == VerifiedKind::Leave1) return &kLeave1Written;
    if (kind == VerifiedKind::Leave2) return &kLeave2Written;
    return nullptr;
}

std::optional<std::string> LeaveEmployerCode(std::string_view cui) {
    if (cui.empty()) return std::nullopt;
    if (cui.front() == 'R' || cui.front() == 'r') cui.remove_prefix(1);
    std::string code = TrimBlanks(cui);
    if (!IsValidFiscalCode(code)) return std::nullopt;
    return code;
}

FileVerdict VerifyHealthAnnexA(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress) {
    HeadCheck head(kAnYear, kLnMonth, kCfMissingA);
    const int cnp = Column(kAnnexA, "CNP"), cat = Column(kAnnexA, "CAT");
    const int ang = Column(kAnnexA, "ANG"), pl = Column(kAnnexA, "PL");
    return VerifyHealth(
        'A', spec, list, kAnnexA, kAnnexACount, kAnnexANames, progress, [&](int row) -> RowVerdict {
            if (auto marked = head(list, row)) return *marked;
            if (!IsValidCnp(Cell(list, row, cnp))) return Mark(kCnpInvalid);
            if (!IsEmploymentForm(Cell(list, row, cat))) return Mark(kCatInvalid);
            if (!IsValidStoredDate(Cell(list, row, ang))) return Mark(kAngInvalid);
            // No leaving date is written as 0 or left blank.
            if (Integer(list, row, pl) >= 1 && !IsValidStoredDate(Cell(list, row, pl)))
                return Mark(kPlInvalid);
            return {};
        });
}

FileVerdict VerifyHealthAnnexB(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress) {
    HeadCheck head(kAnYearB, kLnMonthB, kCfMissingB);
    const int cnp = Column(kAnnexB, "CNP"), cnpc = Column(kAnnexB, "CNPC");
    const int tipc = Column(kAnnexB, "TIPC");
    return VerifyHealth('B', spec, list, kAnnexB, kAnnexBCount, kAnnexBNames, progress,
                        [&](int row) -> RowVerdict {
                            if (auto marked = head(list, row)) return *marked;
                            if (!IsValidCnp(Cell(list, row, cnp))) return Mark(kCnpInvalid);
                            if (!IsValidCnp(Cell(list, row, cnpc))) return Mark(kCnpcInvalid);
                            const std::string_view form = Cell(list, row, tipc);
                            if (form != "S" && form != "P") return Mark(kTipcInvalid);
                            return {};
                        });
}

FileVerdict VerifyHealthAnnexC(const DbfTableSpec& spec, const DataList& list,
                               DbfProgress* progress) {
    HeadCheck head(kAnYear, kLnMonth, kCfMissingC);
    const int house = Column(kAnnexC, "CAS_ASIG");
    return VerifyHealth(
        'C', spec, list, kAnnexC, kAnnexCCount, kAnnexCNames, progress, [&](int row) -> RowVerdict {
            if (auto marked = head(list, row)) return *marked;
            const std::string code = std::string("CAS").append(Cell(list, row, house));
            if (InsuranceHousePosition(code) == -1) return Mark(kCasInvalid);
            return {};
        });
}

FileVerdict VerifyLeaveAnnex1(const DbfTableSpec& spec, const DataList& list) {
    const LeaveLayout match =
        MatchLeaveLayout(spec, kLeave1, kLeave1Written, kLeave1Count, kLeave1Names);
    if (match.refusal) return *match.refusal;
    if (list.RowCount() == 0) return Refused(kLeave1Empty);
    if (list.RowCount() > 1) return Refused(kLeave1Several);
    EmployerFields employer;
    if (auto refused = LeaveHeadRefusal(list, *match.layout,
                                        {kLeave1Cui, kLeave1Month, kLeave1Tipd}, employer))
        return *refused;
    FileVerdict verdict;
    verdict.status = FileStatus::Clean;
    verdict.message = std::string(kLeave1Done);
    verdict.employer = std::move(employer);
    return verdict;
}

FileVerdict VerifyLeaveAnnex2(const DbfTableSpec& spec, const DataList& list,
                              DbfProgress* progress) {
    const LeaveLayout match =
        MatchLeaveLayout(spec, kLeave2, kLeave2Written, kLeave2Count, kLeave2Names);
    if (match.refusal) return *match.refusal;
    const std::vector<std::string_view>& layout = *match.layout;
    if (list.RowCount() == 0) {
        FileVerdict verdict;
        verdict.status = FileStatus::Clean;
        verdict.message = std::string(kLeave2Done);
        return verdict;
    }
    EmployerFields employer;
    if (auto refused =
            LeaveHeadRefusal(list, layout, {kLeave2Cui, kLeave2Month, kLeave2Tipd}, employer))
        return *refused;
    // The first record's TIPD stands for every record: it is written into all of them.
    const bool rectifying = TextToInteger(employer.tipd) == 1;
    const int kind = Column(layout, "TIP_RECTIF"), cnp = Column(layout, "CNP");
    const int days = Column(layout, "ZI_PRE");
    FileVerdict verdict = CheckRows(list, progress, [&](int row) -> RowVerdict {
        if (rectifying) {
            const std::string_view change = Cell(list, row, kind);
            if (change != "M" && change != "A" && change != "S") return Mark(kTipRectif);
        }
        if (!IsValidCnp(Cell(list, row, cnp))) {
            if (Integer(list, row, days) != 0) return Mark(kLeaveCnp);
            return {RowState::Removed, ""};
        }
        return {};
    });
    verdict.message =
        std::string(verdict.status == FileStatus::Faulty ? kLeave2Faulty : kLeave2Done);
    verdict.employer = std::move(employer);
    verdict.employerToEveryRow = true;
    return verdict;
}

FileVerdict VerifyTable(VerifiedKind kind, const DbfTableSpec& spec, const DataList& list,
                        DbfProgress* progress) {
    switch (kind) {
        case VerifiedKind::AnnexA:
            return VerifyHealthAnnexA(spec, list, progress);
        case VerifiedKind::AnnexB:
            return VerifyHealthAnnexB(spec, list, progress);
        case VerifiedKind::AnnexC:
            return VerifyHealthAnnexC(spec, list, progress);
        case VerifiedKind::Leave1:
            return VerifyLeaveAnnex1(spec, list);
        case VerifiedKind::Leave2:
            break;
    }
    return VerifyLeaveAnnex2(spec, list, progress);
}
