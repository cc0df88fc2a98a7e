#pragma once

// The statements of the claim module, built from the same fixed pieces
// everywhere. Text values are escaped (a quote doubled) so that no typed or
// pasted text can change a statement.

#include <QString>

namespace tabulon {

struct ClaimKey {
    QString nengetu;   // 年月
    QString bangou;    // 保険者番号
    QString sinryouka; // 診療科
    int kind = 0;      // 請求書種類
    int renban = 0;    // 連番
};

// One stored claim, addressed by its whole key.
QString ClaimQuery(const ClaimKey& key);
QString ClaimDeleteStatement(const ClaimKey& key);
// All claims of the key without its serial, by serial ascending.
QString RenbanQuery(const ClaimKey& key);
// The claims of a month in the order of the claim list.
QString ClaimListQuery(const QString& nengetu);

} // namespace tabulon
