#pragma once

// Run-time errors met while printing (a box the screen lacks, no database),
// and the one way the print routines turn any caught error into the number and
// description they report.

#include <QString>
#include <stdexcept>

namespace tabulon {

enum PrintErrorNumber : int {
    kErrPrintObjectNotSet = 91,
    kErrPrintNoSuchControl = 340,
    kErrPrintUnexpected = 440,
};

class RunTimeError : public std::runtime_error {
public:
    RunTimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}
    int Number() const { return number_; }
    const QString& Description() const { return description_; }

private:
    int number_;
    QString description_;
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
