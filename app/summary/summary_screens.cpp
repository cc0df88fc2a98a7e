#include "summary_screens.h"

#include "frm_soukatu.h"
#include "frm_soukatu2.h"
#include "modal_screen.h"
#include "summary_print_hooks.h"

#ifdef TABULON_WITH_PRINT
#include "soukatu_form.h"
#include "soukatu_work.h"
#endif

namespace tabulon {

void RegisterSummaryScreens() {
    RegisterScreen(QStringLiteral("frmSoukatu"),
                   [](QWidget* parent) { return std::make_unique<FrmSoukatu>(parent); });
    RegisterScreen(QStringLiteral("frmSoukatu2"),
                   [](QWidget* parent) { return std::make_unique<FrmSoukatu2>(parent); });
#ifdef TABULON_WITH_PRINT
    SetSoukatuPrintHook([](QDialog& screen) { PrintSoukatuScreen(screen); });
    SetSoukatuAllPrintHook([] { PrintAllSoukatu(); });
#endif
}

} // namespace tabulon
