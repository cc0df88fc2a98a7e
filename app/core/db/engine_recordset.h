#pragma once

// A recordset over any engine. On "SELECT * FROM <table>" it holds the keyset
// of the result (the rows' addresses in order), read at the first look at the
// rows and again on Requery, and reads a row's columns when the row is looked
// at; such a recordset is updatable through the row's address, and one opened
// only to add rows reads nothing of the table. Any other query (views, joins,
// aggregates) is read whole when it opens and on Requery.

#include "db/dao.h"
#include "db/engine_connection.h"
#include "db/jet_dialect.h"
#include "db/keyset.h"

#include <memory>
#include <optional>
#include <vector>

namespace tabulon {

class EngineRecordset : public Recordset {
public:
    EngineRecordset(std::shared_ptr<EngineConnection> connection, TranslatedSql query);

    bool Eof() const override;
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
    void LookAtRows() const;
    size_t RowCount() const;
    const Row& CurrentRow() const;
    const TableInfo& Table() const;
    void RequireUpdatable() const;
    void RequireCurrent() const;
    Row ColumnDefaults();
    void ChangedColumns(std::vector<QString>& columns, Row& values) const;

    std::shared_ptr<EngineConnection> connection_;
    TranslatedSql query_;
    std::vector<QString> names_;
    std::unique_ptr<Keyset> keyset_; // updatable recordsets
    std::vector<Row> rows_;          // the others
    // Reading the keyset at the first look may find no rows at all, which
    // ends the position that the recordset opened at.
    mutable std::optional<size_t> current_;
    EditMode mode_ = EditMode::None;
    Row pending_;
    std::vector<bool> changed_;
    std::vector<std::unique_ptr<Field>> fields_;
};

} // namespace tabulon
