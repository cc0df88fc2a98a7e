#pragma once

// The figures of the summary table screen, kept in memory from one opening of
// the screen to the next for the run of the program (nothing is stored).

#include <QString>
#include <array>

namespace tabulon {

struct SoukatuRetained {
    std::array<QString, 8> kensuu;    // 件数, rows 0 to 7
    std::array<QString, 8> jitunisuu; // 実日数
    std::array<QString, 8> tensuu;    // 点数
    std::array<QString, 8> syokuji;   // 食事
    QString kouhi;                    // 公費
    QString fukusi;                   // 福祉
};

// The one record shared by every opening of frmSoukatu; empty at program start.
SoukatuRetained& RetainedSoukatuEntries();

} // namespace tabulon
