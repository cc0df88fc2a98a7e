#pragma once

// A small DAO-like object model over SQLCipher: the operations the screens use.
// Every failure is thrown as DbError.

#include "db/db_error.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace tabulon {

class RecordsetImpl;
class DatabaseImpl;

// A column of the current row. An invalid (null) QVariant is the database Null.
class Field {
public:
    virtual ~Field() = default;
    virtual QString Name() const = 0;
    virtual QVariant Value() const = 0;
    virtual void SetValue(const QVariant& value) = 0;
    // The value as text; Null reads as an empty string.
    QString Text() const { return Value().isNull() ? QString() : Value().toString(); }
};

class Recordset {
public:
    virtual ~Recordset() = default;
    // True when there is no current row (at once when nothing matched).
    virtual bool Eof() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void MoveLast() = 0;
    virtual void Requery() = 0;
    // Throws DbError 3265-like (unknown column) or 3021 (no current row).
    virtual Field& Fields(const QString& name) = 0;
    virtual int FieldCount() const = 0;
    virtual Field& Fields(int index) = 0;
    // Starts a new row (columns at their defaults) or edits the current row;
    // Update writes it. Only recordsets on one table can be updated.
    virtual void AddNew() = 0;
    virtual void Edit() = 0;
    virtual void Update() = 0;
};

class Database {
public:
    virtual ~Database() = default;
    // SELECT in the Jet dialect; the rows in ORDER BY order.
    virtual std::unique_ptr<Recordset> OpenRecordset(const QString& sql) = 0;
    // DELETE, INSERT ... SELECT, UPDATE in the Jet dialect.
    virtual void Execute(const QString& sql) = 0;
};

namespace DBEngine {
// Writes a compacted, encrypted copy of source under destination; the source is
// left untouched. `connect` is ";PWD=password".
void CompactDatabase(const QString& source, const QString& destination, const QString& connect);
// Opens an existing database; never creates one. `connect` is "MS Access;PWD=password".
std::unique_ptr<Database> OpenDatabase(const QString& name, bool exclusive, bool readOnly,
                                       const QString& connect);
} // namespace DBEngine

} // namespace tabulon
