#include "screen_fixture.h"

#include "clock.h"
#include "era/wareki.h"
#include "modal_screen.h"
#include "settings/ini_file.h"

#include <QComboBox>
#include <QDialog>

namespace tabulon::test {

void ScreenTest::SetUp() {
    ASSERT_TRUE(settingsFolder.isValid());
    SetSettingsFolderForTesting(settingsFolder.path());
    SetModalHandler([this](QDialog& screen) {
        opened << screen.objectName();
        if (whileOpen)
            whileOpen(screen);
        return static_cast<int>(QDialog::Rejected);
    });
    StartOn(QDate(2026, 12, 7));
    gNengetu.clear();
}

void ScreenTest::TearDown() {
    SetModalHandler({});
    SetTodayForTesting({});
    SetSettingsFolderForTesting({});
}

void ScreenTest::StartOn(const QDate& today) {
    SetTodayForTesting(today);
    ASSERT_EQ(ToWareki(today.toString(QStringLiteral("yyyyMMdd")), gToday), 0);
    ASSERT_EQ(ToWareki(today.addMonths(-1).toString(QStringLiteral("yyyyMMdd")), gZengetu), 0);
}

void ScreenTest::AddMonth(const QString& month) {
    database.db().Execute(QStringLiteral("INSERT INTO T_年月 (年月) VALUES ('%1')").arg(month));
}

void ScreenTest::AddClaim(const QString& month, const QString& bangou, int renban) {
    database.db().Execute(
        QStringLiteral("INSERT INTO T_請求書 (年月, 保険者番号, 診療科, 請求書種類, 連番) "
                       "VALUES ('%1', '%2', '', '1', %3)")
            .arg(month, bangou)
            .arg(renban));
}

void ScreenTest::AddSummaryLine(const QString& month, const QString& bangou, int kensuu) {
    database.db().Execute(QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, "
                                         "総括表種類, 連番, 一般_入院_件数) "
                                         "VALUES ('%1', '%2', '', '1', 1, %3)")
                              .arg(month, bangou)
                              .arg(kensuu));
}

int ScreenTest::CountRows(const QString& table, const QString& month) {
    int rows = 0;
    auto rs = database.db().OpenRecordset(
        QStringLiteral("SELECT * FROM %1 WHERE 年月 = '%2'").arg(table, month));
    for (; !rs->Eof(); rs->MoveNext())
        ++rows;
    return rows;
}

QStringList ScreenTest::Items(const QWidget* comboBox) {
    QStringList items;
    const auto* box = qobject_cast<const QComboBox*>(comboBox);
    for (int i = 0; box && i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace tabulon::test
