#pragma once

// A prepared statement: bind, step, read columns as Null-aware values.

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace tabulon {

class SqliteConnection;

class Statement {
public:
    // Prepares exactly one statement; text after it is refused (3142).
    Statement(SqliteConnection& connection, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds values from index 1 on: Null, whole numbers, floating values, text.
    void Bind(int index, const QVariant& value);
    // Advances to the next row; false when the statement is done.
    bool Step();
    int ColumnCount() const;
    QString ColumnName(int column) const;
    // INTEGER storage reads as int (qlonglong beyond its range), TEXT as
    // QString, REAL as double, NULL as an invalid QVariant.
    QVariant Column(int column) const;

private:
    SqliteConnection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace tabulon
