#pragma once

#include <QString>
#include <stdexcept>

namespace tabulon {

// Jet error numbers kept where the condition is the same, so that callers can
// react to them (3022 on a duplicate key is relied on by the entry screens).
enum DbErrorNumber : int {
    kErrUnexpected = 3000,
    kErrUpdateWithoutEdit = 3020,
    kErrNoCurrentRecord = 3021,
    kErrDuplicateKey = 3022,
    kErrFileNotFound = 3024,
    kErrLoginRefused = 3029,
    kErrDiskFull = 3026,
    kErrReadOnly = 3027,
    kErrBadPassword = 3031,
    kErrNoPermission = 3033,
    kErrDiskError = 3043,
    kErrCorrupt = 3049,
    kErrCannotOpen = 3051,
    kErrUnknownColumn = 3061,
    kErrSelectInExecute = 3065,
    kErrSyntax = 3075,
    kErrUnknownObject = 3078,
    kErrUnknownInsertField = 3127,
    kErrInvalidStatement = 3129,
    kErrTextAfterStatement = 3142,
    kErrServerCallFailed = 3146,
    kErrConnectFailed = 3151,
    kErrRecordDeleted = 3167,
    kErrWriteConflict = 3197, // the row changed since it was read
    kErrAlreadyExists = 3204,
    kErrInvalidOperation = 3219,
    kErrLocked = 3260,
    kErrItemNotFound = 3265,
    kErrValueRequired = 3314,
    kErrNotADatabase = 3343,
    kErrConversion = 3421,
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
