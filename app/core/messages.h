#pragma once

// The fixed texts of the program's message boxes, each shown through
// ShowMessage with the title "Tabulon".

#include <QString>

namespace tabulon::msg {

// Institution registration.
inline const QString kEnterIryouCD = QStringLiteral("医療機関コードを入力してください。");
inline const QString kIryouCDSevenDigits =
    QStringLiteral("医療機関コードは７桁で入力してください。");
// %1 is the box's caption, %2 the characters it cannot keep.
inline const QString kNoShiftJisCode =
    QStringLiteral("%1に使えない文字があります：%2\r\r"
                   "Shift_JIS にない文字は保存も印刷もできません。別の文字に直してください。");

// Insurer numbers on the claim and summary line screens.
inline const QString kEnterBangou = QStringLiteral("保険者番号を入力してください。");
inline const QString kBangouThreeOrSix =
    QStringLiteral("保険者番号は、３桁 もしくは ６桁で入力してください。");
inline const QString kBangouThreeSixEight =
    QStringLiteral("保険者番号は、３桁・６桁・８桁で入力してください。");
// Follows "ｴﾗｰ番号 = " + number + two CR when the key already exists.
inline const QString kBangouRegistered = QStringLiteral("既に登録済の保険者番号です");

// Month checks of the main menu and the copy and delete screens, by check code.
inline const QString kNotNumeric = QStringLiteral("数値以外が入力されています。");
inline const QString kRequiredMissing = QStringLiteral("必須項目が入力されていません。");
inline const QString kInvalidDate = QStringLiteral("不正な日付です。");
inline const QString kFutureDate = QStringLiteral("未来日付です。");

// Lists and printing with nothing to show.
inline const QString kNoClaims = QStringLiteral("請求書データが入力されていません。");
inline const QString kNoRetainedSummary =
    QStringLiteral("総括表（控）データが入力されていません。");

// Saving, deleting and closing.
inline const QString kConfirmSave = QStringLiteral("保存しますか？");
inline const QString kSaved = QStringLiteral("保存しました。");
inline const QString kConfirmDelete = QStringLiteral("削除してもよろしいですか？");
inline const QString kDeleted = QStringLiteral("削除しました。");
inline const QString kConfirmExit = QStringLiteral("終了してもよろしいですか？");
// Closing a screen whose boxes differ from what was last loaded or saved.
inline const QString kConfirmCloseUnsaved =
    QStringLiteral("入力内容が保存されていません。閉じてもよろしいですか？");
// Put before kConfirmCloseUnsaved after a claim went out on paper unsaved.
inline const QString kPrintedClaimNotSaved =
    QStringLiteral("印刷した請求書は保存されていません。"
                   "データに入っていないため、総括表にも載りません。");

// Printing while no institution is registered.
inline const QString kNoInstitutionCode =
    QStringLiteral("医療機関コードが登録されていません。\r\r"
                   "このまま印刷すると、医療機関コードのない帳票になります。印刷しますか？\r"
                   "（設定 → 医療機関登録 で登録できます。）");

// A save that met another terminal's work on the claim or summary line it had
// opened; %1 names it (kClaimWord or kLineWord). Nothing has been written.
inline const QString kChangedElsewhere =
    QStringLiteral("この%1は、開いた後に他の端末で変更されたため、保存しませんでした。\r\r"
                   "他の端末で保存された内容を読み込みますか？\r"
                   "（読み込むと、入力した内容は画面から消えます。）");
inline const QString kDeletedElsewhere =
    QStringLiteral("この%1は、開いた後に他の端末で削除されたため、保存しませんでした。\r\r"
                   "入力した内容を新しい%1として保存しますか？");
inline const QString kClaimWord = QStringLiteral("請求書");
inline const QString kLineWord = QStringLiteral("総括表の行");

// Month copy.
inline const QString kCopySourceIsCurrentMonth =
    QStringLiteral("コピー元が処理月のためコピー処理はできません");
inline const QString kCopySourceSameAsTarget =
    QStringLiteral("コピー元とコピー先が同じなのでコピー処理はできません");
inline const QString kCopySourceEmpty = QStringLiteral("コピー元データがありません");
inline const QString kCopyTargetHasData =
    QStringLiteral("データが存在するため、処理はおこないませんでした");
inline const QString kCopyDone = QStringLiteral("終了しました");

// Start-up and backups; %1 is a folder or the reason.
inline const QString kFolderNotWritable =
    QStringLiteral("データベースのフォルダ '%1' に書き込めないため、起動できません。\r\r"
                   "フォルダの書き込み権限を確認してください。データベースは変更していません。");
// Follows the description of a damaged database file found at start-up.
inline const QString kDamagedDatabase =
    QStringLiteral("\r\rファイルは変更せず、そのまま残してあります。"
                   "ﾌｧｲﾙ → 復元 で、バックアップの世代（以前の状態）から戻せます。");
inline const QString kNoGenerationMade =
    QStringLiteral("起動時のバックアップを作成できませんでした。\r\r%1\r\r"
                   "データベースは正常です。このまま作業を続けられます。");

// About box.
inline const QString kSystemInfoUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

// The clerk's manual; %1 is the file that was looked for.
inline const QString kManualMissing =
    QStringLiteral("使い方の説明が見つかりません。\r\r%1\r\r"
                   "Tabulon をインストールし直すと元に戻ります。");

} // namespace tabulon::msg
