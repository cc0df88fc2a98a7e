#pragma once

#include "db/db_error.h"
#include "message_box.h"

namespace tabulon {

// Runs a handler's work; a database error ends it with the standard error
// report instead of escaping the handler.
template <typename Work> void ReportingErrors(Work&& work) {
    try {
        work();
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
    }
}

} // namespace tabulon
