#include "ui/ManualWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "db/InstallationPaths.h"

namespace {
QPointer<ManualWindow> g_window;
}  // namespace

// Installed: <program folder>/../share/orvik-asigurati/manual. Run from the
// build tree: the pages the build made there.
QString ManualFolder() {
    return ManualFolderFor(QCoreApplication::applicationDirPath());
}

QString ManualFolderFor(const QString& programFolder) {
    // The installed program's data folder is found by the rule sql/ uses too;
    // without one (a build run in place) the pages the build made.
    const std::string data =
        ProgramDataFolderFor((programFolder + "/orvik-asigurati").toStdString(), std::string());
    const QString installed = QString::fromStdString(data) + "/manual";
    if (!data.empty() && QFileInfo::exists(installed + "/index.html"))
        return QDir::cleanPath(installed);
    return QStringLiteral(ORVIK_MANUAL_BUILD_DIR);
}

ManualWindow::ManualWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName("manualWindow");
    setWindowTitle("Manual de utilizare");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const char* name, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    auto* contents = button("contentsButton", "Cuprins");
    auto* back = button("backButton", "Inapoi");
    buttons->addStretch(1);
    auto* close = button("closeButton", "[ESC]   Iesire");
    layout->addLayout(buttons);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("manualText");
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({ManualFolder()});
    layout->addWidget(m_browser, 1);
    connect(contents, &QPushButton::clicked, this, [this] { Show("index.html"); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(760, 600);
}

ManualWindow* ManualWindow::Current() {
    return g_window.data();
}

ManualWindow* ManualWindow::Open(const QString& place, QWidget* from) {
    if (!g_window) g_window = new ManualWindow;
    ManualWindow* window = g_window.data();
    // A modal dialog blocks every other window; the manual then opens above
    // it, modal in its turn, and gives the keyboard back when closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted =
        modal && modal != window ? Qt::ApplicationModal : Qt::NonModal;
    if (window->windowModality() != wanted) {
        window->hide();
        window->setWindowModality(wanted);
    }
    if (!window->isVisible() && from) {
        const QRect over = from->window()->frameGeometry();
        window->move(over.topLeft() + QPoint(40, 40));
    }
    window->Show(place);
    window->show();
    window->raise();
    window->activateWindow();
    window->m_browser->setFocus();
    return window;
}

void ManualWindow::Show(const QString& place) {
    const QString folder = ManualFolder();
    const QString page = place.section('#', 0, 0);
    if (!QFileInfo::exists(folder + "/" + page)) {
        m_browser->setHtml("<h3>Manualul de utilizare nu a fost gasit.</h3><p>Cautat in " +
                           QDir::toNativeSeparators(folder).toHtmlEscaped() +
                           ". Instaleaza din nou programul.</p>");
        return;
    }
    QUrl url = QUrl::fromLocalFile(folder + "/" + page);
    if (place.contains('#')) url.setFragment(place.section('#', 1));
    m_browser->setSource(url);
}

QString ManualWindow::Place() const {
    const QUrl source = m_browser->source();
    const QString page = QFileInfo(source.toLocalFile()).fileName();
    return source.hasFragment() ? page + "#" + source.fragment() : page;
}

void ManualWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

ManualLink::ManualLink(const QString& text, QString place, QWidget* parent)
    : QLabel(text, parent), m_place(std::move(place)) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette linkColour = palette();
    linkColour.setColor(QPalette::WindowText, linkColour.color(QPalette::Link));
    setPalette(linkColour);
    setToolTip("Deschide manualul de utilizare");
}

void ManualLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    ManualWindow::Open(m_place, this);
}

void ManualLink::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        ManualWindow::Open(m_place, this);
        return;
    }
    QLabel::keyPressEvent(event);
}
