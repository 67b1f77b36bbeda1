// Checking copy files without a server: memory and time stay bounded by the
// file whatever it claims, and only regular files are read.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "MessageLog.h"
#include "backup/Backup.h"
#include "backup/CopyFormat.h"

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class CopyCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvik-copy-check-XXXXXX";
        ASSERT_NE(nullptr, ::mkdtemp(pattern));
        m_folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // A gzip file: our header, then `repeat` times `chunk`, then `tail`.
    std::string Write(const std::string& name, const std::string& chunk, long repeat,
                      const std::string& tail = {}) {
        const std::string path = m_folder + "/" + name;
        gzFile out = gzopen(path.c_str(), "wb1");
        EXPECT_TRUE(out);
        const std::string header = CopyHeaderLine({"2.08", "2024-01-02 03:04"});
        gzwrite(out, header.data(), header.size());
        for (long i = 0; i < repeat; ++i) gzwrite(out, chunk.data(), chunk.size());
        gzwrite(out, tail.data(), tail.size());
        EXPECT_EQ(Z_OK, gzclose(out));
        return path;
    }

    std::string m_folder;
};

TEST_F(CopyCheckTest, AHugeLineIsRefusedWithoutHoldingIt) {
    // 256 MB of one line, a quarter of a megabyte on disk.
    const std::string path = Write("line.sql.gz", std::string(1 << 20, 'x'), 256, "\n");
    const long before = PeakKilobytes();
    MessageLog log;
    EXPECT_FALSE(InspectCopy(path, log));
    EXPECT_EQ("Copia " + path +
                  " nu poate fi restaurata: linia 2 este prea lunga.\nDatele actuale au ramas "
                  "neschimbate.",
              log.All());
    EXPECT_LT(PeakKilobytes() - before, 100 * 1024) << "kilobytes";
}

TEST_F(CopyCheckTest, ASmallFileExpandingToHundredsOfMegabytesIsRefused) {
    const std::string row = "INSERT INTO `cas` VALUES ('" + std::string(1 << 20, 'a') + "');\n";
    const std::string path = Write("bomb.sql.gz",
                                   "USE `asigurati`;\nCREATE TABLE `cas` (\n"
                                   "  `cas` varchar(6) NOT NULL DEFAULT ''\n"
                                   ") ENGINE=InnoDB DEFAULT CHARSET=latin1;\n",
                                   1, "");
    // The same file with 300 such rows after the table.
    const std::string bomb = m_folder + "/bomb2.sql.gz";
    {
        gzFile out = gzopen(bomb.c_str(), "wb9");
        const std::string header = CopyHeaderLine({"2.08", "2024-01-02 03:04"}) +
                                   "USE `asigurati`;\nCREATE TABLE `cas` (\n"
                                   "  `cas` varchar(6) NOT NULL DEFAULT ''\n"
                                   ") ENGINE=InnoDB DEFAULT CHARSET=latin1;\n";
        gzwrite(out, header.data(), header.size());
        for (int i = 0; i < 300; ++i) gzwrite(out, row.data(), row.size());
        ASSERT_EQ(Z_OK, gzclose(out));
    }
    ASSERT_LT(std::filesystem::file_size(bomb), 2u << 20);
    MessageLog bombLog, cutLog;
    EXPECT_FALSE(InspectCopy(bomb, bombLog));
    EXPECT_NE(std::string::npos, bombLog.All().find("textul ei trece de 256 MB")) << bombLog.All();
    EXPECT_FALSE(InspectCopy(path, cutLog));
    EXPECT_NE(std::string::npos, cutLog.All().find("incompleta sau deteriorata")) << cutLog.All();
}

TEST_F(CopyCheckTest, OnlyRegularFilesAreRead) {
    const std::string fifo = m_folder + "/fifo.sql.gz";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    for (const std::string& path : {fifo, std::string("/dev/zero"), m_folder}) {
        MessageLog log;
        EXPECT_FALSE(InspectCopy(path, log)) << path;
        EXPECT_EQ(
            "Fisierul " + path + " nu poate fi deschis.\nDatele actuale au ramas neschimbate.",
            log.All());
    }
}

}  // namespace
