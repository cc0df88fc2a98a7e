// The first start of an installed program: an empty database in the data
// folder, the registration screen once, and nothing of this for a program run
// from its build folder.

#include "db/dao.h"
#include "first_start.h"
#include "globals.h"
#include "install_fixture.h"
#include "message_box.h"
#include "message_recorder.h"
#include "modal_screen.h"
#include "settings/ini_file.h"

#include <QDialog>
#include <QFile>
#include <QStringList>

namespace tabulon {
namespace {

class FirstStartTest : public test::InstallFixture {
protected:
    void SetUp() override {
        InstallFixture::SetUp();
        SetModalHandler([this](QDialog& screen) {
            opened << screen.objectName();
            if (onScreen)
                onScreen();
            return static_cast<int>(QDialog::Rejected);
        });
    }
    void TearDown() override {
        SetModalHandler({});
        InstallFixture::TearDown();
    }

    QByteArray SettingsBytes() const {
        QFile file(ConfigFolder() + "/Soukatu.ini");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList opened;
    std::function<void()> onScreen;
    test::MessageRecorder messages;
};

TEST_F(FirstStartTest, InstalledProgramMakesAnEmptyDatabaseAndKeepsAnExistingOne) {
    UseInstall();
    ASSERT_TRUE(PrepareDesktopData());
    EXPECT_TRUE(QDir(ConfigFolder()).exists());
    const QString path = DataFolder() + "/db.mdb";
    {
        auto db = DBEngine::OpenDatabase(path, false, false, kOpenConnect);
        EXPECT_TRUE(db->OpenRecordset(QStringLiteral("SELECT * FROM T_年月"))->Eof());
        db->Execute(QStringLiteral("INSERT INTO T_年月 (年月) VALUES ('3801')"));
    }
    ASSERT_TRUE(PrepareDesktopData());
    auto db = DBEngine::OpenDatabase(path, false, false, kOpenConnect);
    EXPECT_FALSE(db->OpenRecordset(QStringLiteral("SELECT * FROM T_年月"))->Eof());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FirstStartTest, RegistrationOpensOnceAndAClosedScreenLeavesTheDefaultSettings) {
    UseInstall();
    ASSERT_TRUE(PrepareDesktopData());
    RegisterInstitutionOnFirstStart(nullptr);
    EXPECT_EQ(opened, QStringList{QStringLiteral("frmTouroku")});
    EXPECT_EQ(SettingsBytes(),
              QByteArray("IryouCD=\r\nAddress1=\r\nAddress2=\r\nMeisyou=\r\nTEL=\r\n"
                         "Simei=\r\nSyubetu=1\r\nSougou=0\r\n"));
    RegisterInstitutionOnFirstStart(nullptr);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(FirstStartTest, SettingsSavedOnTheScreenAreKept) {
    UseInstall();
    ASSERT_TRUE(PrepareDesktopData());
    onScreen = [] {
        gMeisyou = QStringLiteral("ABC");
        SaveIni();
        gMeisyou.clear();
    };
    RegisterInstitutionOnFirstStart(nullptr);
    EXPECT_TRUE(SettingsBytes().contains("Meisyou=ABC\r\n"));
}

TEST_F(FirstStartTest, BuildFolderMakesNothingAndAsksForNothing) {
    const QString build = UseBuildFolder();
    ASSERT_TRUE(PrepareDesktopData());
    RegisterInstitutionOnFirstStart(nullptr);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(QFile::exists(Path("home")));
    EXPECT_FALSE(QFile::exists(build + "/Soukatu.ini"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("db.mdb")));
}

TEST_F(FirstStartTest, DataFolderThatCannotBeMadeIsReportedAndStopsTheStart) {
    UseInstall();
    QFile blocker(Path("home-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", Path("home-file").toUtf8());
    EXPECT_FALSE(PrepareDesktopData());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("ｴﾗｰ番号 = 76\r\r")));
}

} // namespace
} // namespace tabulon
