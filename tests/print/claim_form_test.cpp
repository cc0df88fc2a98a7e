// 請求書印刷 of an entry screen: the run, the fields of the page and the
// filling that skips what the layout or the screen lacks.

#include "claim_form.h"
#include "fake_screen.h"
#include "print_fixture.h"

#include <QComboBox>

namespace tabulon {
namespace {

using test::FakeScreen;

class ClaimFormTest : public test::PrintFixture {
protected:
    void print(int kind) {
        CurrentClaim.kind = kind;
        PrintClaimScreen(&screen, kind);
    }
    FakeScreen screen;
};

TEST_F(ClaimFormTest, LateElderlyClaimPrintsOnItsLayoutWithTheRightAlignedNumber) {
    screen.AddClaimBoxes(3);
    screen.Set("txtBangou", "123456");
    screen.Set("txtKensuu", 0, "5");
    screen.Set("txtKingaku", 0, "1200");
    screen.Set("txtKouhi", "2");
    print(2);

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(gQRKind, "1");
    EXPECT_EQ(Calls("StartDoc"),
              QStringList{"StartDoc /prog/document/医科（後期高齢）.pdf 医科（後期高齢）"});
    EXPECT_EQ(Calls("OpenForm"), QStringList{"OpenForm /prog/form/seikyuu2.qvf"});
    EXPECT_TRUE(engine.calls.contains("FieldText Bangou=  123456"));
    EXPECT_TRUE(engine.calls.contains("FieldText Code=1234567"));
    EXPECT_TRUE(engine.calls.contains("FieldText Nen2=38"));
    EXPECT_TRUE(engine.calls.contains("FieldText Tuki2=06"));
    EXPECT_TRUE(engine.calls.contains("FieldText Niti2=12"));
    EXPECT_TRUE(engine.calls.contains("FieldText Jyusyo=所在地\r\n名称"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kensuu1=5"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kingaku1=1200"));
    EXPECT_TRUE(engine.calls.contains("FieldText Kouhi=2"));
    EXPECT_EQ(Calls("FieldText Kensuu").size(), 1); // empty boxes leave the layout's text
    EXPECT_EQ(Calls("FieldSize"), (QStringList{"FieldSize QR1=2500", "FieldSize QR2=2500"}));
    EXPECT_EQ(Calls("QROption"), (QStringList{"QROption QR1=0", "QROption QR2=0"}));
    const QStringList data = Calls("QRData QR1=");
    ASSERT_EQ(data.size(), 1);
    EXPECT_EQ(data[0].mid(11).size(), 250);
    EXPECT_TRUE(data[0].mid(11).startsWith("1234562311234567  00050000000000000000"));
    EXPECT_EQ(engine.calls.indexOf("Clear"), engine.calls.indexOf("SetPaper") + 1);
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 3),
              (QStringList{"PrintPage", "CloseForm", "EndDoc"}));
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(ClaimFormTest, EightDigitNumberPrintsAsTyped) {
    screen.AddClaimBoxes(3);
    screen.Set("txtBangou", "39131234");
    print(4);
    EXPECT_TRUE(engine.calls.contains("FieldText Bangou=39131234"));
    EXPECT_EQ(gQRKind, "3");
    EXPECT_TRUE(Calls("QRData")[0].contains("=131234233"));
}

TEST_F(ClaimFormTest, SixDigitNumberOnAGeneralFormPrintsAsTyped) {
    screen.AddClaimBoxes(19);
    screen.Set("txtBangou", "123456");
    print(5);
    EXPECT_TRUE(engine.calls.contains("FieldText Bangou=123456"));
    EXPECT_EQ(Calls("FieldSize").size(), 6);
    EXPECT_TRUE(Calls("FieldText Sinryouka").isEmpty());
    EXPECT_TRUE(Calls("FieldFlag").isEmpty());
}

TEST_F(ClaimFormTest, DepartmentBoxIsStruckOutUnlessTheInstitutionSplitsByDepartment) {
    screen.AddClaimBoxes(19);
    screen.Set("txtBangou", "123456");
    screen.Set("txtSinryouka", "3");
    print(1);
    EXPECT_TRUE(engine.calls.contains("FieldFlag SinryoukaBox=1"));
    EXPECT_TRUE(engine.calls.contains("FieldText Sinryouka=3"));
    EXPECT_EQ(Calls("QRData")[0].mid(11 + 16, 2), "  ");

    engine.calls.clear();
    gSougou = "1";
    print(1);
    EXPECT_TRUE(engine.calls.contains("FieldFlag SinryoukaBox=0"));
    EXPECT_EQ(Calls("QRData")[0].mid(11 + 16, 2), "03");
}

TEST_F(ClaimFormTest, FieldsAndBoxesThatAreMissingAreSkipped) {
    screen.AddClaimBoxes(3); // a kind-1 screen should reach line 19
    screen.Set("txtBangou", "123456");
    screen.Set("txtTensuu", 1, "777");
    screen.Set("txtUba", "4");
    engine.missingFields = {"QR3", "Tensuu2", "Sinryouka"};
    print(1);
    // Only the payload builder reports: the screen lacks lines 4 to 19.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 340")));
    EXPECT_TRUE(engine.calls.contains("FieldText Uba=4"));
    EXPECT_TRUE(engine.calls.contains("FieldSize QR4=2500"));
    EXPECT_FALSE(engine.calls.contains("FieldText Tensuu2=777"));
    EXPECT_TRUE(engine.calls.contains("PrintPage"));
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(ClaimFormTest, MonthComesFromTheMainMenuBoxes) {
    screen.AddClaimBoxes(3);
    screen.Set("txtBangou", "123456");
    print(2);
    EXPECT_TRUE(engine.calls.contains("FieldText Nen1=38")); // no menu: the processing month
    EXPECT_TRUE(engine.calls.contains("FieldText Tuki1=05"));

    engine.calls.clear();
    QWidget menu;
    menu.setObjectName("frmMenu");
    for (const char* name : {"cboYear", "cboMonth"}) {
        auto* box = new QComboBox(&menu);
        box->setObjectName(name);
        box->setEditable(true);
        box->setEditText(QString(name) == "cboYear" ? "37" : "7");
    }
    print(2);
    EXPECT_TRUE(engine.calls.contains("FieldText Nen1=37"));
    EXPECT_TRUE(engine.calls.contains("FieldText Tuki1=7"));
}

TEST_F(ClaimFormTest, FailingPageIsReportedByTheRun) {
    screen.AddClaimBoxes(19);
    screen.Set("txtBangou", "123456");
    engine.printPageStatus = 7;
    print(3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("印刷処理エラー：7"));
    EXPECT_TRUE(previews.isEmpty());
}

} // namespace
} // namespace tabulon
