#include "screen_boxes.h"

#include "globals.h"
#include "print_errors.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace tabulon {

namespace {

QString controlText(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return control->property("text").toString();
}

const QWidget* mainMenu() {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("frmMenu"))
            return w;
    return nullptr;
}

QString menuBoxText(const QString& name, int nengetuFrom) {
    if (const QWidget* menu = mainMenu())
        if (const QWidget* box = FindControl(menu, name))
            return controlText(box);
    return gNengetu.mid(nengetuFrom, 2);
}

} // namespace

QWidget* FindControl(const QWidget* screen, const QString& name, int index) {
    if (screen == nullptr)
        return nullptr;
    const QList<QWidget*> named = screen->findChildren<QWidget*>(name);
    for (QWidget* control : named) {
        const QVariant at = control->property("Index");
        if (index < 0 ? !at.isValid() : (at.isValid() && at.toInt() == index))
            return control;
    }
    return nullptr;
}

QString BoxText(const QWidget* screen, const QString& name, int index) {
    const QWidget* control = FindControl(screen, name, index);
    if (control == nullptr) {
        const QString full = index < 0 ? name : name + u'(' + QString::number(index) + u')';
        throw ReportError(kErrPrintNoSuchControl,
                          QStringLiteral("コントロール %1 がありません。").arg(full));
    }
    return controlText(control);
}

QString MenuYearText() {
    return menuBoxText(QStringLiteral("cboYear"), 0);
}

QString MenuMonthText() {
    return menuBoxText(QStringLiteral("cboMonth"), 2);
}

} // namespace tabulon
