#include "db/pg_connection.h"

#include "db/conninfo_mask.h"
#include "db/pg_errors.h"

#include <QRegularExpression>
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

// The statement that met a broken connection: the server's reason (an
// administrator's shutdown, say) where it gave one.
DbError ConnectionLost(PGconn* conn, const PGresult* result = nullptr) {
    const QString message = QString::fromUtf8(PQerrorMessage(conn));
    const char* field = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QString state = field ? QString::fromLatin1(field) : SqlStateInMessage(message);
    const QString text = ServerTextOf(message);
    if (!state.isEmpty())
        return ErrorFromSqlState(state, text);
    return DbError(kErrConnectFailed,
                   QStringLiteral("データベース サーバーとの接続に失敗しました。(%1)").arg(text));
}

DbError TransactionLost() {
    return DbError(kErrConnectFailed,
                   QStringLiteral("データベース サーバーとの接続が途中で切れたため、"
                                  "この処理は取り消されました。"));
}

bool InTransaction(PGconn* conn) {
    const PGTransactionStatusType status = PQtransactionStatus(conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
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

// A broken connection string is quoted back by libpq, so its text goes
// through the password mask.
DbError ConnectFailure(PGconn* conn, const QByteArray& conninfo) {
    if (PQconnectionNeedsPassword(conn))
        return DbError(kErrLoginRefused,
                       QStringLiteral("サーバーがパスワードを求めましたが、パスワード ファイル "
                                      "(~/.pgpass) にありません。"));
    const QString message = QString::fromUtf8(PQerrorMessage(conn));
    const QString text = MaskPasswords(ServerTextOf(message), QString::fromUtf8(conninfo));
    const QString state = SqlStateInMessage(message);
    if (!state.isEmpty())
        return ErrorFromSqlState(state, text);
    return DbError(kErrConnectFailed,
                   QStringLiteral("データベース サーバーに接続できません。(%1)").arg(text));
}

// The sslmode libpq makes of the connection string, the service file and the
// PG* variables, found without reaching the server: an unknown
// target_session_attrs stops libpq once the options are resolved and checked,
// before it opens a socket.
QByteArray ResolvedSslMode(const QByteArray& conninfo) {
    const char* keywords[] = {"dbname", "target_session_attrs", nullptr};
    const char* values[] = {conninfo.constData(), "options-only", nullptr};
    PGconn* probe = PQconnectStartParams(keywords, values, 1);
    if (probe == nullptr)
        return QByteArray();
    const QByteArray sslmode = OptionValue(probe, "sslmode").toUtf8();
    PQfinish(probe);
    return sslmode;
}

// Connects without blocking so that the server's refusal comes back with its
// SQLSTATE (verbose error fields), which tells a refused login from the rest.
// The fields stay verbose, so that a session the server ends says why too.
PGconn* Connect(const QByteArray& conninfo, const QByteArray& sslmode) {
    const bool raise = !sslmode.isEmpty();
    const char* keywords[] = {"dbname", "client_encoding", "application_name",
                              raise ? "sslmode" : nullptr, nullptr};
    const char* values[] = {conninfo.constData(), "UTF8", "tabulon",
                            raise ? sslmode.constData() : nullptr, nullptr};
    PGconn* conn = PQconnectStartParams(keywords, values, 1);
    if (conn == nullptr)
        throw DbError(kErrConnectFailed, QStringLiteral("データベース サーバーに接続できません。"));
    try {
        if (PQstatus(conn) == CONNECTION_BAD)
            throw ConnectFailure(conn, conninfo);
        PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(ConnectTimeoutSeconds(conn));
        PostgresPollingStatusType status = PGRES_POLLING_WRITING;
        while (status != PGRES_POLLING_OK) {
            if (status == PGRES_POLLING_FAILED)
                throw ConnectFailure(conn, conninfo);
            if (!WaitForSocket(conn, status, deadline))
                throw DbError(kErrConnectFailed,
                              QStringLiteral("データベース サーバーが時間内に応答しません。"));
            status = PQconnectPoll(conn);
        }
    } catch (...) {
        PQfinish(conn);
        throw;
    }
    return conn;
}

} // namespace

// TLS is used whenever the server offers it: a weaker sslmode is raised to
// "prefer" before the first connection, so that a login reaches such a server
// over TLS, never first in the clear.
PgConnection::PgConnection(const QString& conninfo) : conninfo_(conninfo.toUtf8()) {
    const QByteArray sslmode = ResolvedSslMode(conninfo_);
    if (sslmode == "disable" || sslmode == "allow")
        sslmode_ = "prefer";
    conn_ = Connect(conninfo_, sslmode_);
    StartSession();
}

void PgConnection::StartSession() {
    // The server's notices (a cascade, an implicit index, the reason of a
    // shutdown already acted on) are no business of the clerk's terminal.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    PrepareSession();
}

// Values are escaped by doubling quotes only, so a backslash must never
// escape anything, whatever the server's configuration says.
void PgConnection::PrepareSession() {
    ResultPtr result(PQexec(conn_, "SET standard_conforming_strings = on"));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        throw ConnectionLost(conn_, result.get());
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

// A session the server has ended while idle (a restart, an administrator's
// termination) has left its farewell and the end of the stream in the
// socket: reading what is there finds it before anything is sent.
bool PgConnection::SessionLost() {
    for (int reads = 0; PQstatus(conn_) == CONNECTION_OK && reads < 8; ++reads) {
        pollfd fd{PQsocket(conn_), POLLIN, 0};
        if (::poll(&fd, 1, 0) <= 0)
            break;
        PQconsumeInput(conn_);
    }
    return PQstatus(conn_) != CONNECTION_OK;
}

void PgConnection::Reconnect() {
    PGconn* fresh = Connect(conninfo_, sslmode_);
    PQfinish(conn_);
    conn_ = fresh;
    tables_.clear();
    StartSession();
    if (sessionSetup_)
        sessionSetup_(*this);
}

PgConnection::StatementKind PgConnection::KindOf(const QString& sql) {
    static const QRegularExpression firstWord(QStringLiteral("^[\\s(]*([A-Za-z]+)"));
    const QString word = firstWord.match(sql).captured(1).toUpper();
    if (word == QLatin1String("BEGIN"))
        return StatementKind::Begin;
    if (word == QLatin1String("COMMIT"))
        return StatementKind::Commit;
    if (word == QLatin1String("ROLLBACK"))
        return StatementKind::Rollback;
    return word == QLatin1String("SELECT") ? StatementKind::Reads : StatementKind::Writes;
}

bool PgConnection::BeforeStatement(StatementKind kind) {
    bool open = PQstatus(conn_) == CONNECTION_OK && InTransaction(conn_);
    if (SessionLost()) {
        transactionLost_ = transactionLost_ || open;
        open = false;
    }
    if (transactionLost_) {
        // The statements of the transaction so far are gone with the session:
        // nothing more of it may run on a new one, and its end is no success.
        if (kind == StatementKind::Reads || kind == StatementKind::Writes)
            throw TransactionLost();
        transactionLost_ = false;
        if (kind == StatementKind::Commit)
            throw TransactionLost();
    }
    if (PQstatus(conn_) != CONNECTION_OK)
        Reconnect();
    return open;
}

PGresult* PgConnection::Run(const QString& sql, const std::vector<QVariant>& values) {
    const StatementKind kind = KindOf(sql);
    const QByteArray text = sql.toUtf8();
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
    for (bool retried = false;; retried = true) {
        const bool inTransaction = BeforeStatement(kind);
        ResultPtr result(PQexecParams(conn_, text.constData(), int(params.size()), nullptr,
                                      params.data(), nullptr, nullptr, 0));
        if (!result || PQstatus(conn_) == CONNECTION_BAD) {
            // Lost while the statement ran: a write may or may not have been
            // done, so only a statement that changes nothing is repeated.
            if (inTransaction && kind != StatementKind::Commit && kind != StatementKind::Rollback)
                transactionLost_ = true;
            else if (!inTransaction && !retried &&
                     (kind == StatementKind::Reads || kind == StatementKind::Begin))
                continue;
            throw ConnectionLost(conn_, result.get());
        }
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
            const char* message = PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY);
            throw ErrorFromSqlState(QString::fromLatin1(state ? state : ""),
                                    QString::fromUtf8(message ? message : PQerrorMessage(conn_)));
        }
        return result.release();
    }
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

// SHARE ROW EXCLUSIVE keeps out every writer, another guarded write too, and
// no reader. The tables are locked in one order so that two guarded writes
// never wait for each other.
void PgConnection::BeginGuarded(const QStringList& tables) {
    QStringList names;
    for (const QString& table : tables)
        names << QuoteSqlName(table.toLower());
    names.sort();
    Begin();
    try {
        Exec(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(names.join(u',')));
    } catch (const DbError&) {
        try {
            Rollback();
        } catch (const DbError&) {
            // A lost connection has ended the transaction already.
        }
        throw;
    }
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
