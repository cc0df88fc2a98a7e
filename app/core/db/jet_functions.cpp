#include "db/jet_functions.h"

#include "db/sqlite_errors.h"

#include <QList>
#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

QString TextArg(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

void ResultText(sqlite3_context* context, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Mid counts characters, not UTF-16 units, so a character outside the basic
// plane is never cut in half.
void Mid(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    const sqlite3_int64 start = sqlite3_value_int64(argv[1]);
    const sqlite3_int64 length = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start < 1 || (argc > 2 && length < 0)) {
        sqlite3_result_error(context, "Mid: invalid procedure call", -1);
        return;
    }
    const QList<uint> chars = TextArg(argv[0]).toUcs4();
    const qsizetype from = qsizetype(std::min<sqlite3_int64>(start - 1, chars.size()));
    const qsizetype count = length < 0
                                ? chars.size() - from
                                : qsizetype(std::min<sqlite3_int64>(length, chars.size() - from));
    ResultText(context, QString::fromUcs4(
                            reinterpret_cast<const char32_t*>(chars.constData() + from), count));
}

void Format(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 2) {
        ResultText(context, TextArg(argv[0]));
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString pattern = TextArg(argv[1]);
    if (pattern.isEmpty() || pattern.count(u'@') != pattern.size()) {
        sqlite3_result_error(context, "Format: only '@' patterns are supported", -1);
        return;
    }
    const QString text = TextArg(argv[0]);
    const qsizetype chars = text.toUcs4().size();
    ResultText(context, QString(std::max<qsizetype>(0, pattern.size() - chars), u' ') + text);
}

} // namespace

void RegisterJetFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    for (int argc : {2, 3})
        if (sqlite3_create_function_v2(db, "Mid", argc, flags, nullptr, Mid, nullptr, nullptr,
                                       nullptr) != SQLITE_OK)
            ThrowSqliteError(db);
    for (int argc : {1, 2})
        if (sqlite3_create_function_v2(db, "Format", argc, flags, nullptr, Format, nullptr, nullptr,
                                       nullptr) != SQLITE_OK)
            ThrowSqliteError(db);
}

} // namespace tabulon
