#pragma once

// Run-time errors met while printing (a box the screen lacks, no database) are
// thrown as the report engine's ReportError with these numbers; the builders
// that trap their own errors report any caught error the same way.

#include "report_error.h"

#include <QString>

namespace tabulon {

enum PrintErrorNumber : int {
    kErrPrintObjectNotSet = 91,
    kErrPrintNoSuchControl = 340,
    kErrPrintUnexpected = 440,
};

struct ErrorInfo {
    int number = 0;
    QString description;
};

// The number and description of the exception being handled; call inside a
// catch block only.
ErrorInfo CurrentErrorInfo();

// Shows the exception being handled as "ｴﾗｰ番号 = " + number + CR CR +
// description with the stop icon.
void ReportCurrentError();

} // namespace tabulon
