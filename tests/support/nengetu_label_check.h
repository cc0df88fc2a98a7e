#pragma once

// The processing-month label of a month's screen: what it says, and what on
// the screen keeps it from showing whole.

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <string>

namespace tabulon::test {

inline QString NengetuLabelText(const QWidget& screen) {
    const auto* label = screen.findChild<QLabel*>(QStringLiteral("lblSyoriNengetu"));
    return label ? label->text() : QStringLiteral("(no label)");
}

// The controls the label covers or that cover it, and "cut" when its text
// is wider than the label; empty when it stands clear.
inline std::string InTheWayOfNengetuLabel(const QWidget& screen) {
    const auto* label = screen.findChild<QLabel*>(QStringLiteral("lblSyoriNengetu"));
    if (!label)
        return "(no label)";
    QStringList inTheWay;
    if (label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
        inTheWay << QStringLiteral("cut");
    const QRect place(label->mapTo(&screen, QPoint()), label->size());
    for (const QWidget* other : screen.findChildren<QWidget*>()) {
        if (other == label || other->isAncestorOf(label) || !other->isVisible())
            continue;
        if (QRect(other->mapTo(&screen, QPoint()), other->size()).intersects(place))
            inTheWay << other->objectName() + QLatin1Char(':') + other->metaObject()->className();
    }
    return inTheWay.join(QStringLiteral(", ")).toStdString();
}

} // namespace tabulon::test
