#pragma once

// The ﾌｧｲﾙ items that keep the data safe: バックアップ… (a copy of the open
// database in a folder the clerk picks), 復元… (frmRestore) and CSV出力…
// (the processing month for a spreadsheet).

class QMenu;

namespace tabulon {

class FrmMenu;

// Adds the three items at the end of the menu.
void AddBackupItems(FrmMenu& window, QMenu* file);

} // namespace tabulon
