#include "db/sql_quote.h"

namespace tabulon {

QString SqlEscape(const QString& value) {
    QString escaped = value;
    return escaped.replace(u'\'', QStringLiteral("''"));
}

QString SqlQuote(const QString& value) {
    return u'\'' + SqlEscape(value) + u'\'';
}

} // namespace tabulon
