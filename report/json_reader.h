#pragma once

// Reads one JSON object of a layout file strictly: every key is checked for
// its type and range, unknown keys are refused, and each complaint names the
// place in the file ("fields[3] (Tensuu1)").

#include <QJsonObject>
#include <QSet>
#include <QString>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace tabulon {

class LayoutSyntaxError : public std::runtime_error {
public:
    explicit LayoutSyntaxError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

class JsonReader {
public:
    JsonReader(const QJsonObject& object, QString place);

    bool Has(const QString& key) const { return object_.contains(key); }
    double Number(const QString& key, double fallback, double min, double max);
    double RequiredNumber(const QString& key, double min, double max);
    bool Bool(const QString& key, bool fallback);
    QString String(const QString& key, const QString& fallback);
    QString RequiredString(const QString& key);
    // One of the given words, returned as its value.
    template <typename T>
    T Choice(const QString& key, std::initializer_list<std::pair<const char*, T>> words,
             T fallback);
    QJsonObject Object(const QString& key);
    QJsonArray Array(const QString& key);
    // Refuses every key that was not read.
    void Finish() const;

    [[noreturn]] void Fail(const QString& message) const;
    const QString& Place() const { return place_; }

private:
    const QJsonValue& Take(const QString& key);

    QJsonObject object_;
    QString place_;
    QSet<QString> read_;
    QJsonValue value_;
};

template <typename T>
T JsonReader::Choice(const QString& key, std::initializer_list<std::pair<const char*, T>> words,
                     T fallback) {
    if (!Has(key))
        return fallback;
    const QString word = RequiredString(key);
    for (const auto& [name, value] : words) {
        if (word == QLatin1String(name))
            return value;
    }
    Fail(QStringLiteral("\"%1\" の値 \"%2\" は使えません").arg(key, word));
}

} // namespace tabulon
