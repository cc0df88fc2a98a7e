// Rewriting of Jet statements works on tokens: text between quotes is never
// taken for keywords or names.

#include "db/db_error.h"
#include "db/jet_dialect.h"

#include <gtest/gtest.h>

using namespace tabulon;

namespace {

TranslatedSql Translate(const QString& sql) {
    static TableInfo table{false,
                           {{QStringLiteral("a"), false, {}}, {QStringLiteral("b"), true, {}}}};
    return TranslateJetSql(sql, [](const QString& name) -> const TableInfo* {
        return name.startsWith(QLatin1String("T")) ? &table : nullptr;
    });
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
