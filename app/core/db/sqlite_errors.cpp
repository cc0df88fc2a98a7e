#include "db/sqlite_errors.h"

#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

// The name SQLite puts after a fixed prefix, as in "no such table: T_x".
QString NameAfter(const QString& message, const QString& prefix) {
    const qsizetype at = message.indexOf(prefix);
    return at < 0 ? message : message.mid(at + prefix.size()).trimmed();
}

DbError FromGenericError(const QString& message) {
    if (message.contains(QStringLiteral("no such table")))
        return DbError(kErrUnknownObject,
                       QStringLiteral("入力テーブルまたはクエリ '%1' が見つかりません。")
                           .arg(NameAfter(message, QStringLiteral("no such table:"))));
    if (message.contains(QStringLiteral("no such column")))
        return DbError(kErrUnknownColumn,
                       QStringLiteral("フィールド '%1' が見つかりません。")
                           .arg(NameAfter(message, QStringLiteral("no such column:"))));
    return DbError(kErrSyntax, QStringLiteral("クエリ式の構文エラーです。(%1)").arg(message));
}

} // namespace

DbError ErrorFromSqlite(int extendedCode, const QString& message) {
    switch (extendedCode) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return DbError(kErrDuplicateKey,
                       QStringLiteral("キーの値が重複するため、レコードを追加または変更でき"
                                      "ませんでした。"));
    case SQLITE_CONSTRAINT_NOTNULL:
        return DbError(kErrValueRequired, QStringLiteral("フィールド '%1' には値が必要です。")
                                              .arg(NameAfter(message, QStringLiteral("failed:"))));
    default:
        break;
    }
    switch (extendedCode & 0xff) {
    case SQLITE_ERROR:
        return FromGenericError(message);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError(kErrLocked,
                       QStringLiteral("ほかの利用者がロックしているため、更新できません。"));
    case SQLITE_READONLY:
        return DbError(kErrReadOnly,
                       QStringLiteral("データベースまたはオブジェクトが読み取り専用のため、"
                                      "更新できません。"));
    case SQLITE_FULL:
        return DbError(kErrDiskFull, QStringLiteral("ディスクの空き領域が不足しています。"));
    case SQLITE_IOERR:
        return DbError(kErrDiskError, QStringLiteral("ディスクの読み書きでエラーが発生しました。"));
    case SQLITE_CANTOPEN:
        return DbError(kErrCannotOpen, QStringLiteral("データベースファイルを開けません。"));
    case SQLITE_NOTADB:
        return DbError(kErrNotADatabase, QStringLiteral("データベースの形式を認識できません。"));
    case SQLITE_CORRUPT:
        return DbError(kErrCorrupt, QStringLiteral("データベースファイルが壊れています。"));
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
        return DbError(kErrConversion,
                       QStringLiteral("値がフィールドの規則に合いません。(%1)").arg(message));
    default:
        return DbError(
            kErrUnexpected,
            QStringLiteral("データベースで予期しないエラーが発生しました。(%1)").arg(message));
    }
}

void ThrowSqliteError(sqlite3* db) {
    throw ErrorFromSqlite(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace tabulon
