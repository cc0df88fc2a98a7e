#pragma once

// What printing needs to know of each claim kind: its layout, document title,
// QR kind code and how many lines, payload rows and QR fields it has.

#include <QString>

namespace tabulon {

struct ClaimPrintKind {
    int kind;           // 請求書種類 1..6
    const char* layout; // seikyuu1.qvf ..
    const char* name;   // document title, the kind name
    const char* qrKind; // gQRKind: "1" medical, "3" dental, "4" pharmacy
    int lastRowIndex;   // 19 with a 退職 section, 3 without
    int payloadRows;    // rows per section in the payload: 5 or 2
    int qrFields;       // QR1..QR6 or QR1..QR2 on the layout
    bool food;          // the 食事 block is printed (medical kinds)
    bool sinryouka;     // the 診療科 box is printed (medical kinds)
};

// The kind of code 1..6; nullptr for any other.
const ClaimPrintKind* FindClaimPrintKind(int kind);

// The institution splits its claims by department: gSougou read as a number is 1.
bool IsGeneralHospital();

// "Bangou" as printed: on the late-elderly forms a six-digit number is put
// right-aligned in eight places; otherwise the number as it is.
QString PrintedBangou(int kind, const QString& bangou);

} // namespace tabulon
