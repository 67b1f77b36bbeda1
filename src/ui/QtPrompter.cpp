#include "ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "text/TextCodec.h"
#include "ui/FileDialogFolders.h"

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

// Filters are written as "Text (*.x)|*.x|Other|*.y||"; the file dialog wants
// "Text (*.x);;Other (*.y)". A filter without "|" is passed as it is.
QString FileDialogFilter(const std::string& filter) {
    if (filter.find('|') == std::string::npos) return ToQt(filter);
    const QStringList parts = ToQt(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return filters.join(";;");
}

// A box takes the keyboard; once it is closed the keyboard goes back to the
// field or list the user was in, which the box is about, in its own window:
// the window system may have activated another one (the main window) or none.
// Where the program moved the focus in that window meanwhile, it goes there.
class KeyboardReturn {
public:
    KeyboardReturn() : m_window(QApplication::activeWindow()) {}
    ~KeyboardReturn() {
        if (!m_window || !m_window->isVisible()) return;
        QWidget* field = m_window->focusWidget();
        if (!field || !field->isVisible() || !field->isEnabled()) return;
        if (QApplication::focusWidget() == field) return;
        // Another modal window opened meanwhile keeps the keyboard.
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != m_window) return;
        m_window->activateWindow();
        field->setFocus(Qt::ActiveWindowFocusReason);
    }
    KeyboardReturn(const KeyboardReturn&) = delete;
    KeyboardReturn& operator=(const KeyboardReturn&) = delete;

private:
    QPointer<QWidget> m_window;
};

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Warning:
            break;
    }
    return QMessageBox::Warning;
}
}  // namespace

QWidget* QtPrompter::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_parent;
}

void QtPrompter::ShowMessage(const std::string& text, MessageKind kind) {
    KeyboardReturn keyboard;
    NormalCursor cursor;
    QMessageBox box(IconOf(kind), kTitle, ToQt(text), QMessageBox::Ok, Owner());
    box.exec();
}

bool QtPrompter::AskYesNo(const std::string& text) {
    KeyboardReturn keyboard;
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, kTitle, ToQt(text), QMessageBox::Yes | QMessageBox::No,
                    Owner());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText("&Da");
    box.button(QMessageBox::No)->setText("&Nu");
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompter::ChooseFolder(const std::string& title) {
    KeyboardReturn keyboard;
    NormalCursor cursor;
    const QString purpose = "folder:" + ToQt(title);
    const QString folder = QFileDialog::getExistingDirectory(
        Owner(), ToQt(title), FileDialogFolders::StartFolder(purpose));
    if (folder.isEmpty()) return std::nullopt;
    FileDialogFolders::Remember(purpose, folder, true);
    return folder.toLocal8Bit().toStdString();
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const std::string& filter) {
    KeyboardReturn keyboard;
    NormalCursor cursor;
    const QString purpose = "open:" + ToQt(filter);
    const QString file = QFileDialog::getOpenFileName(
        Owner(), QString(), FileDialogFolders::StartFolder(purpose), FileDialogFilter(filter));
    if (file.isEmpty()) return std::nullopt;
    FileDialogFolders::Remember(purpose, file);
    return file.toLocal8Bit().toStdString();
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const std::string& proposed,
                                                      const std::string& filter) {
    KeyboardReturn keyboard;
    NormalCursor cursor;
    // The caller asks its own question before replacing a file.
    const QString purpose = "save:" + ToQt(filter);
    const QString file = QFileDialog::getSaveFileName(
        Owner(), QString(),
        FileDialogFolders::StartPath(purpose, QString::fromLocal8Bit(proposed.c_str())),
        FileDialogFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty()) return std::nullopt;
    FileDialogFolders::Remember(purpose, file);
    return file.toLocal8Bit().toStdString();
}
