#include "helpers/key_filters.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(KeyCodeRules, DigitFilterLetsDigitsBackspaceAndEnterThrough) {
    for (int key : std::initializer_list<int>{'0', '5', '9', 8, 13})
        EXPECT_EQ(DigitKeyFilter::Filter(key), key) << key;
    for (int key : std::initializer_list<int>{'/', ':', 'a', 'Z', ' ', '-', 9, 27, 0x3000, 0xFF10})
        EXPECT_EQ(DigitKeyFilter::Filter(key), 0) << key;
}

TEST(KeyCodeRules, TelFilterAddsHyphenAndBrackets) {
    for (int key : std::initializer_list<int>{'0', '9', '-', '(', ')', 8, 13})
        EXPECT_EQ(TelKeyFilter::Filter(key), key) << key;
    for (int key : std::initializer_list<int>{'+', ' ', '.', 'a', '[', 0xFF0D})
        EXPECT_EQ(TelKeyFilter::Filter(key), 0) << key;
}

// Key presses carrying any text, as an input method or a foreign keyboard
// delivers them.
void typeText(QLineEdit& box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

void dropText(QLineEdit& box, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
}

class FilteredBox : public ::testing::Test {
protected:
    QLineEdit digits;
    QLineEdit tel;
    void SetUp() override {
        new DigitKeyFilter(&digits);
        new TelKeyFilter(&tel);
    }
};

TEST_F(FilteredBox, TypedKeysOutsideTheRuleNeverLand) {
    QTest::keyClicks(&digits, "1a2 -3");
    typeText(digits, "ｱＡ－　");
    EXPECT_EQ(digits.text(), "123");
    QTest::keyClick(&digits, Qt::Key_Backspace);
    EXPECT_EQ(digits.text(), "12");
    QTest::keyClicks(&tel, "052(123)-45+67");
    EXPECT_EQ(tel.text(), "052(123)-4567");
}

TEST_F(FilteredBox, PastedTextIsFilteredLikeTypedText) {
    digits.setText("12");
    QApplication::clipboard()->setText("3x4");
    QTest::keyClick(&digits, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(digits.text(), "12");
    digits.paste(); // the context menu's way
    EXPECT_EQ(digits.text(), "12");
    QApplication::clipboard()->setText("34");
    QTest::keyClick(&digits, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(digits.text(), "1234");
    QApplication::clipboard()->setText("03-1234");
    tel.paste();
    EXPECT_EQ(tel.text(), "03-1234");
}

TEST_F(FilteredBox, DroppedTextIsFilteredLikeTypedText) {
    dropText(digits, "abc");
    dropText(digits, "９a");
    EXPECT_EQ(digits.text(), "");
    dropText(digits, "42");
    EXPECT_EQ(digits.text(), "42");
}

// An input method in full-width mode types ０ to ９: they count as digits and
// land as ASCII digits, typed, pasted either way or dropped.
TEST_F(FilteredBox, FullWidthDigitsLandAsAsciiDigits) {
    typeText(digits, "０１２３４５６７８９");
    EXPECT_EQ(digits.text(), "0123456789");
    digits.clear();
    QApplication::clipboard()->setText("１２");
    QTest::keyClick(&digits, Qt::Key_V, Qt::ControlModifier);
    digits.paste();
    EXPECT_EQ(digits.text(), "1212");
    dropText(digits, "３");
    EXPECT_EQ(digits.text(), "31212");
    typeText(tel, "０５２－");
    EXPECT_EQ(tel.text(), "052");
    QApplication::clipboard()->setText("(０３)1234");
    tel.paste();
    EXPECT_EQ(tel.text(), "052(03)1234");
}

// Names and addresses go to the settings file and onto the printed forms in
// Shift_JIS: a character without a code never lands, whichever way it comes,
// and full-width digits stay as typed.
TEST(ShiftJisBox, TakesOnlyTextWithAShiftJisCode) {
    struct Case {
        QString text;
        bool lands;
    };
    const Case cases[] = {
        {QStringLiteral("名古屋市中区３－１"), true},
        {QStringLiteral("ﾃｽﾄ医院 ①～Ⅲ"), true},
        {QStringLiteral("Tel (052) #1"), true},
        {QString::fromUcs4(U"𠮷野家"), false}, // beyond the basic plane
        {QStringLiteral("医院😀"), false},
        {QStringLiteral("Ä"), false},
        {QStringLiteral("한"), false},
    };
    for (const Case& c : cases) {
        const QString expected = c.lands ? c.text : QString();
        QLineEdit typed;
        new ShiftJisKeyFilter(&typed);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c.text);
        QApplication::sendEvent(&typed, &press);
        EXPECT_EQ(typed.text(), expected) << "typed " << c.text.toStdString();

        QLineEdit pasted;
        new ShiftJisKeyFilter(&pasted);
        QApplication::clipboard()->setText(c.text);
        QTest::keyClick(&pasted, Qt::Key_V, Qt::ControlModifier);
        pasted.paste();
        EXPECT_EQ(pasted.text(), c.lands ? c.text + c.text : QString())
            << "pasted " << c.text.toStdString();

        QLineEdit composed;
        new ShiftJisKeyFilter(&composed);
        QInputMethodEvent commit;
        commit.setCommitString(c.text);
        QApplication::sendEvent(&composed, &commit);
        EXPECT_EQ(composed.text(), expected) << "input method " << c.text.toStdString();

        QLineEdit dropped;
        new ShiftJisKeyFilter(&dropped);
        dropText(dropped, c.text);
        EXPECT_EQ(dropped.text(), expected) << "dropped " << c.text.toStdString();
    }
}

TEST_F(FilteredBox, TextSetByTheProgramIsLeftAlone) {
    digits.setText("abc");
    EXPECT_EQ(digits.text(), "abc");
}

} // namespace
} // namespace tabulon
