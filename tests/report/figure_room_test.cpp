// Figures keep their distance from the cell rules on the printed retained
// list (soukatu2.qvf): with every field at its widest value, in each digit,
// the ink stays at least 0.5 mm inside the rules around its cell. Measured on
// the rendered page: the rules from a page without figures, the figures'
// ink from the pages with them.

#include "layout_loader.h"
#include "qv_draw.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

constexpr int kDpi = 400;
constexpr double kRoomMm = 0.5;

int Px(double units) { // 0.1 mm
    return static_cast<int>(units * kDpi / 254.0 + 0.5);
}

// Pages are grey pictures (one byte a pixel).
bool Dark(const QImage& image, int x, int y) {
    return image.constScanLine(y)[x] < 160;
}

QImage RenderGrey(const QString& pdf, int page) {
    return RenderPdfPage(pdf, page, kDpi).convertToFormat(QImage::Format_Grayscale8);
}

// Digits of the widest value each figure of the list takes.
int WidestDigits(const QString& name) {
    if (name.startsWith(QLatin1String("Kensuu")))
        return 4;
    if (name.startsWith(QLatin1String("Jitunissuu")))
        return 6;
    if (name.startsWith(QLatin1String("Tensuu")) || name.startsWith(QLatin1String("Syokuji")))
        return 9;
    if (name == QLatin1String("Kouhi") || name == QLatin1String("Uba"))
        return 5;
    return 0;
}

// The inside of the cell around a point of the empty page: the light
// rectangle bounded by the first dark pixels to each side.
QRect CellAround(const QImage& empty, QPoint p) {
    int left = p.x(), right = p.x(), top = p.y(), bottom = p.y();
    while (left > 0 && !Dark(empty, left - 1, p.y()))
        --left;
    while (right + 1 < empty.width() && !Dark(empty, right + 1, p.y()))
        ++right;
    while (top > 0 && !Dark(empty, p.x(), top - 1))
        --top;
    while (bottom + 1 < empty.height() && !Dark(empty, p.x(), bottom + 1))
        ++bottom;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The bounding box of what `filled` has dark and `empty` light inside `cell`.
QRect InkIn(const QImage& filled, const QImage& empty, const QRect& cell) {
    QRect ink;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (Dark(filled, x, y) && !Dark(empty, x, y))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(FigureRoomTest, RetainedListFiguresStayHalfAMillimetreInsideTheirCells) {
    const QString layoutPath = QDir(qEnvironmentVariable("TABULON_SOURCE_DIR"))
                                   .filePath(QStringLiteral("form/soukatu2.qvf"));
    const LayoutLoad load = LoadLayout(layoutPath);
    ASSERT_TRUE(load.layout) << load.error.toStdString();
    std::vector<const LayoutField*> figures;
    for (const LayoutField& f : load.layout->fields)
        if (f.kind == LayoutField::Kind::Text && WidestDigits(f.name) > 0)
            figures.push_back(&f);
    ASSERT_EQ(figures.size(), 25u * 19 + 2);

    // Page 1 without figures, then one page per digit with every figure at
    // its widest in that digit.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QvDraw engine;
    ASSERT_EQ(engine.Init(), kReportOk) << engine.LastError().toStdString();
    ASSERT_EQ(engine.StartDoc(pdf, QStringLiteral("list")), kReportOk);
    auto form = engine.OpenForm(layoutPath);
    ASSERT_EQ(engine.Printer().SetPaper(*form), kReportOk);
    ASSERT_EQ(form->PrintPage(), kReportOk);
    for (char digit = '0'; digit <= '9'; ++digit) {
        form->Clear();
        for (const LayoutField* f : figures)
            form->Fields(f->name).FieldText(QString(WidestDigits(f->name), QLatin1Char(digit)));
        ASSERT_EQ(form->PrintPage(), kReportOk);
    }
    form->CloseForm();
    ASSERT_EQ(engine.EndDoc(), kReportOk) << engine.LastError().toStdString();

    const QImage empty = RenderGrey(pdf, 0);
    std::vector<QRect> cells;
    for (const LayoutField* f : figures) {
        const QRect cell = CellAround(empty, QPoint(Px(f->x + f->w / 2), Px(f->y + f->h / 2)));
        // The cell must be a cell, not the whole page through a gap in a rule.
        EXPECT_LT(cell.width(), Px(f->w + 50)) << f->name.toStdString();
        EXPECT_LT(cell.height(), Px(f->h + 50)) << f->name.toStdString();
        cells.push_back(cell);
    }
    const int room = Px(kRoomMm * 10);
    double leastMm = 99;
    for (int page = 1; page <= 10; ++page) {
        const QImage filled = RenderGrey(pdf, page);
        for (size_t i = 0; i < figures.size(); ++i) {
            const QRect ink = InkIn(filled, empty, cells[i]);
            ASSERT_FALSE(ink.isNull()) << figures[i]->name.toStdString();
            const int least =
                std::min({ink.left() - cells[i].left(), cells[i].right() - ink.right(),
                          ink.top() - cells[i].top(), cells[i].bottom() - ink.bottom()});
            leastMm = std::min(leastMm, least * 25.4 / kDpi);
            EXPECT_GE(least, room)
                << figures[i]->name.toStdString() << " in digit " << page - 1 << ": "
                << least * 25.4 / kDpi << " mm (ink " << ink.left() << "-" << ink.right()
                << " in cell " << cells[i].left() << "-" << cells[i].right() << " px)";
        }
    }
    RecordProperty("least_room_mm", QString::number(leastMm, 'f', 2).toStdString());
}

} // namespace
} // namespace tabulon
