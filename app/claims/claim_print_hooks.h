#pragma once

// The print buttons of the claim screens are handled by the printing library,
// which sets these handlers at start-up. A button whose handler is not set
// does nothing.

#include <functional>

namespace tabulon {

class ClaimScreen;
class ClaimList;

struct ClaimPrintHooks {
    // 請求書印刷 on an entry screen; true when the claim was printed.
    std::function<bool(ClaimScreen&)> printClaim;
    std::function<void(ClaimList&)> printAllClaims; // 請求書一括印刷 on the list
    std::function<void(ClaimList&)> printSummaries; // 総括表(提出用・控)印刷 on the list
};

ClaimPrintHooks& PrintHooks();

} // namespace tabulon
