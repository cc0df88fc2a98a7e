#pragma once

namespace tabulon {

// Registers frmSoukatu and frmSoukatu2 with the screen registry, so that the
// main menu opens them by name, and points their print buttons at the print
// runs of the printing library.
void RegisterSummaryScreens();

} // namespace tabulon
