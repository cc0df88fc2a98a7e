// The preview's 印刷 on a real CUPS queue: a private cupsd (started in a
// temporary folder by scripts/private-cupsd.sh, listening on 127.0.0.1 only)
// prints a batch of claim forms and a summary document through the button's
// own path, the print dialog answered through the modal seam. The queued
// output has the document's page count, A4 pages, and on every page the QR
// symbol at the same place and size, decoding at 300 dpi to the same bytes.

#include "../support/temp_database.h"
#include "claim_batch.h"
#include "claim_qr.h"
#include "db/dao.h"
#include "frm_preview.h"
#include "globals.h"
#include "modal_screen.h"
#include "print_context.h"
#include "print_fixture.h"
#include "qvbarqr_library.h"
#include "soukatu_work.h"
#include "test_messages.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <ZXing/ReadBarcode.h>
#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace tabulon {
namespace {

constexpr char kQueue[] = "TabulonPDF";

struct Symbol {
    QByteArray bytes;
    QRect box; // pixels at 300 dpi
};

std::vector<Symbol> SymbolsOnPage(QPdfDocument& pdf, int page) {
    const QSizeF points = pdf.pagePointSize(page);
    const QImage rendered = pdf.render(page, (points * 300 / 72.0).toSize());
    QImage grey(rendered.size(), QImage::Format_Grayscale8);
    grey.fill(Qt::white);
    QPainter(&grey).drawImage(0, 0, rendered);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    std::vector<Symbol> found;
    for (const ZXing::Result& r : ZXing::ReadBarcodes(view, hints)) {
        QPolygon corners;
        for (int i = 0; i < 4; ++i)
            corners << QPoint(r.position()[i].x, r.position()[i].y);
        found.push_back({QByteArray(reinterpret_cast<const char*>(r.bytes().data()),
                                    static_cast<qsizetype>(r.bytes().size())),
                         corners.boundingRect()});
    }
    return found;
}

// A port of 127.0.0.1 that nothing listens on now.
int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// One private server for all the tests: libcups keeps the first server it
// reached for the life of the process.
class PrintCupsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cups = new QTemporaryDir;
        if (!cups->isValid()) {
            failure = "no temporary folder";
            return;
        }
        QFile::setPermissions(cups->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadGroup | QFile::ExeGroup |
                                                QFile::ReadOther | QFile::ExeOther);
        const int port = FreePort();
        QProcess start;
        start.start(QStringLiteral(TABULON_PRIVATE_CUPSD),
                    {QStringLiteral("start"), cups->path(), QString::number(port)});
        start.waitForFinished(-1); // the script gives up on a scheduler that never answers
        const std::string error = start.readAllStandardError().toStdString();
        if (start.exitCode() == 77)
            skipped = "no private CUPS server: " + error;
        else if (start.exitCode() != 0)
            failure = error;
        else
            started = true;
        // Qt's printing and libcups reach the private server only.
        qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(port));
    }
    static void TearDownTestSuite() {
        if (started)
            QProcess::execute(QStringLiteral(TABULON_PRIVATE_CUPSD),
                              {QStringLiteral("stop"), cups->path()});
        delete cups;
    }

    void SetUp() override {
        build = qEnvironmentVariable("TABULON_BUILD_DIR");
        if (!QFileInfo::exists(QDir(build).filePath("libQvBarQR.so")))
            GTEST_SKIP() << "QvBarQR is not built";
        if (!skipped.empty())
            GTEST_SKIP() << skipped;
        ASSERT_TRUE(started) << failure;

        test::UseBuiltEngine(build);
        SetModalHandler([this](QDialog& dialog) { return Answer(dialog); });
        test::SetPrintGlobals(
            QStringLiteral("長野県松本市母袋１－２\r\n歯科医院\r\n0263-00-0000\r\n山田太郎"));
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        SetProgramFolder(QString());
    }

    // The preview: the clerk presses 印刷, then 閉じる. The print dialog: the
    // private queue is chosen and OK pressed.
    int Answer(QDialog& dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            print->printer()->setPrinterName(QString::fromLatin1(kQueue));
            chosen = print->printer()->printerName();
            return QDialog::Accepted;
        }
        if (auto* preview = qobject_cast<frmPreview*>(&dialog)) {
            previewed = preview->QvView1().ViewedFile();
            previewedPages = preview->QvView1().PageCount();
            if (whilePreviewed)
                std::exchange(whilePreviewed, nullptr)();
            else if (!printFromPreview)
                return QDialog::Accepted;
            QTest::mouseClick(preview->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
            QTest::mouseClick(preview->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }

    // Waits until the scheduler has completed the jobs printed so far and
    // returns the last one's output as a PDF. The script keeps its own time
    // limit and says what the scheduler logged when it runs out.
    QString Collect(const QString& name) {
        ++jobsPrinted;
        QProcess collect;
        collect.start(
            QStringLiteral(TABULON_PRIVATE_CUPSD),
            {QStringLiteral("collect"), cups->path(), name, QString::number(jobsPrinted)});
        collect.waitForFinished(-1);
        EXPECT_EQ(collect.exitCode(), 0) << collect.readAllStandardError().toStdString();
        return QDir(cups->path()).filePath(QStringLiteral("out/") + name + QStringLiteral(".pdf"));
    }

    // Page for page, the queued output against the previewed document.
    void ExpectSamePaper(const QString& queued, int symbolPages, double sideMm) {
        QPdfDocument original;
        QPdfDocument printed;
        ASSERT_EQ(original.load(previewed), QPdfDocument::Error::None);
        ASSERT_EQ(printed.load(queued), QPdfDocument::Error::None);
        ASSERT_EQ(printed.pageCount(), original.pageCount());
        int withSymbol = 0;
        for (int page = 0; page < printed.pageCount(); ++page) {
            SCOPED_TRACE(page);
            const QSizeF size = printed.pagePointSize(page);
            EXPECT_NEAR(size.width(), 595.3, 1.0); // A4, 210 × 297 mm
            EXPECT_NEAR(size.height(), 841.9, 1.0);
            const std::vector<Symbol> want = SymbolsOnPage(original, page);
            const std::vector<Symbol> got = SymbolsOnPage(printed, page);
            ASSERT_EQ(got.size(), want.size());
            for (size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].bytes, want[i].bytes);
                // Actual size: the same place and side within 2 pixels (0.17 mm).
                EXPECT_NEAR(got[i].box.left(), want[i].box.left(), 2);
                EXPECT_NEAR(got[i].box.top(), want[i].box.top(), 2);
                EXPECT_NEAR(got[i].box.width(), want[i].box.width(), 2);
                // The symbol keeps its side (the decoder's corners sit inside the outer edge).
                EXPECT_NEAR(got[i].box.width(), sideMm / 25.4 * 300, 12);
            }
            withSymbol += got.empty() ? 0 : 1;
        }
        EXPECT_EQ(withSymbol, symbolPages);
    }

    int PagesOf(const QString& pdf) {
        QPdfDocument document;
        return document.load(pdf) == QPdfDocument::Error::None ? document.pageCount() : -1;
    }

    void addClaim(const QString& bangou, int kind) {
        test::AddMonthClaim(db.db(), bangou, kind, 1, QString(),
                            {{"一般_療養_外来_件数_1", "12"},
                             {"一般_療養_外来_点数_1", "12345"},
                             {"公費件数", "2"}});
    }

    QString build;
    static inline QTemporaryDir* cups = nullptr;
    static inline bool started = false;
    static inline int jobsPrinted = 0; // by every test of the suite: one server serves them all
    static inline std::string skipped;
    static inline std::string failure;
    QString chosen;
    QString previewed;
    int previewedPages = 0;
    // Runs once while the next preview is shown, before 印刷 is pressed.
    std::function<void()> whilePreviewed;
    bool printFromPreview = true;
    test::TempDatabase db;
    test::MessageRecorder messages;
};

TEST_F(PrintCupsTest, ClaimFormsAndSummaryReachThePaperAtActualSize) {
    addClaim("345678", 1);
    addClaim("39345678", 4);
    PrintClaimsOfMonth();
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    ASSERT_EQ(chosen, QString::fromLatin1(kQueue));
    ExpectSamePaper(Collect(QStringLiteral("claims")), 2, 25);

    PrintSummariesOfMonth();
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    // The 医 and 歯 tables carry 32 mm symbols; the list pages none.
    ExpectSamePaper(Collect(QStringLiteral("summary")), 2, 32);
}

// Two programs in one working folder: while A's preview of one month is
// open, B prints another month into the same document. A's 印刷 prints the
// document A shows.
TEST_F(PrintCupsTest, PreviewPrintsTheDocumentItShowsAfterAnotherRunReplacedTheFile) {
    addClaim("345678", 1);
    gNengetu = QStringLiteral("3806");
    for (int i = 0; i < 3; ++i)
        addClaim(QStringLiteral("3456%1").arg(i + 10), 1);
    gNengetu = QStringLiteral("3805");
    int shownPages = 0;
    whilePreviewed = [&] {
        shownPages = previewedPages;
        printFromPreview = false;
        gNengetu = QStringLiteral("3806");
        PrintClaimsOfMonth();
        gNengetu = QStringLiteral("3805");
        printFromPreview = true;
    };
    PrintClaimsOfMonth();
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    ASSERT_GT(shownPages, 0);
    ASSERT_NE(PagesOf(previewed), shownPages); // B's document is under the name now
    EXPECT_EQ(PagesOf(Collect(QStringLiteral("claims"))), shownPages);
}

} // namespace
} // namespace tabulon
