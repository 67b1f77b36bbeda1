#include "dbf/DbfWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "datalist/DataList.h"
#include "dbf/ReplacingFile.h"

namespace {

struct FieldPlan {
    char type;
    int length;
    int decimals;
    std::string_view name;
};

std::vector<FieldPlan> PlanFields(const DbfTableSpec& spec) {
    std::vector<FieldPlan> plan;
    plan.reserve(spec.m_names.size());
    for (std::size_t i = 0; i < spec.m_names.size(); ++i) {
        const int decimals = i < spec.m_decimals.size() ? spec.m_decimals[i] : 0;
        plan.push_back(
            FieldPlan{DbfTypeLetter(spec, i), spec.m_lengths[i], decimals, spec.m_names[i]});
    }
    return plan;
}

// Records are handed to the file about this many bytes at a time.
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

// Builds one record (flag and every field) at `out`, recordLength bytes; false when a value
// does not fit or an "N" value is not a number. `cells` is scratch for the row's cells.
bool EncodeRecord(const DataList& list, int row, const std::vector<FieldPlan>& plan,
                  std::size_t recordLength, char* out, std::vector<std::string_view>& cells,
                  std::string* error) {
    // The cells as CellTextAt gives them (trimmed), read in place, the whole row at once.
    list.RawRow(row, cells);
    // Blanks first: a text value then needs only its own bytes copied.
    std::memset(out, ' ', recordLength);
    *out++ = kDbfLiveRecord;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const std::string_view value =
            i < cells.size() ? TrimCellText(cells[i]) : std::string_view();
        const auto width = static_cast<std::size_t>(plan[i].length);
        if (plan[i].type != 'N') {
            if (!value.empty()) std::memcpy(out, value.data(), std::min(value.size(), width));
        } else if (!EncodeDbfValueInto(value, 'N', plan[i].length, plan[i].decimals, out)) {
            if (error && !IsDbfNumberText(value)) {
                *error = "valoarea \"" + std::string(value) + "\" din randul " +
                         std::to_string(row + 1) + " nu este un numar, iar campul " +
                         std::string(plan[i].name) + " este numeric";
            } else if (error) {
                *error = "valoarea \"" + std::string(value) + "\" din randul " +
                         std::to_string(row + 1) + " nu incape in campul " + std::to_string(i + 1) +
                         " (" + std::to_string(plan[i].length) + " caractere, " +
                         std::to_string(plan[i].decimals) + " zecimale)";
            }
            return false;
        }
        out += plan[i].length;
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
    const auto recordLength = static_cast<std::size_t>(spec->m_recordLength);
    const std::size_t perBatch = std::max<std::size_t>(
        1, std::min<std::size_t>(kBatchBytes / recordLength, static_cast<std::size_t>(rows)));
    std::vector<char> batch(perBatch * recordLength);
    std::vector<std::string_view> cells;
    std::size_t filled = 0;
    for (int row = 0; ok && row < rows; ++row) {
        // A value that does not fit fails the whole file: a cut number would be a wrong one.
        char* record = batch.data() + filled * recordLength;
        if (!EncodeRecord(*list, row, plan, recordLength, record, cells, error)) return false;
        if (++filled == perBatch) {
            ok = file.Write(batch.data(), filled * recordLength);
            // The disk writes while the next records are encoded.
            file.StartWriteback();
            filled = 0;
        }
        if (progress) progress->Step();
    }
    if (ok && filled > 0) ok = file.Write(batch.data(), filled * recordLength);
    const char end = kDbfFileEnd;
    if (ok) file.Write(&end, 1);
    // Commit reports the first write that failed, if any, and then leaves the name alone.
    return file.Commit(error);
}
