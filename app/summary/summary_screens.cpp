#include "summary_screens.h"

#include "frm_soukatu.h"
#include "frm_soukatu2.h"
#include "modal_screen.h"

namespace tabulon {

void RegisterSummaryScreens() {
    RegisterScreen(QStringLiteral("frmSoukatu"),
                   [](QWidget* parent) { return std::make_unique<FrmSoukatu>(parent); });
    RegisterScreen(QStringLiteral("frmSoukatu2"),
                   [](QWidget* parent) { return std::make_unique<FrmSoukatu2>(parent); });
}

} // namespace tabulon
