// frmSoukatu driven with real key events: option rules, totals, the Enter
// path, and the figures kept from one opening to the next.

#include "frm_soukatu.h"
#include "globals.h"
#include "modal_screen.h"
#include "nengetu_label_check.h"
#include "screen_driver.h"
#include "screen_font.h"
#include "soukatu_retained.h"
#include "summary_print_hooks.h"
#include "summary_screens.h"
#include "temp_database.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace tabulon {
namespace {

using test::FocusedName;
using test::TypeInto;
using test::WalkEnter;

class FrmSoukatuTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSyubetu = QStringLiteral("1");
        gSougou = QStringLiteral("0");
        RetainedSoukatuEntries() = {};
        SetSoukatuPrintHook({});
    }
    void TearDown() override { SetSoukatuPrintHook({}); }

    FrmSoukatu& Open() {
        screen = std::make_unique<FrmSoukatu>();
        test::ShowActive(*screen);
        return *screen;
    }
    EntryBox* Box(const char* name, int index = -1) {
        return screen->Box(QString::fromLatin1(name), index);
    }
    void Click(const char* name) {
        QTest::mouseClick(static_cast<QAbstractButton*>(screen->Control(QString::fromLatin1(name))),
                          Qt::LeftButton);
    }
    void ChooseKind(int kind) { QTest::mouseClick(screen->Option(kind), Qt::LeftButton); }

    std::unique_ptr<FrmSoukatu> screen;
};

TEST_F(FrmSoukatuTest, ShowsEveryControlWithItsCaptionAndLimits) {
    Open();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("総括表作成"));
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmSoukatu"));
    EXPECT_EQ(screen->Option(0)->text(), QStringLiteral("医"));
    EXPECT_EQ(screen->Option(1)->text(), QStringLiteral("歯"));
    EXPECT_EQ(screen->Option(2)->text(), QStringLiteral("調"));
    EXPECT_EQ(static_cast<QPushButton*>(screen->Control("cmdPrint"))->text(), "印刷");
    EXPECT_EQ(static_cast<QPushButton*>(screen->Control("cmdClose"))->text(), "閉じる");
    QStringList labels;
    for (const QLabel* label : screen->findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption : {"(1) 公　　　費", "(2) 福　祉（子　障　母　精　後）",
                                "＊ 調剤データは「入院外」の欄に入力してください", "入　院",
                                "入院外", "　一　　　　般", "　退職者", "　合　　　計"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;

    const int limits[] = {4, 6, 9, 9};
    const char* names[] = {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"};
    QSet<QString> accessible;
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 8; ++row) {
            EntryBox* box = Box(names[c], row);
            ASSERT_NE(box, nullptr) << names[c] << row;
            EXPECT_EQ(box->objectName(), QString::fromLatin1(names[c]));
            EXPECT_EQ(box->property("Index").toInt(), row);
            EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            EXPECT_FALSE(box->testAttribute(Qt::WA_InputMethodEnabled));
            accessible.insert(box->accessibleName());
            if (row < 6) {
                EXPECT_EQ(box->maxLength(), limits[c]);
                EXPECT_FALSE(box->isReadOnly());
            } else {
                EXPECT_TRUE(box->isReadOnly());
            }
        }
        EXPECT_EQ(Box(names[c], 6)->BackColour(), ButtonFaceColour());
    }
    EXPECT_EQ(accessible.size(), 32);
    EXPECT_TRUE(accessible.contains(QStringLiteral("退職者 入院外 点数")));
    EXPECT_EQ(Box("txtKouhi")->maxLength(), 5);
    EXPECT_EQ(Box("txtFukusi")->maxLength(), 5);
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
}

TEST_F(FrmSoukatuTest, CaptionsOfTheLastBoxesStandClearOfThem) {
    test::ScreenFontInUse font;
    Open();
    for (const auto& [caption, name] :
         {std::pair{"(1) 公　　　費", "txtKouhi"},
          std::pair{"(2) 福　祉（子　障　母　精　後）", "txtFukusi"}}) {
        SCOPED_TRACE(name);
        const QLabel* label = nullptr;
        for (const QLabel* candidate : screen->findChildren<QLabel*>())
            if (candidate->text() == QString::fromUtf8(caption))
                label = candidate;
        ASSERT_NE(label, nullptr);
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(label->width(), textWidth);
        // A few pixels of the window between the end of the text and the box.
        EXPECT_GE(Box(name)->x() - (label->x() + textWidth), 4);
        EXPECT_LT(label->geometry().right(), Box(name)->x());
        EXPECT_EQ(label->y(), Box(name)->y());
    }
}

TEST_F(FrmSoukatuTest, ShowsTheProcessingMonthClearOfTheOtherControls) {
    test::ScreenFontInUse font;
    gNengetu = QStringLiteral("3811");
    Open();
    EXPECT_EQ(test::NengetuLabelText(*screen), QStringLiteral("処理年月　平成38年11月"));
    EXPECT_EQ(test::InTheWayOfNengetuLabel(*screen), "");
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("総括表作成"));
}

TEST_F(FrmSoukatuTest, OutpatientMealsAreNeverTyped) {
    Open();
    for (int kind : {1, 2, 0})
        for (int row : {1, 3, 5, 7}) {
            ChooseKind(kind);
            EXPECT_FALSE(Box("txtSyokuji", row)->isEnabled()) << kind << row;
            EXPECT_EQ(Box("txtSyokuji", row)->BackColour(), kDisabledColour);
        }
}

struct OptionCase {
    const char* sougou;
    const char* syubetu;
    bool enabled[3];
    int selected;
};

TEST_F(FrmSoukatuTest, EnablesAndSelectsTheKindOfTheInstitution) {
    const OptionCase cases[] = {
        {"0", "1", {true, false, false}, 0},
        {"0", "2", {false, true, false}, 1},
        {"0", "3", {false, false, true}, 2},
        {"0", "9", {true, true, true}, 0},
        {"1", "1", {true, true, false}, 0},
        {"1", "2", {true, true, false}, 1},
        // Selected although disabled: the institution's type wins.
        {"1", "3", {true, true, false}, 2},
    };
    for (const OptionCase& c : cases) {
        gSougou = QString::fromLatin1(c.sougou);
        gSyubetu = QString::fromLatin1(c.syubetu);
        Open();
        for (int kind = 0; kind < 3; ++kind)
            EXPECT_EQ(screen->Option(kind)->isEnabled(), c.enabled[kind])
                << c.sougou << "/" << c.syubetu << " option " << kind;
        EXPECT_EQ(screen->SelectedKind(), c.selected) << c.sougou << "/" << c.syubetu;
    }
}

TEST_F(FrmSoukatuTest, PharmacyEmptiesTheInpatientRowsAndTheirTotalsFollow) {
    gSougou = QStringLiteral("9"); // every kind may be chosen
    gSyubetu = QStringLiteral("9");
    Open();
    for (int row = 0; row < 6; ++row) {
        TypeInto(Box("txtKensuu", row), QString::number(row + 1));
        TypeInto(Box("txtTensuu", row), QString::number(100 * (row + 1)));
    }
    TypeInto(Box("txtSyokuji", 2), QStringLiteral("700"));
    EXPECT_EQ(Box("txtKensuu", 6)->text(), "9");  // 1 + 3 + 5
    EXPECT_EQ(Box("txtKensuu", 7)->text(), "12"); // 2 + 4 + 6
    EXPECT_EQ(Box("txtSyokuji", 6)->text(), "700");

    ChooseKind(2);
    for (int row : {0, 2, 4})
        for (const char* name : {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"}) {
            EXPECT_TRUE(Box(name, row)->text().isEmpty()) << name << row;
            EXPECT_FALSE(Box(name, row)->isEnabled()) << name << row;
            EXPECT_EQ(Box(name, row)->BackColour(), kDisabledColour) << name << row;
        }
    EXPECT_EQ(Box("txtKensuu", 6)->text(), "0");
    EXPECT_EQ(Box("txtTensuu", 6)->text(), "0");
    EXPECT_EQ(Box("txtSyokuji", 6)->text(), "0");
    EXPECT_EQ(Box("txtKensuu", 7)->text(), "12");
    EXPECT_EQ(Box("txtTensuu", 7)->text(), "1200");

    ChooseKind(0);
    for (int row : {0, 2, 4})
        for (const char* name : {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"}) {
            EXPECT_TRUE(Box(name, row)->isEnabled()) << name << row;
            EXPECT_TRUE(Box(name, row)->text().isEmpty());
            EXPECT_EQ(Box(name, row)->BackColour(), kEnabledColour);
        }
}

TEST_F(FrmSoukatuTest, DentalEmptiesTheMealsAndTheMealTotalFollows) {
    gSougou = QStringLiteral("1");
    Open();
    TypeInto(Box("txtSyokuji", 0), QStringLiteral("1500"));
    TypeInto(Box("txtSyokuji", 4), QStringLiteral("20"));
    EXPECT_EQ(Box("txtSyokuji", 6)->text(), "1520");
    EXPECT_TRUE(Box("txtSyokuji", 7)->text().isEmpty());

    ChooseKind(1);
    for (int row = 0; row < 6; ++row) {
        EXPECT_TRUE(Box("txtSyokuji", row)->text().isEmpty());
        EXPECT_FALSE(Box("txtSyokuji", row)->isEnabled());
        EXPECT_EQ(Box("txtSyokuji", row)->BackColour(), kDisabledColour);
        EXPECT_TRUE(Box("txtKensuu", row)->isEnabled());
    }
    EXPECT_EQ(Box("txtSyokuji", 6)->text(), "0");
    EXPECT_TRUE(Box("txtSyokuji", 7)->text().isEmpty()); // never computed

    ChooseKind(0);
    for (int row : {0, 2, 4})
        EXPECT_TRUE(Box("txtSyokuji", row)->isEnabled());
    for (int row : {1, 3, 5})
        EXPECT_FALSE(Box("txtSyokuji", row)->isEnabled());
}

TEST_F(FrmSoukatuTest, TotalsKeepTheirWidthAndShowZeroOnceEmptied) {
    Open();
    EXPECT_TRUE(Box("txtTensuu", 6)->text().isEmpty()); // nothing typed yet
    for (int row : {0, 2, 4}) {
        TypeInto(Box("txtTensuu", row), QStringLiteral("999999999"));
        TypeInto(Box("txtKensuu", row), QStringLiteral("9999"));
        TypeInto(Box("txtJitunisuu", row), QStringLiteral("999999"));
    }
    EXPECT_EQ(Box("txtTensuu", 6)->text(), "999999997"); // 2999999997, last nine
    EXPECT_EQ(Box("txtKensuu", 6)->text(), "29997");
    EXPECT_EQ(Box("txtJitunisuu", 6)->text(), "999997"); // 2999997, last six
    EXPECT_EQ(Box("txtTensuu", 7)->text(), "0");

    TypeInto(Box("txtKensuu", 3), QStringLiteral("12"));
    EXPECT_EQ(Box("txtKensuu", 7)->text(), "12");
    TypeInto(Box("txtKensuu", 3), QString());
    EXPECT_EQ(Box("txtKensuu", 7)->text(), "0");
}

TEST_F(FrmSoukatuTest, BoxesTakeDigitsOnlyTypedOrPasted) {
    Open();
    EntryBox* box = Box("txtTensuu", 1);
    TypeInto(box, QStringLiteral("1a2-3 "));
    EXPECT_EQ(box->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("45x"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "123");
    QApplication::clipboard()->setText(QStringLiteral("45"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "12345");
    EXPECT_EQ(Box("txtTensuu", 7)->text(), "12345");
}

TEST_F(FrmSoukatuTest, FocusPutsTheCaretAtTheStart) {
    Open();
    TypeInto(Box("txtKensuu", 0), QStringLiteral("12"));
    TypeInto(Box("txtJitunisuu", 0), QStringLiteral("3456"));
    TypeInto(Box("txtTensuu", 0), QStringLiteral("77"));
    Box("txtKensuu", 0)->setFocus();
    test::PressEnter(Box("txtKensuu", 0));
    ASSERT_EQ(FocusedName(), "txtJitunisuu(0)");
    EXPECT_EQ(Box("txtJitunisuu", 0)->cursorPosition(), 0);
    EXPECT_FALSE(Box("txtJitunisuu", 0)->hasSelectedText());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(FocusedName(), "txtTensuu(0)");
    EXPECT_FALSE(Box("txtTensuu", 0)->hasSelectedText());
    EXPECT_EQ(Box("txtTensuu", 0)->cursorPosition(), 0);
}

TEST_F(FrmSoukatuTest, EnterFollowsTheMedicalPath) {
    Open();
    const QStringList path = WalkEnter(Box("txtKensuu", 0), 23);
    EXPECT_EQ(path.join(' '),
              "txtKensuu(0) txtJitunisuu(0) txtTensuu(0) txtSyokuji(0) txtKensuu(1) "
              "txtJitunisuu(1) txtTensuu(1) txtKensuu(2) txtJitunisuu(2) txtTensuu(2) "
              "txtSyokuji(2) txtKensuu(3) txtJitunisuu(3) txtTensuu(3) txtKensuu(4) "
              "txtJitunisuu(4) txtTensuu(4) txtSyokuji(4) txtKensuu(5) txtJitunisuu(5) "
              "txtTensuu(5) txtKouhi txtFukusi cmdPrint");
}

TEST_F(FrmSoukatuTest, EnterSkipsTheInpatientRowsForPharmacyAndTheMealsForDental) {
    gSyubetu = QStringLiteral("3");
    Open();
    EXPECT_EQ(WalkEnter(Box("txtKensuu", 1), 8).join(' '),
              "txtKensuu(1) txtJitunisuu(1) txtTensuu(1) txtKensuu(3) txtJitunisuu(3) "
              "txtTensuu(3) txtKensuu(5) txtJitunisuu(5) txtTensuu(5)");
    screen.reset();
    gSyubetu = QStringLiteral("2");
    Open();
    EXPECT_EQ(WalkEnter(Box("txtKensuu", 4), 7).join(' '),
              "txtKensuu(4) txtJitunisuu(4) txtTensuu(4) txtKensuu(5) txtJitunisuu(5) "
              "txtTensuu(5) txtKouhi txtFukusi");
    // The totals follow the same table; row 7 has nowhere to go.
    EXPECT_EQ(WalkEnter(Box("txtKensuu", 6), 4).join(' '),
              "txtKensuu(6) txtJitunisuu(6) txtTensuu(6) txtKensuu(7) txtJitunisuu(7)");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 7), 1).join(' '), "txtTensuu(7) txtTensuu(7)");
}

TEST_F(FrmSoukatuTest, EnterInTheTotalsOfTheMedicalTable) {
    Open();
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 6), 2).join(' '),
              "txtTensuu(6) txtSyokuji(6) txtKensuu(7)");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 7), 1).join(' '), "txtTensuu(7) txtTensuu(7)");
}

TEST_F(FrmSoukatuTest, FiguresSurviveCloseAndReopenButNotTheKind) {
    gSougou = QStringLiteral("1");
    Open();
    TypeInto(Box("txtKensuu", 0), QStringLiteral("3"));
    TypeInto(Box("txtSyokuji", 2), QStringLiteral("480"));
    TypeInto(Box("txtTensuu", 5), QStringLiteral("1234"));
    TypeInto(Box("txtKouhi"), QStringLiteral("7"));
    TypeInto(Box("txtFukusi"), QStringLiteral("8"));
    ChooseKind(1);
    Click("cmdClose");
    EXPECT_FALSE(screen->isVisible());
    screen.reset();

    Open();
    EXPECT_EQ(screen->SelectedKind(), 0);
    EXPECT_EQ(Box("txtKensuu", 0)->text(), "3");
    EXPECT_EQ(Box("txtKensuu", 6)->text(), "3");
    EXPECT_TRUE(Box("txtSyokuji", 2)->text().isEmpty()); // emptied by 歯 before closing
    EXPECT_EQ(Box("txtTensuu", 5)->text(), "1234");
    EXPECT_EQ(Box("txtTensuu", 7)->text(), "1234");
    EXPECT_EQ(Box("txtKouhi")->text(), "7");
    EXPECT_EQ(Box("txtFukusi")->text(), "8");

    // Closing with the title bar keeps the figures too.
    TypeInto(Box("txtKensuu", 1), QStringLiteral("5"));
    screen->close();
    screen.reset();
    Open();
    EXPECT_EQ(Box("txtKensuu", 1)->text(), "5");
    EXPECT_EQ(RetainedSoukatuEntries().kensuu[7], "5");
}

TEST_F(FrmSoukatuTest, EscapeDoesNotCloseTheScreen) {
    Open();
    TypeInto(Box("txtKensuu", 0), QStringLiteral("12"));
    QTest::keyClick(Box("txtKensuu", 0), Qt::Key_Escape);
    auto* close = static_cast<QPushButton*>(screen->Control(QStringLiteral("cmdClose")));
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Escape);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(Box("txtKensuu", 0)->text(), "12");
}

TEST_F(FrmSoukatuTest, ReturnOnPrintAtTheEndOfTheEnterPathPrints) {
    int printed = 0;
    SetSoukatuPrintHook([&printed](QDialog&) { ++printed; });
    Open();
    TypeInto(Box("txtFukusi"), QStringLiteral("３"));
    EXPECT_EQ(Box("txtFukusi")->text(), "3");
    // Enter in the last box moves to 印刷 and presses nothing.
    ASSERT_EQ(WalkEnter(Box("txtFukusi"), 1).last(), "cmdPrint");
    EXPECT_EQ(printed, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(printed, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(printed, 2);
}

TEST_F(FrmSoukatuTest, PrintCallsTheHookWithTheScreen) {
    Open();
    Click("cmdPrint"); // no hook: nothing happens
    TypeInto(Box("txtTensuu", 0), QStringLiteral("42"));
    QString seen;
    SetSoukatuPrintHook([&seen](QDialog& printed) {
        // Printing reaches the boxes by name and index from a bare QDialog.
        for (const QLineEdit* box : printed.findChildren<QLineEdit*>(QStringLiteral("txtTensuu")))
            if (box->property("Index").toInt() == 6)
                seen = box->text();
    });
    Click("cmdPrint");
    EXPECT_EQ(seen, "42");
}

TEST_F(FrmSoukatuTest, TheMenuOpensBothScreensByName) {
    RegisterSummaryScreens();
    QStringList opened;
    SetModalHandler([&opened](QDialog& screen) {
        opened << screen.objectName() + QLatin1Char(':') + screen.windowTitle();
        return 0;
    });
    test::TempDatabase database; // frmSoukatu2 reads its lines when it opens
    gNengetu = QStringLiteral("3805");
    EXPECT_EQ(OpenScreen(QStringLiteral("frmSoukatu"), nullptr), 0);
    EXPECT_EQ(OpenScreen(QStringLiteral("frmSoukatu2"), nullptr), 0);
    SetModalHandler({});
    EXPECT_EQ(opened, (QStringList{"frmSoukatu:総括表作成", "frmSoukatu2:総括表（控）作成"}));
    EXPECT_TRUE(SoukatuPrint());
    EXPECT_TRUE(SoukatuAllPrint());
}

} // namespace
} // namespace tabulon
