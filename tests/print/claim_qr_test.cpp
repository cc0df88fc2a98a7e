// The claim QR payload, byte for byte, from the entry screen and from a stored
// row. Expected texts are written out segment by segment.

#include "claim_qr.h"
#include "fake_database.h"
#include "fake_screen.h"
#include "globals.h"
#include "test_messages.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

using test::FakeDatabase;
using test::FakeRow;
using test::FakeScreen;
using test::MessageRecorder;

const QString kVersion = QStringLiteral("Ver2.00   ");

// Figures of the fully filled claim: line i holds 件数 i+1, 点数 1000+i,
// 一部負担金 500+i, food 件数 30+i, 金額 7000+i, 負担額 200+i; 公費 12, 福祉 3.
void fillScreen(FakeScreen& s, int lastRowIndex) {
    s.AddClaimBoxes(lastRowIndex);
    for (int i = 0; i <= lastRowIndex; ++i) {
        s.Set("txtKensuu", i, QString::number(i + 1));
        s.Set("txtJitunisuu", i, QString::number(90 + i));
        s.Set("txtTensuu", i, QString::number(1000 + i));
        s.Set("txtFutankin", i, QString::number(500 + i));
        s.Set("txtKensuu2", i, QString::number(30 + i));
        s.Set("txtNisuu", i, QString::number(60 + i));
        s.Set("txtKingaku", i, QString::number(7000 + i));
        s.Set("txtFutangaku", i, QString::number(200 + i));
    }
    s.Set("txtKouhi", "12");
    s.Set("txtUba", "3");
}

// The 504 line characters of the filled layout-A claim with its food triples.
QString filledLinesA(bool food) {
    auto f = [food](const char* triple) {
        return food ? QString::fromLatin1(triple) : QStringLiteral("00000000000000000000");
    };
    return QStringLiteral("000100001000") + "00000500" + f("00300000700000000200") +
           "000200001001"
           "00000501" +
           "000300001002"
           "00000502" +
           f("00320000700200000202") +
           "000400001003"
           "00000503" +
           "000500001004" + f("00340000700400000204") + "000600001005" + "000700001006" +
           f("00360000700600000206") + "000800001007" + "000900001008" + f("00380000700800000208") +
           "001000001009" + "001100001010" + f("00400000701000000210") + "001200001011" +
           "001300001012"
           "00000512" +
           f("00420000701200000212") +
           "001400001013"
           "00000513" +
           "001500001014"
           "00000514" +
           f("00440000701400000214") +
           "001600001015"
           "00000515" +
           "001700001016" + f("00460000701600000216") + "001800001017" + "001900001018" +
           f("00480000701800000218") + "002000001019";
}

QString filledLinesB(bool food) {
    auto f = [food](const char* triple) {
        return food ? QString::fromLatin1(triple) : QStringLiteral("00000000000000000000");
    };
    return QStringLiteral("000100001000") + "00000500" + f("00300000700000000200") +
           "000200001001"
           "00000501" +
           "000300001002"
           "00000502" +
           f("00320000700200000202") +
           "000400001003"
           "00000503";
}

class ClaimQRTest : public ::testing::Test {
protected:
    void SetUp() override {
        gIryouCD = "1234567";
        gSougou = "0";
        gQRKind = "1";
        gQRText.clear();
        CurrentClaim = {};
    }
    void TearDown() override { gDb = nullptr; }

    QString buildFromScreen(int kind, const QString& bangou, const QString& sinryouka = {}) {
        CurrentClaim.kind = kind;
        const int last = PayloadLayoutOfKind(kind) == ClaimPayloadLayout::A ? 19 : 3;
        if (screen.findChildren<QLineEdit*>().isEmpty())
            screen.AddClaimBoxes(last);
        EXPECT_EQ(BuildClaimQR(&screen, last, bangou, sinryouka), 0);
        return gQRText;
    }

    FakeScreen screen;
    MessageRecorder messages;
};

TEST_F(ClaimQRTest, EmptyKindOneIsHeaderZerosVersionAndBlanks) {
    const QString expected = QStringLiteral("123456") + "23" + "1" + "1234567" + "  " +
                             QString(504, u'0') + "00000000" + kVersion + QString(40, u' ');
    const QString text = buildFromScreen(1, "123456");
    EXPECT_EQ(text.size(), 580);
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClaimQRTest, FilledKindsOneThreeFiveCarryFoodOnlyOnKindOne) {
    const struct {
        int kind;
        const char* qrKind;
        bool food;
    } cases[] = {{1, "1", true}, {3, "3", false}, {5, "4", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        fillScreen(screen, 19);
        gQRKind = c.qrKind;
        const QString expected = QStringLiteral("654321") + "23" + c.qrKind + "1234567" + "  " +
                                 filledLinesA(c.food) + "0012" + "0003" + kVersion +
                                 QString(40, u' ');
        EXPECT_EQ(buildFromScreen(c.kind, "654321"), expected);
    }
}

TEST_F(ClaimQRTest, FilledKindsTwoFourSixUseLayoutB) {
    const struct {
        int kind;
        const char* qrKind;
        bool food;
    } cases[] = {{2, "1", true}, {4, "3", false}, {6, "4", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        fillScreen(screen, 3);
        gQRKind = c.qrKind;
        const QString expected = QStringLiteral("123456") + "23" + c.qrKind + "1234567" + "  " +
                                 filledLinesB(c.food) + "0012" + kVersion + QString(98, u' ');
        const QString text = buildFromScreen(c.kind, "123456");
        EXPECT_EQ(text.size(), 250);
        EXPECT_EQ(text, expected);
    }
}

TEST_F(ClaimQRTest, EightDigitInsurerGivesItsLastSixDigits) {
    EXPECT_TRUE(buildFromScreen(2, "39131234").startsWith("131234231"));
    EXPECT_TRUE(buildFromScreen(2, "00231237").startsWith("231237231"));
}

TEST_F(ClaimQRTest, DepartmentSegmentFollowsTheGeneralHospitalFlag) {
    const auto department = [this](const char* sougou, const char* typed) {
        gSougou = sougou;
        return buildFromScreen(1, "123456", typed).mid(16, 2);
    };
    EXPECT_EQ(department("0", "5"), "  ");
    EXPECT_EQ(department("1", "5"), "05");
    EXPECT_EQ(department("1", "12"), "12");
    EXPECT_EQ(department("1", ""), "  ");
    EXPECT_EQ(department("1", "  "), "  ");
    EXPECT_EQ(department(" 1", "3"), "03");
}

TEST_F(ClaimQRTest, LongFiguresKeepTheirRightmostDigits) {
    screen.AddClaimBoxes(19);
    screen.Set("txtKensuu", 0, "123456");
    screen.Set("txtTensuu", 0, "123456789");
    screen.Set("txtUba", "98765");
    const QString text = buildFromScreen(1, "123456");
    EXPECT_EQ(text.mid(18, 12), "345623456789");
    EXPECT_EQ(text.mid(526, 4), "8765");
}

TEST_F(ClaimQRTest, InstitutionCodeIsTakenAsItIs) {
    gIryouCD = "12345";
    const QString text = buildFromScreen(1, "123456");
    EXPECT_EQ(text.left(16), "12345623112345  ");
    EXPECT_EQ(text.size(), 580);
    EXPECT_EQ(text.mid(16 + 512, 10), kVersion);
}

TEST_F(ClaimQRTest, MissingBoxIsReportedAndKeepsThePartialText) {
    screen.AddClaimBoxes(3); // a kind-1 screen needs lines up to 19
    CurrentClaim.kind = 1;
    EXPECT_EQ(BuildClaimQR(&screen, 19, "123456", ""), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 340\r\r")));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(gQRText.size(), 18 + 60 + 60);
}

// A stored claim row holding the figures of fillScreen.
FakeRow storedRow(const QString& kind, const QString& bangou, int rows) {
    FakeRow row;
    row["保険者番号"] = bangou;
    row["診療科"] = QString();
    row["請求書種類"] = kind;
    row["公費件数"] = "12";
    row["福祉件数"] = "3";
    for (const char* section : {"一般", "退職"})
        for (int r = 1; r <= 5; ++r) {
            const QString s = QString::fromUtf8(section);
            const int in = (s == "一般" ? 0 : 10) + 2 * (r - 1);
            const QString n = QString::number(r);
            const bool used = r <= rows;
            auto v = [used](int x) { return used ? QString::number(x) : QString(); };
            row[s + "_療養_入院_件数_" + n] = v(in + 1);
            row[s + "_療養_入院_点数_" + n] = v(1000 + in);
            row[s + "_療養_入院_負担金_" + n] = v(500 + in);
            row[s + "_療養_外来_件数_" + n] = v(in + 2);
            row[s + "_療養_外来_点数_" + n] = v(1001 + in);
            row[s + "_療養_外来_負担金_" + n] = v(501 + in);
            row[s + "_食事_件数_" + n] = v(30 + in);
            row[s + "_食事_金額_" + n] = v(7000 + in);
            row[s + "_食事_負担額_" + n] = v(200 + in);
        }
    return row;
}

TEST_F(ClaimQRTest, StoredRowGivesTheSamePayloadAsTheScreen) {
    FakeDatabase db;
    gDb = &db;
    db.rows = {storedRow("1", "654321", 5)};
    ASSERT_EQ(BuildClaimQRFromDb("SELECT one claim", 5), 0);
    const QString fromDb = gQRText;
    fillScreen(screen, 19);
    EXPECT_EQ(buildFromScreen(1, "654321"), fromDb);
    EXPECT_EQ(db.statements, QStringList{"SELECT one claim"});

    db.rows = {storedRow("2", "39131234", 2)};
    ASSERT_EQ(BuildClaimQRFromDb("SELECT one claim", 2), 0);
    EXPECT_EQ(gQRText, QStringLiteral("131234") + "23" + "1" + "1234567" + "  " +
                           filledLinesB(true) + "0012" + kVersion + QString(98, u' '));
}

TEST_F(ClaimQRTest, StoredRowCarriesItsFoodColumnsOnEveryKind) {
    FakeDatabase db;
    gDb = &db;
    gQRKind = "3";
    db.rows = {storedRow("3", "654321", 5)};
    ASSERT_EQ(BuildClaimQRFromDb("q", 5), 0);
    EXPECT_EQ(gQRText.mid(18, 504), filledLinesA(true));
}

TEST_F(ClaimQRTest, StoredDepartmentAndNullsAreShapedLikeTypedText) {
    FakeDatabase db;
    gDb = &db;
    gSougou = "1";
    FakeRow row = storedRow("1", "123456", 5);
    row["診療科"] = "7";
    row["一般_療養_入院_件数_1"] = QVariant(); // never written
    db.rows = {row};
    ASSERT_EQ(BuildClaimQRFromDb("q", 5), 0);
    EXPECT_EQ(gQRText.mid(16, 6), "070000");
}

TEST_F(ClaimQRTest, NoStoredRowIsReportedWithAnEmptyPayload) {
    FakeDatabase db;
    gDb = &db;
    EXPECT_EQ(BuildClaimQRFromDb("q", 5), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 3021\r\r")));
    EXPECT_TRUE(gQRText.isEmpty());
}

} // namespace
} // namespace tabulon
