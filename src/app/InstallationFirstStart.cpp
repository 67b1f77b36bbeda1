#include "app/InstallationFirstStart.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QProgressDialog>
#include <thread>

#include "app/Installation.h"
#include "base/Prompter.h"
#include "text/TextCodec.h"

QString CreateInstallationQuestion(const QString& defaultFolder) {
    return QString(
               "Programul nu gaseste instalarea sa (serverul de baze de date si datele) nici in "
               "folderul curent, nici in folderul implicit de instalare.\n\n"
               "Creezi acum instalarea in folderul implicit?\n  %1")
        .arg(QDir::toNativeSeparators(defaultFolder));
}

InstallationResult CreateInstallationShowingProgress(const InstallationRequest& request,
                                                     QWidget* parent) {
    QProgressDialog progress(parent);
    progress.setObjectName("installationProgress");
    progress.setWindowTitle("Orvik client");
    const QString heading = "Se creeaza instalarea in " +
                            QDir::toNativeSeparators(QString::fromStdString(request.folder)) +
                            "\n\n";
    progress.setLabelText(heading);
    // Nothing to cancel: a half-made installation is of no use to anyone.
    progress.setCancelButton(nullptr);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setRange(0, 0);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumWidth(480);
    progress.show();

    // The work waits on the server for seconds; the window keeps painting.
    InstallationResult result;
    QEventLoop loop;
    const auto report = [&progress, &heading](int step, int steps, const std::string& text) {
        const QString label = heading + QString::fromStdString(text);
        QMetaObject::invokeMethod(
            &progress,
            [&progress, step, steps, label] {
                progress.setRange(0, steps);
                progress.setValue(step - 1);
                progress.setLabelText(label);
            },
            Qt::QueuedConnection);
    };
    std::thread worker([&] {
        result = CreateInstallation(request, report);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    progress.setValue(progress.maximum());
    return result;
}

std::optional<QString> FindOrCreateInstallation(Prompter& prompter, const FirstStart& start,
                                                QString& message, QWidget* parent) {
    if (auto found = ChooseInstallationFolder(start.current, start.defaultFolder, message))
        return found;
    if (!prompter.AskYesNo(FromQt(CreateInstallationQuestion(start.defaultFolder))))
        return std::nullopt;
    const InstallationResult result = CreateInstallationShowingProgress(
        {.folder = start.defaultFolder.toStdString(), .port = start.port}, parent);
    if (HoldsInstallation(start.defaultFolder) && result.outcome != InstallationOutcome::Failed) {
        message.clear();
        return start.defaultFolder;
    }
    message = QString::fromStdString(result.message);
    return std::nullopt;
}
