// Rewriting of Jet statements works on tokens: text between quotes is never
// taken for keywords or names.

#include "db/db_error.h"
#include "db/jet_dialect.h"

#include <gtest/gtest.h>

using namespace tabulon;

namespace {

TranslatedSql Translate(const QString& sql, SqlTarget target = SqlTarget::Sqlite) {
    static TableInfo table{false,
                           {{QStringLiteral("a"), false, {}}, {QStringLiteral("b"), true, {}}}};
    return TranslateJetSql(
        sql,
        [](const QString& name) -> const TableInfo* {
            return name.startsWith(QLatin1String("T")) ? &table : nullptr;
        },
        target);
}

QString ForServer(const QString& sql) {
    return Translate(sql, SqlTarget::Postgres).sql;
}

TEST(SqlDialect, RewritesOnlyOutsideQuotes) {
    EXPECT_EQ(Translate(QStringLiteral("DELETE * From T where a = 'DELETE * FROM T'")).sql,
              QStringLiteral("DELETE  From T where a = 'DELETE * FROM T'"));
    EXPECT_EQ(Translate(QStringLiteral("DELETE T.* FROM T;")).sql,
              QStringLiteral("DELETE  FROM T"));
    EXPECT_EQ(Translate(QStringLiteral("UPDATE T SET T.a = 'T.a' WHERE t.b = 1")).sql,
              QStringLiteral("UPDATE T SET a = 'T.a' WHERE b = 1"));
    EXPECT_EQ(Translate(QStringLiteral("SELECT a From T where a = 'x;y'")).sql,
              QStringLiteral("SELECT a From T where a = 'x;y'"));
}

TEST(SqlDialect, OnlySingleTableSelectAllIsUpdatable) {
    EXPECT_EQ(Translate(QStringLiteral("SELECT * From T Where a = '1'")).updatableTable,
              QStringLiteral("T"));
    EXPECT_TRUE(Translate(QStringLiteral("SELECT a From T")).updatableTable.isEmpty());
    EXPECT_TRUE(Translate(QStringLiteral("SELECT * From Q")).updatableTable.isEmpty());
    EXPECT_TRUE(Translate(QStringLiteral("SELECT * From T GROUP BY a")).updatableTable.isEmpty());
}

TEST(SqlDialect, InsertSelectAllNamesTheColumns) {
    EXPECT_EQ(Translate(QStringLiteral("INSERT INTO T2 SELECT T1.* FROM T1 WHERE T1.a = '1'")).sql,
              QStringLiteral("INSERT INTO T2 (\"a\", \"b\") SELECT T1.\"a\", T1.\"b\" FROM T1 "
                             "WHERE T1.a = '1'"));
}

TEST(SqlDialect, MalformedTextIsRefusedWithANumber) {
    for (const auto& [sql, number] :
         {std::pair{QStringLiteral("SELECT * From T where a = 'open"), int(kErrSyntax)},
          std::pair{QStringLiteral("SELECT * From T /* x */"), int(kErrSyntax)},
          std::pair{QStringLiteral("SELECT 1; SELECT 2"), int(kErrTextAfterStatement)},
          std::pair{QStringLiteral("PRAGMA key = 'x'"), int(kErrInvalidStatement)},
          std::pair{QString(), int(kErrInvalidStatement)}}) {
        try {
            Translate(sql);
            ADD_FAILURE() << sql.toStdString();
        } catch (const DbError& e) {
            EXPECT_EQ(e.Number(), number) << sql.toStdString();
        }
    }
}

} // namespace

namespace {

// PostgreSQL has no Mid, and a format() of its own that would take the
// insurer number for the format string.
TEST(SqlDialectForServer, JetFunctionsBecomeTheServersOwn) {
    EXPECT_EQ(ForServer(QStringLiteral("SELECT * From T ORDER BY Mid(Format(a,'@@@@@@@@'),3,6)")),
              QStringLiteral("SELECT ctid From T ORDER BY substr(lpad(CAST(a AS text), "
                             "greatest(8, char_length(CAST(a AS text)))),3,6)"));
    EXPECT_EQ(ForServer(QStringLiteral("SELECT mid(a, 2) From T where a = 'Mid(x)'")),
              QStringLiteral("SELECT substr(a, 2) From T where a = 'Mid(x)'"));
    EXPECT_EQ(ForServer(QStringLiteral("SELECT Format(Format(a, '@@'), '@@@') From T")),
              QStringLiteral("SELECT lpad(CAST(lpad(CAST(a AS text), greatest(2, "
                             "char_length(CAST(a AS text)))) AS text), greatest(3, "
                             "char_length(CAST(lpad(CAST(a AS text), greatest(2, "
                             "char_length(CAST(a AS text)))) AS text)))) From T"));
    // A column that happens to be called Format is no call.
    EXPECT_EQ(ForServer(QStringLiteral("SELECT Format From T")),
              QStringLiteral("SELECT Format From T"));
}

TEST(SqlDialectForServer, BracketedNamesAreFoldedAsTheServerFoldsBareOnes) {
    EXPECT_EQ(ForServer(QStringLiteral("SELECT [a] From [T_Table] WHERE `B` = 1")),
              QStringLiteral("SELECT \"a\" From \"t_table\" WHERE \"b\" = 1"));
}

TEST(SqlDialectForServer, TheJetStatementsAreRewrittenAsForTheFile) {
    EXPECT_EQ(ForServer(QStringLiteral("DELETE T.* FROM T;")), QStringLiteral("DELETE  FROM T"));
    EXPECT_EQ(ForServer(QStringLiteral("UPDATE T SET T.a = '1'")),
              QStringLiteral("UPDATE T SET a = '1'"));
    EXPECT_EQ(
        Translate(QStringLiteral("INSERT INTO T SELECT T2.* FROM T2"), SqlTarget::Postgres).sql,
        Translate(QStringLiteral("INSERT INTO T SELECT T2.* FROM T2")).sql);
}

TEST(SqlDialectForServer, FormatTakesOnlyAtSignPatterns) {
    for (const char* sql : {"SELECT Format(a, 'yyyy') From T", "SELECT Format(a, '@@', 1) From T",
                            "SELECT Format(a, '@@' From T"})
        try {
            ForServer(QString::fromUtf8(sql));
            ADD_FAILURE() << sql;
        } catch (const DbError& e) {
            EXPECT_EQ(e.Number(), kErrSyntax) << sql;
        }
}

} // namespace
