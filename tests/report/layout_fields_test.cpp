// The nine layout files in form/: every field a print routine can set exists
// with the kind the routine needs, figures have room for every digit, the
// forms keep clear of the paper edges, the punch corner and the QR quiet zone,
// and each prints a page filled with the widest figures.

#include "layout_loader.h"
#include "qv_draw.h"
#include "qvbarqr_library.h"
#include "text_painter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// What a routine does with a field, which decides the kind the field needs.
enum class Use {
    Text,   // FieldText
    Switch, // FieldFlag only: any kind of field takes it
    QR,     // QRObject and FieldSize
};

struct Expected {
    QString name;
    Use use = Use::Text;
    int digits = 0; // figures: the widest value's digit count
};

using ExpectedList = std::vector<Expected>;

QString N(const char* stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

void AddHeader(ExpectedList& list, const char* nen, const char* tuki) {
    for (const char* name : {"Code", "Nen2", "Tuki2", "Niti2", "Jyusyo"})
        list.push_back({QString::fromLatin1(name)});
    list.push_back({QString::fromLatin1(nen)});
    list.push_back({QString::fromLatin1(tuki)});
    list.push_back({QStringLiteral("QR1"), Use::QR});
}

// Claim forms: the screen print and the batch print of the month fill the
// same names. Field n is the screen's row index + 1; 入院 lines are odd.
ExpectedList ClaimFields(int kind) {
    const bool retiredToo = kind % 2 == 1;
    const bool medical = kind <= 2;
    const int lastField = retiredToo ? 20 : 4;
    ExpectedList list;
    AddHeader(list, "Nen1", "Tuki1");
    list.push_back({QStringLiteral("Bangou")});
    list.push_back({QStringLiteral("Kouhi"), Use::Text, 4});
    list.push_back({QStringLiteral("Uba"), Use::Text, 4});
    if (medical) {
        list.push_back({QStringLiteral("Sinryouka")});
        list.push_back({QStringLiteral("SinryoukaBox"), Use::Switch});
    }
    for (int v = 2; v <= (retiredToo ? 6 : 2); ++v)
        list.push_back({N("QR", v), Use::QR});
    for (int n = 1; n <= lastField; ++n) {
        list.push_back({N("Kensuu", n), Use::Text, 4});
        list.push_back({N("Jitunissuu", n), Use::Text, 6});
        list.push_back({N("Tensuu", n), Use::Text, 8});
        list.push_back({N("Futankin", n), Use::Text, 8});
        if (medical && n % 2 == 1) { // meals belong to the 入院 lines
            list.push_back({N("Keisuu2_", n), Use::Text, 4});
            list.push_back({N("Nissuu", n), Use::Text, 6});
            list.push_back({N("Kingaku", n), Use::Text, 8});
            list.push_back({N("Futangaku", n), Use::Text, 8});
        }
    }
    return list;
}

// Summary tables: eight lines (医, 歯) or the four 外来 lines (薬); the last
// pair or line is the total, whose 件数 takes five digits.
ExpectedList SummaryFields(bool pharmacy) {
    ExpectedList list;
    AddHeader(list, "Nen3", "Tuki3");
    list.push_back({QStringLiteral("Hyoubetu")});
    list.push_back({QStringLiteral("Kouhi"), Use::Text, 5});
    list.push_back({QStringLiteral("Fukusi"), Use::Text, 5});
    const int lines = pharmacy ? 4 : 8;
    for (int n = 1; n <= lines; ++n) {
        const bool total = pharmacy ? n == 4 : n >= 7;
        list.push_back({N("Kensuu", n), Use::Text, total ? 5 : 4});
        list.push_back({N("Jitunissuu", n), Use::Text, 6});
        list.push_back({N("Tensuu", n), Use::Text, 9});
        if (!pharmacy && n % 2 == 1)
            list.push_back({N("Syokuji", n), Use::Text, 9});
    }
    return list;
}

ExpectedList RetainedListFields() {
    ExpectedList list;
    for (const char* name : {"Nen1", "Tuki1", "Hyoubetu", "lblMidasi"})
        list.push_back({QString::fromLatin1(name)});
    list.push_back({QStringLiteral("Kouhi"), Use::Text, 5});
    list.push_back({QStringLiteral("Uba"), Use::Text, 5});
    for (int g = 1; g <= 3; ++g)
        list.push_back({N("lblJitunissuu", g)});
    for (int i = 0; i <= 25; ++i)
        list.push_back({N("Sen", i), Use::Switch});
    for (int i = 1; i <= 50; ++i)
        list.push_back({N("lblNyugai", i), Use::Switch});
    for (int n = 1; n <= 25; ++n) {
        list.push_back({N("SyasenA", n), Use::Switch});
        list.push_back({N("SyasenB", n), Use::Switch});
        list.push_back({N("Hokensya", n)});
        list.push_back({N("Syokuji", n), Use::Text, 9});
        for (int g = 1; g <= 6; ++g) {
            const QString suffix = QStringLiteral("%1_%2").arg(g).arg(n);
            list.push_back({QStringLiteral("Kensuu") + suffix, Use::Text, 4});
            list.push_back({QStringLiteral("Jitunissuu") + suffix, Use::Text, 6});
            list.push_back({QStringLiteral("Tensuu") + suffix, Use::Text, 9});
        }
    }
    return list;
}

struct FormCase {
    const char* file;
    ExpectedList fields;
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.file;
}

std::vector<FormCase> AllForms() {
    std::vector<FormCase> forms;
    static const char* claimFiles[] = {"seikyuu1.qvf", "seikyuu2.qvf", "seikyuu3.qvf",
                                       "seikyuu4.qvf", "seikyuu5.qvf", "seikyuu6.qvf"};
    for (int kind = 1; kind <= 6; ++kind)
        forms.push_back({claimFiles[kind - 1], ClaimFields(kind)});
    forms.push_back({"soukatu1.qvf", SummaryFields(false)});
    forms.push_back({"soukatu2.qvf", RetainedListFields()});
    forms.push_back({"soukatu3.qvf", SummaryFields(true)});
    return forms;
}

QString FormPath(const char* file) {
    return QDir(qEnvironmentVariable("TABULON_SOURCE_DIR"))
        .filePath(QStringLiteral("form/") + QString::fromLatin1(file));
}

std::shared_ptr<const Layout> Load(const char* file) {
    const LayoutLoad load = LoadLayout(FormPath(file));
    EXPECT_TRUE(load.layout) << load.error.toStdString();
    return load.layout;
}

// Font metrics at 600 dpi, converted to 0.1 mm.
class Measure {
public:
    Measure() : device_(1, 1, QImage::Format_Mono) {
        device_.setDotsPerMeterX(23622);
        device_.setDotsPerMeterY(23622);
    }
    double Width(const TextStyle& style, const QString& text) const {
        return ToUnits(QFontMetricsF(LayoutFont(style), &device_).horizontalAdvance(text));
    }
    double Height(const TextStyle& style) const {
        return ToUnits(QFontMetricsF(LayoutFont(style), &device_).height());
    }

private:
    static double ToUnits(double px) { return px / 600.0 * 254.0; }
    QImage device_;
};

// A drawn item's extent, its line width included (a rule has no area without it).
QRectF ItemBox(const LayoutItem& item) {
    const double half = item.kind == LayoutItem::Kind::Text ? 0 : item.lineWidth / 2;
    return QRectF(item.x, item.y, item.w, item.h).normalized().adjusted(-half, -half, half, half);
}

QRectF QRBox(const LayoutField& f) {
    return QRectF(f.x, f.y, f.qrSize / 10.0, f.qrSize / 10.0);
}

// Every drawn rectangle of a layout: static items, flag items, and the boxes
// of text and QR fields that can print.
std::vector<std::pair<QString, QRectF>> DrawnBoxes(const Layout& layout) {
    std::vector<std::pair<QString, QRectF>> boxes;
    for (const LayoutItem& item : layout.items)
        boxes.emplace_back(item.text.isEmpty() ? QStringLiteral("item") : item.text, ItemBox(item));
    for (const LayoutField& f : layout.fields) {
        if (f.kind == LayoutField::Kind::Flag) {
            for (const LayoutItem& item : f.items)
                boxes.emplace_back(f.name, ItemBox(item));
        } else if (f.visible) {
            boxes.emplace_back(
                f.name, f.kind == LayoutField::Kind::QR ? QRBox(f) : QRectF(f.x, f.y, f.w, f.h));
        }
    }
    return boxes;
}

class LayoutFieldsTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(LayoutFieldsTest, HasEveryFieldTheRoutinesSetWithTheKindTheyNeed) {
    const auto layout = Load(GetParam().file);
    ASSERT_TRUE(layout);
    for (const Expected& e : GetParam().fields) {
        const LayoutField* f = layout->Find(e.name);
        ASSERT_NE(f, nullptr) << GetParam().file << " lacks " << e.name.toStdString();
        if (e.use == Use::Text) {
            EXPECT_EQ(f->kind, LayoutField::Kind::Text) << e.name.toStdString();
        }
        if (e.use == Use::QR) {
            EXPECT_EQ(f->kind, LayoutField::Kind::QR) << e.name.toStdString();
        }
    }
}

TEST_P(LayoutFieldsTest, FiguresHaveRoomForEveryDigitRightAligned) {
    const auto layout = Load(GetParam().file);
    ASSERT_TRUE(layout);
    const Measure measure;
    for (const Expected& e : GetParam().fields) {
        const LayoutField* f = layout->Find(e.name);
        if (e.digits == 0 || !f)
            continue;
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_EQ(f->style.align, HAlign::Right);
        EXPECT_GE(f->style.size, 11);
        EXPECT_LE(f->style.size, 12);
        EXPECT_LE(measure.Width(f->style, QString(e.digits, QLatin1Char('8'))), f->w);
        EXPECT_LE(measure.Height(f->style), f->h);
    }
}

TEST_P(LayoutFieldsTest, PrintedCaptionsFitTheirBoxes) {
    const auto layout = Load(GetParam().file);
    ASSERT_TRUE(layout);
    const Measure measure;
    auto check = [&](const QString& text, const TextStyle& style, const QRectF& box) {
        if (text.isEmpty())
            return;
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(style.font, FontFace::Mincho);
        const QStringList lines =
            style.multiline ? text.split(QLatin1Char('\n')) : QStringList{text};
        if (style.direction == TextDirection::VerticalWriting) {
            EXPECT_LE(measure.Height(style) * text.size(), box.height());
            return;
        }
        if (style.pitch > 0) {
            EXPECT_LE(style.pitch * text.size(), box.width() + 1e-6);
            return;
        }
        for (const QString& line : lines)
            EXPECT_LE(measure.Width(style, line), box.width());
        EXPECT_LE(measure.Height(style) * lines.size(), box.height());
    };
    for (const LayoutItem& item : layout->items) {
        if (item.kind == LayoutItem::Kind::Text)
            check(item.text, item.style, ItemBox(item));
    }
    for (const LayoutField& f : layout->fields) {
        if (f.kind == LayoutField::Kind::Text)
            check(f.text, f.style, QRectF(f.x, f.y, f.w, f.h));
    }
}

TEST_P(LayoutFieldsTest, NoTwoTextsShareRoom) {
    const auto layout = Load(GetParam().file);
    ASSERT_TRUE(layout);
    std::vector<std::pair<QString, QRectF>> texts;
    for (const LayoutItem& item : layout->items) {
        if (item.kind == LayoutItem::Kind::Text)
            texts.emplace_back(item.text, ItemBox(item));
    }
    for (const LayoutField& f : layout->fields) {
        if (f.kind == LayoutField::Kind::Text && f.visible)
            texts.emplace_back(f.name, QRectF(f.x, f.y, f.w, f.h));
    }
    // The list's era year and month are written into the blanks of its title.
    auto overlaidOnPurpose = [](const QString& a, const QString& b) {
        return a == QLatin1String("lblMidasi") &&
               (b == QLatin1String("Nen1") || b == QLatin1String("Tuki1"));
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF shared = texts[i].second.intersected(texts[j].second);
            if (shared.width() < 0.5 || shared.height() < 0.5 ||
                overlaidOnPurpose(texts[i].first, texts[j].first))
                continue;
            ADD_FAILURE() << texts[i].first.toStdString() << " overlaps "
                          << texts[j].first.toStdString();
        }
    }
}

TEST_P(LayoutFieldsTest, KeepsClearOfTheEdgesThePunchCornerAndTheQuietZone) {
    const auto layout = Load(GetParam().file);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->paper, QSizeF(2100, 2970)); // A4 portrait
    const QRectF printable(50, 50, 2100 - 100, 2970 - 100);
    const QRectF punchCorner(0, 0, 120, 120);
    const auto boxes = DrawnBoxes(*layout);
    for (const auto& [what, box] : boxes) {
        EXPECT_TRUE(printable.contains(box)) << what.toStdString();
        EXPECT_FALSE(punchCorner.intersects(box) || punchCorner.contains(box.topLeft()))
            << what.toStdString();
    }
    // Four modules of the densest symbol the payloads make stay under 3 mm;
    // keep 4 mm of white around the symbol's box.
    for (const LayoutField& qr : layout->fields) {
        if (qr.kind != LayoutField::Kind::QR || !qr.visible)
            continue;
        const QRectF quiet = QRBox(qr).adjusted(-40, -40, 40, 40);
        EXPECT_TRUE(printable.contains(quiet));
        for (const auto& [what, box] : boxes) {
            if (what != qr.name) {
                EXPECT_FALSE(quiet.intersects(box)) << what.toStdString() << " in the quiet zone";
            }
        }
    }
}

// Payloads as long as the routines make them: digits where the figures go,
// then the version mark and the blanks up to the fixed length.
QString SamplePayload(const QString& head, int figures, int length) {
    QString text = head + QString(figures, QLatin1Char('9')) + QStringLiteral("Ver2.00   ");
    return text.leftJustified(length, QLatin1Char(' '));
}

QString SampleText(const QString& form, const Expected& e) {
    if (e.digits > 0)
        return QString(e.digits, QLatin1Char('8'));
    static const QHash<QString, QString> samples = {
        {QStringLiteral("Bangou"), QStringLiteral("12345678")},
        {QStringLiteral("Code"), QStringLiteral("1234567")},
        {QStringLiteral("Sinryouka"), QStringLiteral("01")},
        {QStringLiteral("Niti2"), QStringLiteral("31")},
        {QStringLiteral("Jyusyo"),
         QStringLiteral("名古屋市中区三の丸三丁目一番二号\r\n東海第一ビル三階\r\n"
                        "医療法人社団　東海会　三の丸クリニック\r\n052-123-4567\r\n"
                        "理事長　山田　太郎")},
        {QStringLiteral("Hokensya"), QStringLiteral("愛知県医師国民健康保険組合")},
    };
    // 一般・退職 claim forms (odd kinds) take six-digit insurer numbers.
    if (e.name == QLatin1String("Bangou") && form.mid(7, 1).toInt() % 2 == 1)
        return QStringLiteral("123456");
    if (e.name == QLatin1String("Hyoubetu")) {
        return form == QLatin1String("soukatu2.qvf")   ? QStringLiteral("（医）")
               : form == QLatin1String("soukatu3.qvf") ? QStringLiteral("薬")
                                                       : QStringLiteral("医");
    }
    if (e.name.startsWith(QLatin1String("Nen")))
        return QStringLiteral("38");
    if (e.name.startsWith(QLatin1String("Tuki")))
        return QStringLiteral("12");
    if (e.name.startsWith(QLatin1String("lbl")))
        return QString(); // the layout's own caption stays
    for (auto it = samples.begin(); it != samples.end(); ++it) {
        if (e.name.startsWith(it.key()))
            return it.value();
    }
    return QString();
}

QString SamplePayloadFor(const QString& file) {
    if (!file.startsWith(QLatin1String("seikyuu")))
        return SamplePayload(QStringLiteral("23123456713812381231"), 200, 230);
    const QString head = QStringLiteral("123456231123456701");
    return file.mid(7, 1).toInt() % 2 == 1 ? SamplePayload(head, 512, 580)
                                           : SamplePayload(head, 124, 250);
}

// `pharmacy` sets the switches of the retained list as for table kind 3.
void FillSample(ReportForm& form, const FormCase& c, bool qrLibrary, bool pharmacy) {
    const QString file = QString::fromLatin1(c.file);
    for (const Expected& e : c.fields) {
        ReportField& f = form.Fields(e.name);
        switch (e.use) {
        case Use::Text:
            if (const QString text = SampleText(file, e); !text.isEmpty())
                f.FieldText(text);
            break;
        case Use::Switch:
            f.FieldFlag(e.name.startsWith(QLatin1String("SyasenA")) == pharmacy ||
                        e.name == QLatin1String("SinryoukaBox"));
            break;
        case Use::QR:
            if (file.startsWith(QLatin1String("seikyuu")))
                f.FieldSize(2500);
            else
                f.FieldSize(QStringLiteral("3200"));
            f.QRObject().QROption(0);
            break;
        }
    }
    if (pharmacy) {
        form.Fields(QStringLiteral("lblMidasi"))
            .FieldText(QStringLiteral("平成　　　年　　月分　調剤報酬総括表"));
        form.Fields(QStringLiteral("Hyoubetu")).FieldText(QStringLiteral("（薬）"));
        for (int g = 1; g <= 3; ++g)
            form.Fields(N("lblJitunissuu", g)).FieldText(QStringLiteral("枚数"));
    }
    const bool hasQR = std::any_of(c.fields.begin(), c.fields.end(),
                                   [](const Expected& e) { return e.use == Use::QR; });
    if (qrLibrary && hasQR)
        form.Fields(QStringLiteral("QR1")).QRObject().QRData(SamplePayloadFor(file));
}

class LayoutSampleTest : public ::testing::TestWithParam<FormCase> {};

// Prints the form with the widest figures in every box. With
// TABULON_FORM_SAMPLES set, the PDFs are kept in that folder for a look.
TEST_P(LayoutSampleTest, PrintsAPageFilledWithTheWidestFigures) {
    QvBarQRLibrary::SetFolder(qEnvironmentVariable("TABULON_BUILD_DIR"));
    const bool qrLibrary = QvBarQRLibrary::Get() != nullptr;
    QTemporaryDir temp;
    const QString folder = qEnvironmentVariable("TABULON_FORM_SAMPLES", temp.path());
    const QString pdf =
        QDir(folder).filePath(QFileInfo(QString::fromLatin1(GetParam().file)).completeBaseName() +
                              QStringLiteral(".pdf"));
    QvDraw engine;
    ASSERT_EQ(engine.Init(), 0) << engine.LastError().toStdString();
    ASSERT_EQ(engine.StartDoc(pdf, QStringLiteral("sample")), 0)
        << engine.LastError().toStdString();
    auto form = engine.OpenForm(FormPath(GetParam().file));
    ASSERT_EQ(engine.Printer().SetPaper(*form), 0) << engine.LastError().toStdString();
    const bool retainedList = QLatin1String(GetParam().file) == QLatin1String("soukatu2.qvf");
    for (const bool pharmacy : {false, true}) {
        if (pharmacy && !retainedList)
            break;
        form->Clear();
        FillSample(*form, GetParam(), qrLibrary, pharmacy);
        EXPECT_EQ(form->PrintPage(), 0) << engine.LastError().toStdString();
    }
    form->CloseForm();
    EXPECT_EQ(engine.EndDoc(), 0) << engine.LastError().toStdString();
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LayoutSampleTest, ::testing::ValuesIn(AllForms()), [](const auto& info) {
        return QFileInfo(QString::fromLatin1(info.param.file)).completeBaseName().toStdString();
    });

INSTANTIATE_TEST_SUITE_P(
    Forms, LayoutFieldsTest, ::testing::ValuesIn(AllForms()), [](const auto& info) {
        return QFileInfo(QString::fromLatin1(info.param.file)).completeBaseName().toStdString();
    });

} // namespace
} // namespace tabulon
