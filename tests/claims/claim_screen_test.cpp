// The entry screens as built: controls by name, captions, places, limits,
// hidden boxes, keys, caret, page clicks, DataClear and the print hook.

#include "claim_print_hooks.h"
#include "claim_screen.h"
#include "globals.h"
#include "mdu_seikyusyo.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

QColor Base(const QLineEdit* box) {
    return box->palette().color(QPalette::Base);
}

class ClaimScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSougou = "1";
        gSyubetu = "1";
    }
    void TearDown() override { PrintHooks() = {}; }

    // A screen of the kind as the list opens it for a new claim, shown and active.
    std::unique_ptr<ClaimScreen> Open(int kind) {
        CurrentClaim = {kind, false, {}, {}, 0};
        auto screen = std::make_unique<ClaimScreen>(kind);
        SetInputLimits(*screen, screen->Kind().lastRowIndex);
        screen->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(screen.get()));
        return screen;
    }
};

TEST_F(ClaimScreenTest, KindOneHeaderAndButtonsAsDesigned) {
    auto screen = Open(1);
    EXPECT_EQ(screen->objectName(), "frmSeikyuu1");
    EXPECT_EQ(screen->windowTitle(), "医科（一般・退職）");
    EXPECT_EQ(screen->size(), QSize(11370 / 15, 7815 / 15));
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());

    auto* title = screen->findChild<QLabel*>("lblMidasi");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "診療報酬請求書（医科）");
    EXPECT_EQ(title->geometry(), Twips(240, 360, 3375, 375));
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 14.25);

    QLineEdit* bangou = screen->Box("txtBangou");
    EXPECT_EQ(bangou->geometry(), Twips(5520, 720, 1335, 270));
    EXPECT_EQ(bangou->maxLength(), 6);
    EXPECT_EQ(bangou->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(screen->Box("txtSinryouka")->geometry(), Twips(8160, 720, 855, 270));
    EXPECT_EQ(screen->Box("txtKouhi")->geometry(), Twips(9945, 2520, 1095, 270));
    EXPECT_EQ(screen->Box("txtUba")->accessibleName(), "②子障母精後");
    const QList<std::pair<const char*, QString>> buttons{{"cmdPrint", "請求書印刷"},
                                                         {"cmdSave", "保存"},
                                                         {"cmdDelete", "削除"},
                                                         {"cmdClose", "閉じる"}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(screen->Button(name), nullptr) << name;
        EXPECT_EQ(screen->Button(name)->text(), caption);
    }
    EXPECT_EQ(screen->Button("cmdSave")->geometry(), Twips(9825, 5400, 1335, 615));

    QTabWidget* tabs = screen->Tabs();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->objectName(), "SSTab1");
    EXPECT_EQ(tabs->tabText(0), "一般被保険者");
    EXPECT_EQ(tabs->tabText(1), "退職者医療");
    EXPECT_EQ(tabs->geometry(), Twips(120, 1440, 9510, 6135));
}

TEST_F(ClaimScreenTest, GridBoxesByNameAndIndexWithLimitsAndNames) {
    auto screen = Open(1);
    for (int i = 0; i <= 19; ++i) {
        for (const char* name : {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtFutankin",
                                 "txtKensuu2", "txtNisuu", "txtKingaku", "txtFutangaku"}) {
            QLineEdit* box = screen->Box(name, i);
            ASSERT_NE(box, nullptr) << name << i;
            EXPECT_EQ(box->objectName(), name);
            EXPECT_EQ(box->property("Index").toInt(), i);
            EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            EXPECT_FALSE(box->accessibleName().isEmpty());
        }
    }
    EXPECT_EQ(screen->Box("txtTensuu", 4)->maxLength(), 8);
    EXPECT_EQ(screen->Box("txtJitunisuu", 11)->maxLength(), 6);
    EXPECT_EQ(screen->Box("txtKensuu2", 18)->maxLength(), 4);
    EXPECT_EQ(screen->Box("txtKensuu", 0)->accessibleName(), "一般被保険者 七〇以上一般 入院 件数");
    EXPECT_EQ(screen->Box("txtTensuu", 17)->accessibleName(), "退職者医療 被扶養者 入院外 点数");
    EXPECT_EQ(screen->Box("txtKingaku", 6)->accessibleName(), "一般被保険者 七割 入院 金額");
    EXPECT_EQ(screen->Box("txtKensuu", 0)->geometry().size(), QSize(650 / 15, 270 / 15));
    EXPECT_EQ(screen->Box("txtKensuu", 3)->geometry().top() -
                  screen->Box("txtKensuu", 2)->geometry().top(),
              480 / 15);
    // Page-1 boxes of the first three columns sit 5 units further right.
    EXPECT_EQ(screen->Box("txtTensuu", 10)->x(), (2680 + 5) / 15 - 2);
    EXPECT_EQ(screen->Box("txtFutankin", 10)->x(), screen->Box("txtFutankin", 0)->x());
    EXPECT_EQ(screen->Box("txtKensuu", 11)->parentWidget(), screen->Tabs()->widget(1));
}

TEST_F(ClaimScreenTest, HiddenBoxesExistButNeverShow) {
    auto kind1 = Open(1);
    for (int i = 12; i <= 15; ++i)
        EXPECT_TRUE(kind1->Box("txtKensuu", i)->isHidden()) << i;
    for (int i : {0, 1, 10, 11, 16, 19})
        EXPECT_FALSE(kind1->Box("txtKensuu", i)->isHidden()) << i;
    EXPECT_TRUE(kind1->Box("txtKensuu2", 1)->isHidden());
    EXPECT_FALSE(kind1->Box("txtKensuu2", 0)->isHidden());

    auto kind5 = Open(5);
    EXPECT_EQ(kind5->Box("txtKensuu2", 0), nullptr);
    EXPECT_TRUE(kind5->Box("txtKensuu", 0)->isHidden());
    EXPECT_FALSE(kind5->Box("txtKensuu", 1)->isHidden());
    EXPECT_TRUE(kind5->Box("txtSinryouka")->isHidden());
    EXPECT_EQ(kind5->Box("txtKensuu", 1)->accessibleName(),
              "一般被保険者 70以上(一般･低所得) 請求 件数");

    auto kind2 = Open(2);
    EXPECT_EQ(kind2->Tabs(), nullptr);
    EXPECT_TRUE(kind2->Box("txtUba")->isHidden());
    EXPECT_FALSE(kind2->Box("txtSinryouka")->isHidden());
    EXPECT_EQ(kind2->Box("txtBangou")->maxLength(), 8);
    EXPECT_EQ(kind2->Box("txtKouhi")->geometry().topLeft(), QPoint(1800 / 15, 5760 / 15));
    EXPECT_EQ(kind2->Box("txtKensuu", 0)->accessibleName(), "後期高齢 九割 入院 件数");
    EXPECT_EQ(kind2->Box("txtKensuu", 4), nullptr);
    EXPECT_EQ(kind2->Button("cmdPrint")->geometry().topLeft(), QPoint(8760 / 15, 1200 / 15));

    auto kind6 = Open(6);
    EXPECT_TRUE(kind6->Box("txtKensuu", 2)->isHidden());
    EXPECT_FALSE(kind6->Box("txtKensuu", 3)->isHidden());
    EXPECT_TRUE(kind6->Box("txtSinryouka")->isHidden());
    EXPECT_EQ(kind6->size(), QSize(11145 / 15, 7815 / 15));
}

TEST_F(ClaimScreenTest, DepartmentBoxFollowsTheGeneralHospitalSetting) {
    for (int kind : {1, 2}) {
        gSougou = "0";
        auto plain = Open(kind);
        QLineEdit* box = plain->Box("txtSinryouka");
        EXPECT_FALSE(box->isEnabled());
        EXPECT_EQ(Base(box), QColor(0xC0, 0xC0, 0xC0));
        plain->Box("txtBangou")->setFocus();
        QTest::keyClick(plain->Box("txtBangou"), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), plain->Box("txtKensuu", 0));

        gSougou = "1";
        auto hospital = Open(kind);
        EXPECT_TRUE(hospital->Box("txtSinryouka")->isEnabled());
        EXPECT_EQ(Base(hospital->Box("txtSinryouka")), QColor(Qt::white));
    }
}

TEST_F(ClaimScreenTest, BoxesTakeDigitsOnlyTypedOrPasted) {
    auto screen = Open(3);
    for (QLineEdit* box :
         {screen->Box("txtBangou"), screen->Box("txtKouhi"), screen->Box("txtTensuu", 4)}) {
        box->setFocus();
        QTest::keyClicks(box, "1a-2 .");
        EXPECT_EQ(box->text(), "12") << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), "1");
        QApplication::clipboard()->setText("3x");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), "1");
        QApplication::clipboard()->setText("34");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), "134");
    }
    // The limit of a kind-3 insurer number keeps out an eighth digit.
    screen->Box("txtBangou")->clear();
    QTest::keyClicks(screen->Box("txtBangou"), "12345678");
    EXPECT_EQ(screen->Box("txtBangou")->text(), "123456");
}

TEST_F(ClaimScreenTest, FigureBoxesPutTheCaretAtTheStart) {
    auto screen = Open(1);
    QLineEdit* jitunisuu = screen->Box("txtJitunisuu", 0);
    jitunisuu->setText("1234");
    screen->Box("txtKensuu", 0)->setFocus();
    QTest::keyClick(screen->Box("txtKensuu", 0), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), jitunisuu);
    EXPECT_EQ(jitunisuu->cursorPosition(), 0);
    EXPECT_FALSE(jitunisuu->hasSelectedText());
    screen->Box("txtKouhi")->setText("55");
    QTest::keyClick(screen->Box("txtFutankin", 19), Qt::Key_Return);
    EXPECT_EQ(screen->Box("txtKouhi")->cursorPosition(), 0);
}

TEST_F(ClaimScreenTest, TabOrderRunsHeaderGridSideBoxesButtons) {
    auto screen = Open(2);
    const QList<QWidget*> expected{
        screen->Box("txtBangou"),       screen->Box("txtSinryouka"), screen->Box("txtKensuu", 0),
        screen->Box("txtJitunisuu", 0), screen->Box("txtTensuu", 0), screen->Box("txtFutankin", 0),
        screen->Box("txtKensuu2", 0),   screen->Box("txtNisuu", 0),  screen->Box("txtKingaku", 0),
        screen->Box("txtFutangaku", 0), screen->Box("txtKensuu", 1)};
    screen->Box("txtBangou")->setFocus();
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected.at(i)) << i;
    }
    screen->Box("txtKouhi")->setFocus();
    // txtUba is hidden on kind 2: the order goes on to the buttons.
    for (const char* name : {"cmdSave", "cmdDelete", "cmdClose", "cmdPrint"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), screen->Button(name)) << name;
    }
}

TEST_F(ClaimScreenTest, HiddenRetiredRowsNeverTakeTheFocus) {
    auto screen = Open(1);
    QTabBar* bar = screen->Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    screen->Box("txtFutankin", 11)->setFocus();
    QTest::keyClick(screen->Box("txtFutankin", 11), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", 16));
    QTest::keyClick(screen->Box("txtKensuu", 16), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtFutankin", 11));
}

TEST_F(ClaimScreenTest, PageClickFocusesTheFirstCountBoxOfThePage) {
    for (const auto& [kind, first] : {std::pair{1, 0}, std::pair{3, 0}, std::pair{5, 1}}) {
        auto screen = Open(kind);
        QTabBar* bar = screen->Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        EXPECT_EQ(screen->Page(), 1);
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first + 10)) << kind;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first)) << kind;
        // Enter in txtBangou follows the page shown.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        screen->Box("txtBangou")->setFocus();
        QTest::keyClick(screen->Box("txtBangou"), Qt::Key_Return);
        QWidget* next =
            kind == 1 ? screen->Box("txtSinryouka") : screen->Box("txtKensuu", first + 10);
        EXPECT_EQ(QApplication::focusWidget(), next) << kind;
    }
}

TEST_F(ClaimScreenTest, KeyboardPageChangeFocusesTheFirstCountBoxOfThePage) {
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    };
    for (const auto& [kind, first] : {std::pair{1, 0}, std::pair{3, 0}, std::pair{5, 1}}) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        // From a box deep in the grid, as the clerk works down the page.
        screen->Box("txtFutankin", first + 6)->setFocus();
        press(Qt::Key_Tab);
        EXPECT_EQ(screen->Page(), 1);
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first + 10));
        press(Qt::Key_PageUp);
        EXPECT_EQ(screen->Page(), 0);
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first));
        press(Qt::Key_PageDown);
        EXPECT_EQ(screen->Page(), 1);
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first + 10));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(screen->Page(), 0);
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtKensuu", first));
    }
}

TEST_F(ClaimScreenTest, DataClearEmptiesWhitensAndFocusesTheNumber) {
    auto screen = Open(1);
    for (QLineEdit* box : screen->findChildren<QLineEdit*>())
        box->setText("9");
    SetBoxColor(screen->Box("txtBangou"), Qt::red);
    screen->Button("cmdSave")->setFocus();
    screen->DataClear();
    for (QLineEdit* box : screen->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    EXPECT_EQ(Base(screen->Box("txtBangou")), QColor(Qt::white));
    EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtBangou"));

    // With gSougou not 1 the department box is left as it is.
    gSougou = "0";
    auto kind2 = Open(2);
    kind2->Box("txtSinryouka")->setText("3");
    kind2->DataClear();
    EXPECT_EQ(kind2->Box("txtSinryouka")->text(), "3");
}

TEST_F(ClaimScreenTest, InputMethodsOffWhileOpenAndBackOnClose) {
    auto screen = Open(1);
    EXPECT_FALSE(screen->Box("txtBangou")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(screen->Box("txtFutangaku", 18)->testAttribute(Qt::WA_InputMethodEnabled));
    QTest::mouseClick(screen->Button("cmdClose"), Qt::LeftButton);
    EXPECT_TRUE(screen->isHidden());
    EXPECT_EQ(screen->result(), QDialog::Accepted);
    EXPECT_TRUE(screen->Box("txtBangou")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(screen->Box("txtFutangaku", 18)->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(ClaimScreenTest, PrintButtonCallsTheHookWhenOneIsSet) {
    auto screen = Open(4);
    QTest::mouseClick(screen->Button("cmdPrint"), Qt::LeftButton);
    EXPECT_TRUE(screen->isVisible());
    ClaimScreen* printed = nullptr;
    PrintHooks().printClaim = [&](ClaimScreen& s) {
        printed = &s;
        return true;
    };
    QTest::mouseClick(screen->Button("cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(printed, screen.get());
}

} // namespace
} // namespace tabulon
