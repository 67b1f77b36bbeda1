#pragma once
#include <QDialog>

// "Informatii": what the program is, with two links and the user manual.
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit InfoDialog(QWidget* parent);
};
