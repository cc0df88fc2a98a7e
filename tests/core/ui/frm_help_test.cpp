// The clerk's manual: F1 on the main menu and on a screen opened from it, and
// ヘルプ → 使い方 reached with keys, open the manual made from the README, with
// its pictures; Escape closes it; a missing manual is said.

#include "app_paths.h"
#include "screen_fixture.h"
#include "ui/frm_help.h"
#include "ui/frm_menu.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <functional>

namespace tabulon::test {
namespace {

class HelpTest : public ScreenTest {
protected:
    std::unique_ptr<FrmMenu> menu;

    void SetUp() override {
        ScreenTest::SetUp();
        SetProgramFolder(qEnvironmentVariable("TABULON_BUILD_DIR"));
    }
    void TearDown() override {
        if (menu) {
            messages.Answer(MsgAnswer::Ok);
            menu->close();
        }
        SetProgramFolder({});
        ScreenTest::TearDown();
    }
    void open() {
        menu = CreateMainMenu();
        menu->show();
        menu->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu.get()));
    }
};

// The pictures named by the manual's images, each read as an image.
QStringList UnreadablePictures(QTextBrowser* browser, int& pictures) {
    QStringList unreadable;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            ++pictures;
            const QString name = format.toImageFormat().name();
            const QVariant data = browser->loadResource(QTextDocument::ImageResource, QUrl(name));
            if (QImage::fromData(data.toByteArray()).isNull())
                unreadable << name;
        }
    }
    return unreadable;
}

TEST_F(HelpTest, ManualShowsTheClerksSectionWithItsPicturesAndEscapeClosesIt) {
    bool looked = false;
    whileOpen = [&](QDialog& screen) {
        looked = true;
        auto* browser = Find<QTextBrowser>(&screen, "txtManual");
        ASSERT_NE(browser, nullptr);
        EXPECT_EQ(screen.windowTitle(), "Tabulon　使い方");
        const QString text = browser->toPlainText();
        for (const char* heading :
             {"事務の方へ（使い方）", "データの置き場所", "バックアップと復元"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
        // The next section of the README is not part of the manual.
        EXPECT_FALSE(text.contains("For developers"));
        int pictures = 0;
        EXPECT_EQ(UnreadablePictures(browser, pictures), QStringList{});
        EXPECT_GE(pictures, 1);

        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Escape);
        EXPECT_FALSE(screen.isVisible());
        EXPECT_EQ(screen.result(), QDialog::Rejected);
    };
    open();
    QTest::keyClick(menu.get(), Qt::Key_F1);
    EXPECT_TRUE(looked);
    EXPECT_EQ(opened, QStringList{"frmHelp"});
}

QMenu* OpenPopup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// The other ways a clerk asks for the manual by keyboard open it once, over
// the screen in front.
TEST_F(HelpTest, F1AndTheHelpMenuOpenTheManualFromTheMenuAndItsScreens) {
    const struct {
        const char* way;
        std::function<void(FrmMenu&)> press;
        QStringList opened;
    } cases[] = {
        // F10 opens ﾌｧｲﾙ; Left goes round to the last menu, ヘルプ.
        {"F10, Left, Return on 使い方",
         [](FrmMenu& m) {
             QTest::keyClick(&m, Qt::Key_F10);
             ASSERT_TRUE(QTest::qWaitFor([] { return OpenPopup(); }));
             QTest::keyClick(OpenPopup(), Qt::Key_Left);
             ASSERT_TRUE(QTest::qWaitFor(
                 [] { return OpenPopup() && OpenPopup()->objectName() == "MenuHelp"; }));
             if (!OpenPopup()->activeAction())
                 QTest::keyClick(OpenPopup(), Qt::Key_Down);
             EXPECT_EQ(OpenPopup()->activeAction()->objectName(), "MenuManual");
             QTest::keyClick(OpenPopup(), Qt::Key_Return);
         },
         {"frmHelp"}},
        {"F1 on the registration screen",
         [](FrmMenu& m) { m.findChild<QAction*>("MenuIryoukikan")->trigger(); },
         {"frmTouroku", "frmHelp"}},
    };
    whileOpen = [](QDialog& screen) {
        if (screen.objectName() != "frmTouroku")
            return;
        // As the modal loop shows it: the main menu is blocked behind it.
        screen.setWindowModality(Qt::ApplicationModal);
        screen.show();
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        screen.hide();
    };
    open();
    for (const auto& c : cases) {
        opened.clear();
        c.press(*menu);
        EXPECT_EQ(opened, c.opened) << c.way;
        EXPECT_TRUE(QTest::qWaitFor([] { return !OpenPopup(); })) << c.way;
    }
}

TEST_F(HelpTest, MissingManualIsSaidAndNothingOpens) {
    QTemporaryDir program;
    ASSERT_TRUE(QDir(program.path()).mkpath("form"));
    SetProgramFolder(program.path());
    open();
    QTest::keyClick(menu.get(), Qt::Key_F1);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("使い方の説明が見つかりません。"));
    EXPECT_TRUE(messages.shown[0].text.contains(program.filePath("help/manual.html")));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
}

} // namespace
} // namespace tabulon::test
