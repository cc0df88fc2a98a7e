#include "mdu_tenken.h"

#include "helpers/check_digit.h"

#include <QHash>
#include <QtNumeric>
#include <limits>
#include <unordered_map>
#include <vector>

namespace tabulon {

namespace {

// The printed fields and payload places of the figures, in digits.
constexpr int kKensuuWidth = 4;
constexpr int kDaysWidth = 6;
constexpr int kMoneyWidth = 8; // 点数, 一部負担金, food 金額 and 負担額 of a claim
constexpr int kSummaryPointsWidth = 9;
constexpr int kTotalKensuuWidth = 5; // 合計 件数, 公費 and 福祉 of a summary table
constexpr int kRetiredStart = 10;

// What a typed figure counts as: a number, or nothing when it is not one.
// Almost every figure is a few plain digits, read here directly; anything else
// (signs, spaces, a number too long for 64 bits) takes Qt's reading.
qint64 Value(const QString& text) {
    constexpr qsizetype kSafeDigits = 18; // never overflows a qint64
    const qsizetype size = text.size();
    if (size <= kSafeDigits) {
        qint64 value = 0;
        qsizetype at = 0;
        for (const QChar* c = text.constData(); at < size; ++at, ++c) {
            const char16_t unit = c->unicode();
            if (unit < u'0' || unit > u'9')
                break;
            value = value * 10 + (unit - u'0');
        }
        if (at == size)
            return value;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : 0;
}

// Digits that count: leading zeros print as nothing and fill the payload anyway.
qsizetype Digits(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == u'0')
        ++start;
    return text.size() - start;
}

// What a field of `width` digits shows of a longer figure: its rightmost digits.
QString Cut(const QString& digits, int width) {
    return QString::number(Value(digits.right(width)));
}

QString TooLongText(const QString& what, const QString& digits, int width) {
    return QStringLiteral("%1 %2 は%3桁の欄に入りきりません（%4 と印刷されます）。")
        .arg(what, digits)
        .arg(width)
        .arg(Cut(digits, width));
}

// Ten yen a point; held at the ends of the range for points no form can hold,
// so that the comparison with the share stays right.
qint64 Yen(qint64 points) {
    qint64 yen = 0;
    if (qMulOverflow(points, qint64{10}, &yen))
        return points > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return yen;
}

bool RetiredKind(int claimKind) {
    return claimKind % 2 == 1;
}

QString DaysWord(int claimKind) {
    return claimKind >= 5 ? QStringLiteral("受付回数") : QStringLiteral("実日数");
}

// The length of a number as printed, its sign included, without printing it.
int PrintedLength(qint64 value) {
    int length = value < 0 ? 2 : 1;
    for (; value >= 10 || value <= -10; value /= 10)
        ++length;
    return length;
}

// Reports (caption, figure, width) for each total of a line that is longer
// than its field.
template <typename Report>
void CheckTotalWidths(const TenkenSummaryLine::Line& sum, bool inpatient, int kensuuWidth,
                      Report report) {
    const auto check = [&](qint64 value, int width, const QString& caption) {
        if (PrintedLength(value) > width)
            report(caption, QString::number(value), width);
    };
    check(sum.kensuu, kensuuWidth, QStringLiteral("件数"));
    check(sum.jitunisuu, kDaysWidth, QStringLiteral("実日数"));
    check(sum.tensuu, kSummaryPointsWidth, QStringLiteral("点数"));
    if (inpatient)
        check(sum.syokuji, kSummaryPointsWidth, QStringLiteral("食事"));
}

QString SummaryPlace(int line) {
    static const QStringList sections{QStringLiteral("一般"), QStringLiteral("退職"),
                                      QStringLiteral("後期高齢")};
    return sections.at(line / 2) +
           (line % 2 == 0 ? QStringLiteral(" 入院 ") : QStringLiteral(" 入院外 "));
}

// A claim's figures read once: four of care per line (件数, 実日数, 点数,
// 負担金), four of meals per row (件数, 回数, 金額, 負担額), then 公費 and 福祉.
// One flat row, in the order two claims are compared.
struct ClaimFigures {
    enum { kKensuu, kDays, kPoints, kShare }; // of a care line
    enum { kMeals, kTimes, kAmount, kPaid };  // of a food row
    static constexpr size_t kFoodAt = 20 * 4;
    static constexpr size_t kKouhiAt = kFoodAt + 10 * 4;

    std::array<qint64, kKouhiAt + 2> all{};

    const qint64* Care(int line) const { return &all[static_cast<size_t>(line) * 4]; }
    const qint64* Food(int row) const { return &all[kFoodAt + static_cast<size_t>(row) * 4]; }
    qint64 Kouhi() const { return all[kKouhiAt]; }
    qint64 Uba() const { return all[kKouhiAt + 1]; }

    auto begin() const { return all.begin(); }
    auto end() const { return all.end(); }
    bool operator==(const ClaimFigures&) const = default;
};

ClaimFigures FiguresOf(const TenkenClaim& c) {
    ClaimFigures f;
    auto at = f.all.begin();
    for (const TenkenClaim::Care& l : c.care)
        for (const QString* t : {&l.kensuu, &l.jitunisuu, &l.tensuu, &l.futankin})
            *at++ = Value(*t);
    for (const TenkenClaim::Food& l : c.food)
        for (const QString* t : {&l.kensuu, &l.nisuu, &l.kingaku, &l.futangaku})
            *at++ = Value(*t);
    *at++ = Value(c.kouhi);
    *at = Value(c.uba);
    return f;
}

class Checker {
public:
    void SetClaim(const TenkenClaim& c) { claim_ = &c; }
    void SetLine(const TenkenSummaryLine& s) { line_ = &s; }

    explicit Checker(QList<TenkenFinding>& out) : out_(out) {}

    void Claim(const TenkenClaim& c, const ClaimFigures& f) {
        claim_ = &c;
        // Every number of six or eight digits ends in the check digit of the
        // digits before it: a wrong one means a digit was mistyped.
        if (!BangouCheckDigitHolds(c.bangou))
            Add(TenkenGrade::Error, QStringLiteral("txtBangou"), -1, {}, WrongDigitText(c.bangou));
        if (f == ClaimFigures{}) {
            // An empty form is a claim typed under the wrong key or never finished.
            Add(TenkenGrade::Error, {}, -1, {}, QStringLiteral("数字が一つも入力されていません。"));
            return;
        }
        for (int i = 0; i < static_cast<int>(c.care.size()); ++i)
            CareLine(c, f, i);
        for (int row = 0; row < static_cast<int>(c.food.size()); ++row)
            FoodLine(c, f, row);
        Counts(c, f);
        SectionTotals(c, f);
    }

    void SummaryLine(const TenkenSummaryLine& s) {
        line_ = &s;
        claim_ = nullptr;
        if (!BangouCheckDigitHolds(s.bangou))
            AddLine(TenkenGrade::Error, QStringLiteral("保険者番号"), WrongDigitText(s.bangou));
        qint64 kensuu = 0;
        bool any = s.kouhi != 0 || s.uba != 0;
        for (int i = 0; i < TenkenSummaryLine::kLines; ++i) {
            const TenkenSummaryLine::Line& l = s.lines[static_cast<size_t>(i)];
            kensuu += l.kensuu;
            any = any || l.kensuu != 0 || l.jitunisuu != 0 || l.tensuu != 0 || l.syokuji != 0;
        }
        if (!any) {
            AddLine(TenkenGrade::Error, {}, QStringLiteral("数字が一つも入力されていません。"));
            return;
        }
        for (int i = 0; i < TenkenSummaryLine::kLines; ++i)
            SummaryFigures(s.lines[static_cast<size_t>(i)], SummaryPlace(i), i % 2 == 0);
        if (s.kouhi > kensuu)
            AddLine(TenkenGrade::Error, QStringLiteral("公費件数"),
                    CountOverText(u"公費件数", s.kouhi, kensuu));
        if (s.uba > kensuu)
            AddLine(TenkenGrade::Error, QStringLiteral("福祉件数"),
                    CountOverText(u"福祉件数", s.uba, kensuu));
    }

    void AddTotal(TenkenSubject subject, int tableKind, const QString& where, const QString& text) {
        TenkenFinding f;
        f.subject = subject;
        f.kind = tableKind;
        f.where = where;
        f.text = text;
        out_.append(f);
    }

    void Add(TenkenGrade grade, const QString& box, int index, const QString& where,
             const QString& text) {
        Append(*claim_, TenkenSubject::Claim, grade, box, index, where, text);
    }

    void AddLine(TenkenGrade grade, const QString& where, const QString& text) {
        Append(*line_, TenkenSubject::SummaryLine, grade, {}, -1, where, text);
    }

    static QString WrongDigitText(const QString& bangou) {
        return QStringLiteral("保険者番号の検証番号が合いません（%1 なら末尾は %2）。")
            .arg(bangou.left(bangou.size() - 1), CheckDigit(bangou.left(bangou.size() - 1)));
    }

    static QString CountOverText(QStringView what, qint64 count, qint64 total) {
        return QStringLiteral("%1（%2）が件数の計（%3）を超えています。")
            .arg(what)
            .arg(count)
            .arg(total);
    }

private:
    template <typename Row>
    void Append(const Row& row, TenkenSubject subject, TenkenGrade grade, const QString& box,
                int index, const QString& where, const QString& text) {
        out_.append({grade, subject, row.bangou, row.sinryouka, row.kind, row.renban, box, index,
                     where, text});
    }

    void TooLong(const QString& box, int index, const QString& text, int width) {
        // A longer figure is cut to its last digits on the form and in the QR code.
        if (Digits(text) > width)
            Add(TenkenGrade::Error, box, index, {},
                TooLongText(QStringLiteral("数字"), text, width));
    }

    void CareLine(const TenkenClaim& c, const ClaimFigures& f, int i) {
        const TenkenClaim::Care& l = c.care[static_cast<size_t>(i)];
        const qint64 kensuu = f.Care(i)[ClaimFigures::kKensuu];
        const qint64 days = f.Care(i)[ClaimFigures::kDays];
        const qint64 tensuu = f.Care(i)[ClaimFigures::kPoints];
        const qint64 futankin = f.Care(i)[ClaimFigures::kShare];
        // Every case is paid for by points, and points are always for some case.
        if (kensuu > 0 && tensuu == 0)
            Add(TenkenGrade::Error, QStringLiteral("txtTensuu"), i, {},
                QStringLiteral("件数があるのに点数がありません。"));
        if (tensuu > 0 && kensuu == 0)
            Add(TenkenGrade::Error, QStringLiteral("txtKensuu"), i, {},
                QStringLiteral("点数があるのに件数がありません。"));
        // Every case has at least one day (one prescription) of its own.
        if (kensuu > 0 && days < kensuu)
            Add(TenkenGrade::Error, QStringLiteral("txtJitunisuu"), i, {},
                QStringLiteral("%1（%2）が件数（%3）より少なくなっています。")
                    .arg(DaysWord(c.kind))
                    .arg(days)
                    .arg(kensuu));
        // A point is ten yen: the patient's share cannot exceed the whole cost.
        if (futankin > Yen(tensuu))
            Add(TenkenGrade::Error, QStringLiteral("txtFutankin"), i, {},
                QStringLiteral("一部負担金（%1円）が点数×10円（%2円）を超えています。")
                    .arg(futankin)
                    .arg(Yen(tensuu)));
        TooLong(QStringLiteral("txtKensuu"), i, l.kensuu, kKensuuWidth);
        TooLong(QStringLiteral("txtJitunisuu"), i, l.jitunisuu, kDaysWidth);
        TooLong(QStringLiteral("txtTensuu"), i, l.tensuu, kMoneyWidth);
        TooLong(QStringLiteral("txtFutankin"), i, l.futankin, kMoneyWidth);
    }

    void FoodLine(const TenkenClaim& c, const ClaimFigures& figures, int row) {
        const TenkenClaim::Food& f = c.food[static_cast<size_t>(row)];
        const int inpatient = row * 2;
        const qint64 kensuu = figures.Food(row)[ClaimFigures::kMeals];
        const qint64 kingaku = figures.Food(row)[ClaimFigures::kAmount];
        // Meals are charged per case and per meal: an amount needs both counts.
        if (kingaku > 0 && kensuu == 0)
            Add(TenkenGrade::Error, QStringLiteral("txtKensuu2"), inpatient, {},
                QStringLiteral("食事の金額があるのに件数がありません。"));
        if (kingaku > 0 && figures.Food(row)[ClaimFigures::kTimes] == 0)
            Add(TenkenGrade::Error, QStringLiteral("txtNisuu"), inpatient, {},
                QStringLiteral("食事の金額があるのに回数がありません。"));
        // Meals are served to inpatients only, so their cases are among the row's 入院 cases.
        const qint64 inpatients = figures.Care(inpatient)[ClaimFigures::kKensuu];
        if (kensuu > inpatients)
            Add(TenkenGrade::Error, QStringLiteral("txtKensuu2"), inpatient, {},
                QStringLiteral("食事の件数（%1）が入院の件数（%2）を超えています。")
                    .arg(kensuu)
                    .arg(inpatients));
        TooLong(QStringLiteral("txtKensuu2"), inpatient, f.kensuu, kKensuuWidth);
        TooLong(QStringLiteral("txtNisuu"), inpatient, f.nisuu, kDaysWidth);
        TooLong(QStringLiteral("txtKingaku"), inpatient, f.kingaku, kMoneyWidth);
        TooLong(QStringLiteral("txtFutangaku"), inpatient, f.futangaku, kMoneyWidth);
    }

    void Counts(const TenkenClaim& c, const ClaimFigures& f) {
        qint64 kensuu = 0;
        for (int i = 0; i < static_cast<int>(c.care.size()); ++i)
            kensuu += f.Care(i)[ClaimFigures::kKensuu];
        // Funded cases are some of the claim's cases, never more.
        if (f.Kouhi() > kensuu)
            Add(TenkenGrade::Error, QStringLiteral("txtKouhi"), -1, {},
                CountOverText(u"公費件数", f.Kouhi(), kensuu));
        if (f.Uba() > kensuu)
            Add(TenkenGrade::Error, QStringLiteral("txtUba"), -1, {},
                CountOverText(u"福祉件数", f.Uba(), kensuu));
        TooLong(QStringLiteral("txtKouhi"), -1, c.kouhi, kKensuuWidth);
        TooLong(QStringLiteral("txtUba"), -1, c.uba, kKensuuWidth);
    }

    // A claim's rows are added up into one line of the retained list, whose
    // fields are as wide as a summary line's.
    void SectionTotals(const TenkenClaim& c, const ClaimFigures& f) {
        const int sections = RetiredKind(c.kind) ? 2 : 1;
        for (int s = 0; s < sections; ++s) {
            for (int setting = 0; setting < 2; ++setting) {
                TenkenSummaryLine::Line sum;
                for (int i = s * kRetiredStart + setting; i < (s + 1) * kRetiredStart; i += 2) {
                    sum.kensuu += f.Care(i)[ClaimFigures::kKensuu];
                    sum.jitunisuu += f.Care(i)[ClaimFigures::kDays];
                    sum.tensuu += f.Care(i)[ClaimFigures::kPoints];
                    if (setting == 0)
                        sum.syokuji += f.Food(i / 2)[ClaimFigures::kAmount];
                }
                CheckTotalWidths(
                    sum, setting == 0, kKensuuWidth,
                    [&](const QString& caption, const QString& digits, int width) {
                        const QString place =
                            (RetiredKind(c.kind)
                                 ? (s == 0 ? QStringLiteral("一般") : QStringLiteral("退職"))
                                 : QStringLiteral("後期高齢")) +
                            (setting == 0 ? QStringLiteral(" 入院 ") : QStringLiteral(" 入院外 "));
                        Add(TenkenGrade::Error, {}, -1, place + caption,
                            TooLongText(QStringLiteral("行の計"), digits, width));
                    });
            }
        }
    }

    void SummaryFigures(const TenkenSummaryLine::Line& l, const QString& place, bool inpatient) {
        if (l.kensuu > 0 && l.tensuu == 0)
            AddLine(TenkenGrade::Error, place + QStringLiteral("点数"),
                    QStringLiteral("件数があるのに点数がありません。"));
        if (l.tensuu > 0 && l.kensuu == 0)
            AddLine(TenkenGrade::Error, place + QStringLiteral("件数"),
                    QStringLiteral("点数があるのに件数がありません。"));
        if (l.kensuu > 0 && l.jitunisuu < l.kensuu)
            AddLine(TenkenGrade::Error, place + QStringLiteral("実日数"),
                    QStringLiteral("実日数（%1）が件数（%2）より少なくなっています。")
                        .arg(l.jitunisuu)
                        .arg(l.kensuu));
        CheckTotalWidths(l, inpatient, kKensuuWidth,
                         [&](const QString& caption, const QString& digits, int width) {
                             AddLine(TenkenGrade::Error, place + caption,
                                     TooLongText(QStringLiteral("数字"), digits, width));
                         });
    }

    QList<TenkenFinding>& out_;
    const TenkenClaim* claim_ = nullptr;
    const TenkenSummaryLine* line_ = nullptr;
};

// ---- 確認: a claim compared with its neighbours --------------------------

// Insurer, department and kind: the claims (or summary lines) that are
// compared with each other.
template <typename Row> QString KeyOf(const Row& row) {
    return row.bangou + u'\x1f' + row.sinryouka + u'\x1f' + QString::number(row.kind);
}

using SummaryFigures = std::array<qint64, TenkenSummaryLine::kLines * 4 + 2>;

SummaryFigures FiguresOf(const TenkenSummaryLine& s) {
    SummaryFigures figures;
    auto at = figures.begin();
    for (const TenkenSummaryLine::Line& l : s.lines)
        for (const qint64 figure : {l.kensuu, l.jitunisuu, l.tensuu, l.syokuji})
            *at++ = figure;
    *at++ = s.kouhi;
    *at = s.uba;
    return figures;
}

QString TwiceText(int earlierRenban) {
    return QStringLiteral("連番 %1 と数字がすべて同じです。二重に入力していませんか。")
        .arg(earlierRenban);
}

// A row's key with its figures, as the duplicate search hashes them.
template <typename Figures> struct KeyedFigures {
    const QString* key;
    const Figures* figures;
    bool operator==(const KeyedFigures& other) const {
        return *figures == *other.figures && *key == *other.key;
    }
};

struct KeyedFiguresHash {
    template <typename Figures> size_t operator()(const KeyedFigures<Figures>& row) const {
        return qHashRange(row.figures->begin(), row.figures->end(), qHash(*row.key));
    }
};

// A second form of one insurer, department and kind with the very same figures
// is far more often the first one typed again than a true second form. Each
// row is named against the first earlier row with its key and figures.
template <typename Row, typename Figures, typename Report>
void Twice(const QList<Row>& rows, const std::vector<QString>& keys,
           const std::vector<Figures>& figures, Report report) {
    std::unordered_map<KeyedFigures<Figures>, int, KeyedFiguresHash> first;
    first.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (figures[i] == Figures{})
            continue;
        const Row& row = rows[static_cast<qsizetype>(i)];
        const auto [earlier, isFirst] =
            first.try_emplace(KeyedFigures<Figures>{&keys[i], &figures[i]}, row.renban);
        if (!isFirst)
            report(row, earlier->second);
    }
}

qint64 Points(const TenkenClaim& c) {
    qint64 points = 0;
    for (const TenkenClaim::Care& l : c.care)
        points += Value(l.tensuu);
    return points;
}

qint64 Points(const ClaimFigures& f) {
    qint64 points = 0;
    for (int i = 0; i < 20; ++i)
        points += f.Care(i)[ClaimFigures::kPoints];
    return points;
}

// A clinic's monthly claim to one insurer moves slowly; a jump beyond three
// times (or below a third) is most often a digit too many or too few.
void AgainstPreviousMonth(const TenkenMonth& month, const std::vector<QString>& keys,
                          const std::vector<ClaimFigures>& figures, Checker& checker) {
    QHash<QString, qint64> previous;
    previous.reserve(month.previousClaims.size());
    for (const TenkenClaim& c : month.previousClaims)
        previous[KeyOf(c)] += Points(c);
    QHash<QString, qint64> current;
    current.reserve(static_cast<qsizetype>(keys.size()));
    std::vector<size_t> first;
    for (size_t i = 0; i < keys.size(); ++i) {
        const qsizetype known = current.size();
        qint64& points = current[keys[i]];
        if (current.size() != known)
            first.push_back(i);
        points += Points(figures[i]);
    }
    for (const size_t i : first) {
        const QString& key = keys[i];
        const TenkenClaim* c = &month.claims[static_cast<qsizetype>(i)];
        const qint64 before = previous.value(key);
        const qint64 now = current.value(key);
        if (before == 0 || now == 0)
            continue;
        QString text;
        if (now > before * 3)
            text = QStringLiteral("点数の計（%1点）が前月（%2点）の3倍を超えています。");
        else if (before > now * 3)
            text = QStringLiteral("点数の計（%1点）が前月（%2点）の3分の1に足りません。");
        else
            continue;
        checker.SetClaim(*c);
        checker.Add(TenkenGrade::Check, {}, -1, {}, text.arg(now).arg(before));
    }
}

// ---- the month's totals -------------------------------------------------

struct TableTotals {
    std::array<TenkenSummaryLine::Line, TenkenSummaryLine::kLines> lines{};
    qint64 kouhi = 0;
    qint64 uba = 0;
    bool any = false;
};
using MonthTables = std::array<TableTotals, 3>; // 医, 歯, 調

void AddInto(TenkenSummaryLine::Line& sum, const TenkenSummaryLine::Line& line) {
    sum.kensuu += line.kensuu;
    sum.jitunisuu += line.jitunisuu;
    sum.tensuu += line.tensuu;
    sum.syokuji += line.syokuji;
}

// The claims' figures as the summary work table gathers them: 後期高齢 kinds
// into the 老人 lines, the others into 一般 and 退職.
MonthTables ClaimTables(const QList<TenkenClaim>& claims, const std::vector<ClaimFigures>& all) {
    MonthTables tables;
    for (qsizetype n = 0; n < claims.size(); ++n) {
        const TenkenClaim& c = claims[n];
        if (c.kind < 1 || c.kind > 6)
            continue;
        const ClaimFigures& f = all[static_cast<size_t>(n)];
        TableTotals& t = tables[static_cast<size_t>((c.kind - 1) / 2)];
        t.any = true;
        for (int i = 0; i < static_cast<int>(c.care.size()); ++i) {
            const int line = RetiredKind(c.kind) ? (i / kRetiredStart) * 2 + i % 2 : 4 + i % 2;
            const qint64* care = f.Care(i);
            TenkenSummaryLine::Line figures{care[ClaimFigures::kKensuu], care[ClaimFigures::kDays],
                                            care[ClaimFigures::kPoints], 0};
            if (i % 2 == 0)
                figures.syokuji = f.Food(i / 2)[ClaimFigures::kAmount];
            AddInto(t.lines[static_cast<size_t>(line)], figures);
        }
        t.kouhi += f.Kouhi();
        t.uba += f.Uba();
    }
    return tables;
}

MonthTables SummaryTables(const QList<TenkenSummaryLine>& summaryLines) {
    MonthTables tables;
    for (const TenkenSummaryLine& s : summaryLines) {
        if (s.kind < 1 || s.kind > 3)
            continue;
        TableTotals& t = tables[static_cast<size_t>(s.kind - 1)];
        t.any = true;
        for (int i = 0; i < TenkenSummaryLine::kLines; ++i)
            AddInto(t.lines[static_cast<size_t>(i)], s.lines[static_cast<size_t>(i)]);
        t.kouhi += s.kouhi;
        t.uba += s.uba;
    }
    return tables;
}

// The summary table prints a month's totals per section and their 合計 in
// fields of fixed width, and its QR code holds them in places as wide.
void MonthTotals(const MonthTables& tables, TenkenSubject subject, Checker& checker) {
    static const QStringList marks{QStringLiteral("医"), QStringLiteral("歯"),
                                   QStringLiteral("調")};
    for (int t = 0; t < 3; ++t) {
        const TableTotals& table = tables[static_cast<size_t>(t)];
        if (!table.any)
            continue;
        // The pharmacy table has no 入院 lines: they print and encode as nothing.
        const bool pharmacy = t == 2;
        const QString head = QStringLiteral("総括表（%1） ").arg(marks.at(t));
        const QString what = subject == TenkenSubject::MonthTotal
                                 ? QStringLiteral("請求書の月の合計")
                                 : QStringLiteral("総括表明細の月の合計");
        const auto report = [&](const QString& place) {
            return [&, place](const QString& caption, const QString& digits, int width) {
                checker.AddTotal(subject, t + 1, head + place + caption,
                                 TooLongText(what, digits, width));
            };
        };
        std::array<TenkenSummaryLine::Line, 2> total{};
        for (int i = 0; i < TenkenSummaryLine::kLines; ++i) {
            const bool inpatient = i % 2 == 0;
            if (pharmacy && inpatient)
                continue;
            const TenkenSummaryLine::Line& line = table.lines[static_cast<size_t>(i)];
            CheckTotalWidths(line, inpatient, kKensuuWidth, report(SummaryPlace(i)));
            AddInto(total[static_cast<size_t>(i % 2)], line);
        }
        for (int setting = pharmacy ? 1 : 0; setting < 2; ++setting)
            CheckTotalWidths(total[static_cast<size_t>(setting)], setting == 0, kTotalKensuuWidth,
                             report(setting == 0 ? QStringLiteral("合計 入院 ")
                                                 : QStringLiteral("合計 入院外 ")));
        const auto counts = [&](qint64 value, const QString& caption) {
            const QString digits = QString::number(value);
            if (digits.size() > kTotalKensuuWidth)
                report({})(caption, digits, kTotalKensuuWidth);
        };
        counts(table.kouhi, QStringLiteral("公費件数"));
        counts(table.uba, QStringLiteral("福祉件数"));
    }
}

} // namespace

bool BangouCheckDigitHolds(const QString& bangou) {
    // Only the numbers that carry a check digit are judged by it.
    if (bangou.size() != 6 && bangou.size() != 8)
        return true;
    const QString body = bangou.left(bangou.size() - 1);
    return CheckDigit(body) == bangou.right(1);
}

QList<TenkenFinding> CheckMonth(const TenkenMonth& month) {
    QList<TenkenFinding> findings;
    Checker checker(findings);
    // Each claim's figures are read and its key made once, for every rule.
    std::vector<ClaimFigures> figures;
    std::vector<QString> keys;
    figures.reserve(static_cast<size_t>(month.claims.size()));
    keys.reserve(static_cast<size_t>(month.claims.size()));
    for (const TenkenClaim& c : month.claims) {
        figures.push_back(FiguresOf(c));
        keys.push_back(KeyOf(c));
        checker.Claim(c, figures.back());
    }
    Twice(month.claims, keys, figures, [&](const TenkenClaim& c, int earlier) {
        checker.SetClaim(c);
        checker.Add(TenkenGrade::Check, {}, -1, {}, TwiceText(earlier));
    });
    AgainstPreviousMonth(month, keys, figures, checker);
    std::vector<SummaryFigures> lineFigures;
    std::vector<QString> lineKeys;
    for (const TenkenSummaryLine& s : month.summaryLines) {
        lineFigures.push_back(FiguresOf(s));
        lineKeys.push_back(KeyOf(s));
        checker.SummaryLine(s);
    }
    Twice(month.summaryLines, lineKeys, lineFigures, [&](const TenkenSummaryLine& s, int earlier) {
        checker.SetLine(s);
        checker.AddLine(TenkenGrade::Check, {}, TwiceText(earlier));
    });
    MonthTotals(ClaimTables(month.claims, figures), TenkenSubject::MonthTotal, checker);
    MonthTotals(SummaryTables(month.summaryLines), TenkenSubject::LinesTotal, checker);
    return findings;
}

int CountErrors(const QList<TenkenFinding>& findings) {
    int errors = 0;
    for (const TenkenFinding& f : findings)
        errors += f.grade == TenkenGrade::Error ? 1 : 0;
    return errors;
}

} // namespace tabulon
