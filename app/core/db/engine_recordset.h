#pragma once

// A recordset over any engine: the rows of the query are read when it opens
// (and on Requery), so navigation never meets a changing result. A recordset
// on "SELECT * FROM <table>" is updatable through the engine's row address,
// which the translated query puts in front of the columns.

#include "db/dao.h"
#include "db/engine_connection.h"
#include "db/jet_dialect.h"

#include <memory>
#include <optional>
#include <vector>

namespace tabulon {

class EngineRecordset : public Recordset {
public:
    EngineRecordset(std::shared_ptr<EngineConnection> connection, TranslatedSql query);

    bool Eof() const override { return !current_; }
    void MoveFirst() override;
    void MoveNext() override;
    void MoveLast() override;
    void Requery() override;
    Field& Fields(const QString& name) override;
    int FieldCount() const override { return int(names_.size()); }
    Field& Fields(int index) override;
    void AddNew() override;
    void Edit() override;
    void Update() override;

    QString ColumnName(size_t column) const { return names_[column]; }
    QVariant ValueAt(size_t column) const;
    void SetValueAt(size_t column, const QVariant& value);

private:
    enum class EditMode { None, Adding, Editing };

    void Load();
    const TableInfo& Table() const;
    void RequireUpdatable() const;
    void RequireCurrent() const;
    Row ColumnDefaults();
    void ChangedColumns(std::vector<QString>& columns, Row& values) const;

    std::shared_ptr<EngineConnection> connection_;
    TranslatedSql query_;
    std::vector<QString> names_;
    std::vector<Row> rows_;
    std::vector<QVariant> keys_; // row addresses, for updatable recordsets
    std::optional<size_t> current_;
    EditMode mode_ = EditMode::None;
    Row pending_;
    std::vector<bool> changed_;
    std::vector<std::unique_ptr<Field>> fields_;
};

} // namespace tabulon
