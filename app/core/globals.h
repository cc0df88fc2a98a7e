#pragma once

// Program-wide state, named as the rest of the program knows it, so that tests
// can set it.

#include <QString>

namespace tabulon {

class Database;

extern Database* gDb;     // the open database for the whole run
extern QString gNengetu;  // processing month YYMM (era year, month)
extern QString gToday;    // today in era form GYYMMDD
extern QString gZengetu;  // one month before today in era form

// Institution settings (settings file) and the printable block built from them.
extern QString gIryouCD;
extern QString gAddress1;
extern QString gAddress2;
extern QString gMeisyou;
extern QString gTel;
extern QString gSimei;
extern QString gSyubetu;
extern QString gSougou;
extern QString gIryoukikan;

// QR kind code and payload of the print run under way.
extern QString gQRKind;
extern QString gQRText;

// The claim (or summary line) that the list hands to an entry screen.
struct CurrentClaimState {
    int kind = 0;
    bool EditMode = false;
    QString bangou;    // 保険者番号
    QString sinryouka; // 診療科
    int renban = 0;    // 連番
};
extern CurrentClaimState CurrentClaim;

} // namespace tabulon
