#include "ui/health/FileNamingDialog.h"

#include <QLabel>

#include "text/TextCodec.h"
#include "ui/KeyActions.h"
#include "ui/RecordForm.h"
#include "ui_FileNamingDialog.h"

FileNamingDialog::FileNamingDialog(const std::string& cf, const std::string& house,
                                   const AnnexMonth& month, QWidget* parent)
    : QDialog(parent), m_ui(new Ui::FileNamingDialog) {
    m_ui->setupUi(this);
    setObjectName("fileNamingDialog");
    QLabel* const legal[] = {m_ui->legalExample1, m_ui->legalExample2, m_ui->legalExample3};
    QLabel* const byHouse[] = {m_ui->houseExample1, m_ui->houseExample2, m_ui->houseExample3};
    const Annex annexes[] = {Annex::A, Annex::B, Annex::C};
    for (int i = 0; i < 3; ++i) {
        legal[i]->setText(ToQt(AnnexExampleName(annexes[i], FileNaming::Legal, cf, house, month)));
        byHouse[i]->setText(
            ToQt(AnnexExampleName(annexes[i], FileNaming::House, cf, house, month)));
    }
    BindFormButtons(this, m_ui->cancelButton);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->saveButton->setDefault(true);
    SizeCommandButton(m_ui->saveButton);
    SizeCommandButton(m_ui->cancelButton);
    m_ui->houseRadio->setFocus();
}

FileNamingDialog::~FileNamingDialog() = default;

FileNaming FileNamingDialog::Chosen() const {
    return m_ui->legalRadio->isChecked() ? FileNaming::Legal : FileNaming::House;
}
