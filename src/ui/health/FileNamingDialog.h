#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "health/AnnexFiles.h"

namespace Ui {
class FileNamingDialog;
}

// "Selecteaza forma denumirii fisierelor": the legal names or the names by
// house, each shown with the three names the files of this company, house and
// month would get. "Salveaza fisierele" accepts, "[ESC]   Renunta" cancels the save.
class FileNamingDialog : public QDialog {
    Q_OBJECT
public:
    FileNamingDialog(const std::string& cf, const std::string& house, const AnnexMonth& month,
                     QWidget* parent = nullptr);
    ~FileNamingDialog() override;

    FileNaming Chosen() const;

private:
    std::unique_ptr<Ui::FileNamingDialog> m_ui;
};
