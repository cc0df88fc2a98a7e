// Bad input to the report engine: layouts that are missing, not JSON or break
// a rule, a document folder that cannot be written, a QvBarQR that cannot be
// loaded or refuses the payload. Each gives its status and leaves nothing
// under the document's name.

#include "layout_loader.h"
#include "qv_draw.h"
#include "qvbarqr_library.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

QString ErrorOf(const char* json) {
    return ParseLayout(QByteArray(json), QStringLiteral("t.qvf")).error;
}

TEST(LayoutLoaderTest, RefusesLayoutsThatBreakARuleAndNamesThePlace) {
    const struct {
        const char* json;
        const char* named; // a piece the error must contain
    } cases[] = {
        {R"({"paper": {"size": "A4"}})", "\"qvf\""},
        {R"({"qvf": 1})", "\"paper\""},
        {R"({"qvf": 1, "paper": {"size": "A5"}})", "A5"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "colour": 1})", "colour"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "items": [{"type": "circle", "x": 1}]})",
         "items[0]"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "items": [{"type": "line", "x1": 0, "y1": 0, "x2": -5, "y2": 0}]})",
         "x2"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "items": [{"type": "box", "x": "10", "y": 0, "w": 1, "h": 1}]})",
         "\"x\""},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "fields": [{"name": "Tensuu1", "type": "text", "x": 0, "y": 0, "h": 1}]})",
         "fields[0] (Tensuu1)"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "fields": [{"name": "A", "type": "flag"}, {"name": "A", "type": "flag"}]})",
         "fields[1]"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "fields": [{"name": "QR1", "type": "qr", "x": 0, "y": 0, "ecLevel": "X"}]})",
         "ecLevel"},
        {R"({"qvf": 1, "paper": {"size": "A4"}, "fields": [{"name": "F", "type": "flag", "items": [{"type": "text", "x": 0, "y": 0, "w": 1, "h": 1}]}]})",
         "fields[0] (F).items[0]"},
        {R"([1, 2])", "JSON"},
    };
    for (const auto& c : cases) {
        const QString error = ErrorOf(c.json);
        EXPECT_TRUE(error.startsWith(QStringLiteral("t.qvf: ")))
            << c.json << " -> " << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.named)))
            << c.json << " -> " << error.toStdString();
    }
}

TEST(LayoutLoaderTest, ReadsPaperSizesAndTheDocumentedExample) {
    const LayoutLoad landscape =
        ParseLayout(R"({"qvf": 1, "paper": {"size": "A4", "orientation": "landscape"}})",
                    QStringLiteral("l.qvf"));
    ASSERT_TRUE(landscape.layout) << landscape.error.toStdString();
    EXPECT_EQ(landscape.layout->paper, QSizeF(2970, 2100));

    // The example of docs/layout-format.md must stay a valid layout.
    QFile doc(QDir(qEnvironmentVariable("TABULON_SOURCE_DIR"))
                  .filePath(QStringLiteral("docs/layout-format.md")));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const QRegularExpressionMatch example =
        QRegularExpression(QStringLiteral("```json\\n(.*?)```"),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(text);
    ASSERT_TRUE(example.hasMatch());
    const LayoutLoad load = ParseLayout(example.captured(1).toUtf8(), QStringLiteral("example"));
    ASSERT_TRUE(load.layout) << load.error.toStdString();
    EXPECT_EQ(load.layout->fields.size(), 5u);
    EXPECT_EQ(load.layout->Find(QStringLiteral("QR1"))->kind, LayoutField::Kind::QR);
}

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        UseBuiltQvBarQR();
        ASSERT_EQ(engine.Init(), kReportOk);
        // A finished document of an earlier run, which a failed run must keep.
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("document"))));
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    void TearDown() override { QvBarQRLibrary::SetFolder(QString()); }

    // The earlier document is untouched and no temporary file is left.
    void ExpectNothingHalfWritten() {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
        EXPECT_EQ(QDir(dir.filePath(QStringLiteral("document"))).entryList(QDir::Files),
                  QStringList{QStringLiteral("総括表1.pdf")});
    }
    // Starts the document and opens the layout; returns SetPaper's status.
    int OpenLayout(const QString& layout) {
        EXPECT_EQ(engine.StartDoc(path, QStringLiteral("総括表1")), kReportOk);
        form = engine.OpenForm(layout);
        return engine.Printer().SetPaper(*form);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("document/総括表1.pdf"));
    QvDraw engine;
    std::unique_ptr<ReportForm> form;
};

TEST_F(BadInputTest, MissingLayoutFailsSetPaperNamingTheFile) {
    EXPECT_EQ(OpenLayout(dir.filePath(QStringLiteral("form/soukatu9.qvf"))), kReportLayoutRefused);
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("soukatu9.qvf")));
    EXPECT_EQ(form->PrintPage(), kReportLayoutRefused);
    engine.AbortDoc();
    ExpectNothingHalfWritten();
}

TEST_F(BadInputTest, BrokenJsonFailsSetPaperNamingTheFile) {
    EXPECT_EQ(OpenLayout(TestDataPath(QStringLiteral("broken.qvf"))), kReportLayoutRefused);
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("broken.qvf")));
    EXPECT_THROW(form->Fields(QStringLiteral("X")), std::exception);
    engine.AbortDoc();
    ExpectNothingHalfWritten();
}

TEST_F(BadInputTest, UnwritableDocumentFolderFailsStartDoc) {
    QFile blocker(dir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const QString inside = dir.filePath(QStringLiteral("plain-file/document/総括表1.pdf"));
    EXPECT_EQ(engine.StartDoc(inside, QStringLiteral("総括表1")), kReportDocumentFailed);
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("plain-file")));
    EXPECT_EQ(engine.EndDoc(), kReportOutOfOrder);
    ExpectNothingHalfWritten();
}

TEST_F(BadInputTest, MissingQvBarQRFailsOnlyPagesWithASymbol) {
    QvBarQRLibrary::SetFolder(dir.filePath(QStringLiteral("no-library-here")));
    ASSERT_EQ(OpenLayout(TestDataPath(QStringLiteral("sample.qvf"))), kReportOk);
    EXPECT_EQ(form->PrintPage(), kReportOk); // no QR data: the library is not needed
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(QStringLiteral("12345"));
    EXPECT_EQ(form->PrintPage(), kReportQRLibraryMissing);
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("libQvBarQR.so")));
    engine.AbortDoc();
    form->CloseForm();
    ExpectNothingHalfWritten();
}

TEST_F(BadInputTest, PayloadsTheLibraryRefusesFailThePageWithItsCode) {
    if (!UseBuiltQvBarQR())
        GTEST_SKIP() << "libQvBarQR.so is not built";
    ASSERT_EQ(OpenLayout(TestDataPath(QStringLiteral("sample.qvf"))), kReportOk);
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(QString(7367, QLatin1Char('1')));
    EXPECT_EQ(form->PrintPage(), 2); // dataLen above 7366
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(QString(3000, QLatin1Char('a')));
    EXPECT_EQ(form->PrintPage(), 12); // does not fit version 40
    form->Fields(QStringLiteral("QR1")).QRObject().QRData(QStringLiteral("絵文字🙂"));
    EXPECT_EQ(form->PrintPage(), kReportQRDataUnencodable);
    // A refused page is not half-printed into the document.
    EXPECT_EQ(engine.EndDoc(), kReportNoPages);
    ExpectNothingHalfWritten();
}

} // namespace
} // namespace tabulon
