// 請求前点検 on screen, driven by keys: opened from the claim list and the main
// menu, Return on a finding opens its claim, a fix saved there leaves the list,
// and the month's print runs ask first when 誤り exist.

#include "claim_list.h"
#include "claim_print_hooks.h"
#include "claims_fixture.h"
#include "frm_tenken.h"
#include "globals.h"
#include "modal_screen.h"
#include "ui/frm_menu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>

namespace tabulon::test {
namespace {

// Focuses the control in its window and presses `key` there. Screens opened
// inside a modal handler may not become the active window on the offscreen
// platform, so the window's own focus is what counts, as for the clerk keys.
void PressOn(QWidget* control, Qt::Key key) {
    control->setFocus();
    ASSERT_EQ(control->window()->focusWidget(), control);
    QTest::keyClick(control, key);
}

QStringList Lines(const QTreeWidget* list) {
    QStringList lines;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c)
            texts << list->topLevelItem(row)->text(c);
        lines << texts.join(u'|');
    }
    return lines;
}

class TenkenScreenTest : public ClaimsFixture {
protected:
    void SetUp() override {
        ClaimsFixture::SetUp();
        RegisterClaimScreens();
        // Screens answer by name; nested screens come back here too.
        SetModalHandler([this](QDialog& dialog) {
            opened << dialog.objectName();
            const auto on = onScreen.find(dialog.objectName());
            return on == onScreen.end() ? 0 : on->second(dialog);
        });
    }
    void TearDown() override {
        SetModalHandler({});
        PrintHooks() = {};
        ClaimsFixture::TearDown();
    }

    // A dental claim with figures on its first 外来 line only.
    void InsertOutpatient(const QString& bangou, const char* kensuu, const char* days,
                          const char* points) {
        InsertClaim({"3805", bangou, "", 3, 1});
        gDb->Execute(QStringLiteral("UPDATE T_請求書 SET 一般_療養_外来_件数_1 = '%1', "
                                    "一般_療養_外来_実日数_1 = '%2', 一般_療養_外来_点数_1 = '%3' "
                                    "WHERE 保険者番号 = '%4'")
                         .arg(kensuu, days, points, bangou));
    }
    // Its only slip: 実日数 2 for 件数 5.
    void InsertDaysSlip(const QString& bangou) { InsertOutpatient(bangou, "5", "2", "900"); }
    void InsertCleanClaim(const QString& bangou) { InsertOutpatient(bangou, "1", "1", "300"); }

    std::unique_ptr<ClaimList> OpenList() {
        auto list = std::make_unique<ClaimList>();
        list->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(list.get()));
        return list;
    }

    QStringList opened;
    std::map<QString, std::function<int(QDialog&)>> onScreen;
};

TEST_F(TenkenScreenTest, ReturnOnAFindingOpensTheClaimAndTheFixedClaimLeavesTheList) {
    InsertCleanClaim("231233");
    InsertDaysSlip("232223");
    QStringList before;
    QStringList after;
    onScreen["frmTenken"] = [&](QDialog& dialog) {
        auto& screen = dynamic_cast<FrmTenken&>(dialog);
        screen.show();
        EXPECT_EQ(screen.windowTitle(), "請求前点検");
        before = Lines(screen.List());
        PressOn(screen.List(), Qt::Key_Return);
        after = Lines(screen.List());
        return 0;
    };
    onScreen["frmSeikyuu3"] = [&](QDialog& dialog) {
        auto& claim = dynamic_cast<ClaimScreen&>(dialog);
        claim.show();
        EXPECT_EQ(claim.Box("txtBangou")->text(), "232223");
        QLineEdit* days = claim.Box("txtJitunisuu", 1);
        EXPECT_EQ(days->text(), "2");
        // The screen opens on the box the finding names.
        EXPECT_EQ(claim.focusWidget(), days);
        days->selectAll();
        QTest::keyClicks(days, "5");
        EXPECT_EQ(days->text(), "5");
        PressOn(claim.Button("cmdSave"), Qt::Key_Return);
        return 0;
    };
    auto list = OpenList();
    PressOn(list->Button("cmdTenken"), Qt::Key_Return);

    EXPECT_EQ(opened, (QStringList{"frmTenken", "frmSeikyuu3"}));
    ASSERT_EQ(before.size(), 1);
    EXPECT_EQ(before[0], "誤り|232223|歯科（一般・退職）||1|"
                         "一般被保険者 70以上(一般･低所得) 入院外 診療実日数|"
                         "実日数（2）が件数（5）より少なくなっています。");
    EXPECT_TRUE(after.isEmpty()) << messages->Texts().join("/").toStdString();
    auto stored = Stored({"3805", "232223", "", 3, 1});
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Fields("一般_療養_外来_実日数_1").Text(), "5");
}

TEST_F(TenkenScreenTest, AFindingOnTheRetiredPageOpensTheClaimOnThatPage) {
    InsertClaim({"3805", "232223", "", 3, 1});
    gDb->Execute("UPDATE T_請求書 SET 退職_療養_外来_件数_1 = '5', 退職_療養_外来_実日数_1 = '2', "
                 "退職_療養_外来_点数_1 = '900'");
    QWidget* focused = nullptr;
    int page = -1;
    onScreen["frmTenken"] = [&](QDialog& dialog) {
        auto& screen = dynamic_cast<FrmTenken&>(dialog);
        screen.show();
        PressOn(screen.List(), Qt::Key_Return);
        return 0;
    };
    onScreen["frmSeikyuu3"] = [&](QDialog& dialog) {
        auto& claim = dynamic_cast<ClaimScreen&>(dialog);
        claim.show();
        page = claim.Page();
        focused = claim.focusWidget();
        EXPECT_EQ(focused, claim.Box("txtJitunisuu", 11));
        return 0;
    };
    auto list = OpenList();
    PressOn(list->Button("cmdTenken"), Qt::Key_Return);
    EXPECT_EQ(page, 1);
    EXPECT_NE(focused, nullptr);
}

TEST_F(TenkenScreenTest, MonthPrintsAskWhenErrorsExistAndNotOtherwise) {
    struct Case {
        bool slip;
        MsgAnswer answer;
        bool printed;
        bool checkOpened;
    };
    for (const char* button : {"cmdSeikyuuPrint", "cmdSoukatuPrint"}) {
        for (const Case& c :
             {Case{false, MsgAnswer::Ok, true, false}, Case{true, MsgAnswer::Ok, true, false},
              Case{true, MsgAnswer::Cancel, false, true}}) {
            gDb->Execute("DELETE * FROM T_請求書");
            InsertCleanClaim("231233");
            if (c.slip)
                InsertDaysSlip("232223");
            int prints = 0;
            PrintHooks().printAllClaims = [&](ClaimList&) { ++prints; };
            PrintHooks().printSummaries = [&](ClaimList&) { ++prints; };
            messages->shown.clear();
            messages->Answer(c.answer);
            opened.clear();
            auto list = OpenList();
            PressOn(list->Button(button), Qt::Key_Return);
            EXPECT_EQ(prints, c.printed ? 1 : 0) << button << c.slip;
            EXPECT_EQ(opened, c.checkOpened ? QStringList{"frmTenken"} : QStringList{}) << button;
            if (!c.slip) {
                EXPECT_TRUE(messages->shown.empty()) << button;
                messages->answers.clear();
                continue;
            }
            ASSERT_EQ(messages->shown.size(), 1u) << button;
            EXPECT_EQ(messages->shown[0].text,
                      "点検で誤りが 1 件見つかりました。このまま印刷しますか？");
            EXPECT_EQ(messages->shown[0].icon, MsgIcon::Question);
            EXPECT_EQ(messages->shown[0].buttons, MsgButtons::OkCancel);
        }
    }
}

TEST_F(TenkenScreenTest, MainMenuOpensTheCheckOfTheChosenMonth) {
    InsertDaysSlip("232223");
    gDb->Execute("INSERT INTO T_年月 (年月) VALUES ('3805')");
    int lines = -1;
    QString month;
    onScreen["frmTenken"] = [&](QDialog& dialog) {
        month = gNengetu;
        lines = dynamic_cast<FrmTenken&>(dialog).List()->topLevelItemCount();
        return 0;
    };
    gNengetu.clear();
    gToday = "4380612";
    gZengetu = "4380512";
    auto menu = CreateMainMenu();
    QAction* item = menu->findChild<QAction*>("MenuTenken");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "請求前点検");
    item->trigger();
    EXPECT_EQ(month, "3805") << messages->Texts().join("/").toStdString();
    EXPECT_EQ(lines, 1);
}

TEST_F(TenkenScreenTest, ALongPlaceGoesOnToASecondLineRatherThanBeingCut) {
    InsertDaysSlip("232223");   // its place is a row caption, longer than its column
    InsertCleanClaim("232221"); // only a wrong check digit, on the insurer number
    FrmTenken screen;
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QTreeWidget* list = screen.List();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const QModelIndex days = list->model()->index(1, 5);
    const QModelIndex bangou = list->model()->index(0, 5);
    ASSERT_EQ(days.data().toString(), "一般被保険者 70以上(一般･低所得) 入院外 診療実日数");
    EXPECT_GT(list->visualRect(days).height(), list->visualRect(bangou).height());
}

TEST_F(TenkenScreenTest, EscapeClosesAndTheCountIsShown) {
    InsertDaysSlip("232223");
    InsertDaysSlip("232221"); // and a wrong check digit
    FrmTenken screen;
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(screen.findChild<QLabel*>("lblKensuu")->text(), "誤り 3 件　確認 0 件");
    QTest::keyClick(screen.List(), Qt::Key_Escape);
    EXPECT_TRUE(screen.isHidden());
}

} // namespace
} // namespace tabulon::test
