#include "month_generator.h"

#include <random>

namespace tabulon::test {

namespace {

QString N(qint64 v) {
    return QString::number(v);
}

qint64 V(const QString& t) {
    return t.toLongLong();
}

QString Id(const char* grade, const char* subject, const QString& bangou, int kind, int renban,
           const QString& box = {}, int index = -1, const QString& where = {}) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(QString::fromLatin1(grade), QString::fromLatin1(subject), bangou)
        .arg(kind)
        .arg(renban)
        .arg(box)
        .arg(index)
        .arg(where);
}

QString ClaimId(const char* grade, const TenkenClaim& c, const QString& box = {}, int index = -1,
                const QString& where = {}) {
    return Id(grade, "Claim", c.bangou, c.kind, c.renban, box, index, where);
}

QString LineId(const char* grade, const TenkenSummaryLine& s, const QString& where = {}) {
    return Id(grade, "SummaryLine", s.bangou, s.kind, s.renban, {}, -1, where);
}

qint64 TotalKensuu(const TenkenClaim& c) {
    qint64 total = 0;
    for (const auto& l : c.care)
        total += V(l.kensuu);
    return total;
}

qint64 TotalPoints(const TenkenClaim& c) {
    qint64 total = 0;
    for (const auto& l : c.care)
        total += V(l.tensuu);
    return total;
}

// The first filled line of the claim with the given parity (0 入院, 1 外来).
int FilledLine(const TenkenClaim& c, int parity) {
    for (int i = parity; i < 20; i += 2)
        if (V(c.care[static_cast<size_t>(i)].kensuu) > 0)
            return i;
    return -1;
}

// The last digit of a six-digit number turned by `by`, as a slip of the finger.
void MisType(QString& bangou, int by) {
    bangou[5] = QChar(u'0' + (bangou[5].digitValue() + by) % 10);
}

// A whole number between two bounds, both taken.
struct Picker {
    std::mt19937 random;
    int operator()(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    }
};

} // namespace

QString FindingId(const TenkenFinding& f) {
    static const char* const subjects[] = {"Claim", "SummaryLine", "MonthTotal", "LinesTotal"};
    return Id(f.grade == TenkenGrade::Error ? "E" : "C", subjects[static_cast<int>(f.subject)],
              f.bangou, f.kind, f.renban, f.box, f.index, f.where);
}

QStringList FindingIds(const QList<TenkenFinding>& findings) {
    QStringList ids;
    for (const TenkenFinding& f : findings)
        ids << FindingId(f);
    ids.sort();
    return ids;
}

QString TestCheckDigit(const QString& digits) {
    int sum = 0;
    bool doubled = true; // the rightmost digit is doubled
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        int d = digits[i].digitValue();
        if (doubled)
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
        doubled = !doubled;
    }
    return N((10 - sum % 10) % 10);
}

QString ValidBangou(int n) {
    const QString body = QStringLiteral("23%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
    const QString six = body + TestCheckDigit(body);
    if (n < 1000)
        return six;
    const QString longBody = QStringLiteral("39%1").arg(n % 100000, 5, 10, QLatin1Char('0'));
    return longBody + TestCheckDigit(longBody);
}

TenkenClaim CleanClaim(int kind, const QString& bangou, unsigned seed) {
    Picker pick{std::mt19937(seed)};
    TenkenClaim c;
    c.bangou = bangou;
    c.kind = kind;
    c.renban = 1;
    const bool retired = kind % 2 == 1;
    const bool inpatient = kind <= 4;
    const bool food = kind <= 2;
    const int last = retired ? 19 : 3;
    int filled = 0;
    for (int i = 0; i <= last; ++i) {
        if (i % 2 == 0 && !inpatient)
            continue;
        // Three lines always, more by chance.
        if (filled >= 3 && pick(0, 2) == 0)
            continue;
        ++filled;
        const int kensuu = pick(1, 20);
        const int tensuu = kensuu * pick(100, 2000);
        auto& l = c.care[static_cast<size_t>(i)];
        l.kensuu = N(kensuu);
        // Days equal to the cases and the share at exactly ten yen a point
        // keep the rules at their boundaries.
        l.jitunisuu = N(pick(0, 3) == 0 ? kensuu : kensuu * pick(1, 3));
        l.tensuu = N(tensuu);
        l.futankin = N(pick(0, 5) == 0 ? tensuu * 10 : tensuu * pick(0, 3));
        if (food && i % 2 == 0) {
            const int meals = pick(0, 3) == 0 ? kensuu : pick(1, kensuu);
            auto& f = c.food[static_cast<size_t>(i / 2)];
            f.kensuu = N(meals);
            f.nisuu = N(meals * pick(1, 30));
            f.kingaku = N(V(f.nisuu) * 460);
            f.futangaku = N(V(f.nisuu) * 260);
        }
    }
    c.kouhi = N(pick(0, 1));
    c.uba = N(pick(0, 1));
    return c;
}

TenkenSummaryLine CleanSummaryLine(int kind, const QString& bangou, unsigned seed) {
    Picker pick{std::mt19937(seed)};
    TenkenSummaryLine s;
    s.bangou = bangou;
    s.kind = kind;
    s.renban = 1;
    for (int i = 0; i < TenkenSummaryLine::kLines; ++i) {
        if (kind == 3 && i % 2 == 0)
            continue;
        auto& l = s.lines[static_cast<size_t>(i)];
        l.kensuu = pick(1, 50);
        l.jitunisuu = l.kensuu * pick(1, 3);
        l.tensuu = l.kensuu * pick(100, 2000);
        if (i % 2 == 0)
            l.syokuji = pick(0, 100000);
    }
    s.kouhi = pick(0, 2);
    s.uba = pick(0, 2);
    return s;
}

PlantedMonth PlantedMonthOf(int clean, unsigned seed) {
    PlantedMonth p;
    TenkenMonth& m = p.month;
    int next = 1;
    for (int i = 0; i < clean; ++i) {
        TenkenClaim c = CleanClaim(i % 6 + 1, ValidBangou(next++), seed + static_cast<unsigned>(i));
        m.claims << c;
        m.previousClaims << c;
    }
    for (int i = 0; i < 6; ++i)
        m.summaryLines << CleanSummaryLine(i % 3 + 1, ValidBangou(next++), seed + 1000 + i);

    // Each slip on a claim of its own, under an insurer the month before lacks.
    const auto plant = [&](int kind, const auto& slip) {
        const int n = next++;
        TenkenClaim c = CleanClaim(kind, ValidBangou(n), seed + 2000 + static_cast<unsigned>(n));
        slip(c);
        m.claims << c;
    };
    plant(1, [&](TenkenClaim& c) {
        MisType(c.bangou, 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtBangou"));
    });
    plant(2, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 0);
        c.care[static_cast<size_t>(i)].tensuu.clear();
        c.care[static_cast<size_t>(i)].futankin.clear();
        p.expected << ClaimId("E", c, QStringLiteral("txtTensuu"), i);
    });
    plant(3, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 1);
        c.care[static_cast<size_t>(i)].kensuu.clear();
        c.kouhi.clear();
        c.uba.clear();
        p.expected << ClaimId("E", c, QStringLiteral("txtKensuu"), i);
    });
    plant(5, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 1);
        auto& l = c.care[static_cast<size_t>(i)];
        l.jitunisuu = N(V(l.kensuu) - 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtJitunisuu"), i);
    });
    plant(4, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 0);
        auto& l = c.care[static_cast<size_t>(i)];
        l.futankin = N(V(l.tensuu) * 10 + 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtFutankin"), i);
    });
    plant(1, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 0);
        c.food[static_cast<size_t>(i / 2)].kensuu.clear();
        p.expected << ClaimId("E", c, QStringLiteral("txtKensuu2"), i);
    });
    plant(2, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 0);
        c.food[static_cast<size_t>(i / 2)].nisuu.clear();
        p.expected << ClaimId("E", c, QStringLiteral("txtNisuu"), i);
    });
    plant(1, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 0);
        c.food[static_cast<size_t>(i / 2)].kensuu = N(V(c.care[static_cast<size_t>(i)].kensuu) + 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtKensuu2"), i);
    });
    plant(3, [&](TenkenClaim& c) {
        c.kouhi = N(TotalKensuu(c) + 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtKouhi"));
    });
    plant(6, [&](TenkenClaim& c) {
        c.uba = N(TotalKensuu(c) + 1);
        p.expected << ClaimId("E", c, QStringLiteral("txtUba"));
    });
    plant(5, [&](TenkenClaim& c) {
        const QString bangou = c.bangou;
        c = TenkenClaim{};
        c.bangou = bangou;
        c.kind = 5;
        c.renban = 1;
        p.expected << ClaimId("E", c);
    });
    plant(1, [&](TenkenClaim& c) {
        const int i = FilledLine(c, 1);
        c.care[static_cast<size_t>(i)].tensuu = QStringLiteral("123456789");
        p.expected << ClaimId("E", c, QStringLiteral("txtTensuu"), i);
    });
    // Two dental claims, each within its fields, whose 件数 add up beyond the
    // summary table's four places.
    for (const int days : {5000, 5001})
        plant(3, [&](TenkenClaim& c) {
            auto& l = c.care[0];
            l = {N(5000), N(days), N(500000), {}};
        });
    p.expected << Id("E", "MonthTotal", {}, 2, 0, {}, -1,
                     QStringLiteral("総括表（歯） 一般 入院 件数"));

    // 確認: a claim typed twice, and claims against the month before.
    TenkenClaim twice = m.claims.at(0);
    twice.renban = 2;
    m.claims << twice;
    p.expected << ClaimId("C", twice);
    // Three times the month before is still usual; beyond it, and below a third, is not.
    for (int i = 1; i <= 3; ++i) {
        TenkenClaim& c = m.claims[i];
        qint64 points = TotalPoints(c);
        const int line = FilledLine(c, 1);
        c.care[static_cast<size_t>(line)].tensuu =
            N(V(c.care[static_cast<size_t>(line)].tensuu) + (3 - points % 3) % 3);
        points = TotalPoints(c);
        TenkenClaim& before = m.previousClaims[i];
        before = c;
        for (auto& l : before.care)
            l.tensuu.clear();
        const qint64 previous = i == 1 ? points / 3 : i == 2 ? points / 3 - 1 : points * 3 + 1;
        before.care[static_cast<size_t>(line)].tensuu = N(previous);
        if (i != 1)
            p.expected << ClaimId("C", c);
    }

    // Slips on the stored summary lines.
    const auto plantLine = [&](int kind, const auto& slip) {
        const int n = next++;
        TenkenSummaryLine s =
            CleanSummaryLine(kind, ValidBangou(n), seed + 3000 + static_cast<unsigned>(n));
        slip(s);
        m.summaryLines << s;
    };
    plantLine(1, [&](TenkenSummaryLine& s) {
        MisType(s.bangou, 3);
        p.expected << LineId("E", s, QStringLiteral("保険者番号"));
    });
    plantLine(2, [&](TenkenSummaryLine& s) {
        s.lines[1].tensuu = 0;
        p.expected << LineId("E", s, QStringLiteral("一般 入院外 点数"));
    });
    plantLine(2, [&](TenkenSummaryLine& s) {
        s.lines[2].kensuu = 0;
        s.kouhi = 0;
        s.uba = 0;
        p.expected << LineId("E", s, QStringLiteral("退職 入院 件数"));
    });
    plantLine(3, [&](TenkenSummaryLine& s) {
        s.lines[5].jitunisuu = s.lines[5].kensuu - 1;
        p.expected << LineId("E", s, QStringLiteral("後期高齢 入院外 実日数"));
    });
    plantLine(1, [&](TenkenSummaryLine& s) {
        s.uba = 1000;
        p.expected << LineId("E", s, QStringLiteral("福祉件数"));
    });
    plantLine(3, [&](TenkenSummaryLine& s) {
        s = TenkenSummaryLine{s.bangou, {}, 3, 1, {}, 0, 0};
        p.expected << LineId("E", s);
    });
    plantLine(1, [&](TenkenSummaryLine& s) {
        s.lines[0] = {12345, 12345, 1234500, 0};
        p.expected << LineId("E", s, QStringLiteral("一般 入院 件数"))
                   << Id("E", "LinesTotal", {}, 1, 0, {}, -1,
                         QStringLiteral("総括表（医） 一般 入院 件数"));
    });
    TenkenSummaryLine lineTwice = m.summaryLines.at(0);
    lineTwice.renban = 2;
    m.summaryLines << lineTwice;
    p.expected << LineId("C", lineTwice);
    p.expected.sort();
    return p;
}

} // namespace tabulon::test
