// A server restart between two print runs costs the clerk nothing: the month's
// claims and its summary tables print on new sessions, with work tables of
// their own, and no message.

#include "../support/own_cluster.h"
#include "../support/temp_database.h"
#include "claim_batch.h"
#include "db/dao.h"
#include "print_fixture.h"
#include "soukatu_work.h"

namespace tabulon {
namespace {

class PrintAfterRestartTest : public test::PrintFixture {
protected:
    void SetUp() override {
        if (!test::OnServer())
            GTEST_SKIP() << "needs the server";
        test::PrintFixture::SetUp();
        cluster = std::make_unique<test::OwnCluster>();
        db = CreateServerDatabase(cluster->ConnectInfo());
        gDb = db.get();
        for (const char* bangou : {"138001", "39131234"})
            test::AddMonthClaim(*db, QString::fromLatin1(bangou), 1, 1, QString(),
                                {{"一般_療養_外来_件数_1", "3"}, {"公費件数", "1"}});
    }
    void TearDown() override {
        gDb = nullptr;
        db.reset();
        cluster.reset();
        test::PrintFixture::TearDown();
    }

    std::unique_ptr<test::OwnCluster> cluster;
    std::unique_ptr<Database> db;
};

TEST_F(PrintAfterRestartTest, ClaimsAndSummariesPrintWithoutAMessage) {
    PrintClaimsOfMonth();
    cluster->Restart();
    PrintClaimsOfMonth();
    cluster->Restart();
    PrintSummariesOfMonth();
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(Calls("StartDoc").size(), 3);
    EXPECT_EQ(Calls("EndDoc").size(), 3);
}

} // namespace
} // namespace tabulon
