#include "modal_screen.h"
#include "screen_fixture.h"
#include "ui/frm_menu.h"
#include "ui/month_check.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

class MenuTest : public ScreenTest {
protected:
    std::unique_ptr<FrmMenu> menu;
    QComboBox* year() { return Find<QComboBox>(menu.get(), "cboYear"); }
    QComboBox* month() { return Find<QComboBox>(menu.get(), "cboMonth"); }
    void open() {
        menu = CreateMainMenu();
        menu->show();
        menu->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu.get()));
    }
    static bool focused(QComboBox* box) { return box->hasFocus() || box->lineEdit()->hasFocus(); }
    void TearDown() override {
        if (menu) {
            messages.Answer(MsgAnswer::Ok);
            menu->close();
        }
        ScreenTest::TearDown();
    }
    void typeMonth(const QString& y, const QString& m) {
        year()->setEditText(y);
        month()->setEditText(m);
    }
    void clickSeikyuu() {
        QTest::mouseClick(Find<QPushButton>(menu.get(), "cmdSeikyuu"), Qt::LeftButton);
    }
};

TEST_F(MenuTest, EmptyDatabaseOffersTheMonthBeforeToday) {
    open();
    EXPECT_EQ(menu->windowTitle(), "Tabulon");
    EXPECT_EQ(Items(year()), QStringList{"38"});
    EXPECT_EQ(Items(month()), QStringList{"11"});
    EXPECT_EQ(year()->currentText(), "38");
    EXPECT_EQ(month()->currentText(), "11");
    EXPECT_EQ(menu->QvDraw1().Init(), 0);
}

TEST_F(MenuTest, DefaultYearFollowsOlderYearsWithOnlyTheDefaultMonth) {
    StartOn(QDate(2008, 7, 15)); // 平成20年7月; default month 20/06
    for (const char* m : {"1811", "1903", "1905"})
        AddMonth(m);
    open();
    EXPECT_EQ(Items(year()), (QStringList{"18", "19", "20"}));
    EXPECT_EQ(year()->currentText(), "20");
    EXPECT_EQ(Items(month()), QStringList{"06"});
}

TEST_F(MenuTest, MonthsOfTheLatestYearComeInOrderWithTheDefaultMonthAfterThem) {
    for (const char* m : {"3809", "3801", "3705"})
        AddMonth(m);
    open();
    EXPECT_EQ(Items(year()), (QStringList{"37", "38"}));
    EXPECT_EQ(Items(month()), (QStringList{"01", "09", "11"}));
    EXPECT_EQ(month()->currentText(), "11");

    // Picking another year lists only its stored months.
    year()->setCurrentIndex(0);
    emit year()->activated(0);
    EXPECT_EQ(Items(month()), QStringList{"05"});
}

TEST_F(MenuTest, ImpossibleMonthsAreRefusedWithBothBoxesRed) {
    RegisterScreen("frmList", [](QWidget* parent) {
        auto screen = std::make_unique<QDialog>(parent);
        screen->setObjectName("frmList");
        return screen;
    });
    open();
    for (const char* m : {"13", "0"}) {
        messages.shown.clear();
        typeMonth("38", m);
        clickSeikyuu();
        EXPECT_EQ(messages.Texts(), QStringList{"不正な日付です。"}) << m;
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(HasRedBackground(year()));
        EXPECT_TRUE(HasRedBackground(month()));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(gNengetu.isEmpty());
}

TEST_F(MenuTest, LaterThanTodaysMonthIsRefusedButTodaysMonthOpens) {
    RegisterScreen("frmList", [](QWidget* parent) {
        auto screen = std::make_unique<QDialog>(parent);
        screen->setObjectName("frmList");
        return screen;
    });
    open();
    typeMonth("39", "1");
    clickSeikyuu();
    EXPECT_EQ(messages.Texts(), QStringList{"未来日付です。"});
    EXPECT_TRUE(opened.isEmpty());

    messages.shown.clear();
    typeMonth("38", "12");
    clickSeikyuu();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(opened, QStringList{"frmList"});
    EXPECT_EQ(gNengetu, "3812");
    EXPECT_FALSE(HasRedBackground(year()));
    EXPECT_FALSE(HasRedBackground(month()));
}

TEST_F(MenuTest, LettersInTheYearBoxAreNotANumber) {
    open();
    year()->lineEdit()->selectAll();
    QTest::keyClicks(year()->lineEdit(), "ab");
    clickSeikyuu();
    EXPECT_EQ(messages.Texts(), QStringList{"数値以外が入力されています。"});
    EXPECT_TRUE(HasRedBackground(year()));
    EXPECT_FALSE(HasRedBackground(month()));
    EXPECT_TRUE(focused(year()));

    messages.shown.clear();
    typeMonth("38", "");
    clickSeikyuu();
    EXPECT_EQ(messages.Texts(), QStringList{"必須項目が入力されていません。"});
    EXPECT_TRUE(HasRedBackground(month()));
}

TEST_F(MenuTest, WorkButtonsSetTheMonthAndOpenTheirScreens) {
    for (const char* name : {"frmSoukatu", "frmSoukatu2"}) {
        RegisterScreen(name, [name](QWidget* parent) {
            auto screen = std::make_unique<QDialog>(parent);
            screen->setObjectName(name);
            return screen;
        });
    }
    open();
    typeMonth("7", "4");
    QTest::mouseClick(Find<QPushButton>(menu.get(), "cmdSoukatu1"), Qt::LeftButton);
    EXPECT_EQ(gNengetu, "0704");
    QTest::mouseClick(Find<QPushButton>(menu.get(), "cmdSoukatu2"), Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{"frmSoukatu", "frmSoukatu2"}));
}

TEST_F(MenuTest, ClosingAsksFirstEveryWayOut) {
    open();
    messages.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(menu->close());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(messages.Texts(), QStringList{"終了してもよろしいですか？"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);

    messages.Answer(MsgAnswer::Cancel);
    Find<QAction>(menu.get(), "MenuClose")->trigger();
    messages.Answer(MsgAnswer::Cancel);
    QTest::mouseClick(Find<QPushButton>(menu.get(), "cmdEnd"), Qt::LeftButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(messages.shown.size(), 3u);

    messages.Answer(MsgAnswer::Ok);
    QTest::mouseClick(Find<QPushButton>(menu.get(), "cmdEnd"), Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    // Once confirmed, a further close does not ask again.
    EXPECT_TRUE(menu->close());
    EXPECT_EQ(messages.shown.size(), 4u);
    menu.reset();
}

TEST_F(MenuTest, MenuItemsOpenTheirScreensAndTheFileItemsDoNothing) {
    open();
    for (const char* item : {"MenuNew", "MenuOpen", "MenuOverSave", "MenuSave"})
        EXPECT_FALSE(Find<QAction>(menu.get(), item)->isEnabled()) << item;
    EXPECT_EQ(Find<QAction>(menu.get(), "MenuNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(Find<QAction>(menu.get(), "MenuOverSave")->shortcut(), QKeySequence("Ctrl+S"));
    for (const char* item : {"MenuCopy", "MenuDelete", "MenuIryoukikan", "MenuAbout"})
        Find<QAction>(menu.get(), item)->trigger();
    EXPECT_EQ(opened, (QStringList{"frmCopy", "frmDelete", "frmTouroku", "frmAbout"}));
}

TEST_F(MenuTest, DeletedMonthLeavesTheMenuLists) {
    for (const char* m : {"3705", "3801", "3803"})
        AddMonth(m);
    AddClaim("3803", "123456");
    open();
    EXPECT_EQ(Items(month()), (QStringList{"01", "03", "11"}));
    whileOpen = [](QDialog& screen) {
        QTest::mouseClick(Find<QPushButton>(&screen, "cmdDelete"), Qt::LeftButton);
    };
    messages.Answer(MsgAnswer::Ok);
    Find<QAction>(menu.get(), "MenuDelete")->trigger();
    EXPECT_EQ(messages.Texts().last(), "削除しました。");
    EXPECT_EQ(Items(year()), (QStringList{"37", "38"}));
    EXPECT_EQ(Items(month()), (QStringList{"01", "11"}));
}

} // namespace
} // namespace tabulon::test
