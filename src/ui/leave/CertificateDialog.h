#pragma once
#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "leave/CertificateEntry.h"

namespace Ui {
class CertificateDialog;
}
class QLineEdit;
class UnsavedEntry;

// "Adauga un certificat de concediu medical" / "Modifica un certificat de
// concediu medical": one medical certificate of a declaration. Names and
// codes complete while typed, the day split and the amounts follow every
// relevant edit, and the save checks the certificate against the
// declarations of its month.
class CertificateDialog : public QDialog {
    Q_OBJECT
public:
    // `certificateIndex` 0 adds a certificate to the entry's declaration.
    // The entry outlives the dialog.
    CertificateDialog(CertificateEntry& entry, long long certificateIndex,
                      QWidget* parent = nullptr);
    ~CertificateDialog() override;

    // A certificate that could not be read is never shown.
    int exec() override;
    bool Loaded() const { return m_loaded; }
    // The key written by the save that closed the dialog.
    long long SavedKey() const { return m_savedKey; }
    // What the form shows, as a record.
    CertificateRecord Record() const;

public slots:
    void Confirm();
    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void SetUpFields();
    void WrapLongLabels();
    void ReserveRoomForEveryRow();
    void SetUpHeader(const std::optional<MonthWorkingDays>& monthDays);
    void ShowLoaded(const CertificateRecord& record);
    void ShowCertificate(const CertificateRecord& record);
    void FillFromCorrected();
    void ShowCorrectedButton();
    void ShowDescription(Nomenclature nomenclature, const std::string& description);
    void ShowDeclarationMonth(bool start, bool end);
    void FillCodeDescriptions();
    void SetUpCompletion();
    void SetUpRecalculation();
    [[nodiscard]] std::optional<std::string> CompleteCnp(const std::string& typed);
    std::optional<std::string> CompleteCode(Nomenclature nomenclature, const std::string& typed);
    void PickFromList(Nomenclature nomenclature);
    void ApplyVisibility();
    void Recalculate();
    QLineEdit* CodeField(Nomenclature nomenclature) const;
    QLineEdit* DescriptionField(Nomenclature nomenclature) const;

    CertificateEntry& m_entry;
    long long m_index;
    bool m_loaded = true;
    // While the form fills itself nothing is recomputed: opening and saving
    // a certificate changes none of its figures.
    bool m_filling = true;
    long long m_savedKey = 0;
    std::unique_ptr<Ui::CertificateDialog> m_ui;
    UnsavedEntry* m_unsaved = nullptr;
};
