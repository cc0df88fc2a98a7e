// frmSoukatu2 by keyboard and at the edges of opening a line: Return on a
// list line and on 追加/変更, Escape, a double click beside the lines, and
// lines that no option of the screen can show.

#include "frm_soukatu2_fixture.h"

#include <QClipboard>

namespace tabulon::test {
namespace {

// A stored line of 3805 written the way another program might write it.
void StoreLine(const QString& bangou, const QString& kind, int kensuu) {
    gDb->Execute(QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, "
                                "連番, 保険者名, 一般_外来_件数) VALUES ('3805', '%1', '', '%2', "
                                "1, '国保', %3)")
                     .arg(bangou, kind)
                     .arg(kensuu));
}

// 一般_外来_件数 of every stored line, by insurer number.
QStringList StoredKensuu() {
    QStringList lines;
    auto rs = gDb->OpenRecordset(
        QStringLiteral("SELECT * From T_総括表明細 Where 年月 = '3805' Order By 保険者番号"));
    for (; !rs->Eof(); rs->MoveNext())
        lines << rs->Fields(QStringLiteral("保険者番号")).Text() + '=' +
                     rs->Fields(QStringLiteral("一般_外来_件数")).Text();
    return lines;
}

class FrmSoukatu2KeysTest : public FrmSoukatu2Test {
protected:
    // Puts the focus on the list and moves to line `row` with the arrow keys.
    void GoToLine(int row) {
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(List(), Qt::Key_Down);
    }
    void ExpectAdding() {
        EXPECT_FALSE(CurrentClaim.EditMode);
        EXPECT_FALSE(Button("cmdDelete")->isEnabled());
        EXPECT_EQ(Button("cmdSave")->text(), QStringLiteral("追加"));
        EXPECT_EQ(Button("cmdSave")->accessibleName(), QStringLiteral("追加"));
    }
};

TEST_F(FrmSoukatu2KeysTest, ReturnAtTheEndOfTheEnterPathAddsTheLine) {
    Open();
    TypeInto(Box("txtBangou"), QStringLiteral("２３１００９"));
    EXPECT_EQ(Box("txtBangou")->text(), "231009");
    TypeInto(Box("txtKensuu", 3), QStringLiteral("7"));
    const QStringList path = WalkEnter(Box("txtTensuu", 5), 1);
    ASSERT_EQ(path.last(), "cmdSave");
    PressEnter(QApplication::focusWidget());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(StoredKeys(), QStringList{"231009//1/1"});
    EXPECT_EQ(StoredKensuu(), QStringList{"231009=7"});
    EXPECT_EQ(FocusedName(), "txtBangou");
}

TEST_F(FrmSoukatu2KeysTest, ReturnOnAListLineOpensItAndReturnOnChangeStoresIt) {
    StoreLine(QStringLiteral("231009"), QStringLiteral("1"), 1);
    StoreLine(QStringLiteral("232009"), QStringLiteral("1"), 2);
    Open();
    GoToLine(1);
    PressEnter(List());
    EXPECT_TRUE(CurrentClaim.EditMode);
    EXPECT_EQ(Box("txtBangou")->text(), "232009");
    EXPECT_EQ(Button("cmdSave")->text(), QStringLiteral("変更"));
    EXPECT_EQ(Button("cmdSave")->accessibleName(), QStringLiteral("変更"));
    EXPECT_TRUE(Button("cmdDelete")->isEnabled());

    TypeInto(Box("txtKensuu", 3), QStringLiteral("5"));
    Button("cmdSave")->setFocus();
    PressEnter(QApplication::focusWidget());
    EXPECT_EQ(StoredKensuu(), (QStringList{"231009=1", "232009=5"}));
    ExpectAdding();

    // The keypad's Enter opens the line that has the focus.
    GoToLine(0);
    QTest::keyClick(List(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Box("txtBangou")->text(), "231009");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FrmSoukatu2KeysTest, DoubleClickBesideTheLinesReturnsToAddingAndSpareTheOpenedLine) {
    StoreLine(QStringLiteral("231009"), QStringLiteral("1"), 1);
    Open();
    OpenLine(0);
    ASSERT_TRUE(CurrentClaim.EditMode);

    QTreeWidget* list = List();
    const QPoint empty(10, list->viewport()->height() - 4);
    ASSERT_EQ(list->itemAt(empty), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("総括表（控）データが入力されていません。")});
    ExpectAdding();
    EXPECT_TRUE(Box("txtBangou")->text().isEmpty());

    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    TypeInto(Box("txtKensuu", 3), QStringLiteral("9"));
    Button("cmdSave")->setFocus();
    PressEnter(QApplication::focusWidget());
    // The opened line keeps its figures; what was typed is a new line.
    EXPECT_EQ(StoredKeys(), (QStringList{"231009//1/1", "231009//1/2"}));
    EXPECT_EQ(StoredKensuu(), (QStringList{"231009=1", "231009=9"}));
}

TEST_F(FrmSoukatu2KeysTest, LineOfAnUnknownKindIsReportedAndTheScreenStaysAdding) {
    StoreLine(QStringLiteral("231009"), QStringLiteral("5"), 1);
    Open();
    OpenLine(0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 340\r\r")));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    ExpectAdding();
    EXPECT_TRUE(Box("txtBangou")->text().isEmpty());
    EXPECT_TRUE(screen->Option(0)->isChecked());
}

TEST_F(FrmSoukatu2KeysTest, ClearingWithAnUnknownInstitutionTypeKeepsTheChosenKind) {
    gSyubetu = QStringLiteral("9");
    Open();
    ChooseKind(2);
    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    Button("cmdCancel")->setFocus();
    PressEnter(QApplication::focusWidget());
    EXPECT_TRUE(Box("txtBangou")->text().isEmpty());
    EXPECT_TRUE(screen->Option(1)->isChecked());
    EXPECT_FALSE(Box("txtSyokuji", 0)->isEnabled()); // the dental rule still applies
}

TEST_F(FrmSoukatu2KeysTest, StoredValuesBeyondTheInputLimitsOpenWholeAndStayWhole) {
    // Written by another program: a name of 21 characters, counts of five and
    // six digits.
    const QString longName = QStringLiteral("全国健康保険協会愛知支部船員保険部門の控え");
    gDb->Execute(QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, "
                                "連番, 保険者名, 一般_外来_件数, 公費件数) VALUES ('3805', "
                                "'231009', '', '1', 1, '%1', 12345, 123456)")
                     .arg(longName));
    Open();
    GoToLine(0);
    PressEnter(List());
    EXPECT_EQ(Box("txtName")->text(), longName);
    EXPECT_EQ(Box("txtKensuu", 3)->text(), "12345");
    EXPECT_EQ(Box("txtKouhi")->text(), "123456");

    Button("cmdSave")->setFocus();
    PressEnter(QApplication::focusWidget());
    EXPECT_EQ(StoredKensuu(), QStringList{"231009=12345"});
    auto rs = gDb->OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
    EXPECT_EQ(rs->Fields(QStringLiteral("保険者名")).Text(), longName);
    EXPECT_EQ(rs->Fields(QStringLiteral("公費件数")).Text(), "123456");

    // Back in adding mode the boxes take no more than a clerk may type.
    TypeInto(Box("txtKensuu", 3), QStringLiteral("98765"));
    EXPECT_EQ(Box("txtKensuu", 3)->text(), "9876");
}

// The name is printed in Shift_JIS: a character without a code never lands,
// typed or pasted, and the save stores what the box shows.
TEST_F(FrmSoukatu2KeysTest, InsurerNameTakesOnlyShiftJisText) {
    Open();
    const QString hostile = QString::fromUcs4(U"𠮷野😀組合");
    EntryBox* name = Box("txtName");
    name->setFocus();
    QKeyEvent whole(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, hostile);
    QApplication::sendEvent(name, &whole);
    QApplication::clipboard()->setText(hostile);
    name->paste();
    EXPECT_EQ(name->text(), QString());
    TypeInto(name, hostile);
    EXPECT_EQ(name->text(), QStringLiteral("野組合"));
}

TEST_F(FrmSoukatu2KeysTest, EscapeKeepsTheScreenAndItsText) {
    Open();
    TypeInto(Box("txtName"), QStringLiteral("国保"));
    QTest::keyClick(Box("txtName"), Qt::Key_Escape);
    Button("cmdClose")->setFocus();
    QTest::keyClick(Button("cmdClose"), Qt::Key_Escape);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(Box("txtName")->text(), QStringLiteral("国保"));
}

} // namespace
} // namespace tabulon::test
