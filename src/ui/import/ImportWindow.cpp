#include "ui/import/ImportWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ManualWindow.h"
#include "ui/import/ImportDialog.h"
#include "ui/import/VerifyFilesDialog.h"

ImportWindow::ImportWindow(CClient& client, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_client(client), m_prompter(prompter) {
    setObjectName("importWindow");
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox("   Sanatate - 6 + 6.5%   ", this);
    box->setObjectName("healthImportBox");
    auto* inner = new QVBoxLayout(box);
    auto button = [box, inner](const char* name, const char* text) {
        auto* b = new QPushButton(text, box);
        b->setObjectName(name);
        b->setAutoDefault(false);
        inner->addWidget(b);
        return b;
    };
    auto hint = [box, inner](const char* text) {
        auto* label = new QLabel(text, box);
        label->setWordWrap(true);
        inner->addWidget(label);
    };
    connect(button("employeesButton", "Importa date din sursa externa"), &QPushButton::clicked,
            this, &ImportWindow::ImportEmployees);
    auto* formatHint = new ManualLink("vezi manualul de utilizare pentru formatul fisierului",
                                      "import.html#format-fisier", box);
    formatHint->setObjectName("formatHint");
    formatHint->setWordWrap(true);
    inner->addWidget(formatHint);
    connect(button("earlierReportButton", "Importa date dintr-o raportare anterioara"),
            &QPushButton::clicked, this, &ImportWindow::ImportEarlierReport);
    hint("importa fisiere raportate deja catre CAS intr-o luna anterioara");
    m_verifyButton =
        button("verifyButton", "Verifica fisiere de raportare generate cu alta aplicatie");
    connect(m_verifyButton, &QPushButton::clicked, this, &ImportWindow::VerifyFiles);
    layout->addWidget(box);
    layout->addStretch(1);
}

void ImportWindow::ImportEmployees() {
    ImportFile file(ImportKind::Employees);
    ImportDialog dialog(m_client, file, this);
    dialog.exec();
}

void ImportWindow::ImportEarlierReport() {
    ImportFile file(ImportKind::EarlierReport);
    ImportDialog dialog(m_client, file, this);
    dialog.exec();
}

void ImportWindow::VerifyFiles() {
    VerifyFilesDialog dialog(m_prompter, this);
    dialog.exec();
}
