// Builds the frame of an entry screen from the kind's data: the header, the
// side boxes, the buttons, the tab pages and the tab order.

#include "claim_columns.h"
#include "claim_screen.h"
#include "helpers/key_filters.h"
#include "layout_units.h"
#include "ui/controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <array>

namespace tabulon {

namespace {

// A box that puts the caret at the start of its text when it gets the focus,
// without selecting it, as the figure boxes do.
class FigureBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
        setCursorPosition(0);
    }
};

// Ctrl+PgUp and Ctrl+PgDn turn the pages, as Ctrl+Tab does, while the focus is
// on the tab control; the tab control sees the keys its boxes leave unused.
class PageKeys : public QObject {
public:
    explicit PageKeys(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) {
        tabs->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != tabs_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ControlModifier))
            return false;
        int step = 0;
        if (key->key() == Qt::Key_PageUp)
            step = -1;
        else if (key->key() == Qt::Key_PageDown)
            step = 1;
        else
            return false;
        const int page = tabs_->currentIndex() + step;
        if (page >= 0 && page < tabs_->count())
            tabs_->setCurrentIndex(page);
        return true;
    }

private:
    QTabWidget* tabs_;
};

// A side caption kept on one line, widened to its text when the designed
// width is too narrow for the screen's font.
QLabel* AddSideCaption(QWidget* parent, const QString& caption, const QRect& place) {
    QLabel* label = AddLabel(parent, caption, place);
    label->setWordWrap(false);
    WidenToText(label);
    return label;
}

} // namespace

void ClaimScreen::BuildControls() {
    const int width = kind_.code == 1 ? 11370 : 11145;
    setFixedSize(width / 15, 7815 / 15);
    BuildHeader();
    BuildSideBoxes();
    BuildButtons();
    if (kind_.retired) {
        tabs_ = new QTabWidget(this);
        tabs_->setObjectName(QStringLiteral("SSTab1"));
        // Without the food block the control leaves room for the right-hand buttons.
        tabs_->setGeometry(Twips(120, 1440, kind_.food ? 9510 : 9285, 6135));
        for (int page = 0; page < 2; ++page) {
            auto* content = new QWidget;
            content->setObjectName(QStringLiteral("SSTab1Page%1").arg(page));
            tabs_->addTab(content, PageTitle(page));
        }
        // Positions inside the pages are measured from the tab control's corner.
        const QPoint origin(-2, -tabs_->tabBar()->sizeHint().height() - 2);
        for (int page = 0; page < 2; ++page)
            BuildGrid(tabs_->widget(page), origin, page);
        // A page change, by click or by keyboard (Ctrl+Tab, Ctrl+PgUp/PgDn), and a
        // click on the page shown put the focus on the page's first count box.
        const auto focusFirstBox = [this](int page) {
            if (page >= 0)
                FocusBox({CareArrays().front(), FirstRowIndex(kind_, page)});
        };
        connect(tabs_, &QTabWidget::currentChanged, this, focusFirstBox);
        connect(tabs_, &QTabWidget::tabBarClicked, this, focusFirstBox);
        new PageKeys(tabs_);
    } else {
        const int firstLineTop = kind_.code == 6 ? 3120 : 3240;
        BuildGrid(this, QPoint(120 / 15, (firstLineTop - 1200) / 15), 0);
    }
}

void ClaimScreen::BuildHeader() {
    QLabel* title = AddLabel(this, QString::fromUtf8(kind_.title), Twips(240, 360, 3375, 375));
    title->setObjectName(QStringLiteral("lblMidasi"));
    QFont font = title->font();
    font.setPointSizeF(14.25);
    title->setFont(font);

    // The header row: above the tab control on the paged screens, lower on the others.
    const bool paged = kind_.retired;
    const int captionTop = paged ? 360 : 1200;
    const int boxTop = paged ? 720 : 1440;
    const int bangouLeft = paged ? 5520 : 1320;
    const int kenLeft = bangouLeft + 1440;
    const int sinryoukaLeft = kenLeft + (paged ? 1200 : 1080);
    const Qt::Alignment centre = Qt::AlignCenter;

    AddLabel(this, QStringLiteral("保険者番号"), Twips(bangouLeft, captionTop, 1335, 255), centre);
    QLineEdit* bangou = AddBox(this, QStringLiteral("txtBangou"), -1,
                               Twips(bangouLeft, boxTop, 1335, 270), QStringLiteral("保険者番号"));
    bangou->setAlignment(Qt::AlignCenter);
    AddLabel(this, QStringLiteral("県番号"), Twips(kenLeft, captionTop, 855, 255), centre);
    AddLabel(this, QStringLiteral("23"), Twips(kenLeft, boxTop, 855, 255), centre);

    QLabel* sinryoukaCaption = AddLabel(this, QStringLiteral("診療科"),
                                        Twips(sinryoukaLeft, captionTop, 855, 255), centre);
    QLineEdit* sinryouka = AddBox(this, QStringLiteral("txtSinryouka"), -1,
                                  Twips(sinryoukaLeft, boxTop, 855, 270), QStringLiteral("診療科"));
    sinryouka->setAlignment(Qt::AlignCenter);
    sinryoukaCaption->setVisible(kind_.sinryouka);
    sinryouka->setVisible(kind_.sinryouka);
}

void ClaimScreen::BuildSideBoxes() {
    const int right = kind_.code == 1 ? 9945 : 9720;
    if (kind_.retired) {
        AddSideCaption(this, QStringLiteral("①公費"), Twips(right, 2235, 1095, 255));
        AddBox(this, QStringLiteral("txtKouhi"), -1, Twips(right, 2520, 1095, 270),
               QStringLiteral("①公費"));
    } else {
        AddLabel(this, QStringLiteral("件　　　数"), Twips(1800, 5460, 1095, 255), Qt::AlignCenter);
        AddLabel(this, QStringLiteral("原　等"), Twips(960, 5760, 780, 270), Qt::AlignCenter);
        AddBox(this, QStringLiteral("txtKouhi"), -1, Twips(1800, 5760, 1095, 270),
               QStringLiteral("原等件数"));
    }
    QLabel* ubaCaption =
        AddSideCaption(this, QStringLiteral("②子障母精後"), Twips(right, 3195, 1095, 255));
    QLineEdit* uba = AddBox(this, QStringLiteral("txtUba"), -1, Twips(right, 3480, 1095, 270),
                            QStringLiteral("②子障母精後"));
    ubaCaption->setVisible(kind_.ubaShown);
    uba->setVisible(kind_.ubaShown);
}

void ClaimScreen::BuildButtons() {
    struct Place {
        const char* name;
        const char* caption;
        QRect twips;
    };
    const bool paged = kind_.retired;
    const int column = kind_.code == 1 ? 9825 : 9600;
    const int printLeft = paged ? 9600 : (kind_.code == 2 ? 8760 : 8640);
    const std::array<Place, 4> places{{
        {"cmdSave", "保存", paged ? Twips(column, 5400, 1335, 615) : Twips(6720, 6840, 1335, 615)},
        {"cmdDelete", "削除",
         paged ? Twips(column, 6120, 1335, 615) : Twips(8160, 6840, 1335, 615)},
        {"cmdClose", "閉じる",
         paged ? Twips(column, 6840, 1335, 615) : Twips(9600, 6840, 1335, 615)},
        {"cmdPrint", "請求書印刷",
         paged ? Twips(printLeft, 240, 1335, 615) : Twips(printLeft, 1200, 1335, 615)},
    }};
    for (const Place& place : places) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QString::fromUtf8(place.name));
        button->setGeometry(place.twips);
    }
    connect(Button(QStringLiteral("cmdSave")), &QPushButton::clicked, this, &ClaimScreen::Save);
    connect(Button(QStringLiteral("cmdDelete")), &QPushButton::clicked, this, &ClaimScreen::Delete);
    connect(Button(QStringLiteral("cmdClose")), &QPushButton::clicked, this,
            &ClaimScreen::CloseScreen);
    connect(Button(QStringLiteral("cmdPrint")), &QPushButton::clicked, this, &ClaimScreen::Print);
}

QLineEdit* ClaimScreen::AddBox(QWidget* parent, const QString& name, int index, const QRect& twips,
                               const QString& accessibleName) {
    QLineEdit* box =
        index < 0 && name != QLatin1String("txtKouhi") && name != QLatin1String("txtUba")
            ? new QLineEdit(parent)
            : new FigureBox(parent);
    box->setObjectName(name);
    box->setGeometry(twips);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMaxLength(InputLimit(kind_, name));
    box->setAccessibleName(accessibleName);
    if (index >= 0)
        box->setProperty("Index", index); // how printing finds array elements
    new DigitKeyFilter(box);
    box->installEventFilter(this);
    boxes_.insert(BoxKey(name, index), box);
    refs_.insert(box, {name, index});
    return box;
}

void ClaimScreen::SetTabOrder() {
    QList<QWidget*> order{Box(QStringLiteral("txtBangou")), Box(QStringLiteral("txtSinryouka"))};
    for (int i = 0; i <= MaxRowIndex(kind_); ++i) {
        for (const QString& array : CareArrays())
            order << Box(array, i);
        if (kind_.food && i % 2 == 0) {
            for (const QString& array : FoodArrays())
                order << Box(array, i);
        }
    }
    order << Box(QStringLiteral("txtKouhi")) << Box(QStringLiteral("txtUba"));
    for (const char* name : {"cmdSave", "cmdDelete", "cmdClose", "cmdPrint"})
        order << Button(QString::fromUtf8(name));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

} // namespace tabulon
