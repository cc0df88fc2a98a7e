// frmSoukatu2 beside another clerk's program on the same summary lines: a 変更
// never undoes the other clerk's change nor brings back a line the other
// clerk deleted, unless the clerk says so.

#include "another_program.h"
#include "frm_soukatu2_fixture.h"
#include "interleaved_database.h"
#include "summary_line.h"

namespace tabulon::test {
namespace {

const QString kChangedElsewhere =
    "この総括表の行は、開いた後に他の端末で変更されたため、保存しませんでした。\r\r"
    "他の端末で保存された内容を読み込みますか？\r"
    "（読み込むと、入力した内容は画面から消えます。）";
const QString kDeletedElsewhere =
    "この総括表の行は、開いた後に他の端末で削除されたため、保存しませんでした。\r\r"
    "入力した内容を新しい総括表の行として保存しますか？";

class FrmSoukatu2TwoClerks : public FrmSoukatu2Test {
protected:
    void SetUp() override {
        FrmSoukatu2Test::SetUp();
        other = OpenAsAnotherProgram(database, otherFolder);
        // One stored line, opened for 変更.
        Open();
        TypeInto(Box("txtBangou"), QStringLiteral("231009"));
        TypeInto(Box("txtTensuu", 3), QStringLiteral("10"));
        Click("cmdSave");
        OpenLine(0);
        ASSERT_EQ(Button("cmdSave")->text(), "変更");
    }
    void TearDown() override {
        other.reset();
        FrmSoukatu2Test::TearDown();
    }

    void TypeAndSave(const QString& tensuu) {
        if (!tensuu.isEmpty())
            TypeInto(Box("txtTensuu", 3), tensuu);
        Button("cmdSave")->setFocus();
        PressEnter(Button("cmdSave"));
    }
    QVariant Stored(const char* column) {
        auto line = gDb->OpenRecordset(OneLineSql("3805", "231009", "", 1, 1));
        return line->Eof() ? QVariant() : line->Fields(column).Value();
    }

    QTemporaryDir otherFolder;
    std::unique_ptr<Database> other;
};

TEST_F(FrmSoukatu2TwoClerks, AChangeNeverUndoesTheOtherClerksChange) {
    auto theirs = other->OpenRecordset(OneLineSql("3805", "231009", "", 1, 1));
    theirs->Edit();
    theirs->Fields("公費件数").SetValue(5);
    theirs->Update();

    // Nothing is written; the clerk's entries stay until the clerk chooses.
    messages.Answer(MsgAnswer::Cancel);
    TypeAndSave(QStringLiteral("20"));
    ASSERT_EQ(messages.Texts(), QStringList{kChangedElsewhere});
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(Stored("公費件数").toInt(), 5);
    EXPECT_EQ(Stored("一般_外来_点数").toInt(), 10);
    EXPECT_EQ(Box("txtTensuu", 3)->text(), "20");
    EXPECT_EQ(Button("cmdSave")->text(), "変更");

    // Asked again, the clerk takes the stored line and then changes it.
    TypeAndSave({});
    EXPECT_EQ(Box("txtKouhi")->text(), "5");
    EXPECT_EQ(Box("txtTensuu", 3)->text(), "10");
    messages.shown.clear();
    TypeAndSave(QStringLiteral("20"));
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(Stored("公費件数").toInt(), 5);
    EXPECT_EQ(Stored("一般_外来_点数").toInt(), 20);
    EXPECT_EQ(StoredKeys(), QStringList{"231009//1/1"});
}

TEST_F(FrmSoukatu2TwoClerks, ALineDeletedByTheOtherClerkComesBackOnlyWhenTheClerkSaysSo) {
    other->Execute(DeleteLineSql("3805", "231009", "", 1, 1));

    messages.Answer(MsgAnswer::Cancel);
    TypeAndSave(QStringLiteral("20"));
    EXPECT_EQ(messages.Texts(), QStringList{kDeletedElsewhere});
    EXPECT_TRUE(StoredKeys().isEmpty());
    EXPECT_EQ(Box("txtTensuu", 3)->text(), "20");

    messages.shown.clear();
    TypeAndSave({});
    EXPECT_EQ(messages.Texts(), QStringList{kDeletedElsewhere});
    EXPECT_EQ(StoredKeys(), QStringList{"231009//1/1"});
    EXPECT_EQ(Stored("一般_外来_点数").toInt(), 20);
    EXPECT_EQ(Button("cmdSave")->text(), "追加");
    EXPECT_EQ(List()->topLevelItemCount(), 1);
}

TEST_F(FrmSoukatu2TwoClerks, ASerialTakenAMomentEarlierMovesTheNewLineToTheNextSerial) {
    Click("cmdCancel");
    // The other clerk adds a line of the same key just after this 追加 has
    // read the next serial.
    Database* mine = gDb;
    InterleavedDatabase clashing(*mine, SameKeyLinesSql("3805", "231009", "", 1), [&] {
        other->Execute("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, 連番) "
                       "VALUES ('3805', '231009', '', '1', 2)");
    });
    gDb = &clashing;
    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    Button("cmdSave")->setFocus();
    PressEnter(Button("cmdSave"));
    gDb = mine;
    EXPECT_TRUE(clashing.Interleaved());
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(StoredKeys(), (QStringList{"231009//1/1", "231009//1/2", "231009//1/3"}));
}

} // namespace
} // namespace tabulon::test
