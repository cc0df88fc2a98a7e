#include "figure_text.h"

namespace tabulon {

qlonglong LeadingValue(const QString& text) {
    qlonglong value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        // Boxes hold at most nine digits; longer runs are cut rather than overflow.
        if (value > 99'999'999'999'999LL)
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString RightDigits(qlonglong value, int width) {
    return QString::number(value).right(width);
}

QString WithThousands(qlonglong value) {
    const QString digits = QString::number(value < 0 ? -value : value);
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return value < 0 ? QLatin1Char('-') + grouped : grouped;
}

} // namespace tabulon
