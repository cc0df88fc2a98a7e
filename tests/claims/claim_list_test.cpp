// The claim list: its columns and order, the kind buttons by the settings,
// new claims and opening by double-click or Return through the modal seam,
// the refill after saves and deletes, and the keys of the list and the entry
// screen.

#include "another_program.h"
#include "claim_list.h"
#include "claim_print_hooks.h"
#include "claims_fixture.h"
#include "db/db_files.h"
#include "db/server_connect_file.h"
#include "globals.h"
#include "modal_screen.h"
#include "nengetu_label_check.h"
#include "screen_font.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace tabulon::test {
namespace {

// Gives the control the focus and presses `key` there.
void PressOn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    control->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control);
    QTest::keyClick(control, key, modifiers);
}

// Key presses carrying full-width text, as an input method sends them.
void TypeWide(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

class ClaimListTest : public ClaimsFixture {
protected:
    void TearDown() override {
        SetModalHandler({});
        PrintHooks() = {};
        ClaimsFixture::TearDown();
    }

    std::unique_ptr<ClaimList> OpenList() {
        auto list = std::make_unique<ClaimList>();
        list->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(list.get()));
        return list;
    }

    static QStringList Line(const QTreeWidget* list, int row) {
        QStringList texts;
        for (int c = 0; c < 5; ++c)
            texts << list->topLevelItem(row)->text(c);
        return texts;
    }

    // Records "screen:insurer number" of every entry screen opened.
    void RecordOpened() {
        SetModalHandler([this](QDialog& dialog) {
            auto& screen = dynamic_cast<ClaimScreen&>(dialog);
            openedScreens << screen.objectName() + ':' + screen.Box("txtBangou")->text();
            return 0;
        });
    }
    QStringList openedScreens;

    static void DoubleClickLine(ClaimList& list, int row) {
        QTreeWidget* tree = list.List();
        const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(ClaimListTest, ScreenAndColumnsAsDesigned) {
    auto list = OpenList();
    EXPECT_EQ(list->objectName(), "frmList");
    EXPECT_EQ(list->windowTitle(), "請求書と総括表の印刷");
    EXPECT_EQ(list->size(), QSize(11145 / 15, 7815 / 15));
    QTreeWidget* tree = list->List();
    EXPECT_EQ(tree->objectName(), "lstSeikyu");
    EXPECT_DOUBLE_EQ(tree->font().pointSizeF(), 9.75);
    const QStringList headings{"保険者番号", "診療科", "    請求書種類", "処理区分", "連番"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(tree->headerItem()->text(c), headings.at(c));
    EXPECT_EQ(tree->columnWidth(0), 1200 / 15);
    EXPECT_FALSE(tree->isColumnHidden(2));
    EXPECT_TRUE(tree->isColumnHidden(3));
    EXPECT_TRUE(tree->isColumnHidden(4));
    for (int kind = 1; kind <= 6; ++kind) {
        QPushButton* button = list->Button(QString("cmdSeikyuu%1").arg(kind));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), SyuruiName(QString::number(kind)));
        EXPECT_EQ(button->size(), QSize(2415 / 15, 735 / 15));
    }
    EXPECT_EQ(list->Button("cmdSoukatuPrint")->text(), "総括表(提出用・控)印刷");
    EXPECT_EQ(list->Button("cmdSeikyuuPrint")->text(), "請求書一括印刷");
    EXPECT_EQ(list->Button("cmdClose")->text(), "閉じる");
}

TEST_F(ClaimListTest, ShowsTheProcessingMonthClearOfTheOtherControls) {
    test::ScreenFontInUse font;
    gNengetu = QStringLiteral("3104");
    auto list = OpenList();
    EXPECT_EQ(test::NengetuLabelText(*list), QStringLiteral("処理年月　平成31年4月"));
    EXPECT_EQ(test::InTheWayOfNengetuLabel(*list), "");
    EXPECT_EQ(list->windowTitle(), "請求書と総括表の印刷");

    // The list shows the month it lists.
    gNengetu = QStringLiteral("3811");
    list->Refill();
    EXPECT_EQ(test::NengetuLabelText(*list), QStringLiteral("処理年月　平成38年11月"));
}

TEST_F(ClaimListTest, KindButtonsFollowTheSettings) {
    struct Case {
        const char* sougou;
        const char* syubetu;
        QList<bool> enabled;
    };
    for (const Case& c : {Case{"1", "3", {true, true, true, true, false, false}},
                          Case{"0", "1", {true, true, false, false, false, false}},
                          Case{"0", "2", {false, false, true, true, false, false}},
                          Case{"0", "3", {false, false, false, false, true, true}},
                          Case{"0", "9", {true, true, true, true, true, true}}}) {
        gSougou = c.sougou;
        gSyubetu = c.syubetu;
        ClaimList list;
        for (int kind = 1; kind <= 6; ++kind)
            EXPECT_EQ(list.Button(QString("cmdSeikyuu%1").arg(kind))->isEnabled(),
                      c.enabled.at(kind - 1))
                << c.sougou << c.syubetu << kind;
    }
}

TEST_F(ClaimListTest, LinesSortByTheLastSixDigitsThenTheFirstTwo) {
    InsertClaim({"3805", "200000", "", 3, 1});
    InsertClaim({"3805", "39123456", "", 2, 1});
    InsertClaim({"3805", "123457", "", 1, 1});
    InsertClaim({"3805", "123456", "", 3, 1});
    InsertClaim({"3805", "123456", "", 1, 1});
    InsertClaim({"3805", "123456", "02", 1, 1});
    InsertClaim({"3805", "000001", "", 5, 1});
    InsertClaim({"3806", "100000", "", 1, 1}); // another month
    auto list = OpenList();
    QTreeWidget* tree = list->List();
    ASSERT_EQ(tree->topLevelItemCount(), 7);
    EXPECT_EQ(Line(tree, 0), (QStringList{"000001", "", "調剤（一般・退職）", "5", "1"}));
    EXPECT_EQ(Line(tree, 1), (QStringList{"123456", "", "医科（一般・退職）", "1", "1"}));
    EXPECT_EQ(Line(tree, 2), (QStringList{"123456", "", "歯科（一般・退職）", "3", "1"}));
    EXPECT_EQ(Line(tree, 3), (QStringList{"123456", "02", "医科（一般・退職）", "1", "1"}));
    EXPECT_EQ(Line(tree, 4), (QStringList{"39123456", "", "医科（後期高齢）", "2", "1"}));
    EXPECT_EQ(Line(tree, 5).at(0), "123457");
    EXPECT_EQ(Line(tree, 6).at(0), "200000");
}

TEST_F(ClaimListTest, EmptyListDoubleClickShowsTheDataMessage) {
    auto list = OpenList();
    int opened = 0;
    SetModalHandler([&](QDialog&) { return ++opened; });
    QTest::mouseDClick(list->List()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "請求書データが入力されていません。");
    EXPECT_EQ(messages->shown[0].icon, MsgIcon::Exclamation);
}

TEST_F(ClaimListTest, LookAlikeLinesOpenTheirOwnClaims) {
    for (int serial : {1, 2}) {
        InsertClaim({"3805", "313131", "", 4, serial});
        gDb->Execute(QString("UPDATE T_請求書 SET 公費件数 = '%1' WHERE 連番 = %2")
                         .arg(serial * 11)
                         .arg(serial));
    }
    auto list = OpenList();
    ASSERT_EQ(list->List()->topLevelItemCount(), 2);
    EXPECT_EQ(Line(list->List(), 0).mid(0, 3), Line(list->List(), 1).mid(0, 3));
    for (int row : {1, 0}) {
        QString kouhi;
        SetModalHandler([&](QDialog& dialog) {
            auto& screen = dynamic_cast<ClaimScreen&>(dialog);
            EXPECT_EQ(screen.objectName(), "frmSeikyuu4");
            EXPECT_TRUE(screen.Button("cmdDelete")->isEnabled());
            EXPECT_EQ(screen.Box("txtBangou")->maxLength(), 8);
            kouhi = screen.Box("txtKouhi")->text();
            return 0;
        });
        DoubleClickLine(*list, row);
        EXPECT_EQ(kouhi, QString::number((row + 1) * 11)) << row;
        EXPECT_TRUE(CurrentClaim.EditMode);
        EXPECT_EQ(CurrentClaim.renban, row + 1);
        EXPECT_EQ(CurrentClaim.kind, 4);
    }
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(ClaimListTest, NewClaimButtonsOpenEmptyScreensThatRefillTheList) {
    gSougou = "0";
    gSyubetu = "2";
    auto list = OpenList();
    int lines = -1;
    SetModalHandler([&](QDialog& dialog) {
        auto& screen = dynamic_cast<ClaimScreen&>(dialog);
        EXPECT_EQ(screen.objectName(), "frmSeikyuu3");
        EXPECT_FALSE(screen.Button("cmdDelete")->isEnabled());
        EXPECT_FALSE(screen.Box("txtBangou")->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_EQ(CurrentClaim.kind, 3);
        EXPECT_FALSE(CurrentClaim.EditMode);
        screen.show();
        QTest::keyClicks(screen.Box("txtBangou"), "101");
        QTest::mouseClick(screen.Button("cmdSave"), Qt::LeftButton);
        lines = list->List()->topLevelItemCount();
        QTest::mouseClick(screen.Button("cmdClose"), Qt::LeftButton);
        return screen.result();
    });
    QTest::mouseClick(list->Button("cmdSeikyuu3"), Qt::LeftButton);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(Line(list->List(), 0).at(0), "231019");

    // Deleting from the opened claim refills the list as well.
    SetModalHandler([&](QDialog& dialog) {
        QTest::mouseClick(dynamic_cast<ClaimScreen&>(dialog).Button("cmdDelete"), Qt::LeftButton);
        return dialog.result();
    });
    DoubleClickLine(*list, 0);
    EXPECT_EQ(list->List()->topLevelItemCount(), 0);
}

TEST_F(ClaimListTest, ClaimGoneSinceTheRefillIsReportedWithItsNumber) {
    InsertClaim({"3805", "123456", "", 1, 1});
    auto list = OpenList();
    gDb->Execute("DELETE * From T_請求書");
    int opened = 0;
    SetModalHandler([&](QDialog&) { return ++opened; });
    DoubleClickLine(*list, 0);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_TRUE(messages->shown[0].text.startsWith("ｴﾗｰ番号 = 3021\r\r"));
    EXPECT_EQ(messages->shown[0].icon, MsgIcon::Critical);
}

TEST_F(ClaimListTest, AClaimSavedByAnotherProgramIsListedAtTheNextRefill) {
    InsertClaim({"3805", "123456", "", 1, 1});
    auto list = OpenList();
    QTemporaryDir otherFolder;
    auto other = OpenAsAnotherProgram(*database, otherFolder);
    Database* mine = gDb;
    gDb = other.get();
    InsertClaim({"3805", "654321", "", 1, 1});
    gDb = mine;
    EXPECT_EQ(list->List()->topLevelItemCount(), 1);
    list->Refill();
    ASSERT_EQ(list->List()->topLevelItemCount(), 2);
    EXPECT_EQ(Line(list->List(), 1).at(0), "654321");
}

TEST_F(ClaimListTest, PrintButtonsCallTheirHooksAndCloseCloses) {
    auto list = OpenList();
    QTest::mouseClick(list->Button("cmdSeikyuuPrint"), Qt::LeftButton);
    QStringList calls;
    PrintHooks().printAllClaims = [&](ClaimList&) { calls << "claims"; };
    PrintHooks().printSummaries = [&](ClaimList&) { calls << "summaries"; };
    QTest::mouseClick(list->Button("cmdSeikyuuPrint"), Qt::LeftButton);
    QTest::mouseClick(list->Button("cmdSoukatuPrint"), Qt::LeftButton);
    EXPECT_EQ(calls, (QStringList{"claims", "summaries"}));
    QTest::mouseClick(list->Button("cmdClose"), Qt::LeftButton);
    EXPECT_TRUE(list->isHidden());
}

TEST_F(ClaimListTest, MenuOpensTheListByName) {
    RegisterClaimScreens();
    ASSERT_TRUE(IsScreenRegistered("frmList"));
    QString opened;
    SetModalHandler([&](QDialog& dialog) {
        opened = dialog.objectName();
        return 0;
    });
    EXPECT_EQ(OpenScreen("frmList", nullptr), 0);
    EXPECT_EQ(opened, "frmList");
}

TEST_F(ClaimListTest, ReturnOnAListLineOpensThatClaim) {
    InsertClaim({"3805", "111111", "", 4, 1});
    InsertClaim({"3805", "222222", "", 4, 1});
    auto list = OpenList();
    RecordOpened();
    QTreeWidget* tree = list->List();
    // Tabbed into, the list marks its first line; Return opens it.
    PressOn(tree, Qt::Key_Return);
    PressOn(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Return);
    QTest::keyClick(tree, Qt::Key_Up);
    QTest::keyClick(tree, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(openedScreens,
              (QStringList{"frmSeikyuu4:111111", "frmSeikyuu4:222222", "frmSeikyuu4:111111"}));
    EXPECT_TRUE(CurrentClaim.EditMode);
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(ClaimListTest, ReturnPressesTheFocusedButtonOfTheList) {
    auto list = OpenList();
    RecordOpened();
    // An empty list: Return in it reports that there is nothing to open and
    // presses no kind button.
    PressOn(list->List(), Qt::Key_Return);
    EXPECT_EQ(messages->Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(openedScreens.isEmpty());

    PressOn(list->Button("cmdSeikyuu2"), Qt::Key_Return);
    EXPECT_EQ(openedScreens, QStringList{"frmSeikyuu2:"});
    EXPECT_FALSE(CurrentClaim.EditMode);
    QStringList calls;
    PrintHooks().printAllClaims = [&](ClaimList&) { calls << "claims"; };
    PrintHooks().printSummaries = [&](ClaimList&) { calls << "summaries"; };
    PressOn(list->Button("cmdSeikyuuPrint"), Qt::Key_Return);
    PressOn(list->Button("cmdSoukatuPrint"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calls, (QStringList{"claims", "summaries"}));
    for (QPushButton* button : list->findChildren<QPushButton*>())
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
    PressOn(list->Button("cmdClose"), Qt::Key_Return);
    EXPECT_TRUE(list->isHidden());
}

TEST_F(ClaimListTest, EntryScreenSavesOnReturnAndIgnoresEscape) {
    auto screen = NewScreen(1);
    TypeWide(screen->Box("txtBangou"), QStringLiteral("１３８０１６"));
    EXPECT_EQ(screen->Box("txtBangou")->text(), "138016");
    QTest::keyClicks(screen->Box("txtKouhi"), "12");

    // Escape in a box and on a button: the screen and its entries stay.
    QTest::keyClick(screen->Box("txtKouhi"), Qt::Key_Escape);
    PressOn(screen->Button("cmdClose"), Qt::Key_Escape);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->Box("txtKouhi")->text(), "12");

    // Enter in the last box moves to 保存 without saving; Return there saves.
    PressOn(screen->Box("txtUba"), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), screen->Button("cmdSave"));
    EXPECT_TRUE(messages->shown.empty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages->Texts().last(), "保存しました。");
    auto row = Stored({"3805", "138016", "", 1, 1});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Fields("公費件数").Text(), "12");
}

} // namespace
} // namespace tabulon::test
