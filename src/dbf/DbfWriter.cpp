#include "dbf/DbfWriter.h"

#include <algorithm>
#include <cstdint>

#include "datalist/DataList.h"
#include "dbf/ReplacingFile.h"

namespace {

struct FieldPlan {
    char type;
    int length;
    int decimals;
};

std::vector<FieldPlan> PlanFields(const DbfTableSpec& spec) {
    std::vector<FieldPlan> plan;
    plan.reserve(spec.m_names.size());
    for (std::size_t i = 0; i < spec.m_names.size(); ++i) {
        const int decimals = i < spec.m_decimals.size() ? spec.m_decimals[i] : 0;
        plan.push_back(FieldPlan{DbfTypeLetter(spec, i), spec.m_lengths[i], decimals});
    }
    return plan;
}

// Records are handed to the file this many bytes at a time.
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

// Appends one record (flag and every field) to `out`; false when a value does not fit.
bool EncodeRecord(const DataList& list, int row, const std::vector<FieldPlan>& plan,
                  std::string& out, std::string* error) {
    out.push_back(kDbfLiveRecord);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        // The cell as CellTextAt gives it, read in place.
        const std::string_view value = list.TrimmedCell(row, static_cast<int>(i));
        if (!EncodeDbfValue(value, plan[i].type, plan[i].length, plan[i].decimals, out)) {
            if (error) {
                *error = "valoarea \"" + std::string(value) + "\" din randul " +
                         std::to_string(row + 1) + " nu incape in campul " + std::to_string(i + 1) +
                         " (" + std::to_string(plan[i].length) + " caractere, " +
                         std::to_string(plan[i].decimals) + " zecimale)";
            }
            return false;
        }
    }
    return true;
}

}  // namespace

DbfTableSpec DefaultDbfSpec(const DataList* list) {
    DbfTableSpec spec;
    const int columns = list ? list->ColumnCount() : 0;
    for (int column = 0; column < columns; ++column)
        AddDbfField(spec, list->ColumnName(column), "C", 100, 0);
    return spec;
}

bool WriteDbfFile(const std::string& path, const DataList* list, DbfTableSpec* spec,
                  DbfProgress* progress, std::string* error) {
    return WriteDbfFileDated(path, list, spec, progress, TodayLocalDate(), error);
}

bool WriteDbfFileDated(const std::string& path, const DataList* list, DbfTableSpec* spec,
                       DbfProgress* progress, const DbfDate& date, std::string* error) {
    DbfTableSpec defaultSpec;
    if (!spec) {
        defaultSpec = DefaultDbfSpec(list);
        spec = &defaultSpec;
    }
    const int rows = list ? list->RowCount() : 0;
    spec->m_recordCount = rows;
    if (!ComputeDbfLayout(*spec, error)) return false;

    ReplacingFile file(path);
    if (!file.Open(error)) return false;
    if (progress) progress->Start(rows);
    bool ok = file.Write(EncodeDbfHeader(*spec, date));
    const std::vector<FieldPlan> plan = PlanFields(*spec);
    std::string batch;
    const auto recordLength = static_cast<std::size_t>(spec->m_recordLength);
    batch.reserve(std::min(kBatchBytes, recordLength * static_cast<std::size_t>(rows)) +
                  recordLength);
    for (int row = 0; ok && row < rows; ++row) {
        // A value that does not fit fails the whole file: a cut number would be a wrong one.
        if (!EncodeRecord(*list, row, plan, batch, error)) return false;
        if (batch.size() >= kBatchBytes) {
            ok = file.Write(batch);
            batch.clear();
        }
        if (progress) progress->Step();
    }
    if (ok && !batch.empty()) ok = file.Write(batch);
    const char end = kDbfFileEnd;
    if (ok) file.Write(&end, 1);
    // Commit reports the first write that failed, if any, and then leaves the name alone.
    return file.Commit(error);
}
