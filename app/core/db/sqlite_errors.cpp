#include "db/sqlite_errors.h"

#include <QFile>
#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

// The name SQLite puts after a fixed prefix, as in "no such table: T_x".
QString NameAfter(const QString& message, const QString& prefix) {
    const qsizetype at = message.indexOf(prefix);
    return at < 0 ? message : message.mid(at + prefix.size()).trimmed();
}

// Ends in the file's name, when there is one.
QString NamingFile(const QString& description, const QString& file) {
    return file.isEmpty() ? description : description + QStringLiteral("（%1）").arg(file);
}

DbError DiskFull(const QString& file) {
    return DbError(kErrDiskFull,
                   NamingFile(QStringLiteral("ディスクの空き領域が不足しています。"), file));
}

DbError Damaged(const QString& file) {
    return DbError(kErrCorrupt,
                   NamingFile(QStringLiteral("データベースファイルが壊れています。"), file));
}

// SQLite's generic error code also carries what a statement run inside a
// function met, as the export that compacts the file does: its message then
// tells a full disk or a damaged file apart.
DbError FromGenericError(const QString& message, const QString& file) {
    if (message.contains(QStringLiteral("database or disk is full")))
        return DiskFull(file);
    if (message.contains(QStringLiteral("database disk image is malformed")))
        return Damaged(file);
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

DbError ErrorFromSqlite(int extendedCode, const QString& message, const QString& file) {
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
        return FromGenericError(message, file);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError(kErrLocked,
                       QStringLiteral("ほかの利用者がロックしているため、更新できません。"));
    case SQLITE_READONLY:
        return DbError(kErrReadOnly,
                       QStringLiteral("データベースまたはオブジェクトが読み取り専用のため、"
                                      "更新できません。"));
    case SQLITE_FULL:
        return DiskFull(file);
    case SQLITE_IOERR:
        return DbError(kErrDiskError, QStringLiteral("ディスクの読み書きでエラーが発生しました。"));
    case SQLITE_CANTOPEN:
        return DbError(kErrCannotOpen, QStringLiteral("データベースファイルを開けません。"));
    case SQLITE_NOTADB:
        return DbError(kErrNotADatabase, QStringLiteral("データベースの形式を認識できません。"));
    case SQLITE_CORRUPT:
        return Damaged(file);
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
    const char* file = sqlite3_db_filename(db, "main");
    throw ErrorFromSqlite(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)),
                          file ? QFile::decodeName(file) : QString());
}

} // namespace tabulon
