// Keys as the platform delivers them: to the widget that has the focus.
#pragma once

#include <QApplication>
#include <QTest>

#include <initializer_list>
#include <utility>

inline void typeKeys(const char* text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

inline void press(std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys)
{
    for (const auto& [key, modifiers] : keys)
        press(key, modifiers);
}

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier, kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
