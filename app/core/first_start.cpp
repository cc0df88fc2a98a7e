#include "first_start.h"

#include "app_paths.h"
#include "db/schema.h"
#include "message_box.h"
#include "modal_screen.h"
#include "owner_only_file.h"
#include "settings/ini_file.h"
#include "ui/frm_touroku.h"

#include <QFile>

namespace tabulon {

namespace {

constexpr int kErrPathNotFound = 76;

bool MakeFolder(const QString& folder) {
    if (MakeOwnerOnlyFolder(folder))
        return true;
    ShowErrorReport(kErrPathNotFound,
                    QStringLiteral("フォルダ '%1' を作成できません。").arg(folder));
    return false;
}

} // namespace

bool PrepareDesktopData() {
    if (!UsesDesktopFolders())
        return true;
    if (!MakeFolder(DatabaseFolder()) || !MakeFolder(SettingsFolder()))
        return false;
    const QString database = DatabaseFilePath();
    if (QFile::exists(database))
        return true;
    try {
        CreateDatabase(database, kDatabasePassword);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return false;
    }
    return true;
}

void RegisterInstitutionOnFirstStart(QWidget* menu) {
    if (!UsesDesktopFolders() || QFile::exists(SettingsFilePath()))
        return;
    FrmTouroku screen(menu);
    OpenModal(screen);
    if (!QFile::exists(SettingsFilePath()))
        SaveIni();
}

} // namespace tabulon
