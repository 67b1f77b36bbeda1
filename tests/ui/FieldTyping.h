#pragma once
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

// Entering text into a field as a user does. QTest::keyClicks passes each
// character through toLatin1, so letters such as "ă" and emoji are sent here
// as key events carrying their text.
inline void TypeText(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

inline void PasteText(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}
