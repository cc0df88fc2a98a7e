#pragma once

// Places on the screens are given in layout units, 1/1440 inch, 15 to a pixel:
// left, top, width, height.

#include <QLabel>
#include <QRect>
#include <QString>

namespace tabulon {

inline QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// A caption at a place of the screen, wrapped when it does not fit.
inline QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& place,
                        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(align);
    label->setWordWrap(true);
    return label;
}

// The tab pages of the screens with a 退職 section.
inline QString PageTitle(int page) {
    return page == 0 ? QStringLiteral("一般被保険者") : QStringLiteral("退職者医療");
}

} // namespace tabulon
