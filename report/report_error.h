#pragma once

// The run-time error of the report engine: a number and a description, like
// every other run-time error the print runs report ("ｴﾗｰ番号 = ").

#include <QString>
#include <stdexcept>

namespace tabulon {

enum ReportErrorNumber : int {
    kReportErrTypeMismatch = 13,  // FieldSize given a text that is not a number
    kReportErrBadArgument = 5,    // a value outside what the field takes
    kReportErrNotSupported = 438, // a QR operation on a field that is not a QR field
    kReportErrNoSuchField = 3265, // Fields(name) with a name the layout lacks
    kReportErrFormClosed = 91,    // a field used on a form that was closed or refused
};

class ReportError : public std::runtime_error {
public:
    ReportError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description) {}
    int Number() const { return number_; }
    const QString& Description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace tabulon
