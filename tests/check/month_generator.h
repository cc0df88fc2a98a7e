#pragma once

// A month of claims and summary lines made on the test side, with slips
// planted in it. Clean rows keep every rule by construction; each planted slip
// records the finding it must give, so a check of the month can be compared
// with exactly what was planted.

#include "mdu_tenken.h"

#include <QStringList>

namespace tabulon::test {

// A finding reduced to what identifies it: grade, subject, insurer, kind,
// serial, box and index, place.
QString FindingId(const TenkenFinding& f);
QStringList FindingIds(const QList<TenkenFinding>& findings);

// The check digit of the digits, computed here on its own.
QString TestCheckDigit(const QString& digits);
// A valid six-digit insurer number for a serial number of the generator.
QString ValidBangou(int n);

// A clean claim of the kind: three to five filled lines with figures that keep
// every rule, points well below any width.
TenkenClaim CleanClaim(int kind, const QString& bangou, unsigned seed);
TenkenSummaryLine CleanSummaryLine(int kind, const QString& bangou, unsigned seed);

struct PlantedMonth {
    TenkenMonth month;
    QStringList expected; // FindingIds of the planted slips, in any order
};

// `clean` clean claims (and a few clean summary lines), the month before with
// the same claims, and every rule's slip planted at least once.
PlantedMonth PlantedMonthOf(int clean, unsigned seed);

} // namespace tabulon::test
