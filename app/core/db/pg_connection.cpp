#include "db/pg_connection.h"

#include "db/pg_errors.h"

#include <QStringList>
#include <chrono>
#include <libpq-fe.h>
#include <limits>
#include <memory>
#include <poll.h>

namespace tabulon {

namespace {

constexpr int kDefaultConnectTimeoutSeconds = 10;

// Type oids of the server's built-in types that read as numbers.
enum : Oid {
    kBoolOid = 16,
    kInt8Oid = 20,
    kInt2Oid = 21,
    kInt4Oid = 23,
    kOidOid = 26,
    kFloat4Oid = 700,
    kFloat8Oid = 701,
    kNumericOid = 1700,
};

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultDeleter>;

DbError ConnectionLost(PGconn* conn) {
    return DbError(kErrConnectFailed,
                   QStringLiteral("データベース サーバーとの接続に失敗しました。(%1)")
                       .arg(QString::fromUtf8(PQerrorMessage(conn)).trimmed()));
}

QVariant WholeNumber(qlonglong value) {
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
        return QVariant(int(value));
    return QVariant(value);
}

QVariant ReadValue(const PGresult* result, int row, int column) {
    if (PQgetisnull(result, row, column))
        return QVariant();
    const QByteArray text(PQgetvalue(result, row, column), PQgetlength(result, row, column));
    switch (PQftype(result, column)) {
    case kInt2Oid:
    case kInt4Oid:
    case kInt8Oid:
    case kOidOid:
        return WholeNumber(text.toLongLong());
    case kNumericOid:
        if (!text.contains('.'))
            return WholeNumber(text.toLongLong());
        return QVariant(text.toDouble());
    case kFloat4Oid:
    case kFloat8Oid:
        return QVariant(text.toDouble());
    case kBoolOid:
        return QVariant(text == "t");
    default:
        return QVariant(QString::fromUtf8(text));
    }
}

// Waits for the socket as PQconnectPoll asks, until the deadline.
bool WaitForSocket(PGconn* conn, PostgresPollingStatusType wanted,
                   std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return false;
    pollfd fd{PQsocket(conn), short(wanted == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
    return ::poll(&fd, 1, int(left.count())) > 0;
}

int ConnectTimeoutSeconds(PGconn* conn) {
    int seconds = kDefaultConnectTimeoutSeconds;
    PQconninfoOption* options = PQconninfo(conn);
    for (PQconninfoOption* o = options; o != nullptr && o->keyword != nullptr; ++o)
        if (qstrcmp(o->keyword, "connect_timeout") == 0 && o->val != nullptr && atoi(o->val) > 0)
            seconds = atoi(o->val);
    PQconninfoFree(options);
    return seconds;
}

QString OptionValue(PGconn* conn, const char* keyword) {
    QString value;
    PQconninfoOption* options = PQconninfo(conn);
    for (PQconninfoOption* o = options; o != nullptr && o->keyword != nullptr; ++o)
        if (qstrcmp(o->keyword, keyword) == 0 && o->val != nullptr)
            value = QString::fromUtf8(o->val);
    PQconninfoFree(options);
    return value;
}

DbError ConnectFailure(PGconn* conn) {
    const QString message = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    if (PQconnectionNeedsPassword(conn))
        return DbError(kErrLoginRefused,
                       QStringLiteral("サーバーがパスワードを求めましたが、パスワード ファイル "
                                      "(~/.pgpass) にありません。"));
    const QString state = SqlStateInMessage(message);
    if (!state.isEmpty())
        return ErrorFromSqlState(state, message);
    return DbError(kErrConnectFailed,
                   QStringLiteral("データベース サーバーに接続できません。(%1)").arg(message));
}

// Connects without blocking so that the server's refusal comes back with its
// SQLSTATE (verbose error fields), which tells a refused login from the rest.
PGconn* Connect(const QByteArray& conninfo, const char* sslmode) {
    const char* keywords[] = {"dbname", "client_encoding", "application_name",
                              sslmode ? "sslmode" : nullptr, nullptr};
    const char* values[] = {conninfo.constData(), "UTF8", "tabulon", sslmode, nullptr};
    PGconn* conn = PQconnectStartParams(keywords, values, 1);
    if (conn == nullptr)
        throw DbError(kErrConnectFailed, QStringLiteral("データベース サーバーに接続できません。"));
    try {
        if (PQstatus(conn) == CONNECTION_BAD)
            throw ConnectFailure(conn);
        PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(ConnectTimeoutSeconds(conn));
        PostgresPollingStatusType status = PGRES_POLLING_WRITING;
        while (status != PGRES_POLLING_OK) {
            if (status == PGRES_POLLING_FAILED)
                throw ConnectFailure(conn);
            if (!WaitForSocket(conn, status, deadline))
                throw DbError(kErrConnectFailed,
                              QStringLiteral("データベース サーバーが時間内に応答しません。"));
            status = PQconnectPoll(conn);
        }
        PQsetErrorVerbosity(conn, PQERRORS_DEFAULT);
    } catch (...) {
        PQfinish(conn);
        throw;
    }
    return conn;
}

} // namespace

PgConnection::PgConnection(const QString& conninfo) {
    const QByteArray info = conninfo.toUtf8();
    conn_ = Connect(info, nullptr);
    const QString sslmode = OptionValue(conn_, "sslmode");
    if (sslmode == QLatin1String("disable") || sslmode == QLatin1String("allow")) {
        PQfinish(conn_);
        conn_ = nullptr;
        conn_ = Connect(info, "prefer");
    }
    // The server's notices (a cascade, an implicit index) are no business of
    // the clerk's terminal.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    PrepareSession();
}

// Values are escaped by doubling quotes only, so a backslash must never
// escape anything, whatever the server's configuration says.
void PgConnection::PrepareSession() {
    ResultPtr result(PQexec(conn_, "SET standard_conforming_strings = on"));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        throw ConnectionLost(conn_);
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

void PgConnection::SetSessionSetup(std::function<void(PgConnection&)> setup) {
    sessionSetup_ = std::move(setup);
    sessionSetup_(*this);
}

QString PgConnection::Option(const char* keyword) const {
    return OptionValue(conn_, keyword);
}

void PgConnection::ReconnectIfLost() {
    if (PQstatus(conn_) != CONNECTION_BAD)
        return;
    PQreset(conn_);
    if (PQstatus(conn_) != CONNECTION_OK)
        throw ConnectionLost(conn_);
    tables_.clear();
    PrepareSession();
    if (sessionSetup_)
        sessionSetup_(*this);
}

PGresult* PgConnection::Run(const QString& sql, const std::vector<QVariant>& values) {
    ReconnectIfLost();
    std::vector<QByteArray> texts;
    std::vector<const char*> params;
    texts.reserve(values.size());
    for (const QVariant& value : values) {
        if (value.isNull()) {
            params.push_back(nullptr);
            continue;
        }
        texts.push_back(value.toString().toUtf8());
        params.push_back(texts.back().constData());
    }
    ResultPtr result(PQexecParams(conn_, sql.toUtf8().constData(), int(params.size()), nullptr,
                                  params.data(), nullptr, nullptr, 0));
    if (!result || PQstatus(conn_) == CONNECTION_BAD)
        throw ConnectionLost(conn_);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        const char* message = PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY);
        throw ErrorFromSqlState(QString::fromLatin1(state ? state : ""),
                                QString::fromUtf8(message ? message : PQerrorMessage(conn_)));
    }
    return result.release();
}

QueryResult PgConnection::Query(const QString& sql, const std::vector<QVariant>& values) {
    ResultPtr result(Run(sql, values));
    QueryResult out;
    const int columns = PQnfields(result.get());
    for (int c = 0; c < columns; ++c)
        out.names.push_back(QString::fromUtf8(PQfname(result.get(), c)));
    const int rows = PQntuples(result.get());
    out.rows.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r) {
        Row row;
        row.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(ReadValue(result.get(), r, c));
        out.rows.push_back(std::move(row));
    }
    return out;
}

void PgConnection::Exec(const QString& sql, const std::vector<QVariant>& values) {
    ResultPtr result(Run(sql, values));
}

// Bare names were folded to lower case when the schema was created; Jet names
// are not case-sensitive.
const TableInfo* PgConnection::FindTable(const QString& name) {
    const QString key = name.toLower();
    auto found = tables_.find(key);
    if (found == tables_.end()) {
        const QueryResult columns =
            Query(QStringLiteral(
                      "SELECT c.relkind, a.attname, format_type(a.atttypid, a.atttypmod), "
                      "pg_get_expr(d.adbin, d.adrelid) FROM pg_class c "
                      "JOIN pg_attribute a ON a.attrelid = c.oid "
                      "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
                      "WHERE c.oid = to_regclass($1) AND a.attnum > 0 AND NOT a.attisdropped "
                      "ORDER BY a.attnum"),
                  {QuoteSqlName(key)});
        std::optional<TableInfo> info;
        for (const Row& row : columns.rows) {
            if (!info) {
                info.emplace();
                info->isView = row[0].toString() == QLatin1String("v");
            }
            ColumnInfo column;
            column.name = row[1].toString();
            column.integer = row[2].toString().contains(QLatin1String("int"));
            column.defaultSql = row[3].toString();
            info->columns.push_back(column);
        }
        found = tables_.emplace(key, std::move(info)).first;
    }
    return found->second ? &*found->second : nullptr;
}

KeyedRow PgConnection::OneKeyedRow(const QString& sql, const std::vector<QVariant>& values) {
    std::vector<KeyedRow> rows = KeyedRows(Query(sql, values));
    if (rows.empty())
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
    return std::move(rows.front());
}

KeyedRow PgConnection::InsertRow(const QString& table, const std::vector<QString>& columns,
                                 const Row& values) {
    QStringList names;
    QStringList marks;
    for (size_t i = 0; i < columns.size(); ++i) {
        names << QuoteSqlName(columns[i]);
        marks << QStringLiteral("$%1").arg(i + 1);
    }
    const QString into = QuoteSqlName(table.toLower());
    return OneKeyedRow(
        names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING ctid, *").arg(into)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING ctid, *")
                  .arg(into, names.join(u','), marks.join(u',')),
        values);
}

KeyedRow PgConnection::UpdateRow(const QString& table, const QVariant& key,
                                 const std::vector<QString>& columns, const Row& values) {
    QStringList assignments;
    for (size_t i = 0; i < columns.size(); ++i)
        assignments << QStringLiteral("%1 = $%2").arg(QuoteSqlName(columns[i])).arg(i + 1);
    Row bound = values;
    bound.push_back(key);
    return OneKeyedRow(QStringLiteral("UPDATE %1 SET %2 WHERE ctid = $%3 RETURNING ctid, *")
                           .arg(QuoteSqlName(table.toLower()), assignments.join(u','))
                           .arg(bound.size()),
                       bound);
}

// The addresses travel as one array, which the server reads with a scan of
// those tuples only.
std::vector<KeyedRow> PgConnection::ReadRows(const QString& table,
                                             const std::vector<QVariant>& keys) {
    QStringList tids;
    for (const QVariant& key : keys)
        tids << u'"' + key.toString() + u'"';
    return KeyedRows(Query(QStringLiteral("SELECT ctid, * FROM %1 WHERE ctid = ANY($1::tid[])")
                               .arg(QuoteSqlName(table.toLower())),
                           {u'{' + tids.join(u',') + u'}'}));
}

} // namespace tabulon
