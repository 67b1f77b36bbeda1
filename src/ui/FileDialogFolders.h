#pragma once
#include <QString>

class QSettings;

// Where a file or folder dialog opens: in the folder last used for the same
// purpose, the first time in the user's Documents folder (or home), never in
// the program's working folder, which is the installation beside its server.
namespace FileDialogFolders {

// Printed pages saved as PDF files, from every window.
inline const QString kPdfPurpose = QStringLiteral("pdf");

// The folders are kept between starts in `settings`; without them (tests)
// only while the program runs.
void KeepIn(QSettings* settings);

// The folder a dialog for `purpose` opens in.
QString StartFolder(const QString& purpose);
// A proposed file name placed in that folder; a proposal that already names
// a folder keeps it.
QString StartPath(const QString& purpose, const QString& proposedName);
// The folder of what the user chose (a file, or a folder itself).
void Remember(const QString& purpose, const QString& chosen, bool chosenIsFolder = false);

}  // namespace FileDialogFolders
