#pragma once

// The six claim kinds and what sets them apart: one entry screen class serves
// them all and reads everything kind-specific from this table.

#include <QString>

namespace tabulon {

struct ClaimKind {
    int code;              // 請求書種類 1..6
    const char* screen;    // frmSeikyuu1..6
    const char* name;      // screen caption and list text
    const char* title;     // the heading label on the screen
    bool retired;          // has the 退職 section (two tab pages)
    bool inpatient;        // 入院 boxes are shown and stored
    bool food;             // 食事 block shown and stored
    bool sinryouka;        // 診療科 box shown and stored
    bool writesUba;        // 福祉件数 stored
    bool ubaShown;         // 福祉件数 box shown
    int lastRowIndex;      // 9 or 3
    int bangouLimit;       // 6 or 8: the longest insurer number taken
    const char* daysTitle; // heading of the 実日数 column
};

// The kind of code 1..6; nullptr for any other code.
const ClaimKind* FindClaimKind(int code);
// Same as FindClaimKind, for a code known to be valid; throws
// std::invalid_argument otherwise.
const ClaimKind& ClaimKindOf(int code);

// Highest grid RowIndex of a kind: 19 with a 退職 section, 3 without.
int MaxRowIndex(const ClaimKind& kind);
// RowIndex of the first count box of a tab page (0 一般, 1 退職) that Enter
// and page clicks move to.
int FirstRowIndex(const ClaimKind& kind, int page);

// The kind name for the text codes "1" to "6", empty for anything else.
QString SyuruiName(const QString& code);

} // namespace tabulon
