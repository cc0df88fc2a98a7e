// Two clerks at two PCs on the same claims: a save never undoes the other
// clerk's change nor brings back the other clerk's delete, and a serial taken
// by the other clerk a moment earlier costs nothing but the next serial.

#include "another_program.h"
#include "claim_columns.h"
#include "claims_fixture.h"
#include "globals.h"
#include "interleaved_database.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

const QString kChangedElsewhere =
    "この請求書は、開いた後に他の端末で変更されたため、保存しませんでした。\r\r"
    "他の端末で保存された内容を読み込みますか？\r"
    "（読み込むと、入力した内容は画面から消えます。）";
const QString kDeletedElsewhere =
    "この請求書は、開いた後に他の端末で削除されたため、保存しませんでした。\r\r"
    "入力した内容を新しい請求書として保存しますか？";

class TwoClerks : public ClaimsFixture {
protected:
    void SetUp() override {
        ClaimsFixture::SetUp();
        mine = gDb;
        other = OpenAsAnotherProgram(*database, otherFolder);
    }
    void TearDown() override {
        gDb = mine;
        other.reset();
        ClaimsFixture::TearDown();
    }

    // The claim opened on the other clerk's PC.
    std::unique_ptr<ClaimScreen> OthersEditScreen(const ClaimKey& key) {
        gDb = other.get();
        auto screen = EditScreen(key);
        gDb = mine;
        return screen;
    }

    // Types over a box's text and presses 保存 with Enter, as the clerk does;
    // `on` is the program the screen belongs to.
    void TypeAndSave(ClaimScreen& screen, QLineEdit* box, const QString& text, Database* on) {
        gDb = on;
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        if (box) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, text);
        }
        screen.Button("cmdSave")->setFocus();
        QTest::keyClick(screen.Button("cmdSave"), Qt::Key_Return);
        gDb = mine;
    }

    // A figure box that every kind shows, and the column it stores.
    static QLineEdit* Figure(ClaimScreen& screen) {
        return screen.Box("txtKensuu", screen.Kind().code >= 5 ? 3 : 2);
    }
    static QString FigureColumnOf(int kind) { return FigureColumn("txtKensuu", kind >= 5 ? 3 : 2); }

    Database* mine = nullptr;
    QTemporaryDir otherFolder;
    std::unique_ptr<Database> other;
};

// On every kind: one stored claim, open on both PCs.
class TwoClerksOnOneClaim : public TwoClerks, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        TwoClerks::SetUp();
        InsertClaim(key);
        mineScreen = EditScreen(key);
        theirs = OthersEditScreen(key);
    }
    void TearDown() override {
        mineScreen.reset();
        theirs.reset();
        TwoClerks::TearDown();
    }

    // A further save from this clerk's screen writes over the one stored
    // claim, which keeps 公費件数 7.
    void ExpectAFurtherSaveKeepsTheClaim() {
        TypeAndSave(*mineScreen, Figure(*mineScreen), "9", mine);
        EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");
        ASSERT_NE(Stored(key), nullptr);
        EXPECT_EQ(Stored(key)->Fields(FigureColumnOf(key.kind)).Text(), "9");
        EXPECT_EQ(Stored(key)->Fields("公費件数").Text(), "7");
        EXPECT_EQ(CountClaims(), 1);
    }

    const ClaimKey key{"3805", "138016", "", GetParam(), 1};
    std::unique_ptr<ClaimScreen> mineScreen;
    std::unique_ptr<ClaimScreen> theirs;
};

TEST_P(TwoClerksOnOneClaim, ASaveNeverUndoesTheOtherClerksChange) {
    TypeAndSave(*theirs, theirs->Box("txtKouhi"), "7", other.get());
    EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");

    // Nothing is written; the clerk's entries stay until the clerk chooses.
    messages->shown.clear();
    messages->Answer(MsgAnswer::Ok);
    messages->Answer(MsgAnswer::Cancel);
    TypeAndSave(*mineScreen, Figure(*mineScreen), "9", mine);
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[1].text, kChangedElsewhere);
    EXPECT_EQ(messages->shown[1].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(Stored(key)->Fields("公費件数").Text(), "7");
    EXPECT_EQ(Stored(key)->Fields(FigureColumnOf(key.kind)).Text(), "");
    EXPECT_EQ(Figure(*mineScreen)->text(), "9");
    EXPECT_EQ(mineScreen->Box("txtKouhi")->text(), "");

    // Asked again, the clerk takes the stored claim and then saves over it.
    messages->shown.clear();
    TypeAndSave(*mineScreen, nullptr, {}, mine);
    EXPECT_EQ(messages->Texts(), (QStringList{"保存しますか？", kChangedElsewhere}));
    EXPECT_EQ(mineScreen->Box("txtKouhi")->text(), "7");
    EXPECT_EQ(Figure(*mineScreen)->text(), "");
    ExpectAFurtherSaveKeepsTheClaim();
}

TEST_P(TwoClerksOnOneClaim, ADeletedClaimComesBackOnlyWhenTheClerkSaysSo) {
    gDb = other.get();
    Click(*theirs, "cmdDelete");
    gDb = mine;
    ASSERT_EQ(CountClaims(), 0);

    messages->shown.clear();
    messages->Answer(MsgAnswer::Ok);
    messages->Answer(MsgAnswer::Cancel);
    TypeAndSave(*mineScreen, mineScreen->Box("txtKouhi"), "7", mine);
    EXPECT_EQ(messages->Texts(), (QStringList{"保存しますか？", kDeletedElsewhere}));
    EXPECT_EQ(CountClaims(), 0);
    EXPECT_EQ(mineScreen->Box("txtKouhi")->text(), "7");

    // Stored as a new claim, the screen then goes on with that claim.
    messages->shown.clear();
    TypeAndSave(*mineScreen, nullptr, {}, mine);
    EXPECT_EQ(messages->Texts(),
              (QStringList{"保存しますか？", kDeletedElsewhere, "保存しました。"}));
    ExpectAFurtherSaveKeepsTheClaim();
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TwoClerksOnOneClaim, ::testing::Range(1, 7));

TEST_F(TwoClerks, ASerialTakenAMomentEarlierMovesTheNewClaimToTheNextSerial) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        auto screen = NewScreen(kind);
        QTest::keyClicks(screen->Box("txtBangou"), "138016");
        // The other clerk stores a claim of the same key just after this save
        // has read the next serial.
        InterleavedDatabase* saving = nullptr;
        InterleavedDatabase clashing(*mine, RenbanQuery({"3805", "138016", "", kind, 0}), [&] {
            gDb = other.get();
            InsertClaim({"3805", "138016", "", kind, 1}, "88");
            gDb = saving;
        });
        saving = &clashing;
        messages->shown.clear();
        TypeAndSave(*screen, screen->Box("txtKouhi"), "7", &clashing);
        EXPECT_TRUE(clashing.Interleaved());
        EXPECT_EQ(messages->Texts(), (QStringList{"保存しますか？", "保存しました。"}));
        EXPECT_EQ(Stored({"3805", "138016", "", kind, 1})->Fields("福祉件数").Text(), "88");
        auto saved = Stored({"3805", "138016", "", kind, 2});
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->Fields("公費件数").Text(), "7");
        gDb->Execute("DELETE * From T_請求書");
    }
}

TEST_F(TwoClerks, AMonthRegisteredByTheOtherClerkAMomentEarlierIsNoFault) {
    auto screen = NewScreen(3);
    QTest::keyClicks(screen->Box("txtBangou"), "138016");
    InterleavedDatabase registering(*mine, "SELECT * From T_年月 where 年月 = '3805'", [&] {
        other->Execute("INSERT INTO T_年月 (年月) VALUES ('3805')");
    });
    messages->shown.clear();
    TypeAndSave(*screen, screen->Box("txtKouhi"), "7", &registering);
    EXPECT_TRUE(registering.Interleaved());
    EXPECT_EQ(messages->Texts(), (QStringList{"保存しますか？", "保存しました。"}));
    EXPECT_NE(Stored({"3805", "138016", "", 3, 1}), nullptr);
}

} // namespace
} // namespace tabulon::test
