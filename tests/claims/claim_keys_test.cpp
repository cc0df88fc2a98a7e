// The claim list and the claim entry screen by keyboard: Return on a list
// line opens that claim, Return on a focused button presses it, Escape
// leaves an entry screen and its typed entries alone.

#include "claim_list.h"
#include "claim_print_hooks.h"
#include "claims_fixture.h"
#include "globals.h"
#include "modal_screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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

class ClaimKeysTest : public ClaimsFixture {
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
    // Records "screen:insurer number" of every entry screen opened.
    void RecordOpened() {
        SetModalHandler([this](QDialog& dialog) {
            auto& screen = dynamic_cast<ClaimScreen&>(dialog);
            opened << screen.objectName() + ':' + screen.Box("txtBangou")->text();
            return 0;
        });
    }
    QStringList opened;
};

TEST_F(ClaimKeysTest, ReturnOnAListLineOpensThatClaim) {
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
    EXPECT_EQ(opened,
              (QStringList{"frmSeikyuu4:111111", "frmSeikyuu4:222222", "frmSeikyuu4:111111"}));
    EXPECT_TRUE(CurrentClaim.EditMode);
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(ClaimKeysTest, ReturnPressesTheFocusedButtonOfTheList) {
    auto list = OpenList();
    RecordOpened();
    // An empty list: Return in it reports that there is nothing to open and
    // presses no kind button.
    PressOn(list->List(), Qt::Key_Return);
    EXPECT_EQ(messages->Texts(), QStringList{"請求書データが入力されていません。"});
    EXPECT_TRUE(opened.isEmpty());

    PressOn(list->Button("cmdSeikyuu2"), Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{"frmSeikyuu2:"});
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

TEST_F(ClaimKeysTest, EntryScreenSavesOnReturnAndIgnoresEscape) {
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
