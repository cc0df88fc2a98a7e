#pragma once

// A working folder holding db.mdb with one stored month, made the current
// folder for the test; Start() runs start-up without a window.

#include "clock.h"
#include "message_recorder.h"
#include "settings/ini_file.h"
#include "startup.h"
#include "temp_database.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tabulon::test {

class StartupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        QDir::setCurrent(db.Folder());
        SetSettingsFolderForTesting(db.Folder());
        db.db().Execute(QStringLiteral("INSERT INTO T_年月 ( 年月 ) SELECT '3801'"));
        db.Close();
    }
    void TearDown() override {
        EndRun();
        SetTodayForTesting(QDate());
        SetNowForTesting(QDateTime());
        SetSettingsFolderForTesting(QString());
        QDir::setCurrent(previous_);
    }
    int Start(CompactionFault fault = {}) {
        StartupHooks hooks;
        hooks.showMainWindow = [this] { ++windows; };
        hooks.compactionFault = std::move(fault);
        return RunStartup(hooks);
    }

    // Fails the compaction at one step, as a full disk would.
    static CompactionFault FailAt(CompactionStep failing) {
        return [failing](CompactionStep step) {
            if (step == failing)
                throw DbError(kErrDiskFull, QStringLiteral("injected"));
        };
    }

    TempDatabase db;
    MessageRecorder messages;
    int windows = 0;
    QString previous_;
};

} // namespace tabulon::test
