#include "screen_fixture.h"
#include "screen_font.h"
#include "settings/ini_file.h"
#include "ui/frm_touroku.h"
#include "ui/month_check.h"

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

namespace tabulon::test {
namespace {

class TourokuTest : public ScreenTest {
protected:
    std::unique_ptr<FrmTouroku> screen;
    void SetUp() override {
        ScreenTest::SetUp();
        gIryouCD = "2312345";
        gAddress1 = "名古屋市中区";
        gAddress2 = "";
        gMeisyou = "テスト医院";
        gTel = "052-111-2222";
        gSimei = "山田太郎";
        gSyubetu = "1";
        gSougou = "1";
        gIryoukikan = "old";
    }
    void open() {
        screen = std::make_unique<FrmTouroku>();
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }
    QLineEdit* box(const char* name) { return Find<QLineEdit>(screen.get(), name); }
    QCheckBox* sougou() { return Find<QCheckBox>(screen.get(), "chkSougou"); }
    QRadioButton* kind(int index) {
        for (auto* option : screen->findChildren<QRadioButton*>("optHyoubetu"))
            if (option->property("Index").toInt() == index)
                return option;
        ADD_FAILURE() << "no optHyoubetu " << index;
        return nullptr;
    }
    void clickRegister() {
        QTest::mouseClick(Find<QPushButton>(screen.get(), "cmdEdit"), Qt::LeftButton);
    }
    // Types as an input method does: key presses carrying the text.
    void type(const char* name, const QString& text) {
        QLineEdit* target = box(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }
    QByteArray settingsFile() {
        QFile file(SettingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(TourokuTest, ShowsTheCurrentSettings) {
    gSyubetu = "3";
    gSougou = "0";
    open();
    EXPECT_EQ(screen->windowTitle(), "医療機関情報登録");
    EXPECT_EQ(box("txtCode")->text(), "2312345");
    EXPECT_EQ(box("txtJyusyo1")->text(), "名古屋市中区");
    EXPECT_EQ(box("txtTel")->text(), "052-111-2222");
    EXPECT_TRUE(kind(2)->isChecked());
    EXPECT_FALSE(sougou()->isEnabled());
    EXPECT_EQ(box("txtMeisyou")->maxLength(), 24);
    EXPECT_EQ(box("txtSimei")->maxLength(), 20);
    EXPECT_EQ(box("txtCode")->accessibleName(), "医療機関コード");
}

TEST_F(TourokuTest, FullLengthNamesShowWhole) {
    const QString wide(1, QChar(0x6F22)); // 漢, as wide as any full-width character
    gAddress1 = wide.repeated(24);
    gAddress2 = wide.repeated(24);
    gMeisyou = wide.repeated(24);
    gSimei = wide.repeated(20);
    ScreenFontInUse font;
    open();
    for (const char* name : {"txtJyusyo1", "txtJyusyo2", "txtMeisyou", "txtSimei"}) {
        QLineEdit* shown = box(name);
        EXPECT_EQ(shown->text().size(), shown->maxLength()) << name;
        // With the caret at the end, a text that fits is not scrolled: the
        // caret stands after the whole text's width.
        shown->end(false);
        EXPECT_GE(shown->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
                  shown->fontMetrics().horizontalAdvance(shown->text()))
            << name;
        EXPECT_TRUE(screen->rect().contains(shown->geometry())) << name;
    }
}

TEST_F(TourokuTest, SixDigitCodeIsRefusedAndNothingChanges) {
    open();
    box("txtCode")->setText("231234");
    box("txtMeisyou")->setText("別の医院");
    clickRegister();
    EXPECT_EQ(messages.Texts(), QStringList{"医療機関コードは７桁で入力してください。"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box("txtCode")->hasFocus());
    EXPECT_TRUE(HasRedBackground(box("txtCode")));
    EXPECT_EQ(gIryouCD, "2312345");
    EXPECT_EQ(gMeisyou, "テスト医院");
    EXPECT_TRUE(settingsFile().isEmpty());

    messages.shown.clear();
    box("txtCode")->clear();
    clickRegister();
    EXPECT_EQ(messages.Texts(), QStringList{"医療機関コードを入力してください。"});
}

TEST_F(TourokuTest, DentalClearsAndDisablesTheFormerGeneralHospital) {
    open();
    EXPECT_TRUE(sougou()->isChecked());
    EXPECT_TRUE(sougou()->isEnabled());
    QTest::mouseClick(kind(1), Qt::LeftButton);
    EXPECT_FALSE(sougou()->isChecked());
    EXPECT_FALSE(sougou()->isEnabled());
    clickRegister();
    EXPECT_EQ(messages.Texts(), QStringList{"保存しました。"});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(gSyubetu, "2");
    EXPECT_EQ(gSougou, "0");
    EXPECT_TRUE(settingsFile().endsWith("Syubetu=2\r\nSougou=0\r\n"));
    EXPECT_TRUE(screen->isVisible());

    QTest::mouseClick(kind(0), Qt::LeftButton);
    EXPECT_TRUE(sougou()->isEnabled());
}

TEST_F(TourokuTest, RegisteringStoresTheBoxesAndRebuildsTheBlock) {
    open();
    box("txtJyusyo2")->setText("丸の内ビル");
    box("txtCode")->selectAll();
    QTest::keyClicks(box("txtCode"), "23x98765");
    EXPECT_EQ(box("txtCode")->text(), "2398765");
    clickRegister();
    EXPECT_EQ(gIryouCD, "2398765");
    EXPECT_EQ(gSougou, "1");
    EXPECT_EQ(gIryoukikan, "名古屋市中区\r\n丸の内ビル\r\nテスト医院\r\n052-111-2222\r\n山田太郎");
    EXPECT_TRUE(settingsFile().startsWith("IryouCD=2398765\r\n"));
}

TEST_F(TourokuTest, EnterWalksTheBoxesToTheRegisterButton) {
    open();
    box("txtCode")->setFocus();
    const char* path[] = {"txtJyusyo1", "txtJyusyo2", "txtMeisyou",
                          "txtTel",     "txtSimei",   "cmdEdit"};
    for (const char* next : path) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TourokuTest, FailedSaveIsNotReportedAsSavedAndChangesNothing) {
    SetSettingsFolderForTesting(settingsFolder.filePath("missing/folder"));
    open();
    box("txtMeisyou")->setText("別の医院");
    clickRegister();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(messages.shown[0].text.startsWith("ｴﾗｰ番号 = "));
    EXPECT_EQ(gMeisyou, "テスト医院");
    EXPECT_EQ(gIryoukikan, "old");
}

// An address or a name that holds another key's text is stored as typed and
// reads back as typed at the next start; the institution code stays.
TEST_F(TourokuTest, KeysTypedIntoAddressAndNameSurviveARestart) {
    open();
    type("txtJyusyo1", "名古屋市 IryouCD=9999999");
    type("txtSimei", "山田 TEL=000-0000");
    clickRegister();
    EXPECT_EQ(messages.Texts(), QStringList{"保存しました。"});
    const QString block = gIryoukikan;
    LoadIni();
    EXPECT_EQ(gIryouCD, "2312345");
    EXPECT_EQ(gTel, "052-111-2222");
    EXPECT_EQ(gAddress1, "名古屋市 IryouCD=9999999");
    EXPECT_EQ(gSimei, "山田 TEL=000-0000");
    EXPECT_EQ(gIryoukikan, block);
}

// Text the settings file cannot hold (from a file written elsewhere; the
// boxes refuse it when typed) is refused naming its box, and nothing changes.
TEST_F(TourokuTest, TextWithoutShiftJisCodeIsRefusedNamingItsBox) {
    const QString hostile = QString::fromUcs4(U"𠮷野家😀医院");
    const struct {
        const char* box;
        QString* global;
        const char* caption;
    } cases[] = {{"txtJyusyo1", &gAddress1, "所在地"},
                 {"txtJyusyo2", &gAddress2, "所在地 2行目"},
                 {"txtMeisyou", &gMeisyou, "名称"},
                 {"txtSimei", &gSimei, "開設者氏名"}};
    for (const auto& c : cases) {
        const QString before = *c.global;
        messages.shown.clear();
        open();
        box("txtCode")->setText("2398765");
        box(c.box)->setText(hostile);
        clickRegister();
        ASSERT_EQ(messages.shown.size(), 1u) << c.box;
        const QString text = messages.shown[0].text;
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.caption) + "に使えない文字があります：" +
                                    QString::fromUcs4(U"𠮷（U+20BB7）、😀（U+1F600）")))
            << text.toStdString();
        EXPECT_TRUE(box(c.box)->hasFocus()) << c.box;
        EXPECT_TRUE(HasRedBackground(box(c.box))) << c.box;
        EXPECT_EQ(*c.global, before) << c.box;
        EXPECT_EQ(gIryouCD, "2312345");
        EXPECT_EQ(gIryoukikan, "old");
        EXPECT_TRUE(settingsFile().isEmpty());
    }
}

// A settings file saved as UTF-8 by an editor is written back in Shift_JIS
// at the next registration.
TEST_F(TourokuTest, Utf8SettingsFileIsWrittenBackInShiftJis) {
    {
        QFile file(SettingsFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFIryouCD=2312345\r\nMeisyou=" +
                   QStringLiteral("名古屋医院").toUtf8() + "\r\n");
    }
    LoadIni();
    open();
    EXPECT_EQ(box("txtMeisyou")->text(), "名古屋医院");
    clickRegister();
    EXPECT_EQ(messages.Texts(), QStringList{"保存しました。"});
    // 名古屋医院 in Shift_JIS, as bytes.
    EXPECT_TRUE(
        settingsFile().contains("\r\nMeisyou=\x96\xbc\x8c\xc3\x89\xae\x88\xe3\x89\x40\r\n"));
    EXPECT_FALSE(settingsFile().startsWith("\xEF\xBB\xBF"));
}

// 閉じる (Return on the focused button) asks only while the boxes or the
// options differ from the settings shown or last registered.
TEST_F(TourokuTest, CloseAsksOnlyAboutChangesNotRegistered) {
    const struct {
        const char* what;
        std::function<void()> work;
        bool asks;
    } cases[] = {
        {"nothing changed", [] {}, false},
        {"the name typed", [this] { type("txtMeisyou", "新医院"); }, true},
        {"dental chosen", [this] { QTest::mouseClick(kind(1), Qt::LeftButton); }, true},
        {"typed and registered",
         [this] {
             type("txtMeisyou", "新医院");
             clickRegister();
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        c.work();
        messages.shown.clear();
        messages.answers = {MsgAnswer::Cancel};
        auto* close = Find<QPushButton>(screen.get(), "cmdClose");
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
        if (!c.asks) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_TRUE(screen->isHidden());
            continue;
        }
        ASSERT_EQ(messages.Texts(),
                  QStringList{"入力内容が保存されていません。閉じてもよろしいですか？"});
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
        EXPECT_TRUE(screen->isVisible());
        QTest::keyClick(close, Qt::Key_Return); // answered OK
        EXPECT_TRUE(screen->isHidden());
    }
}

} // namespace
} // namespace tabulon::test
