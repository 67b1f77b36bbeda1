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
#include "import/ImportMarks.h"

namespace {

constexpr const char* kAnnexAmountFields[] = {"SDL", "SVL"};

using namespace ImportMessages;

RowEnd Refuse(DataList& list, int row, const char* message) {
    return RefuseRow(list, row, message);
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
    const auto amounts = ImportedAmounts(t.list, row, kPayrollAmountFields);
    if (!amounts) {
        text += kBadAmountsNote;
        return RowEnd::TakenNoSums;
    }
    // A person added a moment ago has no sums to look for.
    const auto existing = newPerson ? std::optional<long long>(0) : t.sums.FindKey(person, month);
    if (!existing) return RowEnd::Failed;
    if (!t.sums.Write(ImportedSums(t, row, person, month, *amounts), *existing))
        return RowEnd::Failed;
    text += *existing != 0 ? kSumsUpdatedNote : kSumsAddedNote;
    return RowEnd::Taken;
}

// The annex import's sums: added when the month has none, otherwise left.
RowEnd SaveAnnexSums(RowTarget& t, int row, long long person) {
    if (!IsImportedMonth(t.month)) {
        t.list.SetCellText(row, kVerdictColumn, kBadMonthNote);
        return RowEnd::TakenNoSums;
    }
    const auto amounts = ImportedAmounts(t.list, row, kAnnexAmountFields);
    if (!amounts) {
        t.list.SetCellText(row, kVerdictColumn, kBadAmountsNote);
        return RowEnd::TakenNoSums;
    }
    const auto existing = t.sums.FindKey(person, t.month);
    if (!existing) return RowEnd::Failed;
    if (*existing == 0) {
        SumsRow sums = ImportedSums(t, row, person, t.month, {});
        sums.asigDatorat = (*amounts)[0];
        sums.asigVirat = (*amounts)[1];
        sums.extent = SumsExtent::InsuredOnly;
        if (!t.sums.Write(sums, 0)) return RowEnd::Failed;
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
    list.SetRowTextColour(row, kRefusedRowColour);
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
                                                        std::span<const char* const> cells) {
    std::vector<std::string> amounts;
    for (const char* cell : cells) {
        amounts.push_back(ImportedNumber(list.CellText(row, cell)));
        if (!IsNumberLiteral(amounts.back())) return std::nullopt;
    }
    return amounts;
}

const char* EmployeeRowRefusal(const RowTarget& target, int row) {
    if (target.file)
        if (const char* refusal = target.file->TextRefusal(target.list, row)) return refusal;
    const DataList& list = target.list;
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

std::string HouseNote(const std::string& cell) {
    const std::string house = ImportedHouse(cell);
    if (house != "CAS_B" || cell == "CAS_B") return {};
    if (cell.empty()) return "; casa necompletata, s-a folosit CAS_B";
    return "; casa " + cell + " necunoscuta, s-a folosit " + house;
}

std::string AnnexMonth(const std::string& year, const std::string& month) {
    return year + PadLeftZeros(month, 2);
}

InsuredRecord ImportedPerson(const RowTarget& t, int row, const std::string& house,
                             const std::string& form, const std::string& hire) {
    InsuredRecord person;
    person.cf = t.cfText;
    person.cas = house;
    person.nume = ImportedName(t.list.CellText(row, "NUME"), "nume");
    person.prenume = ImportedName(t.list.CellText(row, "PRENUME"), "prenume");
    person.cnp = t.list.CellText(row, "CNP");
    person.forma = form;
    person.intrare = hire;
    return person;
}

SumsRow ImportedSums(const RowTarget& t, int row, long long person, const std::string& month,
                     const std::vector<std::string>& amounts) {
    SumsRow sums;
    sums.idCnp = std::to_string(person);
    sums.cf = t.cfText;
    sums.cnp = t.list.CellText(row, "CNP");
    sums.month = month;
    std::string* const targets[] = {&sums.salariu, &sums.asigDatorat, &sums.asigVirat,
                                    &sums.angDatorat, &sums.angVirat};
    for (std::size_t i = 0; i < amounts.size() && i < std::size(targets); ++i)
        *targets[i] = amounts[i];
    return sums;
}

RowEnd SaveEmployeeRow(RowTarget& t, int row) {
    DataList& list = t.list;
    if (const char* refusal = EmployeeRowRefusal(t, row)) return Refuse(list, row, refusal);
    const std::string cnp = list.CellText(row, "CNP");
    const auto person = t.insured.FindOpenKey(cnp);
    if (!person) return RowEnd::Failed;
    const InsuredRecord record =
        ImportedPerson(t, row, ImportedHouse(list.CellText(row, "CAS")),
                       list.CellText(row, "FORMA"), list.CellText(row, "INTRARE"));
    const Outcome written = t.insured.WriteWhole(record, *person, false);
    if (!written) return RowEnd::Failed;
    const bool newPerson = *person == 0;
    std::string text = newPerson ? kPersonAdded : kPersonUpdated;
    text += HouseNote(list.CellText(row, "CAS"));
    const RowEnd end = SaveEmployeeSums(t, row, written.Key(), newPerson, text);
    if (end != RowEnd::Failed) list.SetCellText(row, kVerdictColumn, text);
    return end;
}

RowEnd SaveAnnexRow(RowTarget& t, int row) {
    DataList& list = t.list;
    if (t.file)
        if (const char* refusal = t.file->TextRefusal(list, row)) return Refuse(list, row, refusal);
    const std::string cnp = list.CellText(row, "CNP");
    if (!IsImportedCnp(cnp)) return Refuse(list, row, kBadCnp);
    const std::string hire = list.CellText(row, "ANG");
    if (!IsImportedDate(hire)) return Refuse(list, row, kBadHireDate);
    const std::string form = list.CellText(row, "CAT");
    if (EmploymentFormIndex(form) < 0 || form == "AM" || form == "CT")
        return Refuse(list, row, kBadFormAnnex);
    const auto leave = LeaveDate(list.CellText(row, "PL"));
    if (!leave) return Refuse(list, row, kBadLeaveDate);
    const auto known = t.insured.FindKeyByHire(cnp, hire);
    if (!known) return RowEnd::Failed;
    if (*known != 0) return Refuse(list, row, kAlreadyImported);
    InsuredRecord record = ImportedPerson(t, row, t.house, form, hire);
    record.iesire = *leave;
    const Outcome written = t.insured.WriteWhole(record, 0, true);
    if (!written) return RowEnd::Failed;
    return SaveAnnexSums(t, row, written.Key());
}
