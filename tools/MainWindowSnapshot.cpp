// Draws the main window with the health panel open into a PNG, to look at the
// launcher as a user sees it:  main_window_snapshot OUT.png
#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "app/MainWindow.h"
#include "app/ModulePanel.h"
#include "ui/QtPrompter.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    QtPrompter prompter;
    MainWindow window(prompter, MainWindow::Options{.connectAtStart = false});
    window.show();
    window.TogglePanel(MainWindow::Module::Health);
    app.processEvents();
    const QPixmap left = window.grab();
    const QPixmap right = window.OpenPanel()->grab();
    QPixmap both(left.width() + right.width(), std::max(left.height(), right.height()));
    both.fill(Qt::darkGray);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width(), 0, right);
    painter.end();
    return both.save(argv[1]) ? 0 : 1;
}
