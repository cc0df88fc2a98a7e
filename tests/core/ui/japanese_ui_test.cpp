#include "ui/japanese_ui.h"

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(JapaneseUi, StandardButtonsAndFontAreJapanese) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(SetUpJapaneseUi(*app));
    QMessageBox box(QMessageBox::Question, "Tabulon", "?", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "キャンセル");
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "IPAexGothic");
}

} // namespace
} // namespace tabulon
