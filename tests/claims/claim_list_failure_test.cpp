// A claim list whose query fails never shows as an empty month: a refill
// keeps the lines it had, and a list that cannot be read at all is not
// opened, so no clerk types a month again that is stored.

#include "claim_list.h"
#include "claims_fixture.h"
#include "modal_screen.h"

#include <QDialog>
#include <QTreeWidget>

namespace tabulon::test {
namespace {

class ClaimListFailureTest : public ClaimsFixture {
protected:
    void SetUp() override {
        ClaimsFixture::SetUp();
        InsertClaim({QStringLiteral("3805"), QStringLiteral("138001"), QString(), 1, 1});
        InsertClaim({QStringLiteral("3805"), QStringLiteral("138002"), QString(), 1, 1});
    }
    void TearDown() override {
        SetModalHandler({});
        if (broken)
            database->ExecEngineSql(QStringLiteral("ALTER TABLE t_away RENAME TO \"t_請求書\""));
        ClaimsFixture::TearDown();
    }
    void BreakClaimTable() {
        database->ExecEngineSql(QStringLiteral("ALTER TABLE \"t_請求書\" RENAME TO t_away"));
        broken = true;
    }
    bool broken = false;
};

TEST_F(ClaimListFailureTest, ARefillThatFailsKeepsTheLinesShown) {
    ClaimList list;
    ASSERT_EQ(list.List()->topLevelItemCount(), 2);
    BreakClaimTable();
    EXPECT_THROW(list.Refill(), DbError);
    EXPECT_EQ(list.List()->topLevelItemCount(), 2);
}

TEST_F(ClaimListFailureTest, AListThatCannotBeReadSaysWhyAndIsNotOpened) {
    RegisterClaimScreens();
    bool opened = false;
    SetModalHandler([&opened](QDialog&) {
        opened = true;
        return 0;
    });
    BreakClaimTable();
    OpenScreen(QStringLiteral("frmList"), nullptr);
    EXPECT_FALSE(opened);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_TRUE(messages->shown.front().text.startsWith(QStringLiteral("ｴﾗｰ番号 = ")));
    EXPECT_EQ(messages->shown.front().icon, MsgIcon::Critical);
}

} // namespace
} // namespace tabulon::test
