#include "claims_fixture.h"

#include "globals.h"
#include "mdu_seikyusyo.h"

#include <QPushButton>
#include <QTest>

namespace tabulon::test {

void ClaimsFixture::SetUp() {
    database = std::make_unique<TempDatabase>();
    messages = std::make_unique<MessageRecorder>();
    gNengetu = "3805";
    gSougou = "1";
    gSyubetu = "1";
    CurrentClaim = {};
}

void ClaimsFixture::TearDown() {
    messages.reset();
    database.reset();
}

std::unique_ptr<ClaimScreen> ClaimsFixture::NewScreen(int kind) {
    CurrentClaim = {kind, false, {}, {}, 0};
    auto screen = std::make_unique<ClaimScreen>(kind);
    screen->Button("cmdDelete")->setEnabled(false);
    SetInputLimits(*screen, screen->Kind().lastRowIndex);
    screen->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    return screen;
}

std::unique_ptr<ClaimScreen> ClaimsFixture::EditScreen(const ClaimKey& key) {
    CurrentClaim = {key.kind, true, key.bangou, key.sinryouka, key.renban};
    auto screen = std::make_unique<ClaimScreen>(key.kind);
    SetInputLimits(*screen, screen->Kind().lastRowIndex);
    LoadSeikyuu(*screen, ClaimQuery(key), screen->Kind().lastRowIndex);
    screen->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    return screen;
}

std::unique_ptr<Recordset> ClaimsFixture::Stored(const ClaimKey& key) {
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(ClaimQuery(key));
    return rs->Eof() ? nullptr : std::move(rs);
}

int ClaimsFixture::CountClaims() {
    int count = 0;
    for (auto rs = gDb->OpenRecordset("SELECT * From T_請求書"); !rs->Eof(); rs->MoveNext())
        ++count;
    return count;
}

void ClaimsFixture::InsertClaim(const ClaimKey& key, const QString& uba) {
    auto rs = gDb->OpenRecordset("SELECT * From T_請求書");
    rs->AddNew();
    rs->Fields("年月").SetValue(key.nengetu);
    rs->Fields("保険者番号").SetValue(key.bangou);
    rs->Fields("診療科").SetValue(key.sinryouka);
    rs->Fields("請求書種類").SetValue(QString::number(key.kind));
    rs->Fields("連番").SetValue(key.renban);
    rs->Fields("福祉件数").SetValue(uba);
    rs->Update();
}

void ClaimsFixture::Click(ClaimScreen& screen, const char* button) {
    QTest::mouseClick(screen.Button(button), Qt::LeftButton);
}

} // namespace tabulon::test
