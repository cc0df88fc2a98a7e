// The text layer of printed documents can be searched: every static caption
// of the ten layouts and every Japanese text a print run sets reads back with
// pdftotext as the kanji that were printed, never as radical code points
// (U+2E80-2FDF), which the IPAex fonts draw with the same glyphs.

#include "layout_loader.h"
#include "pdf_text_layer.h"
#include "qv_draw.h"
#include "radical_table.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// Texts the print runs set on the forms, beside the layouts' own captions:
// the institution block, a department, an insurer name, the summary titles.
const QHash<QString, QString>& RunTexts() {
    static const QHash<QString, QString> texts = {
        {QStringLiteral("Jyusyo"),
         QStringLiteral("長野県松本市母袋１－２\r\n民間歯科医院\r\n0263-00-0000\r\n長谷川母子")},
        {QStringLiteral("Sinryouka"), QStringLiteral("歯科")},
        {QStringLiteral("Hokensya1"), QStringLiteral("長野県国民健康保険(歯科)")},
        {QStringLiteral("lblMidasi"), QStringLiteral("平成　　　年　　月分　調剤報酬総括表")},
        {QStringLiteral("lblJitunissuu1"), QStringLiteral("枚数")},
        {QStringLiteral("Hyoubetu"), QStringLiteral("（歯）")},
    };
    return texts;
}

struct Printed {
    QString text;
    QRectF box; // 0.1 mm
};

// One character of the extracted text and its centre, in 0.1 mm.
struct Glyph {
    QChar c;
    QPointF at;
};

QString Searchable(const QString& text) {
    QString s = text;
    s.remove(QRegularExpression(QStringLiteral("[\\s　]")));
    return s;
}

// Prints one page of the layout with every flag on and the run texts set;
// returns the texts that page carries, with their boxes.
std::vector<Printed> PrintAll(QvDraw& engine, const QString& layoutPath) {
    std::vector<Printed> printed;
    const LayoutLoad load = LoadLayout(layoutPath);
    EXPECT_TRUE(load.layout) << load.error.toStdString();
    if (!load.layout)
        return printed;
    auto form = engine.OpenForm(layoutPath);
    EXPECT_EQ(engine.Printer().SetPaper(*form), kReportOk);
    const auto add = [&](const QString& text, double x, double y, double w, double h) {
        if (!Searchable(text).isEmpty())
            printed.push_back({text, QRectF(x, y, w, h)});
    };
    for (const LayoutItem& item : load.layout->items)
        if (item.kind == LayoutItem::Kind::Text)
            add(item.text, item.x, item.y, item.w, item.h);
    for (const LayoutField& f : load.layout->fields) {
        if (f.kind == LayoutField::Kind::Flag) {
            form->Fields(f.name).FieldFlag(true);
            for (const LayoutItem& item : f.items)
                if (item.kind == LayoutItem::Kind::Text)
                    add(item.text, item.x, item.y, item.w, item.h);
        } else if (f.kind == LayoutField::Kind::Text) {
            QString text = RunTexts().value(f.name, f.text);
            if (RunTexts().contains(f.name))
                form->Fields(f.name).FieldText(text);
            if (f.visible || RunTexts().contains(f.name)) {
                form->Fields(f.name).FieldFlag(true);
                add(text, f.x, f.y, f.w, f.h);
            }
        }
    }
    EXPECT_EQ(form->PrintPage(), kReportOk) << engine.LastError().toStdString();
    form->CloseForm();
    return printed;
}

// Every character pdftotext finds on the page, placed at the centre of its
// share of the word's box (CJK words run along their longer side).
std::vector<Glyph> ExtractGlyphs(const QString& pdf, int page, QString& all) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double kUnitsPerPoint = 254.0 / 72.0;
    std::vector<Glyph> glyphs;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QRectF box(
            QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kUnitsPerPoint,
            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * kUnitsPerPoint);
        const QString text = m.captured(5);
        all += text;
        const bool across = box.width() >= box.height();
        const double step = (across ? box.width() : box.height()) / text.size();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const double along = (static_cast<double>(i) + 0.5) * step;
            glyphs.push_back({text[i], across ? QPointF(box.left() + along, box.center().y())
                                              : QPointF(box.center().x(), box.top() + along)});
        }
    }
    return glyphs;
}

// The characters of `text` that are not read back inside its box.
QString MissingInBox(const Printed& p, const std::vector<Glyph>& glyphs) {
    QString found;
    const QRectF area = p.box.adjusted(-10, -10, 10, 10);
    for (const Glyph& g : glyphs)
        if (area.contains(g.at))
            found += g.c;
    QString missing;
    for (const QChar c : Searchable(p.text)) {
        const qsizetype at = found.indexOf(c);
        if (at < 0)
            missing += c;
        else
            found.remove(at, 1);
    }
    return missing;
}

TEST(PdfTextSearchTest, EveryCaptionAndRunTextOfTheTenLayoutsReadsBackAsItsKanji) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    UseBuiltQvBarQR();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("captions.pdf"));
    QvDraw engine;
    ASSERT_EQ(engine.Init(), kReportOk) << engine.LastError().toStdString();
    ASSERT_EQ(engine.StartDoc(pdf, QStringLiteral("captions")), kReportOk);
    const QString forms =
        QDir(qEnvironmentVariable("TABULON_SOURCE_DIR")).filePath(QStringLiteral("form"));
    const QStringList layouts =
        QDir(forms).entryList({QStringLiteral("*.qvf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(layouts.size(), 10); // six claim forms, three summary tables, the check list
    std::vector<std::vector<Printed>> pages;
    for (const QString& layout : layouts)
        pages.push_back(PrintAll(engine, QDir(forms).filePath(layout)));
    ASSERT_EQ(engine.EndDoc(), kReportOk) << engine.LastError().toStdString();

    for (size_t i = 0; i < pages.size(); ++i) {
        QString all;
        const std::vector<Glyph> glyphs = ExtractGlyphs(pdf, static_cast<int>(i) + 1, all);
        for (const QChar c : all)
            EXPECT_FALSE(c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
                << layouts[static_cast<qsizetype>(i)].toStdString() << ": radical U+"
                << QString::number(c.unicode(), 16).toStdString() << " in the text layer";
        ASSERT_GT(pages[i].size(), 5u); // the check list is the plainest layout
        for (const Printed& p : pages[i])
            EXPECT_EQ(MissingInBox(p, glyphs), QString())
                << layouts[static_cast<qsizetype>(i)].toStdString() << ": \""
                << p.text.toStdString() << "\"";
    }
}

TEST(PdfTextSearchTest, EveryRadicalOfBothBlocksIsNamedAsAKanji) {
    int named = 0;
    for (char16_t radical = 0x2E80; radical <= 0x2FDF; ++radical) {
        const char16_t kanji = IdeographForRadical(radical);
        if (kanji == 0)
            continue;
        ++named;
        EXPECT_TRUE((kanji >= 0x4E00 && kanji <= 0x9FFF) || (kanji >= 0x3400 && kanji <= 0x4DBF))
            << std::hex << int(radical);
    }
    // Every assigned code point: 115 of the supplement, 214 Kangxi radicals.
    EXPECT_EQ(named, 115 + 214);
    // The glyph the fonts share decides: 歯 for the J-simplified tooth, 戸 for
    // the door radical (not 戶, its compatibility decomposition).
    QByteArray cmap("4 beginbfchar\n<0001> <2EED>\n<0002> <2ED1>\n<0003> <2F3E>\n"
                    "<0004> <2E9F>\nendbfchar\n");
    MapRadicalsToIdeographs(cmap);
    EXPECT_EQ(cmap, QByteArray("4 beginbfchar\n<0001> <6B6F>\n<0002> <9577>\n<0003> <6238>\n"
                               "<0004> <6BCD>\nendbfchar\n"));
}

} // namespace
} // namespace tabulon
