#include "json_reader.h"

#include <QJsonArray>

namespace tabulon {

JsonReader::JsonReader(const QJsonObject& object, QString place)
    : object_(object), place_(std::move(place)) {}

void JsonReader::Fail(const QString& message) const {
    throw LayoutSyntaxError(place_.isEmpty() ? message : place_ + QStringLiteral(": ") + message);
}

const QJsonValue& JsonReader::Take(const QString& key) {
    read_.insert(key);
    value_ = object_.value(key);
    return value_;
}

double JsonReader::RequiredNumber(const QString& key, double min, double max) {
    if (!Has(key))
        Fail(QStringLiteral("\"%1\" がありません").arg(key));
    const QJsonValue& v = Take(key);
    if (!v.isDouble())
        Fail(QStringLiteral("\"%1\" は数値ではありません").arg(key));
    const double n = v.toDouble();
    if (n < min || n > max)
        Fail(QStringLiteral("\"%1\" = %2 は %3 から %4 の範囲外です")
                 .arg(key)
                 .arg(n)
                 .arg(min)
                 .arg(max));
    return n;
}

double JsonReader::Number(const QString& key, double fallback, double min, double max) {
    return Has(key) ? RequiredNumber(key, min, max) : fallback;
}

bool JsonReader::Bool(const QString& key, bool fallback) {
    if (!Has(key))
        return fallback;
    const QJsonValue& v = Take(key);
    if (!v.isBool())
        Fail(QStringLiteral("\"%1\" は true か false です").arg(key));
    return v.toBool();
}

QString JsonReader::RequiredString(const QString& key) {
    if (!Has(key))
        Fail(QStringLiteral("\"%1\" がありません").arg(key));
    const QJsonValue& v = Take(key);
    if (!v.isString())
        Fail(QStringLiteral("\"%1\" は文字列ではありません").arg(key));
    return v.toString();
}

QString JsonReader::String(const QString& key, const QString& fallback) {
    return Has(key) ? RequiredString(key) : fallback;
}

QJsonObject JsonReader::Object(const QString& key) {
    if (!Has(key))
        return {};
    const QJsonValue& v = Take(key);
    if (!v.isObject())
        Fail(QStringLiteral("\"%1\" はオブジェクトではありません").arg(key));
    return v.toObject();
}

QJsonArray JsonReader::Array(const QString& key) {
    if (!Has(key))
        return {};
    const QJsonValue& v = Take(key);
    if (!v.isArray())
        Fail(QStringLiteral("\"%1\" は配列ではありません").arg(key));
    return v.toArray();
}

void JsonReader::Finish() const {
    for (auto it = object_.begin(); it != object_.end(); ++it) {
        if (!read_.contains(it.key()))
            Fail(QStringLiteral("不明なキー \"%1\"").arg(it.key()));
    }
}

} // namespace tabulon
