// Writing and reading an annex 1A declaration of 100,000 records: our writer and reader
// against shapelib's DBF functions doing the same work from and into the same list, and
// against cat copying the same bytes (the limit). Prints the ratios after the timings.
#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfWriter.h"

namespace {

constexpr int kRecords = 100000;

struct AnnexField {
    const char* name;
    const char* type;
    int length;
};

const AnnexField kAnnex1A[] = {
    {"LN", "N", 2},       {"AN", "N", 4},   {"CF", "C", 13},   {"RJ", "C", 3},
    {"RN", "N", 5},       {"RA", "N", 4},   {"CNP", "N", 13},  {"NUME", "C", 30},
    {"PRENUME", "C", 30}, {"CAT", "C", 3},  {"ANG", "D", 8},   {"PL", "D", 8},
    {"SDL", "N", 12},     {"SVL", "N", 12}, {"NREP", "C", 30}, {"PREP", "C", 30},
};

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "orvik-dbf-bench";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::string PathOf(const char* name) {
    return (Folder() / name).string();
}

DbfTableSpec Annex1ASpec() {
    DbfTableSpec spec;
    for (const AnnexField& field : kAnnex1A)
        AddDbfField(spec, field.name, field.type, field.length, 0);
    return spec;
}

const DataList& Annex1AList() {
    static DataList* list = [] {
        auto* made = new DataList;
        for (const AnnexField& field : kAnnex1A) made->AppendColumn(field.name, "C", 100, 0);
        made->ReserveRows(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            const int row = made->AddRow("");
            const std::string n = std::to_string(i);
            const char* cells[] = {"07",    "2009",  "12345678", "J40",
                                   "1234",  "2003",  nullptr,    nullptr,
                                   nullptr, "1",     "20090501", i % 10 ? "0" : "20090720",
                                   nullptr, nullptr, "POPESCU",  "ION VASILE"};
            for (int c = 0; c < 16; ++c)
                if (cells[c]) made->SetCellTextAt(row, c, cells[c]);
            made->SetCellTextAt(row, 6, std::to_string(1800101000000LL + i));
            made->SetCellTextAt(row, 7, "IONESCU-" + n);
            made->SetCellTextAt(row, 8, "MARIA ELENA " + n);
            made->SetCellTextAt(row, 12, std::to_string(100 + i % 5000));
            made->SetCellTextAt(row, 13, std::to_string(i % 7 ? 100 + i % 5000 : 0));
        }
        return made;
    }();
    return *list;
}

double TextToDouble(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void OursWrite(benchmark::State& state) {
    const DataList& list = Annex1AList();
    for (auto _ : state) {
        DbfTableSpec spec = Annex1ASpec();
        if (!WriteDbfFile(PathOf("ours.dbf"), &list, &spec)) state.SkipWithError("write failed");
    }
}

void ShapelibWrite(benchmark::State& state) {
    const DataList& list = Annex1AList();
    for (auto _ : state) {
        DBFHandle dbf = DBFCreate(PathOf("shapelib.dbf").c_str());
        for (const AnnexField& field : kAnnex1A)
            DBFAddNativeFieldType(dbf, field.name, field.type[0], field.length, 0);
        for (int row = 0; row < kRecords; ++row) {
            for (int c = 0; c < 16; ++c) {
                std::string text = list.CellTextAt(row, c);
                if (kAnnex1A[c].type[0] == 'N')
                    DBFWriteDoubleAttribute(dbf, row, c, TextToDouble(text));
                else
                    DBFWriteAttributeDirectly(dbf, row, c, text.data());
            }
        }
        DBFClose(dbf);
    }
}

void CatWrite(benchmark::State& state) {
    const std::string command = "cat '" + PathOf("ours.dbf") + "' > '" + PathOf("cat.dbf") + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
}

void OursRead(benchmark::State& state) {
    for (auto _ : state) {
        DataList list;
        DbfTableSpec spec;
        if (!ReadDbfFile(PathOf("ours.dbf"), list, spec) || list.RowCount() != kRecords)
            state.SkipWithError("read failed");
    }
}

void ShapelibRead(benchmark::State& state) {
    for (auto _ : state) {
        DataList list;
        DBFHandle dbf = DBFOpen(PathOf("ours.dbf").c_str(), "rb");
        const int fields = DBFGetFieldCount(dbf);
        char name[12];
        for (int c = 0; c < fields; ++c) {
            const DBFFieldType type = DBFGetFieldInfo(dbf, c, name, nullptr, nullptr);
            list.AppendColumn(name, type == FTString ? "C" : "N", 100, 0);
        }
        const int records = DBFGetRecordCount(dbf);
        list.ReserveRows(records);
        for (int record = 0; record < records; ++record) {
            if (DBFIsRecordDeleted(dbf, record)) continue;
            const int row = list.AddRow("");
            for (int c = 0; c < fields; ++c)
                list.SetCellTextAt(row, c, DBFReadStringAttribute(dbf, record, c));
        }
        DBFClose(dbf);
        if (list.RowCount() != kRecords) state.SkipWithError("read failed");
    }
}

// The share of reading that is the list itself: the same cells, straight from the file's
// bytes in memory, into a fresh list (no file, no decoding).
void ListFillOnly(benchmark::State& state) {
    DataList source;
    DbfTableSpec spec;
    ReadDbfFile(PathOf("ours.dbf"), source, spec);
    std::FILE* file = std::fopen(PathOf("ours.dbf").c_str(), "rb");
    std::string bytes(std::filesystem::file_size(PathOf("ours.dbf")), '\0');
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        state.SkipWithError("no file");
    if (file) std::fclose(file);
    for (auto _ : state) {
        DataList list;
        for (int c = 0; c < spec.m_fieldCount; ++c) list.AppendColumn(spec.m_names[c], "C", 100, 0);
        list.ReserveRows(kRecords);
        std::size_t at = spec.m_headerLength;
        for (int record = 0; record < kRecords; ++record, at += spec.m_recordLength) {
            const int row = list.AddRow("");
            std::size_t offset = at + 1;
            for (int c = 0; c < spec.m_fieldCount; ++c) {
                list.SetCellTextAt(row, c,
                                   std::string_view(bytes).substr(offset, spec.m_lengths[c]));
                offset += spec.m_lengths[c];
            }
        }
        benchmark::DoNotOptimize(list.RowCount());
    }
}

void CatRead(benchmark::State& state) {
    const std::string command = "cat '" + PathOf("ours.dbf") + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cat failed");
}

// Keeps each benchmark's time per iteration so the ratios can be printed side by side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        std::printf("\n%-8s %12s %12s %12s %14s %10s\n", "", "ours ms", "shapelib ms", "cat ms",
                    "ours/shapelib", "ours/cat");
        for (const char* work : {"Write", "Read"}) {
            const double ours = Find(std::string("Ours") + work);
            const double shapelib = Find(std::string("Shapelib") + work);
            const double cat = Find(std::string("Cat") + work);
            std::printf("%-8s %12.1f %12.1f %12.1f %14.2f %10.2f\n", work, ours, shapelib, cat,
                        ours / shapelib, ours / cat);
        }
        const double list = Find("ListFillOnly");
        std::printf("Filling the list alone takes %.1f ms of the %.1f ms read.\n", list,
                    Find("OursRead"));
    }

private:
    double Find(const std::string& prefix) const {
        for (const auto& [name, time] : m_seconds)
            if (name.rfind(prefix, 0) == 0) return time;
        return 0;
    }
    std::map<std::string, double> m_seconds;
};

}  // namespace

BENCHMARK(OursWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShapelibWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CatWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OursRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShapelibRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CatRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListFillOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Annex1AList();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    std::filesystem::remove_all(Folder());
    return 0;
}
