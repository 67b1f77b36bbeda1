// Which folder the program runs in, and what it says when it has none.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Installation.h"

namespace {

void MakeInstallation(const QString& folder) {
    ASSERT_TRUE(QDir(folder).mkpath("server/bin"));
    QFile cnf(folder + "/server/bin/my.cnf");
    ASSERT_TRUE(cnf.open(QIODevice::WriteOnly));
    cnf.write("[mysqld]\n");
}

TEST(Installation, CurrentFolderFirstThenTheDefaultOne) {
    QTemporaryDir current;
    QTemporaryDir fallback;
    QString message;
    MakeInstallation(fallback.path());
    EXPECT_EQ(fallback.path(), ChooseInstallationFolder(current.path(), fallback.path(), message));
    MakeInstallation(current.path());
    EXPECT_EQ(current.path(), ChooseInstallationFolder(current.path(), fallback.path(), message));
    EXPECT_TRUE(message.isEmpty());
}

TEST(Installation, WithoutOneTheMessageNamesTheFoldersAndHowToPrepareOne) {
    QTemporaryDir current;
    QTemporaryDir fallback;
    // A server folder without its defaults file is not an installation.
    ASSERT_TRUE(QDir(fallback.path()).mkpath("server/bin/my.cnf.d"));
    QString message;
    EXPECT_EQ(std::nullopt, ChooseInstallationFolder(current.path(), fallback.path(), message));
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(current.path())))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(fallback.path())));
    // A packaged program has no scripts: the hint names what every machine has.
    EXPECT_FALSE(message.contains("scripts/"));
    EXPECT_TRUE(message.contains("orvik-cli installation create FOLDER"));
}

TEST(Installation, DefaultFolderIsTheOneTheRunScriptPrepares) {
    const QString home = QDir::homePath();
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString expected =
        (dataHome.isEmpty() ? home + "/.local/share" : QString::fromLocal8Bit(dataHome)) +
        "/orvik-asigurati";
    EXPECT_EQ(expected, DefaultInstallationFolder());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
