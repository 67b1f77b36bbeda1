#include "app/InfoDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppPictures.h"
#include "ui/ManualWindow.h"

namespace {
QLabel* Link(QWidget* parent, const char* objectName, const QString& address, const QString& text) {
    auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(address, text), parent);
    label->setObjectName(objectName);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return label;
}
}  // namespace

InfoDialog::InfoDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("infoDialog");
    setWindowTitle("Informatii");
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(AppPicture(QSize(260, 80)));
    layout->addWidget(picture, 0, Qt::AlignCenter);
    auto* name = new QLabel("<b>Orvik Asigurati</b>", this);
    layout->addWidget(name, 0, Qt::AlignCenter);
    layout->addWidget(
        new QLabel("Evidenta asiguratilor, a contributiilor de sanatate si a "
                   "concediilor medicale,\npentru angajatori si contabili.",
                   this));
    layout->addWidget(
        Link(this, "link1101", "https://www.orvik.example/asigurati", "Pagina programului"));
    layout->addWidget(Link(this, "link1102", "mailto:suport@orvik.example", "Scrie-ne un e-mail"));
    auto* manual = new QPushButton("Manual de utilizare", this);
    manual->setObjectName("manualButton");
    manual->setAutoDefault(false);
    connect(manual, &QPushButton::clicked, this,
            [this] { ManualWindow::Open("index.html", this); });
    layout->addWidget(manual, 0, Qt::AlignLeft);
    auto* close = new QPushButton("[ESC]   Iesire", this);
    close->setObjectName("closeButton");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, 0, Qt::AlignRight);
}
