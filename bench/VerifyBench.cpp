// Verification of an annex A file of 100,000 records: reading it into the list and checking
// every record, each share on its own, then marking the list as the window does; beside it
// shapelib's dbfdump printing the same file. Medians of several runs, in milliseconds. Then
// the peak memory of verifying a file of 1,000,000 records, in a fresh process of its own.
//   bench_verify [RUNS]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfWriter.h"
#include "domain/Identifiers.h"
#include "import/VerifyReport.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kPeakRecords = 1000000;

// A valid CNP for each number: the control digit found by the check itself.
std::string CnpOf(int i) {
    const std::string base = std::to_string(180010100000LL + i);
    for (char control = '0'; control <= '9'; ++control)
        if (IsValidCnp(base + control)) return base + control;
    return base + "0";
}

const char* const kFields[][3] = {
    {"LN", "N", "2"},       {"AN", "N", "4"},   {"CF", "C", "13"},   {"RJ", "C", "3"},
    {"RN", "N", "5"},       {"RA", "N", "4"},   {"CNP", "N", "13"},  {"NUME", "C", "30"},
    {"PRENUME", "C", "30"}, {"CAT", "C", "3"},  {"ANG", "D", "8"},   {"PL", "D", "8"},
    {"SDL", "N", "12"},     {"SVL", "N", "12"}, {"NREP", "C", "30"}, {"PREP", "C", "30"}};

// Every 50th record has a form the houses do not know, so the marking has work to do.
bool WriteAnnexA(const std::string& path, int records) {
    DbfTableSpec spec;
    DataList list;
    for (const auto& field : kFields) {
        AddDbfField(spec, field[0], field[1], std::atoi(field[2]), 0);
        list.AppendColumn(field[0], field[1][0] == 'N' ? "N" : "C", 100);
    }
    list.ReserveRows(records);
    for (int i = 0; i < records; ++i) {
        const std::string cnp = CnpOf(i), n = std::to_string(i);
        const std::string sums = std::to_string(1000 + i % 5000);
        const std::string surname = "IONESCU-" + n, name = "MARIA " + n;
        const std::string_view cells[] = {"7",        "2009",
                                          "12345674", "J40",
                                          "1234",     "2003",
                                          cnp,        surname,
                                          name,       i % 50 ? "S" : "XX",
                                          "20090315", i % 10 ? "0" : "20090720",
                                          sums,       "100",
                                          "POPESCU",  "ION"};
        list.AddRowCells(std::vector<std::string_view>(std::begin(cells), std::end(cells)));
    }
    std::string error;
    if (!WriteDbfFile(path, &list, &spec, nullptr, &error)) std::cerr << error << "\n";
    return error.empty();
}

// Wall and processor time of one step, per run. On a machine shared with other work the
// processor time is the steadier figure; both are printed.
struct Phase {
    std::vector<double> wall, cpu;
    std::string Text() const {
        char text[64];
        std::snprintf(text, sizeof text, "%8.1f (%6.1f)", Median(wall), Median(cpu));
        return text;
    }
};

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times consecutive steps: each AddTo records the time since the previous one.
class Stopwatch {
public:
    void AddTo(Phase& phase) {
        const double cpu = CpuMs();
        phase.wall.push_back(Ms(m_wall));
        phase.cpu.push_back(cpu - m_cpu);
        m_wall = Clock::now();
        m_cpu = CpuMs();
    }

private:
    Clock::time_point m_wall = Clock::now();
    double m_cpu = CpuMs();
};

// dbfdump printing the file to /dev/null, started directly (no shell), as a whole process:
// its wall time and its own processor time.
bool RunDbfdump(const std::string& path, Phase& phase) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execlp("dbfdump", "dbfdump", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::cerr << "dbfdump failed\n";
        return false;
    }
    phase.wall.push_back(Ms(start));
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    phase.cpu.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
    return true;
}

// The verification as the command line runs it, in this process: what --peak does.
int VerifyOnly(const std::string& path) {
    DataList list;
    const VerifiedFile file = ReadAndVerify(VerifiedKind::AnnexA, path, list);
    return file.verdict.status == FileStatus::Refused ? 1 : 0;
}

// Peak resident memory, in KiB, of this program started again to verify `path`.
long PeakOfFreshProcess(const std::string& self, const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        execl(self.c_str(), self.c_str(), "--peak", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return -1;
    return usage.ru_maxrss;
}

void ReportPeak(const std::string& self, const std::filesystem::path& folder) {
    const std::string path = (folder / "1A_peak.dbf").string();
    if (!WriteAnnexA(path, kPeakRecords)) return;
    const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    const long peak = PeakOfFreshProcess(self, path);
    const long idle = PeakOfFreshProcess(self, (folder / "absent.dbf").string());
    const double peakMb = static_cast<double>(peak) * 1024 / 1e6;
    std::printf(
        "annex A, %d records, %.0f MB: peak memory of verifying it %.0f MB (%.0f MiB; "
        "the same process with no file %.1f MB)\n",
        kPeakRecords, fileMb, peakMb, static_cast<double>(peak) / 1024,
        static_cast<double>(idle) * 1024 / 1e6);
    std::printf("  peak / file %.2fx  (goal <= 1.3x the file)\n", peakMb / fileMb);
    std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--peak") return VerifyOnly(argv[2]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const auto folder = std::filesystem::temp_directory_path() / "orvik-verify-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "1A_0709_12345674.dbf").string();
    if (!WriteAnnexA(path, kRecords)) return 1;

    Phase read, check, whole, mark, dump;
    int faulty = 0;
    for (int run = 0; run < runs; ++run) {
        {
            DataList list;
            DbfTableSpec spec;
            Stopwatch watch;
            if (!ReadDbfFile(path, list, spec)) return 1;
            watch.AddTo(read);
            const FileVerdict verdict = VerifyTable(VerifiedKind::AnnexA, spec, list);
            watch.AddTo(check);
            faulty = verdict.FaultyCount();
        }
        DataList list;
        Stopwatch watch;
        const VerifiedFile file = ReadAndVerify(VerifiedKind::AnnexA, path, list);
        watch.AddTo(whole);
        ApplyVerdict(list, file);
        watch.AddTo(mark);
        if (!RunDbfdump(path, dump)) return 1;
    }
    std::printf("annex A, %d records, %d faulty, %ju bytes, median of %d runs: wall ms (cpu ms)\n",
                kRecords, faulty, static_cast<std::uintmax_t>(std::filesystem::file_size(path)),
                runs);
    std::printf("  reading into the list   %s\n", read.Text().c_str());
    std::printf("  checking the records    %s\n", check.Text().c_str());
    std::printf("  read and verify         %s  goal <= 40 ms\n", whole.Text().c_str());
    std::printf("  marking the list        %s\n", mark.Text().c_str());
    std::printf("  dbfdump > /dev/null     %s  (a whole process, started directly)\n",
                dump.Text().c_str());
    std::printf("  read and verify / dbfdump  %.3fx wall, %.3fx cpu\n",
                Median(whole.wall) / Median(dump.wall), Median(whole.cpu) / Median(dump.cpu));
    ReportPeak("/proc/self/exe", folder);
    std::filesystem::remove_all(folder);
    return 0;
}
