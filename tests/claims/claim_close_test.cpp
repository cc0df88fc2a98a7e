// Closing an entry screen of every kind: typed entries that are not saved are
// asked about (Cancel keeps them), an unchanged or saved screen closes at
// once, and a claim printed without a save is named in the question.

#include "claim_print_hooks.h"
#include "claims_fixture.h"
#include "globals.h"
#include "messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

class ClaimCloseTest : public ClaimsFixture {
protected:
    void SetUp() override {
        ClaimsFixture::SetUp();
        gSougou = "0"; // no department, so every kind stores under the same key
    }
    void TearDown() override {
        PrintHooks() = {};
        ClaimsFixture::TearDown();
    }

    // Return on the focused 閉じる, as the clerk presses it.
    static void PressClose(ClaimScreen& screen) {
        QPushButton* close = screen.Button("cmdClose");
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
    }
    static void PressSave(ClaimScreen& screen) {
        screen.Button("cmdSave")->setFocus();
        QTest::keyClick(screen.Button("cmdSave"), Qt::Key_Return);
    }

    void ExpectOneCloseQuestion(const QString& text) {
        ASSERT_EQ(messages->shown.size(), 1u);
        EXPECT_EQ(messages->shown[0].text, text);
        EXPECT_EQ(messages->shown[0].icon, MsgIcon::Question);
        EXPECT_EQ(messages->shown[0].buttons, MsgButtons::OkCancel);
    }
};

class ClaimClose : public ClaimCloseTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClaimClose, AsksOnlyWhileEntriesAreNotSaved) {
    const int kind = GetParam();
    // A figure typed and erased leaves the new screen as it was opened.
    auto fresh = NewScreen(kind);
    QTest::keyClicks(fresh->Box("txtKensuu", 1), "7");
    QTest::keyClick(fresh->Box("txtKensuu", 1), Qt::Key_Backspace);
    PressClose(*fresh);
    EXPECT_TRUE(fresh->isHidden());
    EXPECT_TRUE(messages->shown.empty());

    auto screen = NewScreen(kind);
    QTest::keyClicks(screen->Box("txtBangou"), "138016");
    QTest::keyClicks(screen->Box("txtTensuu", 1), "1234");
    messages->Answer(MsgAnswer::Cancel);
    PressClose(*screen);
    ExpectOneCloseQuestion(msg::kConfirmCloseUnsaved);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->Box("txtBangou")->text(), "138016");
    EXPECT_EQ(screen->Box("txtTensuu", 1)->text(), "1234");
    messages->Answer(MsgAnswer::Cancel);
    screen->close(); // the window's own close asks the same
    EXPECT_EQ(messages->shown.size(), 2u);
    EXPECT_TRUE(screen->isVisible());
    PressSave(*screen);
    ASSERT_EQ(CountClaims(), 1);
    messages->shown.clear();
    PressClose(*screen);
    EXPECT_TRUE(screen->isHidden());
    EXPECT_TRUE(messages->shown.empty());

    const ClaimKey key{"3805", "138016", "", kind, 1};
    auto edit = EditScreen(key);
    PressClose(*edit); // loaded and unchanged
    EXPECT_TRUE(edit->isHidden());
    EXPECT_TRUE(messages->shown.empty());

    edit = EditScreen(key);
    edit->Box("txtTensuu", 1)->selectAll();
    QTest::keyClicks(edit->Box("txtTensuu", 1), "999");
    PressClose(*edit); // answered OK: closes without a save
    ExpectOneCloseQuestion(msg::kConfirmCloseUnsaved);
    EXPECT_TRUE(edit->isHidden());
    EXPECT_EQ(EditScreen(key)->Box("txtTensuu", 1)->text(), "1234");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ClaimClose, ::testing::Range(1, 7));

// 請求書印刷 of entries that are not saved: the claim is on paper only.
struct PrintCase {
    const char* what;
    bool stored;          // the screen shows a stored claim
    bool typed;           // the clerk changed a box before printing
    bool printed;         // the print run finished its document
    const char* question; // "" for no question at all
};

using ClaimCloseAfterPrint = ClaimCloseTest;

TEST_F(ClaimCloseAfterPrint, TheQuestionSaysWhenThePrintedClaimIsNotInTheData) {
    const QString printedNote = msg::kPrintedClaimNotSaved + "\r\r" + msg::kConfirmCloseUnsaved;
    const PrintCase cases[] = {
        {"new claim printed", false, true, true, "note"},
        {"new claim, print cancelled", false, true, false, "plain"},
        {"stored claim printed unchanged", true, false, true, ""},
        {"stored claim changed and printed", true, true, true, "note"},
    };
    InsertClaim({"3805", "138016", "", 3, 1});
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.what);
        messages->shown.clear();
        messages->answers.clear();
        auto screen = c.stored ? EditScreen({"3805", "138016", "", 3, 1}) : NewScreen(3);
        if (!c.stored)
            QTest::keyClicks(screen->Box("txtBangou"), "138016");
        if (c.typed)
            QTest::keyClicks(screen->Box("txtKensuu", 1), "2");
        PrintHooks().printClaim = [&c](ClaimScreen&) { return c.printed; };
        QPushButton* print = screen->Button("cmdPrint");
        print->setFocus();
        QTest::keyClick(print, Qt::Key_Return);
        messages->Answer(MsgAnswer::Cancel);
        PressClose(*screen);
        if (QString(c.question).isEmpty()) {
            EXPECT_TRUE(messages->shown.empty());
            EXPECT_TRUE(screen->isHidden());
            continue;
        }
        ExpectOneCloseQuestion(QString(c.question) == "note" ? printedNote
                                                             : msg::kConfirmCloseUnsaved);
        EXPECT_TRUE(screen->isVisible());
        // A save puts the claim in the data: the screen closes at once.
        messages->shown.clear();
        PressSave(*screen);
        EXPECT_EQ(messages->Texts().takeLast(), msg::kSaved);
        messages->shown.clear();
        PressClose(*screen);
        EXPECT_TRUE(messages->shown.empty());
        EXPECT_TRUE(screen->isHidden());
    }
}

} // namespace
} // namespace tabulon::test
