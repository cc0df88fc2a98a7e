#include "db/schema.h"

#include "db/engine_database.h"
#include "db/sqlite_connection.h"

#include <QFile>

namespace tabulon {

namespace {

// Claim figures: section, then the 12 stems of a row, each for rows 1 to 5.
const QStringList kClaimSections = {QStringLiteral("一般"), QStringLiteral("退職")};
const QStringList kClaimStems = {
    QStringLiteral("療養_入院_件数"), QStringLiteral("療養_入院_実日数"),
    QStringLiteral("療養_入院_点数"), QStringLiteral("療養_入院_負担金"),
    QStringLiteral("食事_件数"),      QStringLiteral("食事_日数"),
    QStringLiteral("食事_金額"),      QStringLiteral("食事_負担額"),
    QStringLiteral("療養_外来_件数"), QStringLiteral("療養_外来_実日数"),
    QStringLiteral("療養_外来_点数"), QStringLiteral("療養_外来_負担金"),
};
constexpr int kClaimRows = 5;

// Summary lines: section, then 入院/外来 with four figures each.
const QStringList kSummarySections = {QStringLiteral("一般"), QStringLiteral("退職"),
                                      QStringLiteral("老人")};
const QStringList kSummaryStems = {
    QStringLiteral("入院_件数"), QStringLiteral("入院_実日数"), QStringLiteral("入院_点数"),
    QStringLiteral("入院_食事"), QStringLiteral("外来_件数"),   QStringLiteral("外来_実日数"),
    QStringLiteral("外来_点数"), QStringLiteral("外来_食事"),
};

QStringList ClaimFigureColumns() {
    QStringList columns;
    for (const QString& section : kClaimSections)
        for (const QString& stem : kClaimStems)
            for (int n = 1; n <= kClaimRows; ++n)
                columns << section + u'_' + stem + u'_' + QString::number(n);
    return columns;
}

QStringList SummaryFigureColumns() {
    QStringList columns;
    for (const QString& section : kSummarySections)
        for (const QString& stem : kSummaryStems)
            columns << section + u'_' + stem;
    return columns;
}

enum class Purpose { Stored, Work };

// Text compares and sorts by code point on both engines: SQLite's binary
// order is the byte order of UTF-8, which is PostgreSQL's "C" collation
// whatever the server's own locale.
QString TextType(SqlTarget target) {
    return target == SqlTarget::Postgres ? QStringLiteral("TEXT COLLATE \"C\"")
                                         : QStringLiteral("TEXT");
}

// The whole number that a typed figure stands for: leading digits, and 0 for
// an empty box, as SQLite's CAST reads text.
QString NumberOfText(const QString& column, SqlTarget target) {
    if (target == SqlTarget::Postgres)
        return QStringLiteral(
                   "COALESCE(CAST(substring(%1 FROM '^\\s*([-+]?[0-9]+)') AS bigint), 0)")
            .arg(column);
    return QStringLiteral("CAST(%1 AS INTEGER)").arg(column);
}

// Stored rows must name their whole key; work rows are filled piecemeal (the
// summary work table gets no month), so their key columns have defaults.
QString KeyColumn(const QString& name, const QString& type, Purpose purpose) {
    if (purpose == Purpose::Work)
        return name + u' ' + type +
               (type == QLatin1String("INTEGER") ? QStringLiteral(" NOT NULL DEFAULT 0")
                                                 : QStringLiteral(" NOT NULL DEFAULT ''"));
    return name + u' ' + type + QStringLiteral(" NOT NULL");
}

// What the clerk typed is kept as text, leading zeros and empty boxes included.
QString ClaimTable(const QString& name, Purpose purpose, SqlTarget target) {
    const QString text = TextType(target);
    const QString typedText = u' ' + text + QStringLiteral(" NOT NULL DEFAULT ''");
    QStringList defs = {
        KeyColumn(QStringLiteral("年月"), text, purpose),
        KeyColumn(QStringLiteral("保険者番号"), text, purpose),
        QStringLiteral("診療科") + typedText,
        KeyColumn(QStringLiteral("請求書種類"), text, purpose),
        KeyColumn(QStringLiteral("連番"), QStringLiteral("INTEGER"), purpose),
        QStringLiteral("福祉件数") + typedText,
        QStringLiteral("公費件数") + typedText,
    };
    for (const QString& column : ClaimFigureColumns())
        defs << column + typedText;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, defs.join(QStringLiteral(", ")));
}

QString SummaryTable(const QString& name, Purpose purpose, SqlTarget target) {
    const QString text = TextType(target);
    QStringList defs = {
        KeyColumn(QStringLiteral("年月"), text, purpose),
        KeyColumn(QStringLiteral("保険者番号"), text, purpose),
        QStringLiteral("診療科 ") + text + QStringLiteral(" NOT NULL DEFAULT ''"),
        KeyColumn(QStringLiteral("総括表種類"), text, purpose),
        KeyColumn(QStringLiteral("連番"), QStringLiteral("INTEGER"), purpose),
    };
    // The work table also knows the claim kind a line was totalled from.
    if (purpose == Purpose::Work)
        defs << QStringLiteral("請求書種類 ") + text + QStringLiteral(" NOT NULL DEFAULT ''");
    defs << QStringLiteral("保険者名 ") + text + QStringLiteral(" DEFAULT ''");
    for (const QString& column : SummaryFigureColumns())
        defs << column + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
    defs << QStringLiteral("公費件数 INTEGER NOT NULL DEFAULT 0")
         << QStringLiteral("福祉件数 INTEGER NOT NULL DEFAULT 0");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, defs.join(QStringLiteral(", ")));
}

// Sum of rows 1 to 5 of a claim column family, empty text counting 0.
QString ClaimRowSum(const QString& section, const QString& stem, SqlTarget target) {
    QStringList terms;
    for (int n = 1; n <= kClaimRows; ++n)
        terms << NumberOfText(QStringLiteral("%1_%2_%3").arg(section, stem).arg(n), target);
    return terms.join(QStringLiteral(" + "));
}

QString ClaimTotalsView(SqlTarget target) {
    QStringList columns = {QStringLiteral("年月"), QStringLiteral("保険者番号"),
                           QStringLiteral("診療科"), QStringLiteral("請求書種類"),
                           QStringLiteral("連番")};
    const QList<std::pair<QString, QString>> totals = {
        {QStringLiteral("入院_件数"), QStringLiteral("療養_入院_件数")},
        {QStringLiteral("入院_実日数"), QStringLiteral("療養_入院_実日数")},
        {QStringLiteral("入院_点数"), QStringLiteral("療養_入院_点数")},
        {QStringLiteral("食事_金額"), QStringLiteral("食事_金額")},
        {QStringLiteral("外来_件数"), QStringLiteral("療養_外来_件数")},
        {QStringLiteral("外来_実日数"), QStringLiteral("療養_外来_実日数")},
        {QStringLiteral("外来_点数"), QStringLiteral("療養_外来_点数")},
    };
    for (const QString& section : kClaimSections)
        for (const auto& [total, stem] : totals)
            columns << QStringLiteral("(%1) AS %2_%3")
                           .arg(ClaimRowSum(section, stem, target), section, total);
    columns << NumberOfText(QStringLiteral("公費件数"), target) +
                   QStringLiteral(" AS 公費件数_合計")
            << NumberOfText(QStringLiteral("福祉件数"), target) +
                   QStringLiteral(" AS 福祉件数_合計");
    return QStringLiteral("CREATE VIEW Q_総括明細 AS SELECT %1 FROM T_請求書")
        .arg(columns.join(QStringLiteral(", ")));
}

} // namespace

QString SummaryTotalsView(bool temporary) {
    QStringList columns = {QStringLiteral("総括表種類")};
    for (const QString& column : SummaryFigureColumns())
        if (!column.endsWith(QStringLiteral("外来_食事")))
            columns << QStringLiteral("SUM(CAST(%1 AS INTEGER)) AS %1_合計").arg(column);
    columns << QStringLiteral("SUM(CAST(公費件数 AS INTEGER)) AS 公費件数_合計")
            << QStringLiteral("SUM(CAST(福祉件数 AS INTEGER)) AS 福祉件数_合計");
    return QStringLiteral("CREATE %1VIEW Q_総括表 AS SELECT %2 FROM WK_総括表明細 "
                          "GROUP BY 総括表種類 ORDER BY 総括表種類")
        .arg(temporary ? QStringLiteral("TEMPORARY ") : QString(),
             columns.join(QStringLiteral(", ")));
}

QStringList SchemaStatements(SqlTarget target) {
    const QString text = TextType(target);
    return {
        ClaimTable(QStringLiteral("T_請求書"), Purpose::Stored, target),
        QStringLiteral("CREATE UNIQUE INDEX T_請求書_キー ON T_請求書 "
                       "(年月, 保険者番号, 診療科, 請求書種類, 連番)"),
        SummaryTable(QStringLiteral("T_総括表明細"), Purpose::Stored, target),
        QStringLiteral("CREATE UNIQUE INDEX T_総括表明細_キー ON T_総括表明細 "
                       "(年月, 保険者番号, 診療科, 総括表種類, 連番)"),
        QStringLiteral("CREATE TABLE T_年月 (年月 %1 NOT NULL)").arg(text),
        QStringLiteral("CREATE UNIQUE INDEX T_年月_キー ON T_年月 (年月)"),
        ClaimTable(QStringLiteral("WK_請求書"), Purpose::Work, target),
        SummaryTable(QStringLiteral("WK_総括表明細"), Purpose::Work, target),
        QStringLiteral("CREATE VIEW Q_年 AS SELECT DISTINCT substr(年月, 1, 2) AS 年 "
                       "FROM T_年月 ORDER BY 年"),
        QStringLiteral("CREATE VIEW Q_月 AS SELECT substr(年月, 1, 2) AS 年, "
                       "substr(年月, 3, 2) AS 月 FROM T_年月"),
        ClaimTotalsView(target),
        SummaryTotalsView(false),
    };
}

std::unique_ptr<Database> CreateDatabase(const QString& path, const QString& password) {
    auto connection = std::make_shared<SqliteConnection>(path, password, OpenMode::CreateNew);
    try {
        connection->Exec(QStringLiteral("BEGIN"));
        for (const QString& statement : SchemaStatements())
            connection->Exec(statement);
        connection->Exec(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        connection.reset();
        QFile::remove(path);
        throw;
    }
    return std::make_unique<EngineDatabase>(std::move(connection));
}

} // namespace tabulon
