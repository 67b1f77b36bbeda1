// orvik-cli dbf: look inside a dBase file the way the import sees it (numbers as stored), or write
// one from tab-separated texts the way the declarations are written. Exit status: 0 done, 1 the
// file could not be written, 2 bad usage or a file that cannot be read to its end.
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfWriter.h"
#include "dbf/RegularFileReader.h"

namespace {

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return cells;
        start = tab + 1;
    }
}

// Lines of a text file without their line ends; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<int> ParseNumber(const std::string& text) {
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

constexpr const char* kUsage =
    "dbf dump FISIER.dbf\n"
    "           orvik-cli dbf write CAMPURI.tsv RANDURI.tsv IESIRE.dbf";
const CliReport kReport{"dbf", kUsage};

// A file that could not be written exits 1.
int Fail(const std::string& message, int status = 1) {
    return kReport.Fail(message, status);
}

constexpr int kUnreadable = 2;

// The numbers of the records the reader gave rows for (not deleted), as the file stores them
// without their padding blanks: "250.0000", where the list reads "250,0000". One text per
// number field of each row, in field order; empty when the records cannot be read again.
std::vector<std::vector<std::string>> StoredNumbers(const std::string& path,
                                                    const DbfTableSpec& spec) {
    std::vector<std::vector<std::string>> rows;
    RegularFileReader file;
    std::vector<char> record(static_cast<std::size_t>(spec.m_headerLength));
    if (spec.m_recordLength <= 0 || !file.Open(path, nullptr) ||
        file.Read(record.data(), record.size()) != record.size())
        return rows;
    record.resize(static_cast<std::size_t>(spec.m_recordLength));
    for (std::int64_t place = 0; place < spec.m_recordCount; ++place) {
        if (file.Read(record.data(), record.size()) != record.size()) break;
        if (record[0] == kDbfDeletedRecord) continue;
        std::vector<std::string>& numbers = rows.emplace_back();
        std::size_t offset = 1;
        for (std::size_t field = 0; field < spec.m_names.size(); ++field) {
            std::string_view text(record.data() + offset, spec.m_lengths[field]);
            offset += spec.m_lengths[field];
            if (spec.m_types[field] != "N" && spec.m_types[field] != "F") continue;
            text = text.substr(0, text.find('\0'));
            while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
            numbers.emplace_back(text);
        }
    }
    return rows;
}

// A dumped row: texts as the reader gives them, numbers as stored.
void DumpRow(const DataList& list, const DbfTableSpec& spec, int row,
             const std::vector<std::vector<std::string>>& numbers) {
    std::cout << "rand";
    const bool stored = static_cast<std::size_t>(row) < numbers.size();
    std::size_t number = 0;
    for (int column = 0; column < list.ColumnCount(); ++column) {
        const std::string& type = spec.m_types[static_cast<std::size_t>(column)];
        if (stored && (type == "N" || type == "F") && number < numbers[row].size())
            std::cout << "\t" << numbers[row][number++];
        else
            std::cout << "\t" << list.RawCell(row, column);
    }
    std::cout << "\n";
}

int Dump(const std::string& path) {
    DataList list;
    DbfTableSpec spec;
    std::string error;
    const bool ok = ReadDbfFile(path, list, spec, nullptr, &error);
    // A file whose header could not be read has nothing to show but the reason.
    if (!ok && spec.m_fieldCount == 0)
        return Fail(path + " nu a putut fi citit: " + error, kUnreadable);
    std::cout << "inregistrari\t" << spec.m_recordCount << "\n"
              << "lungime antet\t" << spec.m_headerLength << "\n"
              << "lungime inregistrare\t" << spec.m_recordLength << "\n"
              << "campuri\t" << spec.m_fieldCount << "\n";
    for (int i = 0; i < spec.m_fieldCount; ++i) {
        std::cout << "camp\t" << spec.m_names[i] << "\t" << spec.m_types[i] << "\t"
                  << int{spec.m_lengths[i]} << "\t" << int{spec.m_decimals[i]} << "\n";
    }
    const auto numbers = StoredNumbers(path, spec);
    for (int row = 0; row < list.RowCount(); ++row) DumpRow(list, spec, row, numbers);
    if (!ok) return Fail(path + " nu a putut fi citit complet: " + error, kUnreadable);
    return 0;
}

bool Refuse(std::string& error, const std::string& why) {
    error = why;
    return false;
}

// One field per line: name, type, length and, for "N", decimals.
bool ReadFields(const std::string& path, DbfTableSpec& spec, std::string& error) {
    const auto lines = ReadLines(path);
    if (!lines) return Refuse(error, "nu se poate citi " + path);
    for (std::size_t i = 0; i < lines->size(); ++i) {
        if ((*lines)[i].empty()) continue;
        const std::vector<std::string> parts = SplitTabs((*lines)[i]);
        const std::string where = path + ", linia " + std::to_string(i + 1) + ": ";
        if (parts.size() < 3 || parts.size() > 4)
            return Refuse(error, where + "se asteapta nume, tip, lungime, zecimale");
        const auto length = ParseNumber(parts[2]);
        const auto decimals = parts.size() == 4 ? ParseNumber(parts[3]) : std::optional<int>(0);
        if (!length || !decimals || *decimals < 0 || *decimals > 255)
            return Refuse(error, where + "lungime sau zecimale nenumerice");
        if (parts[0].empty() || parts[1].empty())
            return Refuse(error, where + "numele si tipul nu pot lipsi");
        if (!AddDbfField(spec, parts[0], parts[1], *length, *decimals))
            return Refuse(error, where + "lungimea trebuie sa fie intre 1 si 255");
    }
    if (spec.m_names.empty()) return Refuse(error, path + " nu descrie niciun camp");
    return true;
}

int Write(const std::string& fieldsPath, const std::string& rowsPath, const std::string& out) {
    DbfTableSpec spec;
    std::string error;
    if (!ReadFields(fieldsPath, spec, error)) return Fail(error);
    const auto lines = ReadLines(rowsPath);
    if (!lines) return Fail("nu se poate citi " + rowsPath);
    DataList list;
    for (std::size_t i = 0; i < spec.m_names.size(); ++i)
        list.AppendColumn(spec.m_names[i], spec.m_types[i] == "N" ? "N" : "C", 100);
    list.ReserveRows(lines->size());
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::vector<std::string> cells = SplitTabs((*lines)[i]);
        if (cells.size() > spec.m_names.size()) {
            return Fail(rowsPath + ", linia " + std::to_string(i + 1) + ": " +
                        std::to_string(cells.size()) + " valori pentru " +
                        std::to_string(spec.m_names.size()) + " campuri");
        }
        const int row = list.AddRow(std::string());
        for (std::size_t c = 0; c < cells.size(); ++c)
            list.SetCellTextAt(row, static_cast<int>(c), cells[c]);
    }
    if (!WriteDbfFile(out, &list, &spec, nullptr, &error))
        return Fail("nu se poate salva " + out + ": " + error);
    std::cout << out << ": " << list.RowCount() << " inregistrari\n";
    return 0;
}

int RunDbf(const CliArgs& args) {
    // No options: the action and its files.
    std::vector<std::string> words;
    const std::string why = ReadCliOptions(args, 0, {}, [&](const std::string& arg) {
        words.push_back(arg);
        return std::string();
    });
    if (!why.empty()) return kReport.Usage(why);
    if (words.size() == 2 && words[0] == "dump") return Dump(words[1]);
    if (words.size() == 4 && words[0] == "write") return Write(words[1], words[2], words[3]);
    std::cerr << kReport.UsageText() << "\n";
    return 2;
}

const CliCommandRegistrar kRegistrar{"dbf", kUsage, &RunDbf};

}  // namespace
