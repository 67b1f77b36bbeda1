#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/FileDialogFolders.h"

namespace {

QString FirstFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

// The working folder is the installation: no dialog may open there.
TEST(FileDialogFolders, FirstDocumentsThenTheFolderLastUsedForThePurpose) {
    QTemporaryDir installation;
    QTemporaryDir chosen;
    const QString before = QDir::currentPath();
    QDir::setCurrent(installation.path());
    QSettings settings(installation.filePath("orvik.ini"), QSettings::IniFormat);
    FileDialogFolders::KeepIn(&settings);

    EXPECT_EQ(FirstFolder(), FileDialogFolders::StartFolder("open:*.dbf"));
    EXPECT_EQ(QDir(FirstFolder()).filePath("anexa.pdf"),
              FileDialogFolders::StartPath("pdf", "anexa.pdf"));

    FileDialogFolders::Remember("open:*.dbf", chosen.filePath("import.dbf"));
    EXPECT_EQ(chosen.path(), FileDialogFolders::StartFolder("open:*.dbf"));
    EXPECT_EQ(FirstFolder(), FileDialogFolders::StartFolder("pdf"));  // another purpose
    FileDialogFolders::Remember("folder:Alege", chosen.path(), true);
    EXPECT_EQ(chosen.path(), FileDialogFolders::StartFolder("folder:Alege"));
    // A proposal that names its folder keeps it.
    EXPECT_EQ("/tmp/x/raport_erori.csv",
              FileDialogFolders::StartPath("open:*.dbf", "/tmp/x/raport_erori.csv"));

    // Kept for the next start.
    settings.sync();
    QSettings next(installation.filePath("orvik.ini"), QSettings::IniFormat);
    EXPECT_TRUE(next.allKeys().filter("foldere/").size() == 2)
        << next.allKeys().join(',').toStdString();
    FileDialogFolders::KeepIn(nullptr);
    QDir::setCurrent(before);
}

TEST(FileDialogFolders, AFolderThatIsGoneIsNotOpened) {
    QString gone;
    {
        QTemporaryDir folder;
        gone = folder.path();
        FileDialogFolders::Remember("open:gone", folder.filePath("a.dbf"));
        EXPECT_EQ(gone, FileDialogFolders::StartFolder("open:gone"));
    }
    EXPECT_EQ(FirstFolder(), FileDialogFolders::StartFolder("open:gone"));
}

}  // namespace
