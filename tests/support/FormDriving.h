#pragma once
#include <QLineEdit>
#include <QTest>
#include <QWidget>
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
