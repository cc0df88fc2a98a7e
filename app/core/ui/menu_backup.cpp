#include "ui/menu_backup.h"

#include "app_paths.h"
#include "backup/database_copy.h"
#include "db/dao.h"
#include "db/db_files.h"
#include "export/month_csv.h"
#include "file_picker.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "ui/frm_menu.h"
#include "ui/frm_restore.h"
#include "ui/month_check.h"
#include "ui/progress_window.h"
#include "ui/reporting_errors.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QMenu>

namespace tabulon {

namespace {

// Runs the work under a progress window that is gone before any message.
template <typename Work> auto WithProgress(FrmMenu& window, const QString& label, Work&& work) {
    ProgressWindow progress(&window, label);
    return work(progress.Report());
}

// Generations, copies and restore work on the database file; a server keeps
// its database safe with its own tools.
bool DatabaseOnServer() {
    if (!QFileInfo::exists(kServerConnectFile))
        return false;
    ShowMessage(QStringLiteral("データベースはサーバー上にあります。バックアップと復元は、"
                               "サーバーのバックアップ（pg_dump など）で行ってください。"),
                MsgIcon::Information);
    return true;
}

void BackUp(FrmMenu& window) {
    if (DatabaseOnServer())
        return;
    const QString folder = PickPath(PickKind::Folder, QStringLiteral("バックアップ先のフォルダ"));
    if (folder.isEmpty())
        return;
    ReportingErrors([&] {
        const QString path = WithProgress(
            window, QStringLiteral("バックアップしています…"), [&](const ProgressFn& report) {
                return BackUpTo(DatabaseFilePath(), folder, QDateTime::currentDateTime(),
                                kDatabasePassword, report);
            });
        ShowMessage(QStringLiteral("バックアップを作成しました。\r\r%1").arg(path),
                    MsgIcon::Information);
    });
}

void Restore(FrmMenu& window) {
    if (DatabaseOnServer())
        return;
    FrmRestore screen(&window);
    OpenModal(screen);
    if (screen.Restored())
        window.FillYearMonth();
}

void ExportMonth(FrmMenu& window) {
    auto* year = window.findChild<QComboBox*>(QStringLiteral("cboYear"));
    auto* month = window.findChild<QComboBox*>(QStringLiteral("cboMonth"));
    if (!CheckYearMonth(year, month))
        return;
    const QString key = MonthKey(year->currentText(), month->currentText());
    const QString folder = PickPath(PickKind::Folder, QStringLiteral("CSVの保存先フォルダ"));
    if (folder.isEmpty())
        return;
    ReportingErrors([&] {
        const MonthCsvFiles files = WithProgress(
            window, QStringLiteral("CSVを出力しています…"),
            [&](const ProgressFn& report) { return ExportMonthCsv(*gDb, key, folder, report); });
        ShowMessage(QStringLiteral("CSVを出力しました。\r\r%1（%2件）\r%3（%4件）")
                        .arg(files.claims)
                        .arg(files.claimRows)
                        .arg(files.summaryLines)
                        .arg(files.summaryRows),
                    MsgIcon::Information);
    });
}

} // namespace

void AddBackupItems(FrmMenu& window, QMenu* file) {
    const auto add = [&](const char* name, const QString& caption, void (*action)(FrmMenu&)) {
        QAction* item = file->addAction(caption);
        item->setObjectName(QLatin1String(name));
        QObject::connect(item, &QAction::triggered, &window, [&window, action] { action(window); });
    };
    add("MenuBackup", QStringLiteral("バックアップ…"), BackUp);
    add("MenuRestore", QStringLiteral("復元…"), Restore);
    add("MenuCsv", QStringLiteral("CSV出力…"), ExportMonth);
}

} // namespace tabulon
