#include "db/sqlite_recordset.h"

#include "db/sqlite_statement.h"
#include "db/value_conversion.h"

#include <QStringList>
#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

class RecordsetField : public Field {
public:
    RecordsetField(SqliteRecordset& owner, size_t column) : owner_(owner), column_(column) {}
    QString Name() const override { return owner_.ColumnName(column_); }
    QVariant Value() const override { return owner_.ValueAt(column_); }
    void SetValue(const QVariant& value) override { owner_.SetValueAt(column_, value); }

private:
    SqliteRecordset& owner_;
    size_t column_;
};

QString QuoteName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

DbError NoCurrentRecord() {
    return DbError(kErrNoCurrentRecord, QStringLiteral("カレント レコードがありません。"));
}

} // namespace

SqliteRecordset::SqliteRecordset(std::shared_ptr<Connection> connection, TranslatedSql query)
    : connection_(std::move(connection)), query_(std::move(query)) {
    Load();
    for (size_t i = 0; i < names_.size(); ++i)
        fields_.push_back(std::make_unique<RecordsetField>(*this, i));
}

void SqliteRecordset::Load() {
    Statement statement(*connection_, query_.sql);
    const int first = query_.updatableTable.isEmpty() ? 0 : 1; // column 0 is the rowid
    names_.clear();
    for (int i = first; i < statement.ColumnCount(); ++i)
        names_.push_back(statement.ColumnName(i));
    rows_.clear();
    rowids_.clear();
    while (statement.Step()) {
        Row row;
        row.reserve(names_.size());
        for (int i = first; i < statement.ColumnCount(); ++i)
            row.push_back(statement.Column(i));
        rows_.push_back(std::move(row));
        if (first == 1)
            rowids_.push_back(statement.Column(0).toLongLong());
    }
    current_ = rows_.empty() ? std::nullopt : std::optional<size_t>(0);
    mode_ = EditMode::None;
}

void SqliteRecordset::MoveFirst() {
    mode_ = EditMode::None;
    if (rows_.empty())
        throw NoCurrentRecord();
    current_ = 0;
}

void SqliteRecordset::MoveNext() {
    mode_ = EditMode::None;
    RequireCurrent();
    current_ = *current_ + 1 < rows_.size() ? std::optional<size_t>(*current_ + 1) : std::nullopt;
}

void SqliteRecordset::MoveLast() {
    mode_ = EditMode::None;
    if (rows_.empty())
        throw NoCurrentRecord();
    current_ = rows_.size() - 1;
}

void SqliteRecordset::Requery() {
    Load();
}

Field& SqliteRecordset::Fields(const QString& name) {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return *fields_[i];
    throw DbError(kErrItemNotFound,
                  QStringLiteral("このコレクションにアイテム '%1' がありません。").arg(name));
}

Field& SqliteRecordset::Fields(int index) {
    if (index < 0 || size_t(index) >= fields_.size())
        throw DbError(
            kErrItemNotFound,
            QStringLiteral("このコレクションに %1 番目のアイテムがありません。").arg(index));
    return *fields_[size_t(index)];
}

QVariant SqliteRecordset::ValueAt(size_t column) const {
    if (mode_ != EditMode::None)
        return pending_[column];
    RequireCurrent();
    return rows_[*current_][column];
}

void SqliteRecordset::SetValueAt(size_t column, const QVariant& value) {
    RequireUpdatable();
    if (mode_ == EditMode::None)
        throw DbError(kErrUpdateWithoutEdit,
                      QStringLiteral("AddNew または Edit を実行せずに値を書き込もうとしました。"));
    const ColumnInfo& info = Table().columns[*Table().IndexOf(names_[column])];
    pending_[column] = ConvertForColumn(value, info);
    changed_[column] = true;
}

void SqliteRecordset::AddNew() {
    RequireUpdatable();
    pending_ = ColumnDefaults();
    changed_.assign(names_.size(), false);
    mode_ = EditMode::Adding;
}

void SqliteRecordset::Edit() {
    RequireUpdatable();
    RequireCurrent();
    pending_ = rows_[*current_];
    changed_.assign(names_.size(), false);
    mode_ = EditMode::Editing;
}

// A failed write keeps the edit under way, as the engine the screens were
// written for does, so nothing the caller set is lost.
void SqliteRecordset::Update() {
    if (mode_ == EditMode::None)
        throw DbError(kErrUpdateWithoutEdit,
                      QStringLiteral("AddNew または Edit を実行せずに Update を実行しました。"));
    if (mode_ == EditMode::Adding) {
        const qint64 rowid = InsertPending();
        // Added rows join the end of the recordset; the current row stays.
        rows_.push_back(ReadRow(rowid));
        rowids_.push_back(rowid);
    } else {
        UpdatePending();
        rows_[*current_] = ReadRow(rowids_[*current_]);
    }
    mode_ = EditMode::None;
}

qint64 SqliteRecordset::InsertPending() {
    QStringList columns;
    QStringList marks;
    std::vector<QVariant> values;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (!changed_[i])
            continue;
        columns << QuoteName(names_[i]);
        marks << QStringLiteral("?");
        values.push_back(pending_[i]);
    }
    const QString table = QuoteName(query_.updatableTable);
    connection_->Exec(columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, columns.join(u','), marks.join(u',')),
                      values);
    return sqlite3_last_insert_rowid(connection_->handle());
}

void SqliteRecordset::UpdatePending() {
    QStringList assignments;
    std::vector<QVariant> values;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (!changed_[i])
            continue;
        assignments << QuoteName(names_[i]) + QStringLiteral(" = ?");
        values.push_back(pending_[i]);
    }
    if (assignments.isEmpty())
        return;
    values.push_back(rowids_[*current_]);
    connection_->Exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                          .arg(QuoteName(query_.updatableTable), assignments.join(u',')),
                      values);
    if (sqlite3_changes(connection_->handle()) == 0)
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
}

SqliteRecordset::Row SqliteRecordset::ReadRow(qint64 rowid) {
    Statement statement(
        *connection_,
        QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(QuoteName(query_.updatableTable)));
    statement.Bind(1, rowid);
    if (!statement.Step())
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
    Row row;
    for (int i = 0; i < statement.ColumnCount(); ++i)
        row.push_back(statement.Column(i));
    return row;
}

// The values a new row starts with, so that a caller can read a column it has
// not written yet (a figure that is then added to).
SqliteRecordset::Row SqliteRecordset::ColumnDefaults() {
    QStringList expressions;
    for (const QString& name : names_) {
        const QString sql = Table().columns[*Table().IndexOf(name)].defaultSql;
        expressions << (sql.isEmpty() ? QStringLiteral("NULL") : sql);
    }
    Statement statement(*connection_, QStringLiteral("SELECT ") + expressions.join(u','));
    statement.Step();
    Row row;
    for (int i = 0; i < statement.ColumnCount(); ++i)
        row.push_back(statement.Column(i));
    return row;
}

const TableInfo& SqliteRecordset::Table() const {
    return *connection_->FindTable(query_.updatableTable);
}

void SqliteRecordset::RequireUpdatable() const {
    if (query_.updatableTable.isEmpty())
        throw DbError(kErrReadOnly, QStringLiteral("このレコードセットは更新できません。"));
}

void SqliteRecordset::RequireCurrent() const {
    if (!current_)
        throw NoCurrentRecord();
}

} // namespace tabulon
