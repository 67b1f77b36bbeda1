#include "import/ImportBatch.h"

#include <algorithm>
#include <set>
#include <unordered_set>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "domain/TextNumbers.h"
#include "import/ImportFile.h"

namespace {

using namespace ImportMessages;

void PlanWrite(RowTarget& t, const EmployeeKeys& keys, PlannedRow& p) {
    const DataList& list = t.list;
    const int row = p.row;
    const auto found = keys.persons.find(p.cnp);
    p.person = found != keys.persons.end() ? found->second : 0;
    p.newPerson = p.person == 0;
    p.text = p.newPerson ? kPersonAdded : kPersonUpdated;
    p.text += HouseNote(list.CellText(row, "CAS"));
    p.record = ImportedPerson(t, row, ImportedHouse(list.CellText(row, "CAS")),
                              list.CellText(row, "FORMA"), list.CellText(row, "INTRARE"));
    p.end = RowEnd::TakenNoSums;
    p.monthText = list.CellText(row, "LA_LUNA");
    if (!IsImportedMonth(p.monthText)) {
        p.text += kBadMonthNote;
        return;
    }
    auto amounts = ImportedAmounts(list, row, kPayrollAmountFields);
    if (!amounts) {
        p.text += kBadAmountsNote;
        return;
    }
    p.end = RowEnd::Taken;
    p.sums = true;
    p.month = TextToInteger(p.monthText);
    p.amounts = std::move(*amounts);
    // A person added by this save has no sums yet.
    if (!p.newPerson)
        if (const auto s = keys.sums.find({p.person, p.month}); s != keys.sums.end())
            p.sumsIndex = s->second;
    p.text += p.sumsIndex ? kSumsUpdatedNote : kSumsAddedNote;
}

bool WritePersons(RowTarget& t, const EmployeeKeys& keys, std::vector<PlannedRow*>& rows) {
    std::vector<long long> updated;
    std::vector<InsuredRecord> updates, inserts;
    std::vector<PlannedRow*> added;
    for (PlannedRow* p : rows) {
        if (p->newPerson) {
            inserts.push_back(p->record);
            added.push_back(p);
        } else {
            updated.push_back(p->person);
            updates.push_back(p->record);
        }
    }
    if (!t.insured.UpdateMany(updated, updates)) return false;
    const auto newKeys = t.insured.InsertMany(inserts, keys.keyStep);
    if (!newKeys) return false;
    for (std::size_t i = 0; i < added.size(); ++i) added[i]->person = (*newKeys)[i];
    return true;
}

bool WriteSums(RowTarget& t, const EmployeeKeys& keys, std::vector<PlannedRow*>& rows) {
    std::vector<long long> updated;
    std::vector<SumsRow> updates, inserts;
    std::vector<PlannedRow*> added;
    for (PlannedRow* p : rows) {
        if (!p->sums) continue;
        SumsRow sums = ImportedSums(t, p->row, p->person, p->monthText, p->amounts);
        if (p->sumsIndex) {
            updated.push_back(p->sumsIndex);
            updates.push_back(std::move(sums));
        } else {
            inserts.push_back(std::move(sums));
            added.push_back(p);
        }
    }
    if (!t.sums.UpdateMany(updated, updates)) return false;
    const auto newKeys = t.sums.InsertMany(inserts, keys.keyStep);
    if (!newKeys) return false;
    for (std::size_t i = 0; i < added.size(); ++i) added[i]->sumsIndex = (*newKeys)[i];
    return true;
}

}  // namespace

std::optional<EmployeeKeys> LoadEmployeeKeys(RowTarget& target) {
    EmployeeKeys keys;
    CClient& client = target.client;
    if (!client.Query("SELECT @@auto_increment_increment AS step", true)) return std::nullopt;
    keys.keyStep = std::max(1LL, TextToInteger(client.GetValue(0, "STEP")));
    auto persons = target.insured.OpenKeysByCnp();
    if (!persons) return std::nullopt;
    keys.persons = std::move(*persons);
    std::set<long long> named, months;
    const DataList& list = target.list;
    for (int row = 0; row < list.RowCount(); ++row) {
        const std::string cnp = list.CellText(row, "CNP");
        if (!IsImportedCnp(cnp)) continue;
        if (const auto p = keys.persons.find(TextToInteger(cnp)); p != keys.persons.end())
            named.insert(p->second);
        if (const std::string month = list.CellText(row, "LA_LUNA"); IsImportedMonth(month))
            months.insert(TextToInteger(month));
    }
    auto sums = target.sums.FindKeys({named.begin(), named.end()}, {months.begin(), months.end()});
    if (!sums) return std::nullopt;
    keys.sums = std::move(*sums);
    return keys;
}

std::vector<PlannedRow> PlanEmployeeChunk(RowTarget& target, const EmployeeKeys& keys, int first,
                                          int limit) {
    std::vector<PlannedRow> chunk;
    std::unordered_set<long long> written;
    const int rows = target.list.RowCount();
    for (int row = first; row < rows && row - first < limit; ++row) {
        PlannedRow p;
        p.row = row;
        p.refusal = EmployeeRowRefusal(target, row);
        if (!p.refusal) {
            p.cnp = TextToInteger(target.list.CellText(row, "CNP"));
            if (!written.insert(p.cnp).second) break;
            PlanWrite(target, keys, p);
        }
        chunk.push_back(std::move(p));
    }
    return chunk;
}

bool WriteEmployeeChunk(RowTarget& target, EmployeeKeys& keys, std::vector<PlannedRow>& chunk) {
    std::vector<PlannedRow*> writing;
    for (PlannedRow& p : chunk)
        if (!p.refusal) writing.push_back(&p);
    if (!WritePersons(target, keys, writing) || !WriteSums(target, keys, writing)) return false;
    for (PlannedRow& p : chunk) {
        if (p.refusal) {
            p.end = RefuseRow(target.list, p.row, p.refusal);
            continue;
        }
        keys.persons.emplace(p.cnp, p.person);
        if (p.sums) keys.sums.emplace(std::pair{p.person, p.month}, p.sumsIndex);
        target.list.SetCellText(p.row, kVerdictColumn, p.text);
    }
    return true;
}
