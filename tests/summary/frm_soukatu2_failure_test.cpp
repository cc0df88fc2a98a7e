// frmSoukatu2's list of the month's lines never shows as empty when its
// query fails: a refill keeps the lines it had, and a screen that cannot read
// them at all is not opened.

#include "frm_soukatu2_fixture.h"
#include "modal_screen.h"
#include "summary_screens.h"

#include <QDialog>

namespace tabulon::test {
namespace {

class FrmSoukatu2FailureTest : public FrmSoukatu2Test {
protected:
    void SetUp() override {
        FrmSoukatu2Test::SetUp();
        for (const char* bangou : {"138001", "138002"})
            gDb->Execute(QStringLiteral("INSERT INTO T_総括表明細 ( 年月, 保険者番号, 総括表種類, "
                                        "連番 ) SELECT '3805', '%1', '1', 1")
                             .arg(QLatin1String(bangou)));
    }
    void TearDown() override {
        SetModalHandler({});
        screen.reset();
        if (broken)
            database.ExecEngineSql(QStringLiteral("ALTER TABLE t_away RENAME TO \"t_総括表明細\""));
        FrmSoukatu2Test::TearDown();
    }
    void BreakLineTable() {
        database.ExecEngineSql(QStringLiteral("ALTER TABLE \"t_総括表明細\" RENAME TO t_away"));
        broken = true;
    }
    bool broken = false;
};

TEST_F(FrmSoukatu2FailureTest, ARefillThatFailsKeepsTheLinesShown) {
    Open();
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    BreakLineTable();
    EXPECT_THROW(screen->ListReset(), DbError);
    EXPECT_EQ(List()->topLevelItemCount(), 2);
}

TEST_F(FrmSoukatu2FailureTest, AScreenThatCannotReadItsLinesSaysWhyAndIsNotOpened) {
    RegisterSummaryScreens();
    bool opened = false;
    SetModalHandler([&opened](QDialog&) {
        opened = true;
        return 0;
    });
    BreakLineTable();
    OpenScreen(QStringLiteral("frmSoukatu2"), nullptr);
    EXPECT_FALSE(opened);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown.front().text.startsWith(QStringLiteral("ｴﾗｰ番号 = ")));
}

} // namespace
} // namespace tabulon::test
