#pragma once

// The rows of a query on one table held by their addresses (rowid, ctid) in
// the query's order. The addresses are read in one go; a row's columns only
// when it is looked at, together with the next rows of a forward walk, a few
// more each time. A row that another connection deleted before its columns
// were read reads as deleted (3167), never with the values it had.
// A query that reads its rows whole with their addresses (the server's, whose
// addresses move on every update) keeps them as read.

#include "db/engine_connection.h"

#include <optional>
#include <vector>

namespace tabulon {

class Keyset {
public:
    // `addressSql` reads the addresses of the rows in order, alone or in
    // front of each row's columns.
    Keyset(EngineConnection& connection, QString table, QString addressSql);

    bool IsRead() const { return read_; }
    // Reads the addresses, once; rows appended before stay at the end.
    // Returns how many rows the query gave.
    size_t Read();
    size_t Size() const { return keys_.size(); }
    const QVariant& KeyAt(size_t position) const { return keys_[position]; }
    // The columns of the row at `position`; throws 3167 when the row is gone.
    const Row& RowAt(size_t position);
    // A row added through the recordset joins the end.
    void Append(const QVariant& key);
    // A row changed through the recordset, with its new address.
    void Replace(size_t position, KeyedRow row);

private:
    void Fetch(size_t first);

    EngineConnection& connection_;
    QString table_;
    QString addressSql_;
    bool read_ = false;
    std::vector<QVariant> keys_;
    // The rows last fetched, from windowStart_ on; an empty one is deleted.
    size_t windowStart_ = 0;
    std::vector<std::optional<Row>> window_;
};

} // namespace tabulon
