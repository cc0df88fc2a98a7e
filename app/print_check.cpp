#include "print_check.h"

#include "claim_form.h"
#include "claim_screen.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "print_context.h"

#include <QDialog>
#include <QFile>
#include <cstdio>

namespace tabulon {

namespace {

void WriteLine(FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

} // namespace

bool IsPrintCheck(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--print-check"));
}

void PreparePrintCheck() {
    SetModalHandler([](QDialog& screen) {
        WriteLine(stdout, QStringLiteral("screen: ") + screen.objectName());
        return static_cast<int>(QDialog::Rejected);
    });
    SetMessageHandler([](const ShownMessage& message) {
        WriteLine(stderr, QStringLiteral("message: ") + message.text);
        return MsgAnswer::Ok;
    });
}

int RunPrintCheck() {
    constexpr int kMedical = 1;
    // As the claim list hands over a new claim of the kind.
    CurrentClaim.kind = kMedical;
    CurrentClaim.EditMode = false;
    ClaimScreen screen(kMedical);
    PrintClaimScreen(&screen, kMedical);
    const QString document = DocumentPath(QStringLiteral("医科（一般・退職）"));
    if (!QFile::exists(document))
        return 1;
    WriteLine(stdout, QStringLiteral("document: ") + document);
    return 0;
}

} // namespace tabulon
