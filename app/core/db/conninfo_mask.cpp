#include "db/conninfo_mask.h"

#include <QRegularExpression>
#include <QStringList>

namespace tabulon {

namespace {

const QString kMask = QStringLiteral("***");

// A password key (sslpassword too), its separator, and its value: a quoted one
// (perhaps never closed) or one running to the next blank, quote, '&' or ';'.
const QRegularExpression& KeyValuePassword() {
    static const QRegularExpression pattern(
        QStringLiteral("\\b(\\w*pass(?:word|wd)?|\\w*pwd)(\\s*[=:]\\s*)"
                       "('(?:[^'\\\\]|\\\\.)*'?|\"(?:[^\"\\\\]|\\\\.)*\"?|[^\\s'\"&;]*)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// The user-info of a URI: "scheme://user:password@". The password may hold
// further '@' or ':' in a broken URI, so it runs to the last '@' before a
// blank or a quote.
const QRegularExpression& UriUserInfo() {
    static const QRegularExpression pattern(
        QStringLiteral("([a-z][a-z0-9+.-]*://[^:/@\\s'\"]*):([^\\s'\"]*)@"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// The values `pattern` finds in `conninfo` at capture `group`.
void CollectSecrets(const QString& conninfo, const QRegularExpression& pattern, int group,
                    QStringList& secrets) {
    for (auto it = pattern.globalMatch(conninfo); it.hasNext();) {
        QString value = it.next().captured(group);
        for (const QChar quote : {u'\'', u'"'}) {
            if (value.startsWith(quote))
                value.remove(0, 1);
            if (value.endsWith(quote))
                value.chop(1);
        }
        if (!value.isEmpty())
            secrets << value;
    }
}

QString MaskPatterns(QString text) {
    text.replace(KeyValuePassword(), QStringLiteral("\\1\\2") + kMask);
    text.replace(UriUserInfo(), QStringLiteral("\\1:") + kMask + u'@');
    return text;
}

} // namespace

QString MaskPasswords(const QString& text, const QString& conninfo) {
    QString masked = MaskPatterns(text);
    QStringList secrets;
    CollectSecrets(conninfo, KeyValuePassword(), 3, secrets);
    CollectSecrets(conninfo, UriUserInfo(), 2, secrets);
    for (const QString& secret : secrets) {
        // Only where it stands alone, so that a short password does not
        // blank out parts of ordinary words.
        const QRegularExpression alone(QStringLiteral("(?<![\\w])") +
                                       QRegularExpression::escape(secret) +
                                       QStringLiteral("(?![\\w])"));
        masked.replace(alone, kMask);
    }
    return masked;
}

} // namespace tabulon
