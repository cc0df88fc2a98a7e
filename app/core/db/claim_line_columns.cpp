#include "db/claim_line_columns.h"

namespace tabulon {

QString ClaimSectionOfLine(int line) {
    return line < 10 ? QStringLiteral("一般") : QStringLiteral("退職");
}

int ClaimRowOfLine(int line) {
    return (line % 10) / 2 + 1;
}

QString CareColumn(const QString& figure, int line) {
    const QString care = line % 2 == 0 ? QStringLiteral("入院") : QStringLiteral("外来");
    return ClaimSectionOfLine(line) + QStringLiteral("_療養_") + care + u'_' + figure + u'_' +
           QString::number(ClaimRowOfLine(line));
}

QString FoodColumn(const QString& figure, int line) {
    return ClaimSectionOfLine(line) + QStringLiteral("_食事_") + figure + u'_' +
           QString::number(ClaimRowOfLine(line));
}

} // namespace tabulon
