#pragma once

// Drives a summary screen in a test: shows it active on the offscreen
// platform, types with real key events and follows the focus.

#include "summary_screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon::test {

inline void ShowActive(QWidget& screen) {
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
}

// Gives the box the focus, empties it and types `text` key by key (a
// character beyond ASCII arrives as a key event carrying its text, as an
// input method delivers it).
inline void TypeInto(EntryBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

inline void PressEnter(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_Return);
}

// The name and index of the focused control, as "txtKensuu(3)" or "cmdPrint".
inline QString FocusedName() {
    const QWidget* w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("(none)");
    const QVariant index = w->property("Index");
    return index.isValid()
               ? w->objectName() + QLatin1Char('(') + index.toString() + QLatin1Char(')')
               : w->objectName();
}

// Presses Enter in the focused control again and again and lists where the
// focus went, starting with the control the walk starts in.
inline QStringList WalkEnter(QWidget* start, int steps) {
    start->setFocus();
    QStringList path{FocusedName()};
    for (int i = 0; i < steps; ++i) {
        PressEnter(QApplication::focusWidget());
        path << FocusedName();
    }
    return path;
}

} // namespace tabulon::test
