#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "health/AnnexFiles.h"
#include "health/MissingSums.h"
#include "health/PrintedAnnexes.h"
#include "print/PageBackend.h"

class CClient;

namespace Ui {
class AnnexFilesWindow;
}

// "Pasul 4: Generare de rapoarte": picks a company and one or all of its
// insurance houses of the month and writes their files 1A, 1B, 1C onto the
// removable medium or into a folder the user chooses, or prints the annexes
// 2a, 2b, 2c.
class AnnexFilesWindow : public QDialog {
    Q_OBJECT
public:
    using MediumFinder = std::function<std::optional<std::string>()>;

    // `month` is the working month, YYYYMM.
    AnnexFilesWindow(CClient& client, const std::string& month, QWidget* parent = nullptr);
    ~AnnexFilesWindow() override;

    // A window whose company list could not be read is never shown: its
    // message was.
    int exec() override;

    // Where "direct pe discheta" writes; the first medium mounted under
    // /media or /run/media unless told otherwise (tests).
    void SetMediumFinder(MediumFinder finder) { m_findMedium = std::move(finder); }
    // The printer every print of the window asks for (the print dialog unless
    // told otherwise: tests).
    void SetPrinterChooser(PrinterChooser chooser) { m_printerChooser = std::move(chooser); }

public slots:
    void SaveFiles();
    void PrintAnnexes();

private:
    void OnCompanyChanged();
    void OnHouseChanged();
    std::string SelectedCompanyCode() const;
    // The house of the selected row, or empty.
    std::string SelectedHouse() const;
    std::vector<std::string> ListedHouses() const;
    [[nodiscard]] std::optional<std::string> ChooseFolder();
    std::vector<PrintedAnnex> ChosenAnnexes() const;
    // Names the employees of the chosen house(s) without sums for the month
    // and asks whether to go on; true when nobody is missing or on "Da".
    bool ConfirmMissingSums(const std::string& cf, const std::string& house, MissingSumsUse use);

    CClient& m_client;
    std::optional<AnnexFiles> m_files;
    std::optional<PrintedAnnexes> m_printed;
    std::unique_ptr<Ui::AnnexFilesWindow> m_ui;
    PrinterChooser m_printerChooser;
    MediumFinder m_findMedium;
    // The company whose houses the lower list shows.
    std::string m_shownCompany;
    bool m_filled = false;
};
