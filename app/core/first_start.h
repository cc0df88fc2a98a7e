#pragma once

// The first start of an installed program: it makes the clerk's folders and an
// empty database, and asks for the institution once. A program run from its
// build folder does none of this (./run.sh makes its database).

class QWidget;

namespace tabulon {

// When the clerk's data lives in the desktop's folders: creates the data and
// configuration folders and, when db.mdb is missing, an empty database with
// the schema. Returns false after the error has been shown.
bool PrepareDesktopData();

// When the clerk's data lives in the desktop's folders and there is no
// settings file yet: opens 医療機関情報登録 over `menu`, and writes the
// settings as they stand when it closes without a save, so it opens only once.
void RegisterInstitutionOnFirstStart(QWidget* menu);

} // namespace tabulon
