// A process killed (SIGKILL) at a random moment of start-up, of a backup or of
// a restore: db.mdb still opens with every row (for a restore: all of the old
// data or all of the restored), and every generation that existed before is
// still there and opens. The number of kills per operation is 3, or
// TABULON_KILL_ROUNDS (scripts/kill-loop.sh runs long loops).

#include "backup/database_contents.h"
#include "backup/database_copy.h"
#include "backup/generations.h"
#include "backup/restore.h"
#include "db/db_files.h"
#include "startup_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <chrono>
#include <csignal>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tabulon;

namespace {

int Rounds() {
    const int rounds = qEnvironmentVariableIntValue("TABULON_KILL_ROUNDS");
    return rounds > 0 ? rounds : 3;
}

class InterruptedTest : public test::StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        ASSERT_EQ(Start(), 0);
        AddMonth(QStringLiteral("3802"));
        EndRun();
        ASSERT_EQ(Start(), 0); // a generation holding 3801 and 3802
        // Restored from outside the backup folder, where generations come and go.
        older = elsewhere.filePath(QStringLiteral("older.mdb"));
        CopyDatabase(ListGenerations(BackupFolderOf(kDatabaseFile)).front().path, older,
                     kDatabasePassword);
        AddMonth(QStringLiteral("3803"));
        EndRun();
        whole = Contents(kDatabaseFile);
        restored = Contents(older);
        ASSERT_NE(whole, restored);
    }
    // A month of 300 claims, so that every step takes a moment.
    static void AddMonth(const QString& month) {
        gDb->Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '%1'").arg(month));
        for (int i = 1; i <= 300; ++i)
            gDb->Execute(
                QStringLiteral("INSERT INTO T_請求書 ( 年月, 保険者番号, 請求書種類, 連番, "
                               "福祉件数 ) SELECT '%1', '138057', '1', %2, '%2'")
                    .arg(month)
                    .arg(i));
    }
    static QString Contents(const QString& path) {
        const DatabaseContents c = ReadContents(path, kDatabasePassword);
        return c.months.join(u',') + u'/' + QString::number(c.claims);
    }
    // The child never returns into the test: what it throws ends it.
    static pid_t Fork(const std::function<void()>& operation) {
        const pid_t child = ::fork();
        if (child != 0)
            return child;
        try {
            operation();
        } catch (const DbError& e) {
            std::fprintf(stderr, "child: %d %s\n", e.Number(), qPrintable(e.Description()));
            ::_exit(1);
        }
        ::_exit(0);
    }
    // Runs the operation in a child process, killed after `delay` unless it
    // ends first. Returns true when it was killed.
    static bool RunKilledAfter(const std::function<void()>& operation,
                               std::chrono::microseconds delay) {
        const pid_t child = Fork(operation);
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFSIGNALED(status);
    }
    static std::chrono::microseconds Measure(const std::function<void()>& operation) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = Fork(operation);
        int status = 0;
        ::waitpid(child, &status, 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
    }
    // Every generation from before is still there; any new one opens.
    void CheckGenerations(const std::map<QString, qint64>& before) {
        for (const auto& [path, size] : before) {
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
            EXPECT_EQ(QFileInfo(path).size(), size) << path.toStdString();
        }
        for (const Generation& g : ListGenerations(BackupFolderOf(kDatabaseFile)))
            if (!opened.count(g.path)) {
                EXPECT_NO_THROW(ReadContents(g.path, kDatabasePassword)) << g.path.toStdString();
                opened.insert({g.path, true});
            }
    }
    static std::map<QString, qint64> Generations() {
        // Kept below ten, so no generation from before is due for removal.
        PruneGenerations(BackupFolderOf(kDatabaseFile), {.newest = 5, .days = 0, .months = 0});
        std::map<QString, qint64> sizes;
        for (const Generation& g : ListGenerations(BackupFolderOf(kDatabaseFile)))
            sizes[g.path] = QFileInfo(g.path).size();
        return sizes;
    }
    // Kills the operation at random moments within its usual duration.
    int KillLoop(const std::function<void()>& operation,
                 const std::function<void()>& checkDatabase) {
        const auto usual = Measure(operation);
        int killed = 0;
        for (int round = 0; round < Rounds(); ++round) {
            const std::map<QString, qint64> before = Generations();
            const auto delay = std::chrono::microseconds(
                QRandomGenerator::global()->bounded(qint64(usual.count()) + 1));
            killed += RunKilledAfter(operation, delay) ? 1 : 0;
            checkDatabase();
            CheckGenerations(before);
        }
        return killed;
    }

    QTemporaryDir elsewhere;
    QString older;
    QString whole;
    QString restored;
    std::map<QString, bool> opened;
};

TEST_F(InterruptedTest, KilledStartUpLeavesEveryRow) {
    const int killed =
        KillLoop([this] { Start(); }, [this] { EXPECT_EQ(Contents(kDatabaseFile), whole); });
    std::printf("start-up: %d of %d runs killed\n", killed, Rounds());
}

TEST_F(InterruptedTest, KilledBackupLeavesEveryRowAndOnlyWholeCopies) {
    QTemporaryDir stick;
    const int killed = KillLoop(
        [&] {
            BackUpTo(kDatabaseFile, stick.path(), QDateTime::currentDateTime(), kDatabasePassword);
        },
        [&] {
            EXPECT_EQ(Contents(kDatabaseFile), whole);
            for (const Generation& copy : ListGenerations(stick.path()))
                EXPECT_EQ(Contents(copy.path), whole) << copy.path.toStdString();
        });
    std::printf("backup: %d of %d runs killed\n", killed, Rounds());
    // The next backup clears what the killed ones left unfinished.
    BackUpTo(kDatabaseFile, stick.path(), QDateTime::currentDateTime(), kDatabasePassword);
    EXPECT_TRUE(QDir(stick.path()).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

TEST_F(InterruptedTest, KilledRestoreLeavesTheOldDataOrTheRestoredWhole) {
    const int killed = KillLoop(
        [this] {
            if (Start() == 0)
                RestoreDatabase(older, QDateTime::currentDateTime());
        },
        [this] {
            const QString now = Contents(kDatabaseFile);
            EXPECT_TRUE(now == whole || now == restored) << now.toStdString();
        });
    std::printf("restore: %d of %d runs killed\n", killed, Rounds());
}

} // namespace
