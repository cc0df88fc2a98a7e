// The summary QR payload, byte for byte, from the summary screen and from the
// month's totals of Q_総括表.

#include "fake_database.h"
#include "fake_screen.h"
#include "globals.h"
#include "soukatu_qr.h"
#include "soukatu_totals.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

using test::FakeRecordset;
using test::FakeRow;
using test::FakeScreen;

const QString kHeader = QStringLiteral("23") + "1234567" + "1" + "3805" + "380612";
const QString kVersion = QStringLiteral("Ver2.00   ");

class SoukatuQRTest : public ::testing::Test {
protected:
    void SetUp() override {
        gIryouCD = "1234567";
        gQRKind = "1";
        gNengetu = "3805";
        gToday = "4380612";
    }
};

// Line i holds 件数 i+1, 実日数 10+i, 点数 100+i, 食事 1000+i; 公費 7, 福祉 8.
void fillScreen(FakeScreen& s) {
    for (int i = 0; i < 8; ++i) {
        s.Set("txtKensuu", i, QString::number(i + 1));
        s.Set("txtJitunisuu", i, QString::number(10 + i));
        s.Set("txtTensuu", i, QString::number(100 + i));
        s.Set("txtSyokuji", i, i % 2 == 0 ? QString::number(1000 + i) : QString());
    }
    s.Set("txtKouhi", "7");
    s.Set("txtFukusi", "8");
}

TEST_F(SoukatuQRTest, FromTheScreenEveryBoxInLineOrder) {
    FakeScreen screen;
    fillScreen(screen);
    BuildSoukatuQR(&screen);
    const QString expected = kHeader +
                             "0001"
                             "000010"
                             "000000100"
                             "000001000" +
                             "0002"
                             "000011"
                             "000000101" +
                             "0003"
                             "000012"
                             "000000102"
                             "000001002" +
                             "0004"
                             "000013"
                             "000000103" +
                             "0005"
                             "000014"
                             "000000104"
                             "000001004" +
                             "0006"
                             "000015"
                             "000000105" +
                             "00007"
                             "000016"
                             "000000106"
                             "000001006" +
                             "00008"
                             "000017"
                             "000000107" +
                             "00007"
                             "00008" +
                             kVersion;
    EXPECT_EQ(gQRText.size(), 230);
    EXPECT_EQ(gQRText, expected);
}

TEST_F(SoukatuQRTest, EmptyBoxesGiveZerosAndLongTotalsTheirLastNineDigits) {
    FakeScreen screen;
    fillScreen(screen);
    for (int i = 0; i < 8; ++i)
        for (const char* a : {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"})
            screen.Set(a, i, QString());
    screen.Set("txtTensuu", 6, "1234567890");
    BuildSoukatuQR(&screen);
    EXPECT_EQ(gQRText.mid(20, 141), QString(141, u'0'));
    EXPECT_EQ(gQRText.mid(161, 20), "00000"
                                    "000000"
                                    "234567890");
}

TEST_F(SoukatuQRTest, ScreenWithoutATotalBoxThrows) {
    FakeScreen screen;
    screen.Set("txtKensuu", 0, "1");
    EXPECT_ANY_THROW(BuildSoukatuQR(&screen));
}

FakeRow totalsRow(const char* kind) {
    FakeRow row;
    row["総括表種類"] = kind;
    int v = 1;
    for (const char* s : {"一般", "退職", "老人"}) {
        for (const char* f : {"件数", "実日数", "点数", "食事"})
            row[QString::fromUtf8(s) + "_入院_" + QString::fromUtf8(f) + "_合計"] = v++;
        for (const char* f : {"件数", "実日数", "点数"})
            row[QString::fromUtf8(s) + "_外来_" + QString::fromUtf8(f) + "_合計"] = v++;
    }
    row["公費件数_合計"] = 22;
    row["福祉件数_合計"] = QVariant(); // a sum over nothing
    return row;
}

QString payloadOf(const FakeRow& row) {
    FakeRecordset rs({row});
    const SoukatuTotals totals = ReadSoukatuTotals(rs);
    QString text;
    AppendSoukatuPayload(text, PayloadSourceOf(totals));
    return text;
}

TEST_F(SoukatuQRTest, MedicalTotalsWithSectionSums) {
    // 一般 入院 1..4, 外来 5..7; 退職 8..11, 12..14; 老人 15..18, 19..21.
    const QString expected = kHeader +
                             "0001"
                             "000002"
                             "000000003"
                             "000000004" +
                             "0005"
                             "000006"
                             "000000007" +
                             "0008"
                             "000009"
                             "000000010"
                             "000000011" +
                             "0012"
                             "000013"
                             "000000014" +
                             "0015"
                             "000016"
                             "000000017"
                             "000000018" +
                             "0019"
                             "000020"
                             "000000021" +
                             "00024"
                             "000027"
                             "000000030"
                             "000000033" +
                             "00036"
                             "000039"
                             "000000042" +
                             "00022"
                             "00000" +
                             kVersion;
    EXPECT_EQ(payloadOf(totalsRow("1")), expected);
}

TEST_F(SoukatuQRTest, PharmacyTotalsHaveZeroInpatientSegments) {
    gQRKind = "4";
    FakeRow row = totalsRow("3");
    row["一般_外来_件数_合計"] = 3;
    row["退職_外来_件数_合計"] = 4;
    row["老人_外来_件数_合計"] = 5;
    const QString text = payloadOf(row);
    const QString inpatient = QStringLiteral("0000"
                                             "000000"
                                             "000000000"
                                             "000000000");
    EXPECT_EQ(text.size(), 230);
    EXPECT_EQ(text.mid(9, 1), "4");
    EXPECT_EQ(text.mid(20, 28), inpatient);
    EXPECT_EQ(text.mid(48, 19), "0003"
                                "000006"
                                "000000007");
    EXPECT_EQ(text.mid(67, 28), inpatient);
    EXPECT_EQ(text.mid(114, 28), inpatient);
    EXPECT_EQ(text.mid(161, 29), "00000"
                                 "000000"
                                 "000000000"
                                 "000000000");
    EXPECT_EQ(text.mid(190, 20), "00012"
                                 "000039"
                                 "000000042");
}

TEST_F(SoukatuQRTest, InstitutionCodeOfAnotherLengthShiftsTheRest) {
    gIryouCD = "12345";
    const QString text = payloadOf(totalsRow("1"));
    EXPECT_EQ(text.size(), 228);
    EXPECT_TRUE(text.startsWith("231234513805380612"));
    EXPECT_TRUE(text.endsWith(kVersion));
}

} // namespace
} // namespace tabulon
