#include "ui/month_check.h"

#include "globals.h"
#include "message_box.h"
#include "messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>
#include <optional>

namespace tabulon {

namespace {

std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A whole number in [low, high], or nothing.
std::optional<int> wholeIn(const QString& text, int low, int high) {
    const std::optional<double> value = numberOf(text);
    if (!value || *value != std::floor(*value) || *value < low || *value > high)
        return std::nullopt;
    return static_cast<int>(*value);
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString EntryText(const QWidget* box) {
    if (const auto* combo = qobject_cast<const QComboBox*>(box))
        return combo->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(box))
        return edit->text();
    return {};
}

void SetBoxBackground(QWidget* box, bool red) {
    const QColor colour = red ? QColor(Qt::red) : QColor(Qt::white);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
        combo->lineEdit()->setPalette(palette);
}

bool HasRedBackground(const QWidget* box) {
    return box->palette().color(QPalette::Base) == QColor(Qt::red);
}

int ComboCheck(QWidget* box) {
    const QString text = EntryText(box);
    int code = kMonthOk;
    if (text.isEmpty())
        code = kMissing;
    else if (!numberOf(text))
        code = kNotNumeric;
    SetBoxBackground(box, code != kMonthOk);
    box->setFocus();
    return code;
}

int DateCheck(const QString& year, const QString& month) {
    // An era year beyond 99 would not fit the four characters of a month key.
    if (!wholeIn(month, 1, 12) || !wholeIn(year, 1, 99))
        return kBadDate;
    return MonthKey(year, month) > gToday.mid(1, 4) ? kFuture : kMonthOk;
}

QString MonthKey(const QString& year, const QString& month) {
    return twoDigits(static_cast<int>(numberOf(year).value_or(0))) +
           twoDigits(static_cast<int>(numberOf(month).value_or(0)));
}

void ShowMonthCheckMessage(int code) {
    static const QString* const texts[] = {nullptr, &msg::kNotNumeric, &msg::kRequiredMissing,
                                           &msg::kInvalidDate, &msg::kFutureDate};
    if (code > kMonthOk && code <= kFuture)
        ShowMessage(*texts[code], MsgIcon::Exclamation);
}

bool CheckYearMonth(QWidget* year, QWidget* month) {
    int code = ComboCheck(year);
    if (code == kMonthOk)
        code = ComboCheck(month);
    if (code == kMonthOk) {
        code = DateCheck(EntryText(year), EntryText(month));
        if (code != kMonthOk) {
            SetBoxBackground(year, true);
            SetBoxBackground(month, true);
        }
    }
    ShowMonthCheckMessage(code);
    return code == kMonthOk;
}

} // namespace tabulon
