// The report engine end to end: layouts are filled and printed into a PDF
// that is read back (text, pages, QR symbols decoded by zxing-cpp), calls out
// of order come back as statuses, and no failure leaves a document behind.

#include "pdf_text_layer.h"
#include "qv_draw.h"
#include "qvbarqr_library.h"
#include "report_error.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// A claim payload as the print routines build it: figures in fixed width,
// padded with spaces to 250 characters.
QString ClaimPayload() {
    QString payload = QStringLiteral("1313000011234567801080600001234560000123456789");
    for (int i = 0; i < 10; ++i)
        payload += QStringLiteral("%1").arg(i * 1111, 8, 10, QLatin1Char('0'));
    payload += QStringLiteral("Ver2.00   ");
    return payload.leftJustified(250, QLatin1Char(' '));
}

// 100 dpi pixel of a length in 0.1 mm.
int Px100(double units) {
    return static_cast<int>(units * 100 / 254);
}

class ReportEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        haveQR = UseBuiltQvBarQR();
        ASSERT_EQ(engine.Init(), kReportOk) << engine.LastError().toStdString();
    }
    void TearDown() override { QvBarQRLibrary::SetFolder(QString()); }

    QString DocPath(const QString& title) const {
        return dir.filePath(QStringLiteral("document/") + title + QStringLiteral(".pdf"));
    }
    // Names in the document folder other than finished documents.
    QStringList Leftovers() const {
        return QDir(dir.filePath(QStringLiteral("document"))).entryList(QDir::Files);
    }

    QTemporaryDir dir;
    QvDraw engine;
    bool haveQR = false;
};

TEST_F(ReportEngineTest, PrintedPagesCarryTheTextAndAQRSymbolThatDecodesToThePayload) {
    if (!haveQR)
        GTEST_SKIP() << "libQvBarQR.so is not built";
    const QString path = DocPath(QStringLiteral("医科（一般・退職）"));
    ASSERT_EQ(engine.StartDoc(path, QStringLiteral("医科（一般・退職）")), kReportOk);
    std::unique_ptr<ReportForm> form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    ASSERT_EQ(engine.Printer().SetPaper(*form), kReportOk);

    form->Clear();
    form->Fields(QStringLiteral("Code")).FieldText(QStringLiteral("1234567"));
    form->Fields(QStringLiteral("Tensuu1")).FieldText(QStringLiteral("987654321"));
    form->Fields(QStringLiteral("Jyusyo"))
        .FieldText(QStringLiteral("東京都千代田区一丁目\r\n山田医院"));
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(ClaimPayload());
    form->Fields(QStringLiteral("QR1")).FieldSize(QStringLiteral("3200"));
    form->Fields(QStringLiteral("QR1")).QRObject().QROption(0);
    ASSERT_EQ(form->PrintPage(), kReportOk) << engine.LastError().toStdString();

    form->Clear(); // the second page: layout values again, no QR data
    ASSERT_EQ(form->PrintPage(), kReportOk);
    form->CloseForm();
    ASSERT_EQ(engine.EndDoc(), kReportOk) << engine.LastError().toStdString();
    EXPECT_EQ(engine.DocFile(), path);
    EXPECT_EQ(Leftovers(), QStringList{QStringLiteral("医科（一般・退職）.pdf")});

    ASSERT_EQ(PdfPageCount(path), 2);
    const QString text = PdfText(path, 0);
    for (const char* expected :
         {"診療報酬請求書（医科）", "987654321", "山田医院", "東京都千代田区"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
            << expected << " in " << text.toStdString();
    EXPECT_TRUE(
        PdfText(path, 1).contains(QStringLiteral("0"))); // Tensuu1's layout text after Clear

    const QImage page = RenderPdfPage(path, 0, 300);
    EXPECT_NEAR(page.width(), 2480, 1); // A4 at 300 dpi
    const std::vector<QByteArray> symbols = DecodeQR(page);
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols.front(), ClaimPayload().toLatin1());
    EXPECT_TRUE(DecodeQR(RenderPdfPage(path, 1, 300)).empty()); // a QR field without data

    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("IPAexMincho"));
    EXPECT_TRUE(bytes.contains("IPAexGothic"));
    EXPECT_TRUE(bytes.contains("/FontFile2")); // embedded, not just named
}

TEST_F(ReportEngineTest, QRSymbolTakesTheSizeItIsGivenAndShiftJisPayloadsSurvive) {
    if (!haveQR)
        GTEST_SKIP() << "libQvBarQR.so is not built";
    const QString path = DocPath(QStringLiteral("qr"));
    ASSERT_EQ(engine.StartDoc(path, QStringLiteral("qr")), kReportOk);
    auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    ASSERT_EQ(engine.Printer().SetPaper(*form), kReportOk);
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(QStringLiteral("医療機関 1234"));
    form->Fields(QStringLiteral("QR1")).FieldSize(2500);
    form->Fields(QStringLiteral("QR1")).QRObject().QROption(4); // level H
    ASSERT_EQ(form->PrintPage(), kReportOk);
    ASSERT_EQ(engine.EndDoc(), kReportOk);

    const QImage page = RenderPdfPage(path, 0, 100);
    const QRect box(Px100(1500), Px100(2300), Px100(250), Px100(250));
    EXPECT_GT(DarkPixels(page, box), 1000);
    // Nothing beyond the 25 mm box, nothing in its quiet zone above and left.
    EXPECT_EQ(DarkPixels(page, QRect(box.right() + 2, box.top(), 20, box.height())), 0);
    EXPECT_EQ(DarkPixels(page, QRect(box.left(), box.bottom() + 2, box.width(), 20)), 0);
    const std::vector<QByteArray> symbols = DecodeQR(RenderPdfPage(path, 0, 300));
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols.front(), QByteArray("\x88\xe3\x97\xc3\x8b\x40\x8a\xd6 1234"));
}

TEST_F(ReportEngineTest, FlagsShowAndHideTheirItemsAndFields) {
    const QString path = DocPath(QStringLiteral("flags"));
    ASSERT_EQ(engine.StartDoc(path, QStringLiteral("flags")), kReportOk);
    auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    ASSERT_EQ(engine.Printer().SetPaper(*form), kReportOk);
    form->Fields(QStringLiteral("SinryoukaBox")).FieldFlag(true);
    ASSERT_EQ(form->PrintPage(), kReportOk);
    form->Fields(QStringLiteral("SinryoukaBox")).FieldFlag(false);
    form->Fields(QStringLiteral("Tensuu1")).FieldFlag(false);
    ASSERT_EQ(form->PrintPage(), kReportOk);
    ASSERT_EQ(engine.EndDoc(), kReportOk);

    const QRect strike(Px100(320), Px100(820), Px100(360), Px100(160));
    const QRect figure(Px100(300), Px100(600), Px100(400), Px100(80));
    const QImage on = RenderPdfPage(path, 0, 100);
    const QImage off = RenderPdfPage(path, 1, 100);
    EXPECT_GT(DarkPixels(on, strike), 50);
    EXPECT_EQ(DarkPixels(off, strike), 0);
    EXPECT_GT(DarkPixels(on, figure), 0);
    EXPECT_EQ(DarkPixels(off, figure), 0);
}

TEST_F(ReportEngineTest, FieldMisuseRaisesTheRunTimeErrorWithNumberAndName) {
    ASSERT_EQ(engine.StartDoc(DocPath(QStringLiteral("errors")), QStringLiteral("errors")),
              kReportOk);
    auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    const auto number = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const ReportError& e) {
            return e.Number();
        }
        return 0;
    };
    try {
        form->Fields(QStringLiteral("Kensuu99"));
        FAIL() << "no error for an unknown field";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.Number(), kReportErrNoSuchField);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("Kensuu99")));
        EXPECT_TRUE(e.Description().contains(QStringLiteral("sample.qvf")));
    }
    EXPECT_EQ(number([&] { form->Fields(QStringLiteral("Tensuu1")).FieldSize(2500); }),
              kReportErrNotSupported);
    EXPECT_EQ(number([&] { form->Fields(QStringLiteral("Tensuu1")).QRObject(); }),
              kReportErrNotSupported);
    EXPECT_EQ(
        number([&] { form->Fields(QStringLiteral("QR1")).FieldSize(QStringLiteral("25mm")); }),
        kReportErrTypeMismatch);
    EXPECT_EQ(number([&] { form->Fields(QStringLiteral("QR1")).FieldSize(0); }),
              kReportErrBadArgument);
    EXPECT_EQ(number([&] { form->Fields(QStringLiteral("QR1")).QRObject().QROption(5); }),
              kReportErrBadArgument);
    form->CloseForm();
    EXPECT_EQ(number([&] { form->Fields(QStringLiteral("Tensuu1")); }), kReportErrFormClosed);
    engine.AbortDoc();
}

TEST_F(ReportEngineTest, CallsOutOfOrderReturnStatusesAndNeverCrash) {
    QvDraw fresh;
    EXPECT_EQ(fresh.StartDoc(DocPath(QStringLiteral("x")), QStringLiteral("x")), kReportOutOfOrder);
    EXPECT_EQ(fresh.EndDoc(), kReportOutOfOrder);
    fresh.AbortDoc(); // nothing to abandon: no effect

    auto early = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    EXPECT_EQ(engine.Printer().SetPaper(*early), kReportOutOfOrder); // no document yet
    EXPECT_EQ(early->PrintPage(), kReportOutOfOrder);

    const QString path = DocPath(QStringLiteral("order"));
    ASSERT_EQ(engine.StartDoc(path, QStringLiteral("order")), kReportOk);
    EXPECT_EQ(engine.StartDoc(path, QStringLiteral("order")), kReportOutOfOrder);
    auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    ASSERT_EQ(form->PrintPage(), kReportOk);
    form->CloseForm();
    EXPECT_EQ(form->PrintPage(), kReportOutOfOrder);
    auto late = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    ASSERT_EQ(engine.EndDoc(), kReportOk);
    EXPECT_EQ(late->PrintPage(), kReportOutOfOrder); // its document is finished
    EXPECT_EQ(PdfPageCount(path), 1);
}

TEST_F(ReportEngineTest, EndDocWithoutPagesWritesNothing) {
    const QString path = DocPath(QStringLiteral("empty"));
    ASSERT_EQ(engine.StartDoc(path, QStringLiteral("empty")), kReportOk);
    EXPECT_EQ(engine.EndDoc(), kReportNoPages);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(Leftovers().isEmpty());
    EXPECT_TRUE(engine.DocFile().isEmpty());
}

TEST_F(ReportEngineTest, InitAbandonsADocumentAnEarlierRunLeftOpen) {
    ASSERT_EQ(engine.StartDoc(DocPath(QStringLiteral("left")), QStringLiteral("left")), kReportOk);
    ASSERT_EQ(engine.Init(), kReportOk);
    EXPECT_EQ(engine.StartDoc(DocPath(QStringLiteral("next")), QStringLiteral("next")), kReportOk);
    engine.AbortDoc();
    EXPECT_TRUE(Leftovers().isEmpty());
}

TEST(PdfTextLayerTest, NamesKanjiWhereTheWriterNamedTheirRadicals) {
    QByteArray cmap("2 beginbfchar\n<2F00> <2F00>\n<0003> <2F0A>\nendbfchar\n"
                    "3 beginbfrange\n<0001> <0003> [<2F65> <0030> <2F2D>]\n"
                    "<0004> <0004> <2F6C>\n<0005> <0006> <2F00>\nendbfrange\n");
    const qsizetype size = cmap.size();
    MapRadicalsToIdeographs(cmap);
    EXPECT_EQ(cmap.size(), size); // no offset of the file moves
    EXPECT_EQ(cmap, QByteArray("2 beginbfchar\n<2F00> <4E00>\n<0003> <5165>\nendbfchar\n"
                               "3 beginbfrange\n<0001> <0003> [<7530> <0030> <5C71>]\n"
                               "<0004> <0004> <76EE>\n<0005> <0006> <2F00>\nendbfrange\n"));
}

} // namespace
} // namespace tabulon
