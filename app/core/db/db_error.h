#pragma once

#include <QString>
#include <stdexcept>

namespace tabulon {

// Jet error numbers kept where the condition is the same, so that callers can
// react to them (3022 on a duplicate key is relied on by the entry screens).
enum DbErrorNumber : int {
    kErrNoCurrentRecord = 3021,
    kErrDuplicateKey = 3022,
    kErrFileNotFound = 3024,
    kErrBadPassword = 3031,
    kErrSyntax = 3075,
    kErrUnknownObject = 3078,
    kErrNotADatabase = 3343,
};

// The one error type of the database layer: a number and a Japanese description.
class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}
    int Number() const { return number_; }
    const QString& Description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace tabulon
