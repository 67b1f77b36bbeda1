#pragma once
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QTest>
#include <QWidget>
#include <functional>
#include <utility>

#include "ui/DateTriple.h"
#include <gtest/gtest.h>

// Finding a form's fields by objectName and typing into them as a user does.
template <typename T>
T* Find(QWidget* parent, const char* name) {
    T* widget = parent->findChild<T*>(name);
    EXPECT_NE(nullptr, widget) << name;
    return widget;
}

inline void Type(QWidget* form, const char* field, const char* text) {
    auto* edit = Find<QLineEdit>(form, field);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

// Types a date into the three fields of a DateTriple.
inline void TypeDate(QWidget* form, const char* field, const char* day, const char* month,
                     const char* year) {
    auto* date = Find<DateTriple>(form, field);
    for (const auto& [part, text] : {std::pair{"day", day}, {"month", month}, {"year", year}})
        QTest::keyClicks(date->findChild<QLineEdit*>(part), text);
}

// Runs `drive` on the modal window that the next command opens.
inline void OnNextModal(std::function<void(QWidget*)> drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, modal);
        drive(modal);
    });
}
