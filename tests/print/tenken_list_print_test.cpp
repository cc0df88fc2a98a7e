// 点検リスト through the real report engine: forty findings a page, the month
// in the heading, every column readable back from the document.

#include "globals.h"
#include "modal_screen.h"
#include "print_context.h"
#include "print_fixture.h"
#include "tenken_list_print.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

class TenkenListPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString build = qEnvironmentVariable("TABULON_BUILD_DIR");
        if (!QFileInfo::exists(QDir(build).filePath("form/tenken.qvf")))
            GTEST_SKIP() << "the layouts are not built";
        test::UseBuiltEngine(build);
        SetModalHandler([this](QDialog& screen) {
            previews << screen.objectName();
            return 0;
        });
        test::SetPrintGlobals({});
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        SetProgramFolder(QString());
    }
    QStringList previews;
};

QString PageText(QPdfDocument& pdf, int page) {
    return pdf.getAllText(page).text().remove(u'\n').remove(u' ');
}

TEST_F(TenkenListPrintTest, FortyLinesAPageWithTheMonthAndEveryColumn) {
    QList<QStringList> lines;
    for (int i = 1; i <= 41; ++i)
        lines << QStringList{i == 41 ? "確認" : "誤り",
                             QString::number(231000 + i),
                             "歯科（一般・退職）",
                             "01",
                             QString::number(i),
                             "一般被保険者 七割 入院外 点数",
                             QStringLiteral("件数があるのに点数がありません。%1").arg(i)};
    PrintTenkenList(lines);
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(DocumentPath("点検リスト")), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), 2);
    const QString first = PageText(pdf, 0);
    EXPECT_TRUE(first.contains("点　検　リ　ス　ト") || first.contains("点検リスト"));
    EXPECT_TRUE(first.contains("平成38年5月分")) << first.left(200).toStdString();
    EXPECT_TRUE(first.contains("1/2"));
    EXPECT_TRUE(first.contains("231040"));
    EXPECT_FALSE(first.contains("231041"));
    const QString second = PageText(pdf, 1);
    EXPECT_TRUE(second.contains("確認"));
    EXPECT_TRUE(second.contains("231041"));
    EXPECT_TRUE(second.contains("件数があるのに点数がありません。41"));
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(TenkenListPrintTest, AnEmptyListSaysSo) {
    PrintTenkenList({});
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(DocumentPath("点検リスト")), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), 1);
    EXPECT_TRUE(PageText(pdf, 0).contains("誤りも確認もありません。"));
}

} // namespace
} // namespace tabulon
