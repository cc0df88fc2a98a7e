// The ﾌｧｲﾙ items バックアップ…, 復元… and CSV出力… as a clerk uses them: the
// folder or file picked, the messages shown, the restore screen driven by its
// keys, and the main menu's lists refilled after a restore.

#include "backup/database_contents.h"
#include "backup/generations.h"
#include "db/db_files.h"
#include "file_picker.h"
#include "screen_fixture.h"
#include "startup.h"
#include "ui/frm_menu.h"
#include "ui/progress_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <thread>

namespace tabulon::test {
namespace {

class MenuBackupTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        previous = QDir::currentPath();
        QDir::setCurrent(database.Folder());
        SetPickHandler([this](PickKind kind, const QString&) {
            asked << kind;
            return picked;
        });
    }
    void TearDown() override {
        menu.reset();
        EndRun();
        SetPickHandler({});
        QDir::setCurrent(previous);
        ScreenTest::TearDown();
    }
    // Runs start-up on the test's database, as the program does.
    void StartProgram() {
        database.Close();
        StartupHooks hooks;
        ASSERT_EQ(RunStartup(hooks), 0);
        StartOn(QDate(2026, 12, 7));
        menu = CreateMainMenu();
    }
    void Trigger(const char* item) { Find<QAction>(menu.get(), item)->trigger(); }

    std::unique_ptr<FrmMenu> menu;
    QTemporaryDir stick;
    QString picked;
    QList<PickKind> asked;
    QString previous;
};

TEST_F(MenuBackupTest, BackupWritesACopyInThePickedFolderAndSaysWhere) {
    AddMonth("3810");
    AddClaim("3810", "138057");
    StartProgram();
    picked = stick.path();
    Trigger("MenuBackup");
    EXPECT_EQ(asked, QList<PickKind>{PickKind::Folder});
    const std::vector<Generation> copies = ListGenerations(stick.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadContents(copies[0].path, kDatabasePassword).claims, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(messages.shown[0].text.contains(copies[0].path));

    picked.clear(); // cancelled
    Trigger("MenuBackup");
    EXPECT_EQ(ListGenerations(stick.path()).size(), 1u);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(MenuBackupTest, OnAServerBackupAndRestoreSendTheClerkToTheServersOwnBackups) {
    StartProgram();
    // The connection file appears after start-up: the menu must not touch the
    // database file of a folder that names a server.
    QFile conf(kServerConnectFile);
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("host=127.0.0.1 dbname=tabulon\n");
    conf.close();
    picked = stick.path();
    for (const char* item : {"MenuBackup", "MenuRestore"}) {
        messages.shown.clear();
        Trigger(item);
        ASSERT_EQ(messages.shown.size(), 1u) << item;
        EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("pg_dump"))) << item;
    }
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(ListGenerations(stick.path()).empty());
}

TEST_F(MenuBackupTest, RestoreByKeyboardBringsBackADeletedMonthIntoTheMenuLists) {
    AddMonth("3810");
    AddClaim("3810", "138057");
    AddClaim("3810", "138057", 2);
    StartProgram();
    EndRun();
    menu.reset();
    StartProgram(); // the second start keeps the data with 3810 as a generation
    gDb->Execute(QStringLiteral("DELETE T_請求書.* FROM T_請求書 WHERE 年月 = '3810'"));
    gDb->Execute(QStringLiteral("DELETE T_年月.* FROM T_年月 WHERE 年月 = '3810'"));
    menu->FillYearMonth();
    auto* month = Find<QComboBox>(menu.get(), "cboMonth");
    EXPECT_EQ(Items(month), QStringList{"11"});

    QStringList listed;
    whileOpen = [&](QDialog& screen) {
        auto* list = Find<QTreeWidget>(&screen, "lstGeneration");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            listed << QStringList{list->topLevelItem(i)->text(2), list->topLevelItem(i)->text(3)}
                          .join(u'/');
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        QTest::keyClick(list, Qt::Key_Return);
    };
    messages.Answer(MsgAnswer::Ok);
    Trigger("MenuRestore");
    EXPECT_EQ(opened, QStringList{"frmRestore"});
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0], QStringLiteral("3810/2"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("請求書: 2件")));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("復元しました。"));
    EXPECT_EQ(Items(month), (QStringList{"10", "11"}));
    EXPECT_FALSE(
        gDb->OpenRecordset(QStringLiteral("SELECT * From T_請求書 where 年月 = '3810'"))->Eof());
}

TEST_F(MenuBackupTest, PickedFileThatIsNoDatabaseIsRefusedWithItsNumber) {
    StartProgram();
    picked = stick.filePath(QStringLiteral("memo.mdb"));
    QFile memo(picked);
    ASSERT_TRUE(memo.open(QIODevice::WriteOnly));
    memo.write("not a database at all");
    memo.close();
    whileOpen = [](QDialog& screen) {
        auto* pick = Find<QPushButton>(&screen, "cmdPickFile");
        pick->setFocus();
        QTest::keyClick(pick, Qt::Key_Space);
    };
    Trigger("MenuRestore");
    EXPECT_EQ(asked, QList<PickKind>{PickKind::File});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3343\r\r")));
    EXPECT_TRUE(ListGenerations(BackupFolderOf(kDatabaseFile)).size() == 1u);
}

TEST_F(MenuBackupTest, ReturnOnARestoreButtonPressesIt) {
    StartProgram();
    whileOpen = [](QDialog& screen) {
        screen.show();
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        Find<QPushButton>(&screen, "cmdPickFile")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the picker is cancelled
        EXPECT_TRUE(screen.isVisible());
        Find<QPushButton>(&screen, "cmdClose")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(screen.isVisible());
    };
    Trigger("MenuRestore");
    EXPECT_EQ(asked, QList<PickKind>{PickKind::File});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MenuBackupTest, CsvExportWritesTheMonthOfTheMenuBoxes) {
    AddMonth("3810");
    AddClaim("3810", "138057");
    StartProgram();
    auto* month = Find<QComboBox>(menu.get(), "cboMonth");
    month->setCurrentIndex(month->findText("10"));
    picked = stick.path();
    Trigger("MenuCsv");
    EXPECT_TRUE(QFile::exists(stick.filePath(QStringLiteral("請求書_3810.csv"))));
    EXPECT_TRUE(QFile::exists(stick.filePath(QStringLiteral("総括表明細_3810.csv"))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("請求書_3810.csv（1件）")));

    // A month that fails the check asks for no folder.
    month->setEditText(QStringLiteral("13"));
    asked.clear();
    Trigger("MenuCsv");
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("不正な日付です。"));
}

TEST(ProgressWindowTest, AppearsOnlyOnceTheWorkHasLastedHalfASecond) {
    QWidget window;
    ProgressWindow progress(&window, QStringLiteral("バックアップしています…"));
    const ProgressFn report = progress.Report();
    report(1, 10);
    EXPECT_FALSE(progress.Shown());
    std::this_thread::sleep_for(std::chrono::milliseconds(kProgressDelayMs + 50));
    report(5, 10);
    EXPECT_TRUE(progress.Shown());
}

} // namespace
} // namespace tabulon::test
