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

// The columns the row-by-row save writes, in its order.
const std::vector<std::string> kPersonColumns = {"CF",  "CAS",   "NUME",   "PRENUME",
                                                 "CNP", "FORMA", "INTRARE"};
const std::vector<std::string> kSumsColumns = {"ID_CNP",     "CF",          "CNP",
                                               "LUNA",       "SALARIU",     "ASIG_DATORAT",
                                               "ASIG_VIRAT", "ANG_DATORAT", "ANG_VIRAT"};
// One look-up names at most this many persons.
constexpr std::size_t kLookUpPersons = 1000;

SqlStatement InList(const std::vector<long long>& values, std::size_t first, std::size_t last) {
    SqlStatement list("(");
    for (std::size_t i = first; i < last; ++i) {
        if (i > first) list += ",";
        list += SqlInteger(values[i]);
    }
    return list + ")";
}

// The existing sums of the persons the file names, in the file's months.
bool LoadSums(CClient& client, const std::vector<long long>& persons,
              const std::vector<long long>& months, EmployeeKeys& keys) {
    if (persons.empty() || months.empty()) return true;
    for (std::size_t first = 0; first < persons.size(); first += kLookUpPersons) {
        const std::size_t last = std::min(persons.size(), first + kLookUpPersons);
        // The lowest key first, as the single look-up finds it.
        if (!client.Query(SqlStatement("SELECT s.index AS i, s.id_cnp AS p, s.luna AS l FROM "
                                       "asigurati.sume AS s WHERE s.id_cnp IN ") +
                              InList(persons, first, last) + " AND s.luna IN " +
                              InList(months, 0, months.size()) + " ORDER BY s.index",
                          true))
            return false;
        for (long long r = 0; r < client.RowCount(); ++r)
            keys.sums.emplace(std::pair{TextToInteger(client.GetValue(r, "P")),
                                        TextToInteger(client.GetValue(r, "L"))},
                              TextToInteger(client.GetValue(r, "I")));
    }
    return true;
}

void PlanWrite(RowTarget& t, const EmployeeKeys& keys, PlannedRow& p) {
    const DataList& list = t.list;
    const int row = p.row;
    const auto found = keys.persons.find(p.cnp);
    p.person = found != keys.persons.end() ? found->second : 0;
    p.newPerson = p.person == 0;
    p.text = p.newPerson ? kPersonAdded : kPersonUpdated;
    p.personValues = {t.cfText,
                      ImportedHouse(list.CellText(row, "CAS")),
                      ImportedName(list.CellText(row, "NUME"), "nume"),
                      ImportedName(list.CellText(row, "PRENUME"), "prenume"),
                      list.CellText(row, "CNP"),
                      list.CellText(row, "FORMA"),
                      list.CellText(row, "INTRARE")};
    p.end = RowEnd::TakenNoSums;
    p.monthText = list.CellText(row, "LA_LUNA");
    if (!IsImportedMonth(p.monthText)) {
        p.text += kBadMonthNote;
        return;
    }
    auto amounts =
        ImportedAmounts(list, row, {"SALARIU", "ASG_DAT", "ASG_VIR", "ANG_DAT", "ANG_VIR"});
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

// Whether the record the server gave `key` holds what the rows expect there:
// the keys of a multi-row insert are consecutive unless the server was set
// otherwise, and then the chunk is saved row by row instead.
bool HoldsExpected(CClient& client, const SqlStatement& lookUp, long long key,
                   const std::string& expected) {
    if (!client.Query(lookUp + " AND x.index=" + SqlInteger(key), true) || client.RowCount() != 1)
        return false;
    return client.GetValue(0, "E") == expected;
}

bool WritePersons(RowTarget& t, const EmployeeKeys& keys, std::vector<PlannedRow*>& rows) {
    std::vector<long long> updated;
    std::vector<std::vector<std::string>> updates, inserts;
    std::vector<PlannedRow*> added;
    for (PlannedRow* p : rows) {
        if (p->newPerson) {
            inserts.push_back(p->personValues);
            added.push_back(p);
        } else {
            updated.push_back(p->person);
            updates.push_back(p->personValues);
        }
    }
    CClient& client = t.client;
    if (!client.UpdateRecords("ASIGURATI", "ASIGURATI", kPersonColumns, updated, updates))
        return false;
    if (added.empty()) return true;
    if (!client.InsertRecords("ASIGURATI", "ASIGURATI", kPersonColumns, inserts)) return false;
    long long key = client.LastInsertId();
    for (PlannedRow* p : added) p->person = std::exchange(key, key + keys.keyStep);
    return HoldsExpected(
        client, SqlStatement("SELECT x.cnp AS e FROM asigurati.asigurati AS x WHERE x.cf=") + t.cf,
        added.back()->person, std::to_string(added.back()->cnp));
}

std::vector<std::string> SumsValues(const RowTarget& t, const PlannedRow& p) {
    std::vector<std::string> values = {std::to_string(p.person), t.cfText, p.personValues[4],
                                       p.monthText};
    values.insert(values.end(), p.amounts.begin(), p.amounts.end());
    return values;
}

bool WriteSums(RowTarget& t, const EmployeeKeys& keys, std::vector<PlannedRow*>& rows) {
    std::vector<long long> updated;
    std::vector<std::vector<std::string>> updates, inserts;
    std::vector<PlannedRow*> added;
    for (PlannedRow* p : rows) {
        if (!p->sums) continue;
        if (p->sumsIndex) {
            updated.push_back(p->sumsIndex);
            updates.push_back(SumsValues(t, *p));
        } else {
            inserts.push_back(SumsValues(t, *p));
            added.push_back(p);
        }
    }
    CClient& client = t.client;
    if (!client.UpdateRecords("ASIGURATI", "SUME", kSumsColumns, updated, updates)) return false;
    if (added.empty()) return true;
    if (!client.InsertRecords("ASIGURATI", "SUME", kSumsColumns, inserts)) return false;
    long long key = client.LastInsertId();
    for (PlannedRow* p : added) p->sumsIndex = std::exchange(key, key + keys.keyStep);
    const PlannedRow& last = *added.back();
    return HoldsExpected(
        client,
        SqlStatement("SELECT x.luna AS e FROM asigurati.sume AS x WHERE x.id_cnp=") +
            SqlInteger(last.person),
        last.sumsIndex, std::to_string(last.month));
}

}  // namespace

bool LoadEmployeeKeys(RowTarget& target, EmployeeKeys& keys) {
    keys = {};
    CClient& client = target.client;
    if (!client.Query("SELECT @@auto_increment_increment AS step", true)) return false;
    keys.keyStep = std::max(1LL, TextToInteger(client.GetValue(0, "STEP")));
    // The lowest key first, as the single look-up finds it.
    if (!client.Query(SqlStatement("SELECT a.index AS i, a.cnp AS c FROM asigurati.asigurati AS a "
                                   "WHERE a.cf=") +
                          target.cf + " AND a.iesire=0 ORDER BY a.index",
                      true))
        return false;
    for (long long r = 0; r < client.RowCount(); ++r)
        keys.persons.emplace(TextToInteger(client.GetValue(r, "C")),
                             TextToInteger(client.GetValue(r, "I")));
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
    return LoadSums(client, {named.begin(), named.end()}, {months.begin(), months.end()}, keys);
}

std::vector<PlannedRow> PlanEmployeeChunk(RowTarget& target, const EmployeeKeys& keys, int first,
                                          int limit) {
    std::vector<PlannedRow> chunk;
    std::unordered_set<long long> written;
    const int rows = target.list.RowCount();
    for (int row = first; row < rows && row - first < limit; ++row) {
        PlannedRow p;
        p.row = row;
        p.refusal = EmployeeRowRefusal(target.list, row);
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
