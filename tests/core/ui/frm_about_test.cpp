#include "screen_fixture.h"
#include "ui/frm_about.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tabulon::test {
namespace {

// Puts PATH to a folder of the test's choosing for the life of the object.
class PathOverride {
public:
    explicit PathOverride(const QString& folder) : saved_(qgetenv("PATH")) {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~PathOverride() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

class AboutTest : public ScreenTest {};

TEST_F(AboutTest, ShowsTheVersionAndBuildDate) {
    FrmAbout about;
    EXPECT_EQ(about.windowTitle(), "Tabulonのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(Find<QLabel>(&about, "lblTitle")->text(), "Tabulon");
    EXPECT_EQ(Find<QLabel>(&about, "lblVersion")->text(),
              "ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ : 2.00\r\r\n作成日 : 2008.07.01");
    EXPECT_EQ(Find<QLabel>(&about, "lblDescription")->text(), "");
    EXPECT_EQ(Find<QPushButton>(&about, "cmdSysInfo")->text(), "ｼｽﾃﾑ情報(&S)...");
}

TEST_F(AboutTest, WithoutASystemInformationProgramSaysSo) {
    PathOverride path(settingsFolder.path());
    FrmAbout about;
    QTest::mouseClick(Find<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messages.Texts(), QStringList{"現時点ではｼｽﾃﾑ情報を使用できません"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(AboutTest, StartsTheFirstProgramFoundWithoutWaiting) {
    const QString marker = settingsFolder.filePath("started");
    const QString program = settingsFolder.filePath(FrmAbout::SystemInfoPrograms().last());
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho started > '" + marker + "'\n").toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    PathOverride path(settingsFolder.path());
    FrmAbout about;
    QTest::mouseClick(Find<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
}

} // namespace
} // namespace tabulon::test
