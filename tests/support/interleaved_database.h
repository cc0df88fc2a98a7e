#pragma once

// One program's database with a moment in the middle of an operation where
// another program acts: `meanwhile` runs once, just after the first recordset
// of exactly `statement` has read its rows. Everything else goes to the
// database as is.

#include "db/dao.h"

#include <functional>

namespace tabulon::test {

class InterleavedDatabase : public Database {
public:
    InterleavedDatabase(Database& inner, QString statement, std::function<void()> meanwhile)
        : inner_(inner), statement_(std::move(statement)), meanwhile_(std::move(meanwhile)) {}

    std::unique_ptr<Recordset> OpenRecordset(const QString& sql) override {
        std::unique_ptr<Recordset> rs = inner_.OpenRecordset(sql);
        if (meanwhile_ && sql == statement_)
            std::exchange(meanwhile_, {})();
        return rs;
    }
    void Execute(const QString& sql) override { inner_.Execute(sql); }
    std::unique_ptr<Operation> BeginOperation() override { return inner_.BeginOperation(); }
    std::unique_ptr<Operation> BeginGuardedWrite(const QStringList& tables) override {
        return inner_.BeginGuardedWrite(tables);
    }
    // Whether the other program has had its moment.
    bool Interleaved() const { return !meanwhile_; }

private:
    Database& inner_;
    QString statement_;
    std::function<void()> meanwhile_;
};

} // namespace tabulon::test
