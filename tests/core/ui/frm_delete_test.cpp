#include "screen_fixture.h"
#include "ui/frm_delete.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

class DeleteTest : public ScreenTest {
protected:
    std::unique_ptr<FrmDelete> screen;
    void open() { screen = std::make_unique<FrmDelete>(); }
    QComboBox* month() { return Find<QComboBox>(screen.get(), "cboMonth"); }
    void clickDelete() {
        QTest::mouseClick(Find<QPushButton>(screen.get(), "cmdDelete"), Qt::LeftButton);
    }
    void fill() {
        for (const char* m : {"3808", "3809"}) {
            AddMonth(m);
            AddClaim(m, "231019");
            AddSummaryLine(m, "231019");
        }
    }
};

TEST_F(DeleteTest, EmptyDatabaseDisablesDelete) {
    open();
    EXPECT_EQ(screen->windowTitle(), "削除");
    EXPECT_EQ(Find<QLabel>(screen.get(), "lblHeading")->text(), "指定した年月のデータを削除します");
    EXPECT_FALSE(Find<QPushButton>(screen.get(), "cmdDelete")->isEnabled());
}

TEST_F(DeleteTest, CancelKeepsEverything) {
    fill();
    open();
    messages.Answer(MsgAnswer::Cancel);
    clickDelete();
    EXPECT_EQ(messages.Texts(), QStringList{"削除してもよろしいですか？"});
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(CountRows("T_請求書", "3809"), 1);
}

TEST_F(DeleteTest, RemovesEveryRowOfTheMonthAndRefillsTheLists) {
    fill();
    open();
    EXPECT_EQ(month()->currentText(), "09");
    clickDelete();
    EXPECT_EQ(messages.Texts(), (QStringList{"削除してもよろしいですか？", "削除しました。"}));
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Information);
    EXPECT_EQ(gNengetu, "3809");
    for (const char* table : {"T_請求書", "T_総括表明細", "T_年月"}) {
        EXPECT_EQ(CountRows(table, "3809"), 0) << table;
        EXPECT_EQ(CountRows(table, "3808"), 1) << table;
    }
    EXPECT_EQ(Items(month()), QStringList{"08"});

    clickDelete();
    EXPECT_EQ(CountRows("T_年月", "3808"), 0);
    EXPECT_FALSE(Find<QPushButton>(screen.get(), "cmdDelete")->isEnabled());
}

TEST_F(DeleteTest, ChecksTheMonthAfterTheQuestion) {
    fill();
    open();
    month()->setEditText("13");
    clickDelete();
    EXPECT_EQ(messages.Texts(), (QStringList{"削除してもよろしいですか？", "不正な日付です。"}));
    EXPECT_EQ(CountRows("T_年月", "3809"), 1);
}

} // namespace
} // namespace tabulon::test
