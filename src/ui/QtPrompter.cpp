#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/TextCodec.h"

namespace {
const char* const kTitle = "Orvik client";

// A wait cursor left on by the caller must not hide the box.
class NormalCursor {
public:
    NormalCursor() : m_active(QApplication::overrideCursor() != nullptr) {
        if (m_active) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (m_active) QApplication::restoreOverrideCursor();
    }

private:
    bool m_active;
};
}  // namespace

void QtPrompter::ShowMessage(const std::string& text) {
    NormalCursor cursor;
    QMessageBox::information(m_parent, kTitle, ToQt(text));
}

bool QtPrompter::AskYesNo(const std::string& text) {
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, kTitle, ToQt(text), QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText("&Da");
    box.button(QMessageBox::No)->setText("&Nu");
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompter::ChooseFolder(const std::string& title) {
    NormalCursor cursor;
    const QString folder = QFileDialog::getExistingDirectory(m_parent, ToQt(title));
    if (folder.isEmpty()) return std::nullopt;
    return folder.toLocal8Bit().toStdString();
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const std::string& filter) {
    NormalCursor cursor;
    const QString file = QFileDialog::getOpenFileName(m_parent, QString(), QString(), ToQt(filter));
    if (file.isEmpty()) return std::nullopt;
    return file.toLocal8Bit().toStdString();
}
