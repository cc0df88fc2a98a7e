#pragma once

// A fresh database for each test, the month 3805, message boxes answered in
// advance, and helpers to open screens as the list does and read rows back.

#include "claim_screen.h"
#include "claim_sql.h"
#include "db/dao.h"
#include "message_recorder.h"
#include "temp_database.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace tabulon::test {

class ClaimsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An entry screen opened as the list opens it: for a new claim, or on the
    // stored claim of `key` (edit mode, filled by LoadSeikyuu). Shown and active.
    std::unique_ptr<ClaimScreen> NewScreen(int kind);
    std::unique_ptr<ClaimScreen> EditScreen(const ClaimKey& key);

    // The stored row of the key; null when there is none.
    std::unique_ptr<Recordset> Stored(const ClaimKey& key);
    int CountClaims();
    // Adds a claim row directly, with 福祉件数 set to `uba`.
    void InsertClaim(const ClaimKey& key, const QString& uba = {});

    // Answers the next message boxes with OK and presses a button of the screen.
    void Click(ClaimScreen& screen, const char* button);

    std::unique_ptr<TempDatabase> database;
    std::unique_ptr<MessageRecorder> messages;
};

} // namespace tabulon::test
