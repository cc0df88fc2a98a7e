#pragma once

// A small DAO-like object model: the operations the screens use, over an
// encrypted SQLCipher file or a PostgreSQL server. Every failure is thrown as
// DbError.

#include "db/db_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace tabulon {

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

// A multi-statement operation that must not stay half done. Commit ends it;
// dropping it uncommitted undoes its statements where the engine runs it as a
// transaction.
class Operation {
public:
    virtual ~Operation() = default;
    virtual void Commit() {}
};

class Database {
public:
    virtual ~Database() = default;
    // SELECT in the Jet dialect; the rows in ORDER BY order.
    virtual std::unique_ptr<Recordset> OpenRecordset(const QString& sql) = 0;
    // DELETE, INSERT ... SELECT, UPDATE in the Jet dialect.
    virtual void Execute(const QString& sql) = 0;
    // One transaction on a server shared by several clerks; on the file each
    // statement stands on its own, as before.
    virtual std::unique_ptr<Operation> BeginOperation() { return std::make_unique<Operation>(); }
    // A write whose checks must still hold when it ends: from here to Commit no
    // other terminal writes `tables` (readers never wait), so what is read in
    // between stays as stored. On both engines one transaction: the file takes
    // its write lock, the server locks the tables against other writers.
    virtual std::unique_ptr<Operation> BeginGuardedWrite(const QStringList& tables) {
        Q_UNUSED(tables);
        return BeginOperation();
    }
};

namespace DBEngine {
// Writes a compacted, encrypted copy of source under destination; the source is
// left untouched. `connect` is ";PWD=password".
void CompactDatabase(const QString& source, const QString& destination, const QString& connect);
// Opens an existing database; never creates one. `connect` is "MS Access;PWD=password".
std::unique_ptr<Database> OpenDatabase(const QString& name, bool exclusive, bool readOnly,
                                       const QString& connect);
// Opens the database on a PostgreSQL server; `conninfo` is a libpq connection
// string or URI. Throws 3151 (server unreachable), 3029 (login refused), 3024
// (no such database) or 3078 (the database holds no schema of this program).
std::unique_ptr<Database> OpenServerDatabase(const QString& conninfo);
} // namespace DBEngine

} // namespace tabulon
