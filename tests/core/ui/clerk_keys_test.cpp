// The menu, month copy, month delete and registration screens driven by the
// keys alone: the year and month boxes use exactly what is typed, Return on
// a focused button presses it, Escape leaves the entry screens open.

#include "modal_screen.h"
#include "screen_fixture.h"
#include "settings/ini_file.h"
#include "ui/frm_copy.h"
#include "ui/frm_delete.h"
#include "ui/frm_menu.h"
#include "ui/frm_touroku.h"
#include "ui/month_check.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace tabulon::test {
namespace {

void showActive(QWidget& screen) {
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
}

// Replaces the text of a box by typing, as the clerk does; characters beyond
// ASCII arrive as key events carrying their text, as an input method sends them.
void typeInto(QWidget* box, const QString& text) {
    QLineEdit* edit = qobject_cast<QLineEdit*>(box);
    if (auto* combo = qobject_cast<QComboBox*>(box))
        edit = combo->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        const int key = c.unicode() < 0x80 ? c.toLatin1() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

// Gives the control the focus and presses `key` on the focused widget.
void pressOn(QWidget* control, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    control->setFocus();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
}

class ClerkKeysTest : public ScreenTest {
protected:
    // Year 38 holds months 01 to 11, each with one claim of its own insurer
    // number "2310" + month, so the month used can be read back.
    void fillYear38() {
        for (int m = 1; m <= 11; ++m) {
            const QString month = QStringLiteral("38%1").arg(m, 2, 10, QLatin1Char('0'));
            AddMonth(month);
            AddClaim(month, QStringLiteral("2310") + month.right(2));
        }
    }
    void registerFakeScreens() {
        for (const char* name : {"frmList", "frmSoukatu", "frmSoukatu2"}) {
            RegisterScreen(name, [name](QWidget* parent) {
                auto screen = std::make_unique<QDialog>(parent);
                screen->setObjectName(name);
                return screen;
            });
        }
    }
    // A medical institution without a dental department, as registered before.
    static void registerMedicalInstitution() {
        gIryouCD = "2312345";
        gSyubetu = "1";
        gSougou = "0";
    }
    QString firstBangou(const QString& month) {
        auto rs = database.db().OpenRecordset(
            QStringLiteral("SELECT * FROM T_請求書 WHERE 年月 = '%1'").arg(month));
        return rs->Eof() ? QString() : rs->Fields("保険者番号").Text();
    }
};

TEST_F(ClerkKeysTest, MenuUsesTheMonthAsTypedAndReturnPressesEachWorkButton) {
    fillYear38();
    AddMonth("3705");
    registerFakeScreens();
    auto menu = CreateMainMenu();
    showActive(*menu);
    auto* year = Find<QComboBox>(menu.get(), "cboYear");
    auto* month = Find<QComboBox>(menu.get(), "cboMonth");

    // "1" with 01 to 11 listed stays "1" (month 01), never "10".
    typeInto(month, "1");
    EXPECT_EQ(month->currentText(), "1");
    pressOn(Find<QPushButton>(menu.get(), "cmdSeikyuu"), Qt::Key_Return);
    EXPECT_EQ(gNengetu, "3801");

    // "3" with 37 and 38 listed is era year 3; full-width digits count as digits.
    typeInto(year, "3");
    EXPECT_EQ(year->currentText(), "3");
    typeInto(month, QStringLiteral("１２"));
    EXPECT_EQ(month->currentText(), "12");
    pressOn(Find<QPushButton>(menu.get(), "cmdSoukatu1"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(gNengetu, "0312");

    typeInto(year, QStringLiteral("３８"));
    typeInto(month, QStringLiteral("２"));
    pressOn(Find<QPushButton>(menu.get(), "cmdSoukatu2"), Qt::Key_Return);
    EXPECT_EQ(gNengetu, "3802");
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(opened, (QStringList{"frmList", "frmSoukatu", "frmSoukatu2"}));

    // Return in a list box presses no button.
    pressOn(month, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 3);

    messages.Answer(MsgAnswer::Cancel);
    pressOn(Find<QPushButton>(menu.get(), "cmdEnd"), Qt::Key_Return);
    EXPECT_EQ(messages.Texts().last(), "終了してもよろしいですか？");
    EXPECT_TRUE(menu->isVisible());
    messages.Answer(MsgAnswer::Ok);
    menu->close();
}

TEST_F(ClerkKeysTest, MenuBarIsEnteredByAltOrF10AndItsItemsPickedByArrowsAndReturn) {
    auto menu = CreateMainMenu();
    showActive(*menu);
    // Keys go where the clerk's keys go: to an open menu, else to the focus.
    const auto press = [](Qt::Key key) {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : QApplication::focusWidget(), key);
    };
    for (const Qt::Key enter : {Qt::Key_Alt, Qt::Key_F10}) {
        opened.clear();
        Find<QComboBox>(menu.get(), "cboYear")->lineEdit()->setFocus();
        press(enter);
        press(Qt::Key_Right); // 設定
        press(Qt::Key_Down);  // its only item, 医療機関登録
        press(Qt::Key_Return);
        EXPECT_EQ(opened, QStringList{"frmTouroku"})
            << QKeySequence(enter).toString().toStdString();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    messages.Answer(MsgAnswer::Ok);
    menu->close();
}

TEST_F(ClerkKeysTest, DeleteRemovesTheMonthAsTypedOnReturn) {
    fillYear38();
    FrmDelete screen;
    showActive(screen);
    auto* month = Find<QComboBox>(&screen, "cboMonth");
    typeInto(month, "1");
    EXPECT_EQ(month->currentText(), "1");
    pressOn(month, Qt::Key_Return); // no button is pressed from the box
    EXPECT_TRUE(messages.shown.empty());

    pressOn(Find<QPushButton>(&screen, "cmdDelete"), Qt::Key_Return);
    EXPECT_EQ(messages.Texts(), (QStringList{"削除してもよろしいですか？", "削除しました。"}));
    EXPECT_EQ(CountRows("T_請求書", "3801"), 0);
    EXPECT_EQ(CountRows("T_請求書", "3810"), 1);
    EXPECT_EQ(CountRows("T_請求書", "3811"), 1);

    pressOn(Find<QPushButton>(&screen, "cmdClose"), Qt::Key_Return);
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(ClerkKeysTest, CopyTakesTheMonthsAsTypedOnReturn) {
    fillYear38();
    FrmCopy screen;
    showActive(screen);
    typeInto(Find<QComboBox>(&screen, "cboMonth"), "1");
    typeInto(Find<QLineEdit>(&screen, "txtYear"), QStringLiteral("３７"));
    typeInto(Find<QLineEdit>(&screen, "txtMonth"), QStringLiteral("５"));
    EXPECT_EQ(Find<QLineEdit>(&screen, "txtYear")->text(), "37");
    pressOn(Find<QPushButton>(&screen, "cmdCopy"), Qt::Key_Return);
    EXPECT_EQ(messages.Texts(), QStringList{"終了しました"});
    EXPECT_EQ(gNengetu, "3705");
    EXPECT_EQ(firstBangou("3705"), "231001");
    EXPECT_EQ(CountRows("T_請求書", "3705"), 1);
}

TEST_F(ClerkKeysTest, EscapeKeepsTheCopyDeleteAndRegistrationScreensWithTheirText) {
    fillYear38();
    FrmCopy copy;
    FrmDelete remove;
    FrmTouroku touroku;
    const std::pair<QDialog*, const char*> boxes[] = {
        {&copy, "txtMonth"}, {&remove, "cboMonth"}, {&touroku, "txtMeisyou"}};
    for (const auto& [screen, name] : boxes) {
        showActive(*screen);
        QWidget* box = screen->findChild<QWidget*>(QLatin1String(name));
        typeInto(box, "7");
        QWidget* typedInto = QApplication::focusWidget();
        QTest::keyClick(typedInto, Qt::Key_Escape);
        EXPECT_TRUE(screen->isVisible()) << screen->objectName().toStdString();
        EXPECT_EQ(EntryText(box), "7");
        // Escape on a focused button does not close either.
        pressOn(screen->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::Key_Escape);
        EXPECT_TRUE(screen->isVisible()) << screen->objectName().toStdString();
        screen->hide();
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClerkKeysTest, RegistrationKindIsChosenByTabAndArrowsFromEitherSide) {
    registerMedicalInstitution();
    FrmTouroku screen;
    showActive(screen);
    const auto kind = [&screen](int index) {
        for (auto* option : screen.findChildren<QRadioButton*>("optHyoubetu"))
            if (option->property("Index").toInt() == index)
                return option;
        return static_cast<QRadioButton*>(nullptr);
    };
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };

    // Backwards from the first box: past 旧総合病院 into the kinds, at 医科.
    Find<QLineEdit>(&screen, "txtCode")->setFocus();
    press(Qt::Key_Backtab);
    press(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), kind(0));
    press(Qt::Key_Right);
    EXPECT_TRUE(kind(1)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), kind(1));

    // Forwards from 閉じる: at the kind now chosen, and on to 調剤.
    Find<QPushButton>(&screen, "cmdClose")->setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), kind(1));
    press(Qt::Key_Right);
    EXPECT_TRUE(kind(2)->isChecked());

    pressOn(Find<QPushButton>(&screen, "cmdEdit"), Qt::Key_Return);
    EXPECT_EQ(gSyubetu, "3");
    EXPECT_EQ(messages.Texts(), QStringList{"保存しました。"});
}

TEST_F(ClerkKeysTest, RegistrationSavesOnReturnAtTheEndOfTheEnterPath) {
    registerMedicalInstitution();
    FrmTouroku screen;
    showActive(screen);
    typeInto(Find<QLineEdit>(&screen, "txtCode"), QStringLiteral("２３９８７６５"));
    EXPECT_EQ(Find<QLineEdit>(&screen, "txtCode")->text(), "2398765");
    for (int step = 0; step < 6; ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty()) << "Enter in a box saved";
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "cmdEdit");
    // The button shows the focus frame, as if reached by Tab.
    EXPECT_TRUE(screen.testAttribute(Qt::WA_KeyboardFocusChange));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages.Texts(), QStringList{"保存しました。"});
    EXPECT_EQ(gIryouCD, "2398765");
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("IryouCD=2398765\r\n"));
    EXPECT_TRUE(screen.isVisible());
}

} // namespace
} // namespace tabulon::test
