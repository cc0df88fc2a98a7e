#include "globals.h"

namespace tabulon {

Database* gDb = nullptr;
QString gNengetu;
QString gToday;
QString gZengetu;
QString gIryouCD;
QString gAddress1;
QString gAddress2;
QString gMeisyou;
QString gTel;
QString gSimei;
QString gSyubetu = QStringLiteral("1");
QString gSougou = QStringLiteral("0");
QString gIryoukikan;
QString gQRKind;
QString gQRText;
CurrentClaimState CurrentClaim;

} // namespace tabulon
