#include "db/sql_tokens.h"

#include "db/db_error.h"

namespace tabulon {

namespace {

// Only ASCII white space separates tokens, as SQLite sees it.
bool IsSpace(QChar c) {
    return c.unicode() < 0x80 && c.isSpace();
}
bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsWordStart(QChar c) {
    return c.isLetter() || c == u'_' || c.unicode() >= 0x80;
}
bool IsWordPart(QChar c) {
    return IsWordStart(c) || IsAsciiDigit(c) || c == u'$';
}

DbError SyntaxError(const QString& why) {
    return DbError(kErrSyntax, QStringLiteral("クエリ式の構文エラーです。(%1)").arg(why));
}

// Index just past the quoted run that starts at `from` and ends with `close`;
// a doubled closing character stands for itself.
qsizetype QuotedEnd(const QString& sql, qsizetype from, QChar close) {
    for (qsizetype i = from + 1; i < sql.size(); ++i) {
        if (sql[i] != close)
            continue;
        if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    throw SyntaxError(QStringLiteral("閉じていない引用符"));
}

} // namespace

bool SqlToken::Is(QStringView keyword) const {
    if (kind == TokenKind::Word)
        return text.compare(keyword, Qt::CaseInsensitive) == 0;
    return kind == TokenKind::Symbol && text == keyword;
}

QString SqlToken::Name() const {
    if (kind != TokenKind::QuotedName)
        return text;
    const QChar close = text.back();
    return text.mid(1, text.size() - 2).replace(QString(2, close), QString(close));
}

std::vector<SqlToken> TokenizeSql(const QString& sql) {
    std::vector<SqlToken> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype end = i + 1;
        TokenKind kind = TokenKind::Symbol;
        if (IsSpace(c)) {
            kind = TokenKind::Space;
            while (end < sql.size() && IsSpace(sql[end]))
                ++end;
        } else if (c == u'\'') {
            kind = TokenKind::String;
            end = QuotedEnd(sql, i, u'\'');
        } else if (c == u'"' || c == u'`' || c == u'[') {
            kind = TokenKind::QuotedName;
            end = QuotedEnd(sql, i, c == u'[' ? QChar(u']') : c);
        } else if (IsAsciiDigit(c)) {
            kind = TokenKind::Number;
            while (end < sql.size() && (IsAsciiDigit(sql[end]) || sql[end] == u'.'))
                ++end;
        } else if (IsWordStart(c)) {
            kind = TokenKind::Word;
            while (end < sql.size() && IsWordPart(sql[end]))
                ++end;
        } else {
            const QStringView pair = QStringView(sql).mid(i, 2);
            if (pair == u"--" || pair == u"/*")
                throw SyntaxError(QStringLiteral("コメントは使えません"));
            if (pair == u"<>" || pair == u"<=" || pair == u">=" || pair == u"!=" || pair == u"||" ||
                pair == u"==")
                end = i + 2;
        }
        tokens.push_back({kind, sql.mid(i, end - i)});
        i = end;
    }
    return tokens;
}

QString JoinTokens(const std::vector<SqlToken>& tokens) {
    QString sql;
    for (const SqlToken& token : tokens)
        sql += token.text;
    return sql;
}

} // namespace tabulon
