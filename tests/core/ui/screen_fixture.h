#pragma once

// What every screen test starts from: its own database and settings folder,
// message boxes answered in advance, modal screens driven without blocking,
// and a clock set by the test.

#include "globals.h"

#include <QDate>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// clang-format off
#include <QStringList> // the recorder uses it without including it
#include "message_recorder.h"
#include "temp_database.h"
// clang-format on

namespace tabulon::test {

class ScreenTest : public ::testing::Test {
protected:
    TempDatabase database;
    MessageRecorder messages;
    QTemporaryDir settingsFolder;
    // objectNames of the modal screens opened, in order.
    QStringList opened;
    // Runs while a modal screen is "open"; the screen then closes.
    std::function<void(QDialog&)> whileOpen;

    void SetUp() override;
    void TearDown() override;

    // Sets the clock and gToday / gZengetu as start-up does.
    void StartOn(const QDate& today);

    // Stored rows, keyed by processing month YYMM.
    void AddMonth(const QString& month);
    void AddClaim(const QString& month, const QString& bangou, int renban = 1);
    void AddSummaryLine(const QString& month, const QString& bangou, int kensuu = 0);
    int CountRows(const QString& table, const QString& month);

    static QStringList Items(const QWidget* comboBox);
};

// The child control `name` of a screen; fails the test when it is missing.
template <typename Control> Control* Find(const QWidget* screen, const char* name) {
    auto* control = screen->findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

} // namespace tabulon::test
