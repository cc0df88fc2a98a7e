// Saving, reopening, changing and deleting claims of every kind, checked in
// the stored row column by column; serials, insurer numbers and messages.

#include "claim_columns.h"
#include "claims_fixture.h"
#include "globals.h"
#include "helpers/check_digit.h"
#include "mdu_seikyusyo.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

using ClaimSave = ClaimsFixture;

const QStringList kFigureStems{"療養_入院_件数_",   "療養_入院_実日数_", "療養_入院_点数_",
                               "療養_入院_負担金_", "食事_件数_",        "食事_日数_",
                               "食事_金額_",        "食事_負担額_",      "療養_外来_件数_",
                               "療養_外来_実日数_", "療養_外来_点数_",   "療養_外来_負担金_"};

// Every figure column of T_請求書: 2 sections x 12 stems x 5 rows.
QStringList AllFigureColumns() {
    QStringList columns;
    for (const char* section : {"一般_", "退職_"})
        for (const QString& stem : kFigureStems)
            for (int n = 1; n <= 5; ++n)
                columns << section + stem + QString::number(n);
    return columns;
}

// Puts a distinct number into every box the kind stores (hidden 退職 rows
// included, as a loaded row fills them) and returns column -> text.
QHash<QString, QString> FillFigures(ClaimScreen& screen, int seed) {
    QHash<QString, QString> expected;
    int n = seed;
    for (const BoxColumn& c : SavedFigureColumns(screen.Kind())) {
        const QString text = QString::number(++n);
        screen.Box(c.box, c.index)->setText(text);
        expected.insert(c.column, text);
    }
    return expected;
}

void ExpectRow(Recordset& row, const QHash<QString, QString>& figures) {
    for (const QString& column : AllFigureColumns())
        EXPECT_EQ(row.Fields(column).Text(), figures.value(column)) << column.toStdString();
}

TEST_F(ClaimSave, EveryKindSavesReopensChangesAndDeletes) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        auto screen = NewScreen(kind);
        QTest::keyClicks(screen->Box("txtBangou"), "138016");
        if (kind <= 2)
            QTest::keyClicks(screen->Box("txtSinryouka"), "7");
        QTest::keyClicks(screen->Box("txtKouhi"), "12");
        screen->Box("txtUba")->setText("34"); // hidden on kinds 2, 4, 6, stored all the same
        const QHash<QString, QString> figures = FillFigures(*screen, kind * 200);
        Click(*screen, "cmdSave");
        EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");
        // A new-claim screen is cleared for the next claim.
        EXPECT_TRUE(screen->Box("txtBangou")->text().isEmpty());
        EXPECT_TRUE(screen->Box("txtTensuu", 3)->text().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtBangou"));

        const QString department = kind <= 2 ? "07" : "";
        const ClaimKey key{"3805", "138016", department, kind, 1};
        auto row = Stored(key);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->Fields("請求書種類").Text(), QString::number(kind));
        EXPECT_EQ(row->Fields("公費件数").Text(), "12");
        // Kind 4 never writes 福祉件数; kinds 2 and 6 write their hidden box.
        EXPECT_EQ(row->Fields("福祉件数").Text(), kind == 4 ? "" : "34");
        ExpectRow(*row, figures);

        auto edit = EditScreen(key);
        EXPECT_TRUE(edit->Button("cmdDelete")->isEnabled());
        EXPECT_EQ(edit->Box("txtBangou")->text(), "138016");
        EXPECT_EQ(edit->Box("txtSinryouka")->text(), department);
        for (const BoxColumn& c : SavedFigureColumns(edit->Kind()))
            EXPECT_EQ(edit->Box(c.box, c.index)->text(), figures.value(c.column));
        QLineEdit* changed = edit->Box("txtKensuu", kind >= 5 ? 3 : 2);
        changed->selectAll();
        QTest::keyClicks(changed, "9");
        Click(*edit, "cmdSave");
        // An edit screen keeps its figures and its claim: same row, same serial.
        EXPECT_EQ(changed->text(), "9");
        EXPECT_EQ(Stored(key)->Fields(FigureColumn("txtKensuu", kind >= 5 ? 3 : 2)).Text(), "9");
        EXPECT_EQ(CountClaims(), 1);

        messages->Answer(MsgAnswer::Cancel);
        Click(*edit, "cmdDelete");
        EXPECT_NE(Stored(key), nullptr);
        EXPECT_TRUE(edit->isVisible());
        messages->shown.clear();
        Click(*edit, "cmdDelete");
        EXPECT_EQ(messages->Texts(), QStringList{"削除してもよろしいですか？"});
        EXPECT_EQ(Stored(key), nullptr);
        EXPECT_TRUE(edit->isHidden());
        EXPECT_EQ(CountClaims(), 0);
    }
}

TEST_F(ClaimSave, UnwrittenColumnsKeepTheirDefaults) {
    // Kinds 5 and 6 write 外来 columns only; kinds 3 to 6 never write 診療科.
    InsertClaim({"3805", "555555", "", 6, 1}, "8");
    auto screen = EditScreen({"3805", "555555", "", 6, 1});
    screen->Box("txtKensuu", 0)->setText("77"); // a hidden 入院 box
    Click(*screen, "cmdSave");
    auto row = Stored({"3805", "555555", "", 6, 1});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Fields("一般_療養_入院_件数_1").Text(), "");
    // Kind 6 writes its hidden 福祉件数 box back as the load filled it.
    EXPECT_EQ(row->Fields("福祉件数").Text(), "8");

    // An edited kind-4 claim keeps its former 福祉件数.
    InsertClaim({"3805", "444444", "", 4, 1}, "5");
    auto kind4 = EditScreen({"3805", "444444", "", 4, 1});
    kind4->Box("txtUba")->setText("9");
    Click(*kind4, "cmdSave");
    EXPECT_EQ(Stored({"3805", "444444", "", 4, 1})->Fields("福祉件数").Text(), "5");
}

TEST_F(ClaimSave, DepartmentOnlyForAGeneralHospital) {
    gSougou = "0";
    auto screen = NewScreen(1);
    screen->Box("txtSinryouka")->setText("3");
    QTest::keyClicks(screen->Box("txtBangou"), "111111");
    Click(*screen, "cmdSave");
    EXPECT_NE(Stored({"3805", "111111", "", 1, 1}), nullptr);

    gSougou = "1";
    auto hospital = NewScreen(2);
    QTest::keyClicks(hospital->Box("txtBangou"), "111111");
    QTest::keyClicks(hospital->Box("txtSinryouka"), "3");
    Click(*hospital, "cmdSave");
    EXPECT_NE(Stored({"3805", "111111", "03", 2, 1}), nullptr);
    // The month is registered once, however many claims are saved.
    int months = 0;
    for (auto rs = gDb->OpenRecordset("SELECT * From T_年月"); !rs->Eof(); rs->MoveNext()) {
        EXPECT_EQ(rs->Fields("年月").Text(), "3805");
        ++months;
    }
    EXPECT_EQ(months, 1);
}

TEST_F(ClaimSave, SerialsCountUpAndSurviveDeletes) {
    auto screen = NewScreen(3);
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(screen->Box("txtBangou"), "222222");
        Click(*screen, "cmdSave");
    }
    EXPECT_NE(Stored({"3805", "222222", "", 3, 2}), nullptr);
    EXPECT_EQ(GetSeikyuuRenban("3805", "222222", "", 3), "3");
    EXPECT_EQ(GetSeikyuuRenban("3805", "222222", "", 5), "1");

    auto first = EditScreen({"3805", "222222", "", 3, 1});
    Click(*first, "cmdDelete");
    auto again = NewScreen(3);
    QTest::keyClicks(again->Box("txtBangou"), "222222");
    Click(*again, "cmdSave");
    EXPECT_NE(Stored({"3805", "222222", "", 3, 3}), nullptr);
    EXPECT_EQ(Stored({"3805", "222222", "", 3, 1}), nullptr);

    // An edit that keeps the number keeps the serial; a new number takes the
    // next serial of the new key.
    auto edit = EditScreen({"3805", "222222", "", 3, 2});
    Click(*edit, "cmdSave");
    EXPECT_NE(Stored({"3805", "222222", "", 3, 2}), nullptr);
    edit->Box("txtBangou")->setText("333333");
    Click(*edit, "cmdSave");
    EXPECT_NE(Stored({"3805", "333333", "", 3, 1}), nullptr);
    EXPECT_EQ(Stored({"3805", "222222", "", 3, 2}), nullptr);
    EXPECT_EQ(CountClaims(), 2);
}

TEST_F(ClaimSave, ASecondSaveAfterAKeyChangeUpdatesTheSameRow) {
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        InsertClaim({"3805", "600000", "01", kind, 1});
        InsertClaim({"3805", "700000", "01", kind, 1});
        auto edit = EditScreen({"3805", "600000", "01", kind, 1});
        edit->Box("txtBangou")->setText("700000");
        Click(*edit, "cmdSave");
        EXPECT_NE(Stored({"3805", "700000", "01", kind, 2}), nullptr);
        edit->Box("txtKouhi")->setText("5");
        Click(*edit, "cmdSave");
        EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");
        EXPECT_EQ(Stored({"3805", "700000", "01", kind, 2})->Fields("公費件数").Text(), "5");
        EXPECT_EQ(CurrentClaim.bangou, "700000");
        EXPECT_EQ(CurrentClaim.renban, 2);
        // Delete from the same screen removes the row as now stored.
        Click(*edit, "cmdDelete");
        EXPECT_EQ(Stored({"3805", "700000", "01", kind, 2}), nullptr);
    }
    EXPECT_EQ(CountClaims(), 2);
}

// Presses 保存 as the clerk does: Enter in the last side box leads to it, and
// Enter on it presses it.
void SaveByEnter(ClaimScreen& screen) {
    QLineEdit* last = screen.Box(screen.Kind().ubaShown ? "txtUba" : "txtKouhi");
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), screen.Button("cmdSave"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

TEST_F(ClaimSave, RepeatedSavesOfATypedDepartmentKeepTheClaim) {
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        InsertClaim({"3805", "600000", "", kind, 1});
        auto edit = EditScreen({"3805", "600000", "", kind, 1});
        QLineEdit* sinryouka = edit->Box("txtSinryouka");
        sinryouka->setFocus();
        QTest::keyClicks(sinryouka, "2");
        for (int save = 0; save < 3; ++save) {
            SaveByEnter(*edit);
            EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");
            EXPECT_EQ(CountClaims(), 1) << "save " << save;
            EXPECT_NE(Stored({"3805", "600000", "02", kind, 1}), nullptr) << "save " << save;
        }
        // The department as typed stays on the screen.
        EXPECT_EQ(sinryouka->text(), "2");
        gDb->Execute("DELETE * From T_請求書");
    }
}

TEST_F(ClaimSave, StoredValuesLongerThanTheBoxesShowWholeAndSaveUnchanged) {
    // Written by something other than these screens: longer than the limits.
    InsertClaim({"3805", "12345678", "", 3, 1}, "123456");
    auto row = gDb->OpenRecordset(ClaimQuery({"3805", "12345678", "", 3, 1}));
    row->Edit();
    row->Fields("一般_療養_入院_点数_1").SetValue("1234567890");
    row->Fields("公費件数").SetValue("98765");
    row->Update();

    auto edit = EditScreen({"3805", "12345678", "", 3, 1});
    EXPECT_EQ(edit->Box("txtBangou")->text(), "12345678");
    EXPECT_EQ(edit->Box("txtUba")->text(), "123456");
    EXPECT_EQ(edit->Box("txtKouhi")->text(), "98765");
    EXPECT_EQ(edit->Box("txtTensuu", 0)->text(), "1234567890");
    // A box holding its whole stored value takes no further digit.
    edit->Box("txtKouhi")->setFocus();
    edit->Box("txtKouhi")->end(false);
    QTest::keyClicks(edit->Box("txtKouhi"), "1");
    EXPECT_EQ(edit->Box("txtKouhi")->text(), "98765");

    messages->Answer(MsgAnswer::Ok);
    messages->Answer(MsgAnswer::Ok);
    SaveByEnter(*edit);
    // Eight digits are refused on this kind: nothing is written.
    EXPECT_EQ(messages->Texts().takeLast(), "保険者番号は、３桁 もしくは ６桁で入力してください。");
    edit->Box("txtBangou")->setText("123456");
    SaveByEnter(*edit);
    EXPECT_EQ(messages->Texts().takeLast(), "保存しました。");
    auto saved = Stored({"3805", "123456", "", 3, 1});
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Fields("一般_療養_入院_点数_1").Text(), "1234567890");
    EXPECT_EQ(saved->Fields("公費件数").Text(), "98765");
    EXPECT_EQ(saved->Fields("福祉件数").Text(), "123456");
}

TEST_F(ClaimSave, ThreeDigitNumbersAreCompletedWithTheCheckDigit) {
    auto kind1 = NewScreen(1);
    QTest::keyClicks(kind1->Box("txtBangou"), "123");
    Click(*kind1, "cmdSave");
    const QString six = "23123" + CheckDigit("23123");
    EXPECT_NE(Stored({"3805", six, "", 1, 1}), nullptr);

    // An edit screen shows the completed number after the save.
    InsertClaim({"3805", "654321", "", 2, 1});
    auto kind2 = EditScreen({"3805", "654321", "", 2, 1});
    kind2->Box("txtBangou")->setText("123");
    Click(*kind2, "cmdSave");
    const QString eight = "0023123" + CheckDigit("0023123");
    EXPECT_EQ(kind2->Box("txtBangou")->text(), eight);
    EXPECT_NE(Stored({"3805", eight, "", 2, 1}), nullptr);
}

TEST_F(ClaimSave, WrongNumbersAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        int kind;
        const char* typed;
        const char* message;
    };
    for (const Case& c : {Case{2, "1234567", "保険者番号は、３桁・６桁・８桁で入力してください。"},
                          Case{3, "12345", "保険者番号は、３桁 もしくは ６桁で入力してください。"},
                          Case{5, "1234", "保険者番号は、３桁 もしくは ６桁で入力してください。"},
                          Case{4, "", "保険者番号を入力してください。"}}) {
        SCOPED_TRACE(c.typed);
        auto screen = NewScreen(c.kind);
        QTest::keyClicks(screen->Box("txtBangou"), c.typed);
        screen->Box("txtKouhi")->setFocus();
        messages->shown.clear();
        Click(*screen, "cmdSave");
        ASSERT_EQ(messages->shown.size(), 2u);
        EXPECT_EQ(messages->shown[1].text, c.message);
        EXPECT_EQ(messages->shown[1].icon, MsgIcon::Exclamation);
        EXPECT_EQ(screen->Box("txtBangou")->palette().color(QPalette::Base), QColor(Qt::red));
        EXPECT_EQ(QApplication::focusWidget(), screen->Box("txtBangou"));
        EXPECT_EQ(screen->Box("txtBangou")->text(), c.typed);
    }
    EXPECT_EQ(CountClaims(), 0);
}

TEST_F(ClaimSave, CancelOnTheQuestionLeavesEverythingUntouched) {
    auto screen = NewScreen(1);
    screen->Box("txtKouhi")->setText("4");
    messages->Answer(MsgAnswer::Cancel);
    // Enter on 保存, where the Enter path ends, presses it.
    screen->Button("cmdSave")->setFocus();
    QTest::keyClick(screen->Button("cmdSave"), Qt::Key_Return);
    EXPECT_EQ(messages->Texts(), QStringList{"保存しますか？"});
    EXPECT_EQ(messages->shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages->shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(screen->Box("txtKouhi")->text(), "4");
    EXPECT_EQ(screen->Box("txtBangou")->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(CountClaims(), 0);
}

TEST_F(ClaimSave, DuplicateKeyIsReportedAsARegisteredNumber) {
    // Opened as a general hospital's claim of 診療科 01, saved after the setting
    // changed: the department becomes empty and meets the other row's key.
    InsertClaim({"3805", "888888", "01", 1, 1});
    InsertClaim({"3805", "888888", "", 1, 1});
    auto screen = EditScreen({"3805", "888888", "01", 1, 1});
    gSougou = "0";
    screen->Box("txtKouhi")->setText("3");
    messages->shown.clear();
    Click(*screen, "cmdSave");
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[1].text, "ｴﾗｰ番号 = 3022\r\r既に登録済の保険者番号です");
    EXPECT_EQ(messages->shown[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(screen->Box("txtKouhi")->text(), "3");
    EXPECT_EQ(CountClaims(), 2);
}

TEST_F(ClaimSave, AVanishedClaimIsNotStoredAgainUnasked) {
    InsertClaim({"3805", "999999", "", 1, 1});
    auto screen = EditScreen({"3805", "999999", "", 1, 1});
    gDb->Execute("DELETE * From T_請求書");
    messages->shown.clear();
    messages->Answer(MsgAnswer::Ok);
    messages->Answer(MsgAnswer::Cancel);
    Click(*screen, "cmdSave");
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_TRUE(messages->shown[1].text.startsWith("この請求書は、開いた後に他の端末で削除された"));
    EXPECT_EQ(messages->shown[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(CountClaims(), 0);
}

} // namespace
} // namespace tabulon::test
