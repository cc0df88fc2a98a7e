#pragma once

// mduTenken: the rules of the pre-claim check (請求前点検). Pure functions over
// the rows of a month as they are stored: what the clerk typed, nothing from a
// screen. A finding is an 誤り (almost surely a typing slip) or a 確認 (worth a
// second look).

#include <QList>
#include <QString>
#include <array>

namespace tabulon {

// A stored claim (T_請求書) with its figures as typed.
struct TenkenClaim {
    struct Care {
        QString kensuu, jitunisuu, tensuu, futankin;
        bool operator==(const Care&) const = default;
    };
    struct Food {
        QString kensuu, nisuu, kingaku, futangaku;
        bool operator==(const Food&) const = default;
    };

    QString bangou;
    QString sinryouka;
    int kind = 0; // 請求書種類 1..6
    int renban = 0;
    // Care lines by the entry screen's RowIndex: 入院 at even, 外来 at odd
    // indexes, the 退職 section from 10 on.
    std::array<Care, 20> care;
    // Food lines by row: index RowIndex / 2 of the row's 入院 line.
    std::array<Food, 10> food;
    QString kouhi;
    QString uba;

    bool operator==(const TenkenClaim&) const = default;
};

// A stored summary line (T_総括表明細).
struct TenkenSummaryLine {
    struct Line {
        qint64 kensuu = 0, jitunisuu = 0, tensuu = 0, syokuji = 0;
    };
    // The order of the summary screens: 一般 入院, 一般 外来, 退職 入院,
    // 退職 外来, 老人 入院, 老人 外来.
    static constexpr int kLines = 6;

    QString bangou;
    QString sinryouka;
    int kind = 0; // 総括表種類 1..3
    int renban = 0;
    std::array<Line, kLines> lines;
    qint64 kouhi = 0;
    qint64 uba = 0;
};

struct TenkenMonth {
    QList<TenkenClaim> claims;
    QList<TenkenClaim> previousClaims; // the month before, for the comparison
    QList<TenkenSummaryLine> summaryLines;
};

enum class TenkenGrade { Error, Check }; // 誤り, 確認
// MonthTotal: a total of the claims of the month; LinesTotal: one of the stored
// summary lines.
enum class TenkenSubject { Claim, SummaryLine, MonthTotal, LinesTotal };

struct TenkenFinding {
    TenkenGrade grade = TenkenGrade::Error;
    TenkenSubject subject = TenkenSubject::Claim;
    QString bangou;
    QString sinryouka;
    int kind = 0; // 請求書種類 of a claim, 総括表種類 of a summary line or total
    int renban = 0;
    // A claim's box: its control array and RowIndex (-1 for a single box);
    // empty for a finding on the whole claim or on a total.
    QString box;
    int index = -1;
    // The place in words where no box names it (a claim's section total, a
    // summary line's figure, a month's total).
    QString where;
    QString text;
};

// Every finding of the month: claims in their given order, then summary
// lines, then the month's totals.
QList<TenkenFinding> CheckMonth(const TenkenMonth& month);

// The insurer number's own rule, also for callers outside the check: true
// when a 6- or 8-digit number ends in the check digit of the digits before it.
bool BangouCheckDigitHolds(const QString& bangou);

int CountErrors(const QList<TenkenFinding>& findings);

} // namespace tabulon
