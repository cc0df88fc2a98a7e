#include "db/schema_check.h"

#include "db/jet_functions.h"
#include "db/schema.h"
#include "db/sqlite_connection.h"
#include "db/sqlite_errors.h"

#include <QRegularExpression>
#include <map>
#include <sqlcipher/sqlite3.h>
#include <utility>
#include <vector>

namespace tabulon {

namespace {

struct SchemaObject {
    QString type;
    QString name;
    QString definition;
};

// Every object of the file with its CREATE statement, white space collapsed
// (indexes made for UNIQUE constraints have none and compare by name).
std::vector<SchemaObject> ObjectsOf(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, name, sql FROM sqlite_master ORDER BY rowid", -1,
                           &statement, nullptr) != SQLITE_OK)
        ThrowSqliteError(db);
    const auto text = [statement](int column) {
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
    };
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<SchemaObject> objects;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        objects.push_back({text(0), text(1), text(2).replace(blanks, QStringLiteral(" "))});
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        ThrowSqliteError(db);
    return objects;
}

// The objects that tabulon-initdb makes, from the same statements.
std::vector<SchemaObject> ProgramObjects() {
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw DbError(kErrUnexpected, QStringLiteral("作業用のデータベースを開けません。"));
    }
    try {
        // The views call them, as in a file that tabulon-initdb makes.
        RegisterJetFunctions(db);
        for (const QString& sql : SchemaStatements(SqlTarget::Sqlite))
            if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                ThrowSqliteError(db);
        std::vector<SchemaObject> objects = ObjectsOf(db);
        sqlite3_close(db);
        return objects;
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
}

QString KindName(const QString& type) {
    if (type == QLatin1String("table"))
        return QStringLiteral("テーブル");
    if (type == QLatin1String("view"))
        return QStringLiteral("クエリ");
    if (type == QLatin1String("index"))
        return QStringLiteral("インデックス");
    if (type == QLatin1String("trigger"))
        return QStringLiteral("トリガー");
    return type;
}

} // namespace

void RequireProgramSchema(SqliteConnection& connection, const QString& path) {
    std::map<std::pair<QString, QString>, QString> found;
    for (SchemaObject& object : ObjectsOf(connection.handle()))
        found.emplace(std::pair(object.type, object.name), std::move(object.definition));
    const auto refuse = [&path](const QString& reason, const SchemaObject& object) {
        throw DbError(
            kErrNotADatabase,
            QStringLiteral("'%1' はこのプログラムのデータベースではありません。").arg(path) +
                reason.arg(KindName(object.type), object.name));
    };
    for (const SchemaObject& object : ProgramObjects()) {
        const auto same = found.find(std::pair(object.type, object.name));
        if (same == found.end())
            refuse(QStringLiteral("%1 '%2' がありません。"), object);
        else if (same->second != object.definition)
            refuse(QStringLiteral("%1 '%2' の定義が違います。"), object);
        else
            found.erase(same);
    }
    if (!found.empty()) {
        const auto& [key, definition] = *found.begin();
        refuse(QStringLiteral("ほかの%1 '%2' があります。"), {key.first, key.second, definition});
    }
}

} // namespace tabulon
