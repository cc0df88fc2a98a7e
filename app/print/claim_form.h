#pragma once

// Filling one claim form page, from an entry screen (請求書印刷) or from a stored
// row (the month's batch). Both set the same fields; they differ in where the
// values come from and in how failures are met.

#include "claim_print_kinds.h"

#include <QString>
#include <functional>

class QWidget;

namespace tabulon {

class ReportForm;

// Runs one filling statement. The screen's filling ignores the failure of a
// statement (a field the layout lacks, a box the screen lacks) and goes on;
// the batch lets it end the run.
using FillStatement = std::function<void(const std::function<void()>& statement)>;

// The value of a grid figure: `array` is the screen's box array name
// (txtKensuu .. txtFutangaku), `line` its RowIndex. Empty leaves the field as
// the layout has it.
using ClaimFigureText = std::function<QString(const QString& array, int line)>;

struct ClaimPage {
    const ClaimPrintKind* kind = nullptr;
    QString bangou;
    QString sinryouka;
    int lastRowIndex = 0;
    ClaimFigureText figure;
    QString kouhi;
    QString uba;
};

// Fields "Bangou", "Code", the dates, "Jyusyo", the department (medical
// kinds), "QR1" with gQRText, the QR sizes, the figures, "Kouhi" and "Uba".
void FillClaimPage(ReportForm& form, const ClaimPage& page, const FillStatement& run);

// Runs a statement and swallows its failure.
void IgnoreFailure(const std::function<void()>& statement);

// The page of the entry screen as it stands: builds gQRText from the screen
// (BuildClaimQR), clears the form and fills it, every statement with errors
// ignored. The kind is CurrentClaim's.
void FillClaimForm(ReportForm& form, const QWidget* screen, int lastRowIndex);

// 請求書印刷 of an entry screen of `kind`, after the screen's insurer-number
// check has passed: sets gQRKind and prints the claim on the kind's layout.
// True when the document was finished.
bool PrintClaimScreen(const QWidget* screen, int kind);

} // namespace tabulon
