#include "db/value_conversion.h"

#include "db/db_error.h"

namespace tabulon {

namespace {

bool IsNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QVariant ToInteger(const QVariant& value, const ColumnInfo& column) {
    if (IsNumber(value))
        return value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value;
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return QVariant(0);
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok)
        throw DbError(kErrConversion,
                      QStringLiteral("フィールド '%1' に数値以外の値 '%2' は書き込めません。")
                          .arg(column.name, text));
    return QVariant(number);
}

} // namespace

QVariant ConvertForColumn(const QVariant& value, const ColumnInfo& column) {
    if (value.isNull())
        return QVariant();
    if (column.integer)
        return ToInteger(value, column);
    if (IsNumber(value))
        return QVariant(value.toString());
    return value;
}

} // namespace tabulon
