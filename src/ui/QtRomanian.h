#pragma once
#include <QHash>
#include <QTranslator>

// Romanian texts for the dialogs Qt draws itself (open and save files, choose
// a folder, print, page setup, print preview, the standard buttons and the
// edit menu). The Qt of the distribution brings no Romanian translation of its
// own, so the program carries the texts its users meet.
class QtRomanian : public QTranslator {
public:
    QtRomanian();

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    QHash<QByteArray, QString> m_texts;  // "context\x04source" -> Romanian
};
