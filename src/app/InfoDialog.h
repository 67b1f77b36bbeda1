#pragma once
#include <QDialog>

// "Informatii": what the program is, with two links.
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit InfoDialog(QWidget* parent);
};
