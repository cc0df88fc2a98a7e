#include "globals.h"
#include "message_box.h"
#include "settings/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// clang-format off
#include <QStringList> // the recorder uses it without including it
#include "../../support/message_recorder.h"
// clang-format on

namespace tabulon {
namespace {

// "名古屋市" and "医院" in Shift_JIS, written as bytes so the test does not
// rely on the converter it checks.
const QByteArray kNagoyaSjis("\x96\xbc\x8c\xc3\x89\xae\x8e\x73");
const QByteArray kIinSjis("\x88\xe3\x89\x40");

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::MessageRecorder messages;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetSettingsFolderForTesting(dir.path());
        gIryoukikan = QStringLiteral("before");
    }
    void TearDown() override { SetSettingsFolderForTesting({}); }

    void write(const QByteArray& bytes) {
        QFile f(SettingsFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() {
        QFile f(SettingsFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void fillGlobals() {
        gIryouCD = "2312345";
        gAddress1 = "名古屋市中区三の丸３－１－１";
        gAddress2 = "";
        gMeisyou = "医療法人　テスト医院";
        gTel = "052(961)-1111";
        gSimei = "山田　太郎";
        gSyubetu = "2";
        gSougou = "1";
    }
};

TEST_F(SettingsFile, MissingFileIsSilentAndGivesDefaults) {
    gIryouCD = "9999999";
    gSyubetu = "3";
    gSougou = "1";
    LoadIni();
    EXPECT_EQ(gIryouCD, "");
    EXPECT_EQ(gSyubetu, "1");
    EXPECT_EQ(gSougou, "0");
    EXPECT_EQ(gIryoukikan, "before");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFile, ReadsShiftJisKeysWithTheLaterLineWinning) {
    write("IryouCD=1111111\r\n"
          "Address1=" +
          kNagoyaSjis +
          "\r\n"
          "Meisyou=   " +
          kIinSjis +
          "  \r\n"
          "  TEL= 052-000-0000\r\n"
          "IryouCD=2222222\n"
          "Simei=" +
          kNagoyaSjis + kIinSjis +
          "\r"
          "Sougou=1");
    LoadIni();
    EXPECT_EQ(gIryouCD, "2222222");
    EXPECT_EQ(gAddress1, "名古屋市");
    EXPECT_EQ(gAddress2, "");
    EXPECT_EQ(gMeisyou, "医院");
    EXPECT_EQ(gTel, "052-000-0000");
    EXPECT_EQ(gSimei, "名古屋市医院");
    EXPECT_EQ(gSyubetu, "1");
    EXPECT_EQ(gSougou, "1");
    EXPECT_EQ(gIryoukikan, "名古屋市\r\n医院\r\n052-000-0000\r\n名古屋市医院");
    EXPECT_TRUE(messages.shown.empty());
}

// A key counts only at the start of its line, after blanks at most, so that a
// typed address or name never sets another setting.
TEST_F(SettingsFile, KeyCountsOnlyAtTheStartOfItsLine) {
    struct Case {
        QByteArray line;
        QString iryouCD;
        QString tel;
    };
    const Case cases[] = {
        {"IryouCD=2312345", "2312345", ""},
        {"   IryouCD=2312345 ", "2312345", ""},
        {"\tIryouCD=2312345", "2312345", ""},
        {"Address1=" + kNagoyaSjis + " IryouCD=9999999", "", ""},
        {"Simei=" + kNagoyaSjis + " TEL=000-0000", "", ""},
        {"Meisyou=IryouCD=9999999", "", ""},
        {"#IryouCD=9999999", "", ""},
        {"TEL=052 IryouCD=9999999", "", "052 IryouCD=9999999"},
    };
    for (const Case& c : cases) {
        write(c.line + "\r\n");
        LoadIni();
        EXPECT_EQ(gIryouCD, c.iryouCD) << c.line.toStdString();
        EXPECT_EQ(gTel, c.tel) << c.line.toStdString();
    }
}

// An editor may save the file as UTF-8, with a byte order mark (Notepad) or
// without one: both read as UTF-8, even where the bytes happen to be valid
// Shift_JIS too. A file the program wrote reads as before.
TEST_F(SettingsFile, Utf8FilesAreReadAsUtf8) {
    const QString name = QStringLiteral("名古屋市医院");
    const QByteArray utf8 = "Meisyou=" + name.toUtf8() + "\r\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        QString meisyou;
    };
    const Case cases[] = {
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + utf8, name},
        {"UTF-8", utf8, name},
        {"UTF-8 that is not Shift_JIS", "Meisyou=\xC3\xA0 la carte\r\n",
         QStringLiteral("à la carte")},
        {"Shift_JIS", "Meisyou=" + kNagoyaSjis + kIinSjis + "\r\n", name},
        // ﾃｽﾄｱ: its bytes read as UTF-8 too, but not as Japanese.
        {"Shift_JIS that is UTF-8 too", "Meisyou=\xC3\xBD\xC4\xB1\r\n", QStringLiteral("ﾃｽﾄｱ")},
    };
    for (const Case& c : cases) {
        write(c.bytes);
        LoadIni();
        EXPECT_EQ(gMeisyou, c.meisyou) << c.what;
    }
    // The mark is no part of the first line: the key at its start counts.
    write("\xEF\xBB\xBFIryouCD=1234567\r\n");
    LoadIni();
    EXPECT_EQ(gIryouCD, "1234567");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFile, KeysAreCaseSensitive) {
    write("iryoucd=1234567\r\nIRYOUCD=7654321\r\n");
    LoadIni();
    EXPECT_EQ(gIryouCD, "");
}

TEST_F(SettingsFile, StrayBytesDoNotStopTheRest) {
    write("Meisyou=" + kIinSjis + "\x80\xff" +
          "X\r\n"
          "Address1=\x88\r\n"
          "TEL=03\r\n");
    LoadIni();
    EXPECT_EQ(gMeisyou, QStringLiteral("医院\uFFFD\uFFFDX"));
    EXPECT_EQ(gAddress1, QStringLiteral("\uFFFD"));
    EXPECT_EQ(gTel, "03");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFile, InstitutionBlockHasFourOrFiveLines) {
    fillGlobals();
    EXPECT_EQ(BuildIryoukikan().split("\r\n").size(), 4);
    gAddress2 = "丸の内ビル";
    EXPECT_EQ(BuildIryoukikan(),
              "名古屋市中区三の丸３－１－１\r\n丸の内ビル\r\n医療法人　テスト医院\r\n"
              "052(961)-1111\r\n山田　太郎");
}

TEST_F(SettingsFile, SavesEightLinesInShiftJisAndReadsThemBack) {
    fillGlobals();
    ASSERT_TRUE(SaveIni());
    const QByteArray bytes = read();
    EXPECT_TRUE(bytes.startsWith("IryouCD=2312345\r\nAddress1=" + kNagoyaSjis));
    EXPECT_TRUE(bytes.endsWith("\r\nSyubetu=2\r\nSougou=1\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 8);
    EXPECT_TRUE(bytes.contains("\r\nAddress2=\r\nMeisyou="));

    const QString block = BuildIryoukikan();
    gIryouCD = gAddress1 = gMeisyou = gTel = gSimei = gIryoukikan = "";
    LoadIni();
    EXPECT_EQ(gIryouCD, "2312345");
    EXPECT_EQ(gMeisyou, "医療法人　テスト医院");
    EXPECT_EQ(gSyubetu, "2");
    EXPECT_EQ(gIryoukikan, block);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFile, TextWithoutShiftJisCodeIsRefusedAndTheOldFileKept) {
    write("IryouCD=1111111\r\n");
    fillGlobals();
    gSimei = QString::fromUcs4(U"𠮷田");
    EXPECT_FALSE(SaveIni());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(messages.shown[0].text.startsWith("ｴﾗｰ番号 = "));
    EXPECT_EQ(read(), "IryouCD=1111111\r\n");
}

// Makes a folder unwritable for the life of the object: by its mode, or, for
// root who ignores modes, by the immutable attribute.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& path) : path_(path.toLocal8Bit()) {
        if (geteuid() != 0) {
            ok_ = chmod(path_.constData(), 0555) == 0;
            return;
        }
        const int fd = open(path_.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        if (ioctl(fd, FS_IOC_GETFLAGS, &flags_) == 0) {
            int immutable = flags_ | FS_IMMUTABLE_FL;
            ok_ = ioctl(fd, FS_IOC_SETFLAGS, &immutable) == 0;
        }
        close(fd);
    }
    ~UnwritableFolder() {
        if (!ok_)
            return;
        if (geteuid() != 0) {
            chmod(path_.constData(), 0755);
            return;
        }
        const int fd = open(path_.constData(), O_RDONLY | O_DIRECTORY);
        ioctl(fd, FS_IOC_SETFLAGS, &flags_);
        close(fd);
    }
    bool ok() const { return ok_; }

private:
    QByteArray path_;
    int flags_ = 0;
    bool ok_ = false;
};

TEST_F(SettingsFile, UnwritableFolderReportsTheErrorAndKeepsTheOldFile) {
    write("IryouCD=1111111\r\n");
    fillGlobals();
    UnwritableFolder locked(dir.path());
    if (!locked.ok())
        GTEST_SKIP() << "this file system cannot lock a folder";
    EXPECT_FALSE(SaveIni());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(messages.shown[0].text.startsWith("ｴﾗｰ番号 = 75\r\r"));
    EXPECT_EQ(read(), "IryouCD=1111111\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Soukatu.ini"});
}

TEST_F(SettingsFile, UnreadableFileReportsTheError) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Soukatu.ini"));
    LoadIni();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(gIryoukikan, "before");
}

} // namespace
} // namespace tabulon
