#include "layout_loader.h"

#include "json_reader.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>

namespace tabulon {

namespace {

constexpr double kMaxLength = 10000; // 1 m in 0.1 mm: nothing on paper is larger

struct Defaults {
    FontFace font = FontFace::Mincho;
    double size = 10.5;
    double lineWidth = 1;
};

QSizeF ReadPaper(JsonReader r) {
    QSizeF paper;
    if (r.Has(QStringLiteral("width")) || r.Has(QStringLiteral("height"))) {
        paper = QSizeF(r.RequiredNumber(QStringLiteral("width"), 100, kMaxLength),
                       r.RequiredNumber(QStringLiteral("height"), 100, kMaxLength));
    } else {
        paper = r.Choice<QSizeF>(
            QStringLiteral("size"),
            {{"A4", QSizeF(2100, 2970)}, {"B5", QSizeF(1820, 2570)}, {"A3", QSizeF(2970, 4200)}},
            QSizeF());
        if (paper.isEmpty())
            r.Fail(QStringLiteral("\"size\" がありません"));
        if (r.Choice<bool>(QStringLiteral("orientation"),
                           {{"portrait", false}, {"landscape", true}}, false))
            paper.transpose();
    }
    r.Finish();
    return paper;
}

Defaults ReadDefaults(JsonReader r) {
    Defaults d;
    d.font =
        r.Choice<FontFace>(QStringLiteral("font"),
                           {{"mincho", FontFace::Mincho}, {"gothic", FontFace::Gothic}}, d.font);
    d.size = r.Number(QStringLiteral("size"), d.size, 1, 72);
    d.lineWidth = r.Number(QStringLiteral("lineWidth"), d.lineWidth, 0, 100);
    r.Finish();
    return d;
}

TextStyle ReadTextStyle(JsonReader& r, const Defaults& d) {
    TextStyle s;
    s.font =
        r.Choice<FontFace>(QStringLiteral("font"),
                           {{"mincho", FontFace::Mincho}, {"gothic", FontFace::Gothic}}, d.font);
    s.size = r.Number(QStringLiteral("size"), d.size, 1, 72);
    s.bold = r.Bool(QStringLiteral("bold"), false);
    s.align = r.Choice<HAlign>(
        QStringLiteral("align"),
        {{"left", HAlign::Left}, {"center", HAlign::Center}, {"right", HAlign::Right}},
        HAlign::Left);
    s.valign = r.Choice<VAlign>(
        QStringLiteral("valign"),
        {{"top", VAlign::Top}, {"middle", VAlign::Middle}, {"bottom", VAlign::Bottom}},
        VAlign::Middle);
    s.direction = r.Choice<TextDirection>(QStringLiteral("direction"),
                                          {{"horizontal", TextDirection::Horizontal},
                                           {"vertical", TextDirection::Vertical},
                                           {"vertical-writing", TextDirection::VerticalWriting}},
                                          TextDirection::Horizontal);
    s.multiline = r.Bool(QStringLiteral("multiline"), false);
    s.pitch = r.Number(QStringLiteral("pitch"), 0, 0, kMaxLength);
    return s;
}

void ReadBox(JsonReader& r, double& x, double& y, double& w, double& h) {
    x = r.RequiredNumber(QStringLiteral("x"), 0, kMaxLength);
    y = r.RequiredNumber(QStringLiteral("y"), 0, kMaxLength);
    w = r.RequiredNumber(QStringLiteral("w"), 0, kMaxLength);
    h = r.RequiredNumber(QStringLiteral("h"), 0, kMaxLength);
}

JsonReader ElementReader(const QJsonValue& value, const QString& place) {
    if (!value.isObject())
        throw LayoutSyntaxError(place + QStringLiteral(": オブジェクトではありません"));
    return JsonReader(value.toObject(), place);
}

LayoutItem ReadItem(JsonReader r, const Defaults& d) {
    LayoutItem item;
    item.kind = r.Choice<LayoutItem::Kind>(QStringLiteral("type"),
                                           {{"text", LayoutItem::Kind::Text},
                                            {"line", LayoutItem::Kind::Line},
                                            {"box", LayoutItem::Kind::Box},
                                            {"ellipse", LayoutItem::Kind::Ellipse}},
                                           LayoutItem::Kind::Text);
    if (!r.Has(QStringLiteral("type")))
        r.Fail(QStringLiteral("\"type\" がありません"));
    if (item.kind == LayoutItem::Kind::Line) {
        item.x = r.RequiredNumber(QStringLiteral("x1"), 0, kMaxLength);
        item.y = r.RequiredNumber(QStringLiteral("y1"), 0, kMaxLength);
        item.w = r.RequiredNumber(QStringLiteral("x2"), 0, kMaxLength) - item.x;
        item.h = r.RequiredNumber(QStringLiteral("y2"), 0, kMaxLength) - item.y;
    } else {
        ReadBox(r, item.x, item.y, item.w, item.h);
    }
    if (item.kind == LayoutItem::Kind::Text) {
        item.text = r.RequiredString(QStringLiteral("text"));
        item.style = ReadTextStyle(r, d);
    } else {
        item.lineWidth = r.Number(QStringLiteral("lineWidth"), d.lineWidth, 0, 100);
    }
    if (item.kind == LayoutItem::Kind::Box)
        item.fill = r.Bool(QStringLiteral("fill"), false);
    r.Finish();
    return item;
}

std::vector<LayoutItem> ReadItems(const QJsonArray& array, const QString& place,
                                  const Defaults& d) {
    std::vector<LayoutItem> items;
    for (qsizetype i = 0; i < array.size(); ++i)
        items.push_back(
            ReadItem(ElementReader(array[i], place + QStringLiteral("[%1]").arg(i)), d));
    return items;
}

LayoutField ReadField(const QJsonValue& value, const QString& place, const Defaults& d) {
    // Name the field as well as its index: layout authors look for names.
    const QString name = value.toObject().value(QStringLiteral("name")).toString();
    JsonReader r =
        ElementReader(value, name.isEmpty() ? place : place + QStringLiteral(" (%1)").arg(name));
    LayoutField f;
    f.name = r.RequiredString(QStringLiteral("name"));
    if (f.name.isEmpty())
        r.Fail(QStringLiteral("\"name\" が空です"));
    if (!r.Has(QStringLiteral("type")))
        r.Fail(QStringLiteral("\"type\" がありません"));
    f.kind = r.Choice<LayoutField::Kind>(QStringLiteral("type"),
                                         {{"text", LayoutField::Kind::Text},
                                          {"flag", LayoutField::Kind::Flag},
                                          {"qr", LayoutField::Kind::QR}},
                                         LayoutField::Kind::Text);
    switch (f.kind) {
    case LayoutField::Kind::Text:
        ReadBox(r, f.x, f.y, f.w, f.h);
        f.style = ReadTextStyle(r, d);
        f.text = r.String(QStringLiteral("text"), QString());
        f.frame = r.Bool(QStringLiteral("frame"), false);
        f.lineWidth = r.Number(QStringLiteral("lineWidth"), d.lineWidth, 0, 100);
        f.visible = r.Bool(QStringLiteral("visible"), true);
        break;
    case LayoutField::Kind::Flag:
        f.visible = r.Bool(QStringLiteral("value"), false);
        f.items =
            ReadItems(r.Array(QStringLiteral("items")), r.Place() + QStringLiteral(".items"), d);
        break;
    case LayoutField::Kind::QR:
        f.x = r.RequiredNumber(QStringLiteral("x"), 0, kMaxLength);
        f.y = r.RequiredNumber(QStringLiteral("y"), 0, kMaxLength);
        f.qrSize = static_cast<int>(r.Number(QStringLiteral("size"), 2500, 100, 20000));
        f.qrEcLevel =
            r.Choice<int>(QStringLiteral("ecLevel"), {{"L", 0}, {"M", 1}, {"Q", 2}, {"H", 3}}, 1);
        f.qrModel = static_cast<int>(r.Number(QStringLiteral("model"), 2, 1, 2));
        f.visible = r.Bool(QStringLiteral("visible"), true);
        break;
    }
    r.Finish();
    return f;
}

Layout ReadLayout(const QJsonObject& root, const QString& file) {
    JsonReader r(root, QString());
    if (r.RequiredNumber(QStringLiteral("qvf"), 1, 1) != 1)
        r.Fail(QStringLiteral("\"qvf\" は 1 です"));
    Layout layout;
    layout.file = file;
    if (!r.Has(QStringLiteral("paper")))
        r.Fail(QStringLiteral("\"paper\" がありません"));
    layout.paper =
        ReadPaper(JsonReader(r.Object(QStringLiteral("paper")), QStringLiteral("paper")));
    const Defaults d =
        ReadDefaults(JsonReader(r.Object(QStringLiteral("defaults")), QStringLiteral("defaults")));
    layout.items = ReadItems(r.Array(QStringLiteral("items")), QStringLiteral("items"), d);
    const QJsonArray fields = r.Array(QStringLiteral("fields"));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString place = QStringLiteral("fields[%1]").arg(i);
        LayoutField f = ReadField(fields[i], place, d);
        if (layout.Find(f.name))
            throw LayoutSyntaxError(
                QStringLiteral("%1: フィールド名 \"%2\" が重複しています").arg(place, f.name));
        layout.fields.push_back(std::move(f));
    }
    r.Finish();
    return layout;
}

} // namespace

const LayoutField* Layout::Find(const QString& name) const {
    for (const LayoutField& f : fields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

LayoutLoad ParseLayout(const QByteArray& json, const QString& file) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {nullptr, QStringLiteral("%1: JSON の誤り (%2 文字目): %3")
                             .arg(file)
                             .arg(parseError.offset)
                             .arg(parseError.errorString())};
    if (!doc.isObject())
        return {nullptr, file + QStringLiteral(": 最上位が JSON オブジェクトではありません")};
    try {
        return {std::make_shared<const Layout>(ReadLayout(doc.object(), file)), QString()};
    } catch (const LayoutSyntaxError& e) {
        return {nullptr, file + QStringLiteral(": ") + e.Message()};
    }
}

LayoutLoad LoadLayout(const QString& path) {
    struct Cached {
        QDateTime modified;
        qint64 size = -1;
        std::shared_ptr<const Layout> layout;
    };
    static QMutex mutex;
    static QHash<QString, Cached> cache;

    const QFileInfo info(path);
    QMutexLocker lock(&mutex);
    const auto it = cache.constFind(path);
    if (it != cache.constEnd() && info.exists() && it->modified == info.lastModified() &&
        it->size == info.size())
        return {it->layout, QString()};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("%1: 開けません (%2)").arg(path, file.errorString())};
    LayoutLoad load = ParseLayout(file.readAll(), path);
    if (load.layout)
        cache.insert(path, {info.lastModified(), info.size(), load.layout});
    else
        cache.remove(path);
    return load;
}

} // namespace tabulon
