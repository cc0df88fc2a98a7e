#pragma once

// A database that answers every query with rows given by the test, and
// remembers the statements it was given. Columns the rows lack raise the
// engine's unknown-column error, as the real database does.

#include "db/dao.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace tabulon::test {

using FakeRow = QHash<QString, QVariant>;

class FakeRecordset : public Recordset {
public:
    explicit FakeRecordset(std::vector<FakeRow> rows) : rows_(std::move(rows)) {}

    bool Eof() const override { return at_ >= rows_.size(); }
    void MoveFirst() override { at_ = 0; }
    void MoveNext() override { ++at_; }
    void MoveLast() override { at_ = rows_.empty() ? 0 : rows_.size() - 1; }
    void Requery() override { at_ = 0; }
    Field& Fields(const QString& name) override {
        if (Eof())
            throw DbError(kErrNoCurrentRecord, QStringLiteral("カレント レコードがありません。"));
        if (!rows_[at_].contains(name))
            throw DbError(3265, QStringLiteral("項目 %1 がありません。").arg(name));
        field_.name = name;
        field_.value = rows_[at_].value(name);
        return field_;
    }
    int FieldCount() const override { return rows_.empty() ? 0 : int(rows_[0].size()); }
    Field& Fields(int) override { throw DbError(3265, QStringLiteral("not used")); }
    void AddNew() override {}
    void Edit() override {}
    void Update() override {}

private:
    struct FakeField : Field {
        QString name;
        QVariant value;
        QString Name() const override { return name; }
        QVariant Value() const override { return value; }
        void SetValue(const QVariant& v) override { value = v; }
    };
    std::vector<FakeRow> rows_;
    std::size_t at_ = 0;
    FakeField field_;
};

class FakeDatabase : public Database {
public:
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql) override {
        statements << sql;
        return std::make_unique<FakeRecordset>(rows);
    }
    void Execute(const QString& sql) override { statements << sql; }

    std::vector<FakeRow> rows;
    QStringList statements;
};

} // namespace tabulon::test
