#pragma once

namespace tabulon {

// Registers frmSoukatu and frmSoukatu2 with the screen registry, so that the
// main menu opens them by name.
void RegisterSummaryScreens();

} // namespace tabulon
