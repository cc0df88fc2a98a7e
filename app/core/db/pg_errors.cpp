#include "db/pg_errors.h"

#include <QRegularExpression>
#include <QStringList>

namespace tabulon {

namespace {

// Our sentence, then the SQLSTATE and the server's text in brackets.
DbError WithServerText(int number, const QString& ours, const QString& sqlState,
                       const QString& message) {
    QStringList parts;
    if (!sqlState.isEmpty())
        parts << QStringLiteral("SQLSTATE ") + sqlState;
    if (!message.trimmed().isEmpty())
        parts << message.trimmed();
    return DbError(number,
                   parts.isEmpty() ? ours : ours + u'(' + parts.join(QStringLiteral(": ")) + u')');
}

// The severity, and the SQLSTATE of verbose error fields, before the server's text.
const QRegularExpression& SeverityPrefix() {
    static const QRegularExpression prefix(
        QStringLiteral("\\b(?:FATAL|ERROR|PANIC):  (?:([0-9A-Z]{5}): )?"));
    return prefix;
}

} // namespace

DbError ErrorFromSqlState(const QString& sqlState, const QString& message) {
    static const struct {
        const char* state; // a whole code, or a class of two characters
        int number;
        const char* description;
    } kMap[] = {
        {"23505", kErrDuplicateKey,
         "キーの値が重複するため、レコードを追加または変更できませんでした。"},
        {"23502", kErrValueRequired, "フィールドには値が必要です。"},
        {"42P01", kErrUnknownObject, "入力テーブルまたはクエリが見つかりません。"},
        {"42703", kErrUnknownColumn, "フィールドが見つかりません。"},
        {"42501", kErrNoPermission, "このデータベースを操作する権限がありません。"},
        {"3D000", kErrFileNotFound, "サーバーにそのデータベースがありません。"},
        {"28000", kErrLoginRefused, "サーバーがログインを拒否しました。"},
        {"28P01", kErrLoginRefused, "サーバーがログインを拒否しました。"},
        {"40001", kErrLocked, "ほかの利用者の更新と重なったため、更新できません。"},
        {"40P01", kErrLocked, "ほかの利用者の更新と重なったため、更新できません。"},
        {"55P03", kErrLocked, "ほかの利用者がロックしているため、更新できません。"},
        {"53100", kErrDiskFull, "サーバーのディスクの空き領域が不足しています。"},
        {"08", kErrConnectFailed, "データベース サーバーとの接続に失敗しました。"},
        {"57", kErrConnectFailed, "データベース サーバーとの接続に失敗しました。"},
        {"42", kErrSyntax, "クエリ式の構文エラーです。"},
        {"22", kErrConversion, "値がフィールドの規則に合いません。"},
        {"23", kErrConversion, "値がフィールドの規則に合いません。"},
    };
    for (const auto& entry : kMap) {
        const QString state = QString::fromLatin1(entry.state);
        if (sqlState == state || (state.size() == 2 && sqlState.startsWith(state)))
            return WithServerText(entry.number, QString::fromUtf8(entry.description), sqlState,
                                  message);
    }
    return WithServerText(kErrServerCallFailed,
                          QStringLiteral("データベース サーバーの呼び出しに失敗しました。"),
                          sqlState, message);
}

QString SqlStateInMessage(const QString& message) {
    const QRegularExpressionMatch match = SeverityPrefix().match(message);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString ServerTextOf(const QString& message) {
    for (const QString& line : message.split(u'\n')) {
        const QString text = line.trimmed();
        if (text.isEmpty())
            continue;
        const QRegularExpressionMatch match = SeverityPrefix().match(text);
        return match.hasMatch() ? text.mid(match.capturedEnd()).trimmed() : text;
    }
    return QString();
}

} // namespace tabulon
