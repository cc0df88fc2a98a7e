#include "pdf_text_layer.h"

#include "radical_table.h"

namespace tabulon {

namespace {

// Rewrites one "<XXXX>" destination token at `pos` (the '<') when it names a
// radical.
void FixDestination(QByteArray& pdf, qsizetype pos, qsizetype end) {
    if (end - pos != 5) // four hex digits between the brackets
        return;
    bool ok = false;
    const uint code = pdf.mid(pos + 1, 4).toUInt(&ok, 16);
    const char16_t ideograph = ok ? IdeographForRadical(static_cast<char16_t>(code)) : 0;
    if (ideograph)
        pdf.replace(pos + 1, 4, QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0'));
}

// Walks the tokens of one bfchar or bfrange section: sources are left alone,
// destinations that stand for one character each are fixed. A range with one
// destination counts up from it, so it is fixed only when it is one code long.
void FixSection(QByteArray& pdf, qsizetype from, qsizetype to, bool ranges) {
    int operand = 0; // position of the next hex token within its entry
    bool inArray = false;
    QByteArray firstSource;
    QByteArray lastSource;
    for (qsizetype i = from; i < to; ++i) {
        const char c = pdf.at(i);
        if (c == '[') {
            inArray = true;
        } else if (c == ']') {
            inArray = false;
            operand = 0;
        } else if (c == '<') {
            const qsizetype close = pdf.indexOf('>', i);
            if (close < 0 || close > to)
                return;
            const int destinationOperand = ranges ? 2 : 1;
            const QByteArray token = pdf.mid(i, close - i + 1);
            if (operand == 0)
                firstSource = token;
            else if (operand == 1)
                lastSource = token;
            if (inArray ||
                (operand == destinationOperand && (!ranges || firstSource == lastSource)))
                FixDestination(pdf, i, close);
            if (!inArray)
                operand = operand == destinationOperand ? 0 : operand + 1;
            i = close;
        }
    }
}

void FixSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end, bool ranges) {
    qsizetype pos = 0;
    while ((pos = pdf.indexOf(begin, pos)) >= 0) {
        const qsizetype stop = pdf.indexOf(end, pos);
        if (stop < 0)
            return;
        FixSection(pdf, pos + begin.size(), stop, ranges);
        pos = stop + end.size();
    }
}

} // namespace

void MapRadicalsToIdeographs(QByteArray& pdf) {
    FixSections(pdf, QByteArrayLiteral("beginbfchar"), QByteArrayLiteral("endbfchar"), false);
    FixSections(pdf, QByteArrayLiteral("beginbfrange"), QByteArrayLiteral("endbfrange"), true);
}

} // namespace tabulon
