#pragma once
#include <QLabel>
#include <QString>
#include <QWidget>

class QTextBrowser;

// The folder holding the HTML manual (index.html and a page per chapter):
// the installed one beside the program, else the one the build made.
QString ManualFolder();
// The same for a program in `programFolder`.
QString ManualFolderFor(const QString& programFolder);

// The user manual, shown inside the program so no web browser is needed.
// One window for the whole program, opened at a page and anchor such as
// "sanatate.html#pasul-2".
class ManualWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the manual at `place` in front of `from`'s window; usable while a
    // modal dialog is open.
    static ManualWindow* Open(const QString& place, QWidget* from = nullptr);
    // The window when it has been opened, else nothing.
    static ManualWindow* Current();

    QTextBrowser* Browser() const { return m_browser; }
    // The page and anchor shown, as "page.html#anchor".
    QString Place() const;
    void Show(const QString& place);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ManualWindow();

    QTextBrowser* m_browser;
};

// A hint that opens the manual at one place when clicked or, focused, on
// Enter or Space; its text stays plain.
class ManualLink : public QLabel {
    Q_OBJECT
public:
    ManualLink(const QString& text, QString place, QWidget* parent);
    const QString& Place() const { return m_place; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_place;
};
