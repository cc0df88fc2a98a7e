#include "db/sqlite_connection.h"

#include "db/derived_key.h"
#include "db/jet_functions.h"
#include "db/sqlite_errors.h"
#include "db/sqlite_statement.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulon {

namespace {

constexpr int kBusyTimeoutMs = 3000;

// Rejects what is certainly not an encrypted database before SQLCipher looks at
// it: anything but a regular file (a pipe would block the open for ever, a
// device or folder is no database), an empty file, a plain SQLite file, or a
// size that is no whole number of pages. Anything else that the key cannot
// read is reported as a wrong password, since an encrypted file and random
// bytes look alike.
void CheckLooksEncrypted(const QString& path) {
    const DbError notADatabase(
        kErrNotADatabase,
        QStringLiteral("'%1' はこのプログラムのデータベースではありません。").arg(path));
    // Non-blocking, so that opening a pipe returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw DbError(kErrCannotOpen, QStringLiteral("ファイル '%1' を開けません。").arg(path));
    struct stat info {};
    char head[16] = {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool headRead = regular && ::read(fd, head, sizeof head) == ssize_t(sizeof head);
    ::close(fd);
    if (!regular)
        throw DbError(kErrCannotOpen,
                      QStringLiteral("'%1' は普通のファイルではない（フォルダ、名前付きパイプ"
                                     "など）ため、データベースとして開けません。")
                          .arg(path));
    if (info.st_size == 0 || info.st_size % 512 != 0 || !headRead)
        throw notADatabase;
    if (QByteArray(head, sizeof head) == QByteArray("SQLite format 3\0", 16))
        throw notADatabase;
}

// The program makes no triggers. One in a file would change what the clerk
// saves behind the screens' backs, and a compaction would carry it on.
void RefuseTriggers(SqliteConnection& connection, const QString& path) {
    Statement trigger(connection,
                      QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"));
    if (trigger.Step())
        throw DbError(kErrNotADatabase,
                      QStringLiteral("'%1' には、このプログラムが作らないトリガー '%2' があります。"
                                     "このファイルは使えません。")
                          .arg(path, trigger.Column(0).toString()));
}

// A new database is its owner's alone (a backup copy, too): the password is
// the program's, so a file others could read would be readable to them.
void ClaimNewFile(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            throw DbError(kErrAlreadyExists,
                          QStringLiteral("データベース '%1' は既に存在します。").arg(path));
        throw DbError(kErrCannotOpen,
                      QStringLiteral("データベース '%1' を作成できません。").arg(path));
    }
    ::close(fd);
}

} // namespace

SqliteConnection::SqliteConnection(const QString& path, const QString& password, OpenMode mode) {
    if (mode == OpenMode::CreateNew) {
        ClaimNewFile(path);
    } else {
        if (!QFileInfo::exists(path))
            throw DbError(kErrFileNotFound,
                          QStringLiteral("ファイル '%1' が見つかりません。").arg(path));
        CheckLooksEncrypted(path);
    }
    try {
        // Never SQLITE_OPEN_CREATE: a missing file must not become an empty database.
        const int flags =
            mode == OpenMode::ExistingReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        // Whether the first read succeeds with `key`.
        const auto openWith = [&](const QByteArray& key) {
            sqlite3_close(db_);
            db_ = nullptr;
            if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) !=
                SQLITE_OK)
                ThrowSqliteError(db_);
            if (sqlite3_key_v2(db_, "main", key.constData(), int(key.size())) != SQLITE_OK)
                ThrowSqliteError(db_);
            return sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                                nullptr) == SQLITE_OK;
        };
        // The key derived once per run where the file has a salt; the password
        // itself for a new file, or should SQLCipher not read the file with it.
        const QByteArray rawKey =
            mode == OpenMode::CreateNew ? QByteArray() : RawKeyFor(password, FileSalt(path));
        if (!(rawKey.isEmpty() ? openWith(password.toUtf8())
                               : openWith(rawKey) || openWith(password.toUtf8()))) {
            if ((sqlite3_extended_errcode(db_) & 0xff) == SQLITE_NOTADB)
                throw DbError(kErrBadPassword,
                              QStringLiteral("パスワードが正しくないか、'%1' は暗号化された"
                                             "データベースではありません。")
                                  .arg(path));
            ThrowSqliteError(db_);
        }
        RefuseTriggers(*this, path);
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        RegisterJetFunctions(db_);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        if (mode == OpenMode::CreateNew)
            QFile::remove(path);
        throw;
    }
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(db_);
}

void SqliteConnection::Exec(const QString& sql, const std::vector<QVariant>& values) {
    Statement statement(*this, sql);
    for (size_t i = 0; i < values.size(); ++i)
        statement.Bind(int(i) + 1, values[i]);
    while (statement.Step()) {
    }
}

QueryResult SqliteConnection::Query(const QString& sql, const std::vector<QVariant>& values) {
    Statement statement(*this, sql);
    for (size_t i = 0; i < values.size(); ++i)
        statement.Bind(int(i) + 1, values[i]);
    QueryResult result;
    for (int i = 0; i < statement.ColumnCount(); ++i)
        result.names.push_back(statement.ColumnName(i));
    while (statement.Step()) {
        Row row;
        row.reserve(result.names.size());
        for (int i = 0; i < statement.ColumnCount(); ++i)
            row.push_back(statement.Column(i));
        result.rows.push_back(std::move(row));
    }
    return result;
}

KeyedRow SqliteConnection::InsertRow(const QString& table, const std::vector<QString>& columns,
                                     const Row& values) {
    QStringList names;
    QStringList marks;
    for (const QString& column : columns) {
        names << QuoteSqlName(column);
        marks << QStringLiteral("?");
    }
    Exec(names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteSqlName(table))
                         : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(QuoteSqlName(table), names.join(u','), marks.join(u',')),
         values);
    return ReadRow(table, sqlite3_last_insert_rowid(db_));
}

KeyedRow SqliteConnection::UpdateRow(const QString& table, const QVariant& key,
                                     const std::vector<QString>& columns, const Row& values) {
    QStringList assignments;
    for (const QString& column : columns)
        assignments << QuoteSqlName(column) + QStringLiteral(" = ?");
    Row bound = values;
    bound.push_back(key);
    Exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
             .arg(QuoteSqlName(table), assignments.join(u',')),
         bound);
    if (sqlite3_changes(db_) == 0)
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
    return ReadRow(table, key.toLongLong());
}

std::vector<KeyedRow> SqliteConnection::ReadRows(const QString& table,
                                                 const std::vector<QVariant>& keys) {
    QStringList marks;
    for (size_t i = 0; i < keys.size(); ++i)
        marks << QStringLiteral("?");
    return KeyedRows(Query(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                               .arg(QuoteSqlName(table), marks.join(u',')),
                           keys));
}

KeyedRow SqliteConnection::ReadRow(const QString& table, qint64 rowid) {
    QueryResult result =
        Query(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(QuoteSqlName(table)), {rowid});
    if (result.rows.empty())
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
    return {rowid, std::move(result.rows.front())};
}

const TableInfo* SqliteConnection::FindTable(const QString& name) {
    const QString key = name.toLower();
    auto found = tables_.find(key);
    if (found == tables_.end()) {
        std::optional<TableInfo> info;
        Statement kind(*this,
                       QStringLiteral("SELECT type, name FROM sqlite_master WHERE "
                                      "lower(name) = lower(?1) AND type IN ('table', 'view')"));
        kind.Bind(1, name);
        if (kind.Step()) {
            info.emplace();
            info->isView = kind.Column(0).toString() == QLatin1String("view");
            Statement columns(*this, QStringLiteral("PRAGMA table_info(%1)")
                                         .arg(QuoteSqlName(kind.Column(1).toString())));
            while (columns.Step()) {
                ColumnInfo column;
                column.name = columns.Column(1).toString();
                column.integer = columns.Column(2).toString().contains(QLatin1String("INT"),
                                                                       Qt::CaseInsensitive);
                column.defaultSql = columns.Column(4).toString();
                info->columns.push_back(column);
            }
        }
        found = tables_.emplace(key, std::move(info)).first;
    }
    return found->second ? &*found->second : nullptr;
}

} // namespace tabulon
