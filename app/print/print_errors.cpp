#include "print_errors.h"

#include "db/db_error.h"
#include "message_box.h"
#include "report_error.h"

#include <exception>

namespace tabulon {

ErrorInfo CurrentErrorInfo() {
    try {
        throw;
    } catch (const DbError& e) {
        return {e.Number(), e.Description()};
    } catch (const ReportError& e) {
        return {e.Number(), e.Description()};
    } catch (const std::exception& e) {
        return {kErrPrintUnexpected, QString::fromUtf8(e.what())};
    } catch (...) {
        return {kErrPrintUnexpected, QStringLiteral("予期しないエラーが発生しました。")};
    }
}

void ReportCurrentError() {
    const ErrorInfo info = CurrentErrorInfo();
    ShowErrorReport(info.number, info.description);
}

} // namespace tabulon
