#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class InstallerDownload;

// "Actualizari online": downloads the new installer with a progress bar and
// closes itself with OK once the file is complete. A failure (with its
// reason) or a cancel is said in place of the progress and leaves it open
// with "[ESC]   Iesire" until the user leaves it.
class UpdateDialog : public QDialog {
    Q_OBJECT
public:
    UpdateDialog(const QString& runningVersion, const QString& programFolder,
                 QWidget* parent = nullptr);

    InstallerDownload& Download() { return *m_download; }
    // The complete installer, once the dialog ended with OK.
    QString InstallerPath() const { return m_installerPath; }
    // The version of that installer.
    QString InstallerVersion() const;
    bool Downloading() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Begin();
    void Stopped(const QString& text);
    void Complete(const QString& installerPath);

    InstallerDownload* m_download;
    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_closeButton;
    QString m_installerPath;
    bool m_begun = false;
};
