#include "ui/FileDialogFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace FileDialogFolders {
namespace {

QSettings* g_settings = nullptr;
QHash<QString, QString> g_folders;  // this run's choices, by purpose

QString Key(const QString& purpose) {
    // One settings key per purpose; the purpose may hold "/" or "*".
    return "foldere/" + QString::fromLatin1(QUrl::toPercentEncoding(purpose));
}

QString FirstFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

}  // namespace

void KeepIn(QSettings* settings) {
    g_settings = settings;
}

QString StartFolder(const QString& purpose) {
    QString folder = g_folders.value(purpose);
    if (folder.isEmpty() && g_settings) folder = g_settings->value(Key(purpose)).toString();
    if (!folder.isEmpty() && QDir(folder).exists()) return folder;
    return FirstFolder();
}

QString StartPath(const QString& purpose, const QString& proposedName) {
    if (QFileInfo(proposedName).isAbsolute()) return proposedName;
    return QDir(StartFolder(purpose)).filePath(proposedName);
}

void Remember(const QString& purpose, const QString& chosen, bool chosenIsFolder) {
    if (chosen.isEmpty()) return;
    const QString folder = chosenIsFolder ? chosen : QFileInfo(chosen).absolutePath();
    g_folders.insert(purpose, folder);
    if (g_settings) g_settings->setValue(Key(purpose), folder);
}

}  // namespace FileDialogFolders
