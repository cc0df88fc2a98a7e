// The Enter path of every kind walked with real key events, from txtBangou to
// 保存, on each tab page, with a digit typed into every box on the way.

#include "claim_screen.h"
#include "globals.h"
#include "mdu_seikyusyo.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

struct PathCase {
    int kind;
    int page;
    bool sougou;
    QList<int> rows; // RowIndexes in the order Enter visits them
};

const QStringList kCare{"txtKensuu", "txtJitunisuu", "txtTensuu", "txtFutankin"};
const QStringList kFood{"txtKensuu2", "txtNisuu", "txtKingaku", "txtFutangaku"};

// The boxes of the path: header, every visited row (its food boxes after the
// care boxes of an 入院 line when the kind has them), then the side boxes.
QList<BoxRef> ExpectedPath(const PathCase& c) {
    QList<BoxRef> path{{"txtBangou"}};
    if (c.sougou && (c.kind == 1 || c.kind == 2))
        path << BoxRef{"txtSinryouka"};
    const bool food = c.kind == 1 || c.kind == 2;
    for (int row : c.rows) {
        for (const QString& a : kCare)
            path << BoxRef{a, row};
        if (food && row % 2 == 0) {
            for (const QString& a : kFood)
                path << BoxRef{a, row};
        }
    }
    path << BoxRef{"txtKouhi"};
    if (c.kind % 2 == 1)
        path << BoxRef{"txtUba"};
    path << BoxRef{"cmdSave"};
    return path;
}

QWidget* Control(const ClaimScreen& screen, const BoxRef& ref) {
    if (ref.name.startsWith("cmd"))
        return screen.Button(ref.name);
    return screen.Box(ref.name, ref.index);
}

std::string Describe(const BoxRef& ref) {
    return (ref.index < 0 ? ref.name : ref.name + "(" + QString::number(ref.index) + ")")
        .toStdString();
}

class EnterPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(EnterPath, EnterWalksTheFixedPath) {
    const PathCase& c = GetParam();
    gSougou = c.sougou ? "1" : "0";
    CurrentClaim = {c.kind, false, {}, {}, 0};
    ClaimScreen screen(c.kind);
    SetInputLimits(screen, screen.Kind().lastRowIndex);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    if (c.page == 1) {
        QTabBar* bar = screen.Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        ASSERT_EQ(screen.Page(), 1);
    }
    screen.Box("txtBangou")->setFocus();

    const QList<BoxRef> path = ExpectedPath(c);
    for (qsizetype step = 0; step + 1 < path.size(); ++step) {
        QWidget* from = QApplication::focusWidget();
        ASSERT_EQ(from, Control(screen, path.at(step)))
            << "step " << step << " expected at " << Describe(path.at(step));
        auto* box = qobject_cast<QLineEdit*>(from);
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box, "7");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), "7") << Describe(path.at(step));
    }
    EXPECT_EQ(QApplication::focusWidget(), screen.Button("cmdSave"));
}

QList<int> Range(int first, int last, int step = 1) {
    QList<int> rows;
    for (int i = first; i <= last; i += step)
        rows << i;
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, EnterPath,
    ::testing::Values(PathCase{1, 0, true, Range(0, 9)}, PathCase{1, 0, false, Range(0, 9)},
                      // The hidden 退職 rows 2 and 3: Enter in txtFutankin(11) leads to row 16.
                      PathCase{1, 1, true, {10, 11, 16, 17, 18, 19}},
                      PathCase{2, 0, true, Range(0, 3)}, PathCase{2, 0, false, Range(0, 3)},
                      PathCase{3, 0, true, Range(0, 9)},
                      PathCase{3, 1, false, {10, 11, 16, 17, 18, 19}},
                      PathCase{4, 0, true, Range(0, 3)}, PathCase{5, 0, false, Range(1, 9, 2)},
                      PathCase{5, 1, true, {11, 17, 19}}, PathCase{6, 0, false, {1, 3}}));

} // namespace
} // namespace tabulon
