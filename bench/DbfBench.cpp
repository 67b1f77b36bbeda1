// Writing and reading an annex 1A declaration of 100,000 records: our writer and reader
// against shapelib's DBF functions doing the same work from and into the same list, and
// against copying the same bytes (the limit) in two ways: in this process (open, read,
// write, fsync: what dd conv=fsync does, without starting a process) and as a whole process
// (dd conv=fsync and cat, started directly, no shell). Our writer syncs the file before it
// renames it, so the copies sync too. Prints the medians, the ratios and the goal after the
// timings; works with --benchmark_repetitions and --benchmark_enable_random_interleaving.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <shapefil.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

extern char** environ;

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
        for (const AnnexField& field : kAnnex1A) made->AppendColumn(field.name, "C", 100);
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

// Written once before any benchmark runs: every read reads it, every copy copies it, so the
// order the benchmarks run in does not matter.
const std::string& SourcePath() {
    static const std::string path = PathOf("source.dbf");
    return path;
}

bool WriteSource() {
    DbfTableSpec spec = Annex1ASpec();
    std::string error;
    if (WriteDbfFile(SourcePath(), &Annex1AList(), &spec, nullptr, &error)) return true;
    std::cerr << "bench_dbf: " << error << "\n";
    return false;
}

// Runs a program directly (no shell), its output into `output`; true when it exits with 0.
bool RunProgram(std::vector<std::string> args, const char* output = "/dev/null") {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// cat's and dd's work inside this process: the source read in 1 MiB pieces and written to
// `target` (when given), which is then synced.
bool CopyInProcess(const std::string& target) {
    const int in = open(SourcePath().c_str(), O_RDONLY | O_CLOEXEC);
    const int out =
        target.empty() ? -1 : open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    static std::vector<char> buffer(std::size_t{1} << 20);
    bool ok = in >= 0 && (target.empty() || out >= 0);
    for (ssize_t got; ok && (got = read(in, buffer.data(), buffer.size())) > 0;)
        ok = out < 0 || write(out, buffer.data(), static_cast<std::size_t>(got)) == got;
    if (out >= 0) ok = fsync(out) == 0 && ok;
    if (out >= 0) close(out);
    if (in >= 0) close(in);
    return ok;
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

void CopyWrite(benchmark::State& state) {
    for (auto _ : state)
        if (!CopyInProcess(PathOf("copy.dbf"))) state.SkipWithError("copy failed");
}

void DdWrite(benchmark::State& state) {
    const std::vector<std::string> dd = {"dd",    "if=" + SourcePath(), "of=" + PathOf("dd.dbf"),
                                         "bs=1M", "conv=fsync",         "status=none"};
    for (auto _ : state)
        if (!RunProgram(dd)) state.SkipWithError("dd failed");
}

void OursRead(benchmark::State& state) {
    for (auto _ : state) {
        DataList list;
        DbfTableSpec spec;
        if (!ReadDbfFile(SourcePath(), list, spec) || list.RowCount() != kRecords)
            state.SkipWithError("read failed");
    }
}

void ShapelibRead(benchmark::State& state) {
    for (auto _ : state) {
        DataList list;
        DBFHandle dbf = DBFOpen(SourcePath().c_str(), "rb");
        const int fields = DBFGetFieldCount(dbf);
        char name[12];
        for (int c = 0; c < fields; ++c) {
            const DBFFieldType type = DBFGetFieldInfo(dbf, c, name, nullptr, nullptr);
            list.AppendColumn(name, type == FTString ? "C" : "N", 100);
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
// bytes in memory, into a fresh list a whole row at a time as the reader adds them (no file,
// no decoding).
void ListFillOnly(benchmark::State& state) {
    DataList source;
    DbfTableSpec spec;
    ReadDbfFile(SourcePath(), source, spec);
    std::FILE* file = std::fopen(SourcePath().c_str(), "rb");
    std::string bytes(std::filesystem::file_size(SourcePath()), '\0');
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        state.SkipWithError("no file");
    if (file) std::fclose(file);
    for (auto _ : state) {
        DataList list;
        for (int c = 0; c < spec.m_fieldCount; ++c) list.AppendColumn(spec.m_names[c], "C", 100);
        list.ReserveRows(kRecords);
        std::vector<std::string_view> cells(static_cast<std::size_t>(spec.m_fieldCount));
        std::size_t at = spec.m_headerLength;
        for (int record = 0; record < kRecords; ++record, at += spec.m_recordLength) {
            std::size_t offset = at + 1;
            for (int c = 0; c < spec.m_fieldCount; ++c) {
                cells[c] = std::string_view(bytes).substr(offset, spec.m_lengths[c]);
                offset += spec.m_lengths[c];
            }
            list.AddRowCells(cells);
        }
        benchmark::DoNotOptimize(list.RowCount());
    }
}

void CopyRead(benchmark::State& state) {
    for (auto _ : state)
        if (!CopyInProcess(std::string())) state.SkipWithError("read failed");
}

void CatRead(benchmark::State& state) {
    for (auto _ : state)
        if (!RunProgram({"cat", SourcePath()})) state.SkipWithError("cat failed");
}

// Keeps every repetition's time per iteration (aggregates left out) and prints the medians
// side by side, with the ratios the goal is stated in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        const double oursWrite = Median("OursWrite"), oursRead = Median("OursRead");
        std::printf("\nmedians, ms (our writer syncs; shapelib does not)\n");
        std::printf("%-6s %8s %9s %13s %13s %11s\n", "", "ours", "shapelib", "in-process",
                    "process", "ours/shplb");
        std::printf("%-6s %8.1f %9.1f %13.1f %13.1f %11.2f\n", "Write", oursWrite,
                    Median("ShapelibWrite"), Median("CopyWrite"), Median("DdWrite"),
                    oursWrite / Median("ShapelibWrite"));
        std::printf("%-6s %8.1f %9.1f %13.1f %13.1f %11.2f\n", "Read", oursRead,
                    Median("ShapelibRead"), Median("CopyRead"), Median("CatRead"),
                    oursRead / Median("ShapelibRead"));
        std::printf(
            "(in-process: the same bytes copied and synced (Write) or read (Read) here;\n"
            " process: dd conv=fsync (Write) or cat > /dev/null (Read), started directly)\n");
        std::printf(
            "Goal: dBase write of 100,000 records <= 1.5x cat with fsync (dd conv=fsync).\n"
            "  in process, ours / the same bytes copied and synced:     %.2fx\n"
            "  ours in process / dd conv=fsync as a whole process:      %.2fx\n",
            oursWrite / Median("CopyWrite"), oursWrite / Median("DdWrite"));
        std::printf("Read: ours / the bytes read in this process %.2fx, / cat as a process %.2fx\n",
                    oursRead / Median("CopyRead"), oursRead / Median("CatRead"));
        std::printf("Filling the list alone takes %.1f ms of the %.1f ms read.\n",
                    Median("ListFillOnly"), oursRead);
    }

private:
    double Median(const std::string& name) const {
        const auto found = m_times.find(name);
        if (found == m_times.end() || found->second.empty()) return 0;
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }
    std::map<std::string, std::vector<double>> m_times;
};

}  // namespace

BENCHMARK(OursWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShapelibWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DdWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OursRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShapelibRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CatRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListFillOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!WriteSource()) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    std::filesystem::remove_all(Folder());
    return 0;
}
