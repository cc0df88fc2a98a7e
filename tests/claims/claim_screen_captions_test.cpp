// What a clerk reads on the entry screens: every caption and heading whole in
// its place, the last column's heading with its units, the row captions of
// each slot apart from the next and at the screen's own size where they are
// written across.

#include "claim_screen.h"
#include "globals.h"
#include "mdu_seikyusyo.h"
#include "screen_font.h"
#include "vertical_label.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// The screens are measured in their own font.
class ClaimScreenCaptions : public ::testing::Test {
    test::ScreenFontInUse font_;
};

std::unique_ptr<ClaimScreen> Open(int kind) {
    gSougou = "1";
    CurrentClaim = {kind, false, {}, {}, 0};
    auto screen = std::make_unique<ClaimScreen>(kind);
    SetInputLimits(*screen, screen->Kind().lastRowIndex);
    screen->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    return screen;
}

// Whether a label shows all of its text: each line as wide as the label at
// most, the lines as high as the label; a wrapping label by its own measure.
bool ShowsWhole(const QLabel* label) {
    const QRect area = label->contentsRect();
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->text().split(u'\n');
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int high = metrics.height() + metrics.lineSpacing() * static_cast<int>(lines.size() - 1);
    return widest <= area.width() && high <= area.height() + 2;
}

const QLabel* LabelWithText(const ClaimScreen& screen, const QString& text) {
    for (const QLabel* label : screen.findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

// Each page in turn shown, the check run on the labels in sight.
template <typename Check> void ForEachPage(ClaimScreen& screen, Check check) {
    const int pages = screen.Tabs() ? 2 : 1;
    for (int page = 0; page < pages; ++page) {
        if (screen.Tabs())
            screen.Tabs()->setCurrentIndex(page);
        SCOPED_TRACE(page);
        check(page);
    }
}

TEST_F(ClaimScreenCaptions, EveryCaptionAndHeadingShowsWhole) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        ForEachPage(*screen, [&](int) {
            for (const QLabel* label : screen->findChildren<QLabel*>()) {
                if (!label->isVisible())
                    continue;
                EXPECT_TRUE(ShowsWhole(label)) << label->text().toStdString();
                // Inside the window or, on a page, inside the page.
                EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()))
                    << label->text().toStdString();
            }
        });
    }
}

TEST_F(ClaimScreenCaptions, SideAndColumnCaptionsAreReadWhole) {
    for (int kind : {1, 3, 5}) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        const QLabel* uba = LabelWithText(*screen, "②子障母精後");
        ASSERT_NE(uba, nullptr);
        EXPECT_FALSE(uba->wordWrap());
        EXPECT_TRUE(ShowsWhole(uba));
    }
    for (int kind : {5, 6}) {
        auto screen = Open(kind);
        int found = 0;
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (label->text().remove(u'\n') == "処方箋受付回数") {
                ++found;
                EXPECT_TRUE(ShowsWhole(label)) << kind;
            }
        }
        EXPECT_EQ(found, kind == 5 ? 2 : 1);
    }
}

TEST_F(ClaimScreenCaptions, TheLastColumnHeadingCarriesItsUnits) {
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        ForEachPage(*screen, [&](int page) {
            QWidget* parent = screen->Tabs() ? screen->Tabs()->widget(page) : screen.get();
            const QList<QLabel*> headings =
                parent->findChildren<QLabel*>("lblKyuufu", Qt::FindDirectChildrenOnly);
            const QList<QLabel*> units =
                parent->findChildren<QLabel*>("lblTani", Qt::FindDirectChildrenOnly);
            ASSERT_EQ(headings.size(), 1);
            ASSERT_EQ(units.size(), 2);
            const QLabel* heading = headings.front();
            EXPECT_EQ(heading->text(), " 療 養 の 給 付 食事・生活療養");
            // Two lines: " 療 養 の 給 付" over "食事・生活療養".
            const QFontMetrics metrics(heading->font());
            EXPECT_LE(heading->heightForWidth(heading->width()), 2 * metrics.lineSpacing() + 2);
            EXPECT_GE(heading->width(), metrics.horizontalAdvance("食事・生活療養"));
            EXPECT_EQ(units[0]->text(), "点");
            EXPECT_EQ(units[1]->text(), "円");
            EXPECT_LT(units[0]->y(), units[1]->y());
            for (const QLabel* unit : units) {
                EXPECT_GT(unit->x(), heading->geometry().right());
                EXPECT_TRUE(ShowsWhole(unit));
            }
        });
    }
}

TEST_F(ClaimScreenCaptions, RowCaptionsStandApartPerSlot) {
    // Kind 1: written down their slot, each in its own frame.
    auto kind1 = Open(1);
    ForEachPage(*kind1, [&](int page) {
        QList<const VerticalLabel*> rows;
        for (const VerticalLabel* label :
             kind1->Tabs()->widget(page)->findChildren<VerticalLabel*>()) {
            if (label->frameShape() == QFrame::Box)
                rows << label;
        }
        ASSERT_EQ(rows.size(), page == 0 ? 5 : 3);
        for (const VerticalLabel* a : rows)
            for (const VerticalLabel* b : rows)
                EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                    << a->Text().toStdString() << " / " << b->Text().toStdString();
    });

    // Kinds 3 and 5: written across at the screen's size, whole.
    for (int kind : {3, 5}) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        const QLabel* first = LabelWithText(*screen, "70以上\n(一般･低所得)");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->font().pointSizeF(), screen->font().pointSizeF());
        EXPECT_TRUE(ShowsWhole(first));
        EXPECT_EQ(first->frameShape(), QFrame::Box);
    }
}

TEST_F(ClaimScreenCaptions, GroupCaptionsStandClearOfTheRowCaptions) {
    for (int kind : {1, 3, 5}) {
        SCOPED_TRACE(kind);
        auto screen = Open(kind);
        ForEachPage(*screen, [&](int page) {
            QWidget* parent = screen->Tabs()->widget(page);
            const QString group = page == 0 ? QStringLiteral("一　般　被　保　険　者")
                                            : QStringLiteral("退　職　者　医　療");
            QRect groupPlace;
            QList<QRect> rowFrames;
            for (const QFrame* frame : parent->findChildren<QFrame*>()) {
                const auto* vertical = qobject_cast<const VerticalLabel*>(frame);
                if (vertical && vertical->Text() == group)
                    groupPlace = frame->geometry();
                else if (frame->isVisible() && frame->frameShape() == QFrame::Box)
                    rowFrames << frame->geometry();
            }
            ASSERT_TRUE(groupPlace.isValid());
            ASSERT_EQ(rowFrames.size(), page == 0 ? 5 : 3);
            for (const QRect& row : rowFrames)
                EXPECT_FALSE(row.intersects(groupPlace))
                    << row.left() << " < " << groupPlace.right();
        });
    }
}

} // namespace
} // namespace tabulon
