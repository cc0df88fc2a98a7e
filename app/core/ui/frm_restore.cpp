#include "ui/frm_restore.h"

#include "app_paths.h"
#include "backup/database_contents.h"
#include "backup/generations.h"
#include "backup/restore.h"
#include "db/db_error.h"
#include "db/db_files.h"
#include "file_picker.h"
#include "message_box.h"
#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/progress_window.h"
#include "ui/screen_geometry.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace tabulon {

namespace {

enum Column { kDate, kTime, kMonths, kClaims };

QString Describe(const QString& path) {
    const DatabaseContents contents = ReadContents(path, kDatabasePassword);
    return QStringLiteral("%1\r月: %2\r請求書: %3件")
        .arg(path, MonthSpan(contents.months))
        .arg(contents.claims);
}

} // namespace

FrmRestore::FrmRestore(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("復元"));
    MakeLabel(this, "lblHeading", QStringLiteral("戻したいバックアップを選んでください"),
              {240, 180, 7800, 360});
    lstGeneration_ = new QTreeWidget(this);
    lstGeneration_->setObjectName(QStringLiteral("lstGeneration"));
    PlaceTwips(lstGeneration_, 240, 600, 8520, 3600);
    lstGeneration_->setRootIsDecorated(false);
    lstGeneration_->setAccessibleName(QStringLiteral("バックアップ一覧"));
    lstGeneration_->setHeaderLabels({QStringLiteral("日付"), QStringLiteral("時刻"),
                                     QStringLiteral("データのある月"),
                                     QStringLiteral("請求書件数")});
    lstGeneration_->setColumnWidth(kDate, 1500 / 15);
    lstGeneration_->setColumnWidth(kTime, 1100 / 15);
    lstGeneration_->setColumnWidth(kMonths, 3900 / 15);

    QPushButton* restore =
        MakeButton(this, "cmdRestore", QStringLiteral("復元"), {240, 4380, 1800, 540});
    QPushButton* pick =
        MakeButton(this, "cmdPickFile", QStringLiteral("ファイルを選択…"), {2220, 4380, 2400, 540});
    QPushButton* close =
        MakeButton(this, "cmdClose", QStringLiteral("閉じる"), {6960, 4380, 1800, 540});
    connect(restore, &QPushButton::clicked, this, &FrmRestore::restoreSelected);
    connect(pick, &QPushButton::clicked, this, &FrmRestore::restorePicked);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Return on a line restores it; Return on a button presses that button.
    connect(lstGeneration_, &QTreeWidget::itemActivated, this, &FrmRestore::restoreSelected);
    UseClerkKeys(this, EscapeKey::Closes);

    FixSizeAndCentre(this, TwipsSize(9000, 5160));
    fillList();
}

void FrmRestore::fillList() {
    lstGeneration_->clear();
    for (const Generation& generation : ListGenerations(BackupFolderOf(DatabaseFilePath()))) {
        QStringList columns{generation.madeAt.toString(QStringLiteral("yyyy/MM/dd")),
                            generation.madeAt.toString(QStringLiteral("HH:mm:ss"))};
        try {
            const DatabaseContents contents = ReadContents(generation.path, kDatabasePassword);
            columns << MonthSpan(contents.months) << QString::number(contents.claims);
        } catch (const DbError& e) {
            columns << QStringLiteral("読み取れません（%1）").arg(e.Number()) << QString();
        }
        auto* item = new QTreeWidgetItem(lstGeneration_, columns);
        item->setData(kDate, Qt::UserRole, generation.path);
        item->setTextAlignment(kClaims, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lstGeneration_->topLevelItemCount() > 0)
        lstGeneration_->setCurrentItem(lstGeneration_->topLevelItem(0));
}

void FrmRestore::restoreSelected() {
    const QTreeWidgetItem* item = lstGeneration_->currentItem();
    if (!item) {
        ShowMessage(QStringLiteral("バックアップがありません。"), MsgIcon::Exclamation);
        return;
    }
    restoreFrom(item->data(kDate, Qt::UserRole).toString());
}

void FrmRestore::restorePicked() {
    const QString path = PickPath(PickKind::File, QStringLiteral("復元するファイル"));
    if (!path.isEmpty())
        restoreFrom(path);
}

void FrmRestore::restoreFrom(const QString& path) {
    try {
        const QString question =
            QStringLiteral("データを次のバックアップの状態に戻します。\r\r%1\r\r"
                           "今のデータはバックアップとして残します。よろしいですか？")
                .arg(Describe(path));
        if (ShowMessage(question, MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok)
            return;
        ProgressWindow progress(this, QStringLiteral("復元しています…"));
        RestoreDatabase(path, QDateTime::currentDateTime(), progress.Report());
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return;
    }
    restored_ = true;
    ShowMessage(QStringLiteral("復元しました。"), MsgIcon::Information);
    accept();
}

} // namespace tabulon
