#pragma once

// The number of the DbError an action throws, or 0 when it throws none.

#include "db/db_error.h"

#include <functional>

namespace tabulon::test {

inline int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        return e.Number();
    }
    return 0;
}

} // namespace tabulon::test
