#include "db/engine_recordset.h"

#include "db/value_conversion.h"

#include <QStringList>

namespace tabulon {

namespace {

class RecordsetField : public Field {
public:
    RecordsetField(EngineRecordset& owner, size_t column) : owner_(owner), column_(column) {}
    QString Name() const override { return owner_.ColumnName(column_); }
    QVariant Value() const override { return owner_.ValueAt(column_); }
    void SetValue(const QVariant& value) override { owner_.SetValueAt(column_, value); }

private:
    EngineRecordset& owner_;
    size_t column_;
};

DbError NoCurrentRecord() {
    return DbError(kErrNoCurrentRecord, QStringLiteral("カレント レコードがありません。"));
}

} // namespace

EngineRecordset::EngineRecordset(std::shared_ptr<EngineConnection> connection, TranslatedSql query)
    : connection_(std::move(connection)), query_(std::move(query)) {
    if (!query_.updatableTable.isEmpty())
        for (const ColumnInfo& column : Table().columns)
            names_.push_back(column.name);
    Load();
    for (size_t i = 0; i < names_.size(); ++i)
        fields_.push_back(std::make_unique<RecordsetField>(*this, i));
}

void EngineRecordset::Load() {
    mode_ = EditMode::None;
    if (!query_.updatableTable.isEmpty()) {
        keyset_ = std::make_unique<Keyset>(*connection_, query_.updatableTable, query_.sql);
        current_ = 0;
        return;
    }
    QueryResult result = connection_->Query(query_.sql);
    names_ = std::move(result.names);
    rows_ = std::move(result.rows);
    current_ = rows_.empty() ? std::nullopt : std::optional<size_t>(0);
}

// Rows added before the keyset was read are not what the query gave: as
// everywhere else they join the end, and the position stays where it was.
void EngineRecordset::LookAtRows() const {
    if (keyset_ && !keyset_->IsRead() && keyset_->Read() == 0)
        current_.reset();
}

size_t EngineRecordset::RowCount() const {
    LookAtRows();
    return keyset_ ? keyset_->Size() : rows_.size();
}

const Row& EngineRecordset::CurrentRow() const {
    RequireCurrent();
    return keyset_ ? keyset_->RowAt(*current_) : rows_[*current_];
}

bool EngineRecordset::Eof() const {
    LookAtRows();
    return !current_;
}

void EngineRecordset::MoveFirst() {
    mode_ = EditMode::None;
    if (RowCount() == 0)
        throw NoCurrentRecord();
    current_ = 0;
}

void EngineRecordset::MoveNext() {
    mode_ = EditMode::None;
    RequireCurrent();
    current_ = *current_ + 1 < RowCount() ? std::optional<size_t>(*current_ + 1) : std::nullopt;
}

void EngineRecordset::MoveLast() {
    mode_ = EditMode::None;
    if (RowCount() == 0)
        throw NoCurrentRecord();
    current_ = RowCount() - 1;
}

void EngineRecordset::Requery() {
    Load();
}

Field& EngineRecordset::Fields(const QString& name) {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return *fields_[i];
    throw DbError(kErrItemNotFound,
                  QStringLiteral("このコレクションにアイテム '%1' がありません。").arg(name));
}

Field& EngineRecordset::Fields(int index) {
    if (index < 0 || size_t(index) >= fields_.size())
        throw DbError(
            kErrItemNotFound,
            QStringLiteral("このコレクションに %1 番目のアイテムがありません。").arg(index));
    return *fields_[size_t(index)];
}

QVariant EngineRecordset::ValueAt(size_t column) const {
    if (mode_ != EditMode::None)
        return pending_[column];
    return CurrentRow()[column];
}

void EngineRecordset::SetValueAt(size_t column, const QVariant& value) {
    RequireUpdatable();
    if (mode_ == EditMode::None)
        throw DbError(kErrUpdateWithoutEdit,
                      QStringLiteral("AddNew または Edit を実行せずに値を書き込もうとしました。"));
    const ColumnInfo& info = Table().columns[*Table().IndexOf(names_[column])];
    pending_[column] = ConvertForColumn(value, info);
    changed_[column] = true;
}

void EngineRecordset::AddNew() {
    RequireUpdatable();
    pending_ = ColumnDefaults();
    changed_.assign(names_.size(), false);
    mode_ = EditMode::Adding;
}

void EngineRecordset::Edit() {
    RequireUpdatable();
    pending_ = CurrentRow();
    changed_.assign(names_.size(), false);
    mode_ = EditMode::Editing;
}

// A failed write keeps the edit under way, as the engine the screens were
// written for does, so nothing the caller set is lost.
void EngineRecordset::Update() {
    if (mode_ == EditMode::None)
        throw DbError(kErrUpdateWithoutEdit,
                      QStringLiteral("AddNew または Edit を実行せずに Update を実行しました。"));
    std::vector<QString> columns;
    Row values;
    ChangedColumns(columns, values);
    if (mode_ == EditMode::Adding) {
        // Added rows join the end of the recordset; the current row stays.
        keyset_->Append(connection_->InsertRow(query_.updatableTable, columns, values).key);
    } else if (!columns.empty()) {
        keyset_->Replace(*current_,
                         connection_->UpdateRow(query_.updatableTable, keyset_->KeyAt(*current_),
                                                columns, values));
    }
    mode_ = EditMode::None;
}

void EngineRecordset::ChangedColumns(std::vector<QString>& columns, Row& values) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (!changed_[i])
            continue;
        columns.push_back(names_[i]);
        values.push_back(pending_[i]);
    }
}

// The values a new row starts with, so that a caller can read a column it has
// not written yet (a figure that is then added to).
Row EngineRecordset::ColumnDefaults() {
    QStringList expressions;
    for (const QString& name : names_) {
        const QString sql = Table().columns[*Table().IndexOf(name)].defaultSql;
        expressions << (sql.isEmpty() ? QStringLiteral("NULL") : sql);
    }
    return connection_->Query(QStringLiteral("SELECT ") + expressions.join(u',')).rows.front();
}

const TableInfo& EngineRecordset::Table() const {
    return *connection_->FindTable(query_.updatableTable);
}

void EngineRecordset::RequireUpdatable() const {
    if (query_.updatableTable.isEmpty())
        throw DbError(kErrReadOnly, QStringLiteral("このレコードセットは更新できません。"));
}

void EngineRecordset::RequireCurrent() const {
    LookAtRows();
    if (!current_)
        throw NoCurrentRecord();
}

} // namespace tabulon
