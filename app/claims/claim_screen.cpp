#include "claim_screen.h"

#include "claim_columns.h"
#include "globals.h"
#include "ui/clerk_keys.h"
#include "ui/typed_entries.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace tabulon {

namespace {

const QColor kWhite(Qt::white);
const QColor kGrey(0xC0, 0xC0, 0xC0);

} // namespace

QString BoxKey(const QString& name, int index) {
    return index < 0 ? name : name + u'(' + QString::number(index) + u')';
}

void SetBoxColor(QLineEdit* box, const QColor& color) {
    QPalette palette = box->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, color);
    box->setPalette(palette);
}

bool IsSougou() {
    return gSougou == QLatin1String("1");
}

ClaimScreen::ClaimScreen(int kind, QWidget* parent) : QDialog(parent), kind_(ClaimKindOf(kind)) {
    setObjectName(QString::fromUtf8(kind_.screen));
    setWindowTitle(QString::fromUtf8(kind_.name));
    UseClerkKeys(this, EscapeKey::Ignored);
    BuildControls();
    SetTabOrder();

    // The screen keeps the size it was designed with, centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    SetUpSinryouka();
    entries_ = new TypedEntries(this);
    entries_->Snapshot();
}

void ClaimScreen::SetLoadedRow(QVariantMap row) {
    loadedRow_ = std::move(row);
    entries_->Snapshot();
}

QLineEdit* ClaimScreen::Box(const QString& name, int index) const {
    return boxes_.value(BoxKey(name, index));
}

QPushButton* ClaimScreen::Button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

int ClaimScreen::Page() const {
    return tabs_ ? tabs_->currentIndex() : 0;
}

void ClaimScreen::SetUpSinryouka() {
    QLineEdit* sinryouka = Box(QStringLiteral("txtSinryouka"));
    if (!kind_.sinryouka)
        return;
    sinryouka->setEnabled(IsSougou());
    SetBoxColor(sinryouka, IsSougou() ? kWhite : kGrey);
}

void ClaimScreen::DataClear() {
    const auto clear = [this](const QString& name, int index) {
        if (QLineEdit* box = Box(name, index)) {
            box->clear();
            SetBoxColor(box, kWhite);
        }
    };
    clear(QStringLiteral("txtBangou"), -1);
    if (kind_.sinryouka && IsSougou())
        clear(QStringLiteral("txtSinryouka"), -1);
    clear(QStringLiteral("txtKouhi"), -1);
    if (kind_.code != 4)
        clear(QStringLiteral("txtUba"), -1);
    for (int i = 0; i <= MaxRowIndex(kind_); ++i) {
        for (const QString& array : CareArrays())
            clear(array, i);
        if (kind_.food) {
            for (const QString& array : FoodArrays())
                clear(array, i);
        }
    }
    Box(QStringLiteral("txtBangou"))->setFocus();
    entries_->Snapshot();
}

BoxRef ClaimScreen::RefOf(QObject* box) const {
    return refs_.value(qobject_cast<QLineEdit*>(box));
}

void ClaimScreen::FocusBox(const BoxRef& target) {
    QWidget* widget = target.name.startsWith(QLatin1String("cmd"))
                          ? static_cast<QWidget*>(Button(target.name))
                          : Box(target.name, target.index);
    if (widget)
        widget->setFocus(Qt::OtherFocusReason);
}

bool ClaimScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            refs_.contains(qobject_cast<QLineEdit*>(watched))) {
            FocusBox(NextOnEnter(kind_, RefOf(watched), {Page(), IsSougou()}));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tabulon
