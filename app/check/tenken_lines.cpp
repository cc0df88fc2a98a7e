#include "tenken_lines.h"

#include "tenken_hooks.h"

namespace tabulon {

namespace {

QString KindText(const TenkenFinding& f) {
    if (f.subject != TenkenSubject::Claim) {
        static const QStringList marks{QStringLiteral("医"), QStringLiteral("歯"),
                                       QStringLiteral("調")};
        const QString mark = marks.value(f.kind - 1, QString::number(f.kind));
        return QStringLiteral("総括表（%1）").arg(mark);
    }
    const TenkenHooks& hooks = TenkenScreenHooks();
    return hooks.claimKindName ? hooks.claimKindName(f.kind) : QString::number(f.kind);
}

QString WhereText(const TenkenFinding& f) {
    if (f.box.isEmpty())
        return f.where;
    const TenkenHooks& hooks = TenkenScreenHooks();
    if (hooks.boxCaption)
        return hooks.boxCaption(f.kind, f.box, f.index);
    return f.index < 0 ? f.box : QStringLiteral("%1(%2)").arg(f.box).arg(f.index);
}

} // namespace

const QStringList& TenkenHeadings() {
    static const QStringList headings{QStringLiteral("区分"), QStringLiteral("保険者番号"),
                                      QStringLiteral("種類"), QStringLiteral("診療科"),
                                      QStringLiteral("連番"), QStringLiteral("箇所"),
                                      QStringLiteral("内容")};
    return headings;
}

QString GradeWord(TenkenGrade grade) {
    return grade == TenkenGrade::Error ? QStringLiteral("誤り") : QStringLiteral("確認");
}

QStringList TenkenLine(const TenkenFinding& f) {
    const bool total =
        f.subject == TenkenSubject::MonthTotal || f.subject == TenkenSubject::LinesTotal;
    return {GradeWord(f.grade),
            f.bangou,
            KindText(f),
            f.sinryouka,
            total ? QString() : QString::number(f.renban),
            WhereText(f),
            f.text};
}

} // namespace tabulon
