#include "import/VerifyReport.h"

#include <algorithm>
#include <filesystem>

#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"
#include "dbf/DbfReader.h"
#include "dbf/RegularFileReader.h"
#include "dbf/ReplacingFile.h"
#include "domain/TextNumbers.h"
#include "text/Windows1250.h"

namespace {

void WriteEmployer(DataList& list, int row, const EmployerFields& employer) {
    list.SetCellText(row, "LN", employer.ln);
    list.SetCellText(row, "AN", employer.an);
    list.SetCellText(row, "CUI", employer.cui);
    list.SetCellText(row, "TIPD", employer.tipd);
}

void AppendCsvField(std::string& line, std::string_view pageText) {
    const std::string text = PageTextToUtf8(pageText);
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

bool HeaderIsWhole(RegularFileReader& file, const DbfTableSpec& spec) {
    if (spec.m_names.empty() || spec.m_headerLength <= static_cast<int>(kDbfBlockSize))
        return false;
    std::vector<char> header(static_cast<std::size_t>(spec.m_headerLength));
    if (file.Read(header.data(), header.size()) != header.size()) return false;
    const std::size_t end = kDbfBlockSize * (spec.m_names.size() + 1);
    if (end >= header.size() || header[end] != kDbfHeaderEnd) return false;
    int fieldBytes = 1;
    for (std::uint8_t length : spec.m_lengths) fieldBytes += length;
    return fieldBytes <= spec.m_recordLength;
}

// Why the reader gave up on a file. It is cut short when its header is whole: the declared
// header length lies within the file, and the field descriptions end in their terminator with
// the fields fitting the record. Anything less was never a dBase table. A file that cannot be
// opened at all (gone, not allowed) was not read.
std::string_view UnreadableMessage(const std::string& path, const DbfTableSpec& spec) {
    RegularFileReader file;
    if (!file.Open(path, nullptr)) return VerifyMessages::kUnreadable;
    return HeaderIsWhole(file, spec) ? VerifyMessages::kUnreadable : VerifyMessages::kNotDbf;
}

// Removed rows leave the list. One by one each removal moves every later row, so many of them
// (a long annex 2 of rows without certificates) are dropped by building the list again.
void DropRemovedRows(DataList& list, const std::vector<RowVerdict>& rows) {
    constexpr std::size_t kOneByOne = 32;
    const auto removed =
        static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), [](const RowVerdict& row) {
            return row.state == RowState::Removed;
        }));
    if (removed <= kOneByOne) {
        for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row)
            if (rows[row].state == RowState::Removed) list.DeleteRow(row);
        return;
    }
    struct KeptRow {
        std::vector<std::string> cells;
        RowColours colours;
    };
    std::vector<KeptRow> kept;
    kept.reserve(rows.size() - removed);
    for (int row = 0; row < list.RowCount(); ++row) {
        if (static_cast<std::size_t>(row) < rows.size() && rows[row].state == RowState::Removed)
            continue;
        KeptRow& copy = kept.emplace_back();
        for (int column = 0; column < list.ColumnCount(); ++column)
            copy.cells.emplace_back(list.RawCell(row, column));
        copy.colours = list.RowColoursAt(row);
    }
    list.DeleteAllRows();
    list.ReserveRows(kept.size());
    std::vector<std::string_view> cells;
    for (const KeptRow& copy : kept) {
        cells.assign(copy.cells.begin(), copy.cells.end());
        const int row = list.AddRowCells(cells);
        list.SetRowTextColour(row, copy.colours.m_textColour);
        if (copy.colours.m_backColour) list.SetRowBackColour(row, *copy.colours.m_backColour);
    }
}

}  // namespace

std::vector<std::int64_t> LiveRecordPlaces(const std::string& path, const DbfTableSpec& spec) {
    std::vector<std::int64_t> places;
    if (spec.m_recordLength <= 0) return places;
    // Opened again by name: it must still be a regular file, or this would wait on it.
    RegularFileReader file;
    std::vector<char> record(static_cast<std::size_t>(spec.m_headerLength));
    if (!file.Open(path, nullptr) || file.Read(record.data(), record.size()) != record.size())
        return places;
    record.resize(static_cast<std::size_t>(spec.m_recordLength));
    for (std::int64_t place = 1; place <= spec.m_recordCount; ++place) {
        if (file.Read(record.data(), record.size()) != record.size()) break;
        if (record[0] != kDbfDeletedRecord) places.push_back(place);
    }
    return places;
}

VerifiedFile ReadAndVerify(VerifiedKind kind, const std::string& path, DataList& list,
                           DbfProgress* reading, DbfProgress* checking) {
    VerifiedFile file;
    if (!ReadDbfFile(path, list, file.spec, reading)) {
        file.verdict.status = FileStatus::Refused;
        file.verdict.message = std::string(UnreadableMessage(path, file.spec));
        // What was read is no verified part of the file.
        list.DeleteAllColumns();
        return file;
    }
    file.verdict = VerifyTable(kind, file.spec, list, checking);
    const auto rows = static_cast<std::size_t>(list.RowCount());
    // Without deleted records each row is the record of its own number: no second pass.
    if (static_cast<std::int64_t>(rows) == file.spec.m_recordCount) {
        file.places.resize(rows);
        for (std::size_t i = 0; i < rows; ++i) file.places[i] = static_cast<std::int64_t>(i) + 1;
    } else {
        file.places = LiveRecordPlaces(path, file.spec);
        if (file.places.size() != rows) file.places.clear();
    }
    return file;
}

std::vector<std::int64_t> ApplyVerdict(DataList& list, const VerifiedFile& file) {
    const FileVerdict& verdict = file.verdict;
    if (verdict.employer) {
        const int last =
            verdict.employerToEveryRow ? list.RowCount() : std::min(1, list.RowCount());
        for (int row = 0; row < last; ++row) WriteEmployer(list, row, *verdict.employer);
    }
    std::vector<std::int64_t> kept;
    if (!verdict.addErrorColumn) return file.places;
    const int column = list.AppendColumn("EROARE", "C", 500);
    const int rows = std::min(list.RowCount(), static_cast<int>(verdict.rows.size()));
    for (int row = 0; row < rows; ++row) {
        const RowVerdict& result = verdict.rows[row];
        if (result.state == RowState::Faulty) {
            list.SetCellTextAt(row, column, result.message);
            list.SetRowTextColour(row, Colour{kMarkedRed, 0, 0});
        }
        if (result.state != RowState::Removed && static_cast<std::size_t>(row) < file.places.size())
            kept.push_back(file.places[row]);
    }
    DropRemovedRows(list, verdict.rows);
    return kept;
}

void AttachPlaces(DataList& list, const std::vector<std::int64_t>& places) {
    if (list.ColumnCount() == 0 || places.size() != static_cast<std::size_t>(list.RowCount()))
        return;
    const int column = list.AppendColumn(kPlaceColumn, "N", 0);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetCellTextAt(row, column, std::to_string(places[row]));
}

std::vector<std::int64_t> AttachedPlaces(const DataList& list) {
    std::vector<std::int64_t> places;
    const int column = list.ColumnIndex(kPlaceColumn);
    if (column < 0) return places;
    places.reserve(static_cast<std::size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row)
        places.push_back(TextToInteger(list.TrimmedCell(row, column)));
    return places;
}

bool HasVerifiableExtension(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension == ".DBF" || extension == ".dbf";
}

Outcome WriteErrorReport(const std::string& path, const DataList& list,
                         const std::vector<std::int64_t>& places, Prompter& prompter) {
    const int errorColumn = list.ColumnIndex("EROARE");
    const int placeColumn = list.ColumnIndex(kPlaceColumn);
    std::string bytes = "\xEF\xBB\xBFNR";
    for (int column = 0; column < list.ColumnCount(); ++column) {
        if (column == placeColumn) continue;
        bytes += ';';
        AppendCsvField(bytes, list.ColumnTitle(column));
    }
    bytes += "\r\n";
    for (int row = 0; errorColumn >= 0 && row < list.RowCount(); ++row) {
        if (list.CellTextAt(row, errorColumn).empty()) continue;
        bytes += static_cast<std::size_t>(row) < places.size() ? std::to_string(places[row]) : "";
        for (int column = 0; column < list.ColumnCount(); ++column) {
            if (column == placeColumn) continue;
            bytes += ';';
            AppendCsvField(bytes, list.CellTextAt(row, column));
        }
        bytes += "\r\n";
    }
    ReplacingFile out(path);
    std::string error;
    if (out.Open(&error)) {
        out.Write(bytes);  // a failed write is reported by the commit
        if (out.Commit(&error)) return Outcome::Done();
    }
    prompter.ShowMessage("Nu se poate salva raportul de erori!\n\n" + error, MessageKind::Error);
    return Outcome::Stopped();
}

std::string ErrorReportName(const std::string& verifiedPath) {
    return std::filesystem::path(verifiedPath).stem().string() + "_erori.csv";
}

std::string OneLine(const std::string& message) {
    std::string line;
    bool inBreak = false;
    for (char c : message) {
        const bool isBreak = c == '\n' || c == '\r';
        if (isBreak && !inBreak) line += ' ';
        if (!isBreak) line += c;
        inBreak = isBreak;
    }
    return line;
}

std::string SummaryLine(const FileVerdict& verdict, int records) {
    if (verdict.status != FileStatus::Clean && verdict.status != FileStatus::Faulty)
        return OneLine(verdict.message);
    return "verificat: " + std::to_string(records) + " inregistrari, " +
           std::to_string(verdict.FaultyCount()) + " eronate";
}

std::string PageTextToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (char byte : text) {
        const char16_t letter = UnicodeOfPageByte(static_cast<unsigned char>(byte));
        if (letter < 0x80) {
            utf8 += static_cast<char>(letter);
        } else if (letter < 0x800) {
            utf8 += static_cast<char>(0xC0 | (letter >> 6));
            utf8 += static_cast<char>(0x80 | (letter & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (letter >> 12));
            utf8 += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (letter & 0x3F));
        }
    }
    return utf8;
}
