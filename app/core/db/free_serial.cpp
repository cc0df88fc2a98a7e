#include "db/free_serial.h"

#include "db/db_error.h"

namespace tabulon {

namespace {

// Each clash means another terminal has just stored a row of the same key;
// more than a few in a row is no longer a clash of the moment.
constexpr int kAttempts = 5;

} // namespace

void InsertUnderFreeSerial(const std::function<int()>& nextSerial,
                           const std::function<void(int serial)>& insert) {
    for (int attempt = 1;; ++attempt) {
        try {
            insert(nextSerial());
            return;
        } catch (const DbError& e) {
            if (e.Number() != kErrDuplicateKey || attempt == kAttempts)
                throw;
        }
    }
}

} // namespace tabulon
