#include "import/ImportRows.h"

#include <algorithm>
#include <optional>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/Dates.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "health/InsuredRegister.h"
#include "import/ImportFile.h"

namespace {

using namespace ImportMessages;

const Colour kRefusedColour{255, 0, 0};

// The rows' inserts never name ZZ_CONT, so the new row already holds its
// empty default: clearing it again would cost a statement per insert, two per
// row of a 10,000-row file, and change nothing.
constexpr bool kClearAccount = false;

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

RowEnd Refuse(DataList& list, int row, const char* message) {
    return RefuseRow(list, row, message);
}

std::string FittedName(const std::string& cell, std::string_view column) {
    return ImportedName(cell, column);
}

void AddPersonFields(RowTarget& t, int row, const std::string& house, const std::string& form,
                     const std::string& hire) {
    CClient& client = t.client;
    client.ClearFields();
    client.AddField("CF", t.cfText);
    client.AddField("CAS", house);
    client.AddField("NUME", FittedName(t.list.CellText(row, "NUME"), "nume"));
    client.AddField("PRENUME", FittedName(t.list.CellText(row, "PRENUME"), "prenume"));
    client.AddField("CNP", t.list.CellText(row, "CNP"));
    client.AddField("FORMA", form);
    client.AddField("INTRARE", hire);
}

// The key of the first row of a look-up, nothing when it found none; a
// failed look-up has been shown and sets `failed`.
std::optional<long long> FoundKey(CClient& client, const SqlStatement& sql, bool& failed) {
    failed = !client.Query(sql, true);
    if (failed || client.RowCount() < 1) return std::nullopt;
    return TextToInteger(client.GetValue(0, "INDEX"));
}

std::optional<std::vector<std::string>> RowAmounts(const DataList& list, int row,
                                                   std::initializer_list<const char*> cells) {
    return ImportedAmounts(list, row, cells);
}

SqlStatement SumsLookUp(const SqlLiteral& person, const SqlLiteral& month) {
    return SqlStatement("SELECT * FROM asigurati.sume AS s WHERE ") + " s.id_cnp=" + person +
           " AND s.LUNA=" + month;
}

void AddSumsKey(RowTarget& t, int row, long long person, const std::string& month) {
    t.client.ClearFields();
    t.client.AddField("ID_CNP", std::to_string(person));
    t.client.AddField("CF", t.cfText);
    t.client.AddField("CNP", t.list.CellText(row, "CNP"));
    t.client.AddField("LUNA", month);
}

// Step of the payroll import after the person: the month's sums, added or
// replaced. `text` receives the note of what was done.
RowEnd SaveEmployeeSums(RowTarget& t, int row, long long person, bool newPerson,
                        std::string& text) {
    const std::string month = t.list.CellText(row, "LA_LUNA");
    if (!IsImportedMonth(month)) {
        text += kBadMonthNote;
        return RowEnd::TakenNoSums;
    }
    const auto amounts =
        RowAmounts(t.list, row, {"SALARIU", "ASG_DAT", "ASG_VIR", "ANG_DAT", "ANG_VIR"});
    if (!amounts) {
        text += kBadAmountsNote;
        return RowEnd::TakenNoSums;
    }
    const auto monthSql = SqlNumber(t.client.GetPrompter(), month);
    if (!monthSql) return RowEnd::Failed;
    // A person added a moment ago has no sums to look for.
    bool failed = false;
    const auto existing =
        newPerson ? std::nullopt
                  : FoundKey(t.client, SumsLookUp(SqlInteger(person), *monthSql), failed);
    if (failed) return RowEnd::Failed;
    AddSumsKey(t, row, person, month);
    const char* columns[] = {"SALARIU", "ASIG_DATORAT", "ASIG_VIRAT", "ANG_DATORAT", "ANG_VIRAT"};
    for (std::size_t i = 0; i < amounts->size(); ++i) t.client.AddField(columns[i], (*amounts)[i]);
    if (existing) {
        if (!t.client.UpdateRecord(*existing, "ASIGURATI", "SUME", "")) return RowEnd::Failed;
        text += kSumsUpdatedNote;
    } else {
        if (!t.client.InsertRecord("ASIGURATI", "SUME", "", kClearAccount)) return RowEnd::Failed;
        text += kSumsAddedNote;
    }
    return RowEnd::Taken;
}

// The annex import's sums: added when the month has none, otherwise left.
RowEnd SaveAnnexSums(RowTarget& t, int row, long long person) {
    if (!IsImportedMonth(t.month)) {
        t.list.SetCellText(row, kVerdictColumn, kBadMonthNote);
        return RowEnd::TakenNoSums;
    }
    const auto amounts = RowAmounts(t.list, row, {"SDL", "SVL"});
    if (!amounts) {
        t.list.SetCellText(row, kVerdictColumn, kBadAmountsNote);
        return RowEnd::TakenNoSums;
    }
    const auto monthSql = SqlNumber(t.client.GetPrompter(), t.month);
    if (!monthSql) return RowEnd::Failed;
    bool failed = false;
    const auto existing = FoundKey(t.client, SumsLookUp(SqlInteger(person), *monthSql), failed);
    if (failed) return RowEnd::Failed;
    if (!existing) {
        AddSumsKey(t, row, person, t.month);
        t.client.AddField("ASIG_DATORAT", (*amounts)[0]);
        t.client.AddField("ASIG_VIRAT", (*amounts)[1]);
        if (!t.client.InsertRecord("ASIGURATI", "SUME", "", kClearAccount)) return RowEnd::Failed;
    }
    return RowEnd::Taken;
}

// An empty leaving date (or one of zeros) is an open record, stored 0.
std::optional<std::string> LeaveDate(const std::string& cell) {
    if (cell.empty() || cell.find_first_not_of('0') == std::string::npos) return "0";
    if (IsImportedDate(cell)) return cell;
    return std::nullopt;
}

}  // namespace

RowEnd RefuseRow(DataList& list, int row, const char* message) {
    list.SetCellText(row, kVerdictColumn, message);
    list.SetRowTextColour(row, kRefusedColour);
    return RowEnd::Refused;
}

// Names longer than their column are cut to it, as the form's field would.
std::string ImportedName(const std::string& cell, std::string_view column) {
    for (const auto& c : InsuredRegister::Columns())
        if (c.spec.name == column)
            return cell.substr(0, std::min<std::size_t>(cell.size(), c.spec.maxLength));
    return cell;
}

std::optional<std::vector<std::string>> ImportedAmounts(const DataList& list, int row,
                                                        std::initializer_list<const char*> cells) {
    std::vector<std::string> amounts;
    for (const char* cell : cells) {
        amounts.push_back(ImportedNumber(list.CellText(row, cell)));
        if (!IsNumberLiteral(amounts.back())) return std::nullopt;
    }
    return amounts;
}

const char* EmployeeRowRefusal(const DataList& list, int row) {
    if (!IsImportedCnp(list.CellText(row, "CNP"))) return kBadCnp;
    if (!IsImportedDate(list.CellText(row, "INTRARE"))) return kBadHireDate;
    if (EmploymentFormIndex(list.CellText(row, "FORMA")) < 0) return kBadFormEmployees;
    return nullptr;
}

bool IsImportedCnp(const std::string& cell) {
    return AllDigits(cell) && IsValidCnp(cell);
}

bool IsImportedDate(const std::string& cell) {
    return cell.size() == 8 && AllDigits(cell) && IsValidStoredDate(cell);
}

bool IsImportedMonth(const std::string& cell) {
    return cell.size() == 6 && AllDigits(cell) &&
           IsValidCalendarDate("1", SliceCharsFrom1(cell, 5, 6), SliceCharsFrom1(cell, 1, 4));
}

std::string ImportedNumber(const std::string& cell) {
    std::string number = TrimBlanks(cell);
    std::replace(number.begin(), number.end(), ',', '.');
    return number.empty() ? "0" : number;
}

std::string ImportedHouse(const std::string& cell) {
    if (cell == "CASHG") return "CASHR";
    if (cell == "CAS_O") return "CAS_A";
    return InsuranceHousePosition(cell) >= 0 ? cell : "CAS_B";
}

std::string AnnexMonth(const std::string& year, const std::string& month) {
    return year + PadLeftZeros(month, 2);
}

RowEnd SaveEmployeeRow(RowTarget& t, int row) {
    DataList& list = t.list;
    if (const char* refusal = EmployeeRowRefusal(list, row)) return Refuse(list, row, refusal);
    const std::string cnp = list.CellText(row, "CNP");
    const std::string hire = list.CellText(row, "INTRARE");
    const std::string form = list.CellText(row, "FORMA");
    const auto cnpSql = SqlNumber(t.client.GetPrompter(), cnp);
    if (!cnpSql) return RowEnd::Failed;
    bool failed = false;
    auto person = FoundKey(t.client,
                           SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE ") +
                               " a.cf=" + t.cf + " AND a.cnp=" + *cnpSql + " AND a.iesire=0",
                           failed);
    if (failed) return RowEnd::Failed;
    AddPersonFields(t, row, ImportedHouse(list.CellText(row, "CAS")), form, hire);
    std::string text;
    const bool newPerson = !person;
    if (person) {
        if (!t.client.UpdateRecord(*person, "ASIGURATI", "ASIGURATI", "")) return RowEnd::Failed;
        text = kPersonUpdated;
    } else {
        if (!t.client.InsertRecord("ASIGURATI", "ASIGURATI", "", kClearAccount))
            return RowEnd::Failed;
        person = t.client.LastInsertId();
        text = kPersonAdded;
    }
    const RowEnd end = SaveEmployeeSums(t, row, *person, newPerson, text);
    if (end != RowEnd::Failed) list.SetCellText(row, kVerdictColumn, text);
    return end;
}

RowEnd SaveAnnexRow(RowTarget& t, int row) {
    DataList& list = t.list;
    const std::string cnp = list.CellText(row, "CNP");
    if (!IsImportedCnp(cnp)) return Refuse(list, row, kBadCnp);
    const std::string hire = list.CellText(row, "ANG");
    if (!IsImportedDate(hire)) return Refuse(list, row, kBadHireDate);
    const std::string form = list.CellText(row, "CAT");
    if (EmploymentFormIndex(form) < 0 || form == "AM" || form == "CT")
        return Refuse(list, row, kBadFormAnnex);
    const auto leave = LeaveDate(list.CellText(row, "PL"));
    if (!leave) return Refuse(list, row, kBadLeaveDate);
    const auto cnpSql = SqlNumber(t.client.GetPrompter(), cnp);
    const auto hireSql = SqlNumber(t.client.GetPrompter(), hire);
    if (!cnpSql || !hireSql) return RowEnd::Failed;
    bool failed = false;
    const auto known =
        FoundKey(t.client,
                 SqlStatement("SELECT * FROM asigurati.asigurati AS a WHERE ") + " a.cf=" + t.cf +
                     " AND a.cnp=" + *cnpSql + " AND a.intrare=" + *hireSql,
                 failed);
    if (failed) return RowEnd::Failed;
    if (known) return Refuse(list, row, kAlreadyImported);
    AddPersonFields(t, row, t.house, form, hire);
    t.client.AddField("IESIRE", *leave);
    if (!t.client.InsertRecord("ASIGURATI", "ASIGURATI", "", kClearAccount)) return RowEnd::Failed;
    return SaveAnnexSums(t, row, t.client.LastInsertId());
}
