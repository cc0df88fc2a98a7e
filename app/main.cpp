// Tabulon: registers the screens, wires the print buttons and runs start-up.

#include "claim_batch.h"
#include "claim_form.h"
#include "claim_list.h"
#include "claim_print_hooks.h"
#include "claim_screen.h"
#include "first_start.h"
#include "insurer_number.h"
#include "message_box.h"
#include "print_check.h"
#include "print_context.h"
#include "qvbarqr_library.h"
#include "soukatu_work.h"
#include "startup.h"
#include "summary_screens.h"
#include "tenken_hooks.h"
#include "tenken_list_print.h"
#include "ui/frm_menu.h"
#include "ui/japanese_ui.h"

#include <QApplication>
#include <QLineEdit>

namespace {

using namespace tabulon;

// 請求書印刷: the insurer number is checked (a three-digit entry completed, its
// box painted white again) before the claim on screen is printed. True when
// it was printed.
bool PrintClaimOnScreen(ClaimScreen& screen) {
    QLineEdit* bangou = screen.Box(QStringLiteral("txtBangou"));
    const BangouCheck check = CheckBangou(screen.Kind(), bangou->text());
    if (check.result != BangouCheck::Result::Ok) {
        SetBoxColor(bangou, Qt::red);
        bangou->setFocus();
        ShowMessage(check.message, MsgIcon::Exclamation);
        return false;
    }
    if (check.expanded) {
        bangou->setText(check.bangou);
        SetBoxColor(bangou, Qt::white);
    }
    return PrintClaimScreen(&screen, screen.Kind().code);
}

void WireClaimPrinting() {
    ClaimPrintHooks& hooks = PrintHooks();
    hooks.printClaim = PrintClaimOnScreen;
    hooks.printAllClaims = [](ClaimList&) { PrintClaimsOfMonth(); };
    hooks.printSummaries = [](ClaimList&) { PrintSummariesOfMonth(); };
    TenkenScreenHooks().printList = PrintTenkenList;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Names the clerk's folders (~/.config/tabulon, ~/.local/share/tabulon).
    QApplication::setApplicationName(QStringLiteral("tabulon"));
    const bool printCheck = IsPrintCheck(QApplication::arguments());
    if (printCheck)
        PreparePrintCheck();
    SetUpJapaneseUi(app);
    QvBarQRLibrary::SetFolder(QrLibraryFolder());
    RegisterClaimScreens();
    RegisterSummaryScreens();
    WireClaimPrinting();
    if (!PrepareDesktopData())
        return 1;

    std::unique_ptr<FrmMenu> menu;
    StartupHooks hooks;
    hooks.showMainWindow = [&menu, printCheck] {
        menu = CreateMainMenu();
        SetPrintEngine(&menu->QvDraw1());
        if (!printCheck)
            menu->show();
        RegisterInstitutionOnFirstStart(menu.get());
    };
    if (const int status = RunStartup(hooks); status != 0)
        return status;
    const int result = printCheck ? RunPrintCheck() : app.exec();
    SetPrintEngine(nullptr);
    EndRun();
    return result;
}
