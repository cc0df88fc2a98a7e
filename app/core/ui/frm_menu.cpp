#include "ui/frm_menu.h"

#include "globals.h"
#include "message_box.h"
#include "messages.h"
#include "modal_screen.h"
#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/frm_about.h"
#include "ui/frm_copy.h"
#include "ui/frm_delete.h"
#include "ui/frm_help.h"
#include "ui/frm_touroku.h"
#include "ui/menu_backup.h"
#include "ui/month_check.h"
#include "ui/reporting_errors.h"
#include "ui/screen_geometry.h"
#include "ui/year_month_lists.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace tabulon {

namespace {

constexpr QSize kClientSize = TwipsSize(6300, 5400);

template <typename Screen> void openOwnScreen(QWidget* parent) {
    Screen screen(parent);
    OpenModal(screen);
}

} // namespace

FrmMenu::FrmMenu(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("Tabulon"));
    buildControls();
    buildMenus();
    UseClerkKeys(this, EscapeKey::Closes);
    centralWidget()->setFixedSize(kClientSize);
    FixSizeAndCentre(this, sizeHint());
    FillYearMonth();
}

FrmMenu::~FrmMenu() = default;

void FrmMenu::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    QLabel* title = MakeLabel(client, "Label1", QStringLiteral("Tabulon"), {0, 300, 6300, 900});
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2 + 4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    MakeLabel(client, "Label5", QStringLiteral("診療年月"), {600, 1500, 1200, 360});
    MakeLabel(client, "Label2", QStringLiteral("平成"), {1860, 1500, 540, 360});
    cboYear_ = MakeCombo(client, "cboYear", QStringLiteral("診療年月 年"), {2400, 1470, 960, 420});
    MakeLabel(client, "Label3", QStringLiteral("年"), {3420, 1500, 300, 360});
    cboMonth_ =
        MakeCombo(client, "cboMonth", QStringLiteral("診療年月 月"), {3780, 1470, 960, 420});
    MakeLabel(client, "Label4", QStringLiteral("月"), {4800, 1500, 300, 360});

    QPushButton* seikyuu = MakeButton(client, "cmdSeikyuu", QStringLiteral("請求書と総括表の作成"),
                                      {900, 2280, 4500, 540});
    QPushButton* soukatu1 =
        MakeButton(client, "cmdSoukatu1", QStringLiteral("総括表のみ作成　（提出用）"),
                   {900, 2940, 4500, 540});
    QPushButton* soukatu2 =
        MakeButton(client, "cmdSoukatu2", QStringLiteral("総括表のみ作成　（提出用・控）"),
                   {900, 3600, 4500, 540});
    QPushButton* end =
        MakeButton(client, "cmdEnd", QStringLiteral("終　　　　　　了"), {900, 4500, 4500, 540});

    connect(cboYear_, &QComboBox::activated, this, &FrmMenu::onYearClicked);
    connect(seikyuu, &QPushButton::clicked, this,
            [this, seikyuu] { openWorkScreen(seikyuu, QStringLiteral("frmList")); });
    connect(soukatu1, &QPushButton::clicked, this,
            [this, soukatu1] { openWorkScreen(soukatu1, QStringLiteral("frmSoukatu")); });
    connect(soukatu2, &QPushButton::clicked, this,
            [this, soukatu2] { openWorkScreen(soukatu2, QStringLiteral("frmSoukatu2")); });
    connect(end, &QPushButton::clicked, this, &FrmMenu::onEnd);
}

void FrmMenu::buildMenus() {
    auto addMenu = [this](QMenu* owner, const char* name, const QString& caption) {
        QMenu* menu = owner ? owner->addMenu(caption) : menuBar()->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        return item;
    };

    QMenu* file = addMenu(nullptr, "MenuFile", QStringLiteral("ﾌｧｲﾙ"));
    // The file items are kept where the clerk knows them but do nothing.
    const std::pair<const char*, const char*> idle[] = {{"MenuNew", "新規作成"},
                                                        {"MenuOpen", "ﾌｧｲﾙを開く"},
                                                        {"MenuOverSave", "上書き保存"},
                                                        {"MenuSave", "名前をつけて保存"}};
    const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_N),
                                 QKeySequence(Qt::CTRL | Qt::Key_O),
                                 QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence()};
    for (int i = 0; i < 4; ++i) {
        QAction* item = addItem(file, idle[i].first, QString::fromUtf8(idle[i].second));
        item->setShortcut(keys[i]);
        item->setEnabled(false);
    }
    file->addSeparator();
    connect(addItem(file, "MenuCopy", QStringLiteral("コピー")), &QAction::triggered, this, [this] {
        openOwnScreen<FrmCopy>(this);
        FillYearMonth();
    });
    connect(addItem(file, "MenuDelete", QStringLiteral("削除")), &QAction::triggered, this, [this] {
        openOwnScreen<FrmDelete>(this);
        FillYearMonth();
    });
    file->addSeparator();
    AddBackupItems(*this, file);
    file->addSeparator();
    connect(addItem(file, "MenuClose", QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了")), &QAction::triggered,
            this, [this] { close(); });

    QMenu* settei = addMenu(nullptr, "MenuSettei", QStringLiteral("設定"));
    connect(addItem(settei, "MenuIryoukikan", QStringLiteral("医療機関登録")), &QAction::triggered,
            this, [this] { openOwnScreen<FrmTouroku>(this); });

    // The pre-claim check of the month chosen in the boxes, as the work screens open.
    QAction* tenken = menuBar()->addAction(QStringLiteral("請求前点検"));
    tenken->setObjectName(QStringLiteral("MenuTenken"));
    connect(tenken, &QAction::triggered, this, [this] {
        if (!CheckYearMonth(cboYear_, cboMonth_))
            return;
        gNengetu = MonthKey(cboYear_->currentText(), cboMonth_->currentText());
        OpenScreen(QStringLiteral("frmTenken"), this);
    });

    QAction* about = menuBar()->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
    about->setObjectName(QStringLiteral("MenuAbout"));
    connect(about, &QAction::triggered, this, [this] { openOwnScreen<FrmAbout>(this); });

    QMenu* help = addMenu(nullptr, "MenuHelp", QStringLiteral("ヘルプ"));
    QAction* manual = addItem(help, "MenuManual", QStringLiteral("使い方"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(manual, &QAction::triggered, this, [this] { ShowManual(this); });
    // F1 on the screens opened from here, which have no menu of their own.
    InstallHelpKey(this);

    // F10 opens the menu bar as on the platform these screens come from; Alt
    // enters it through the style.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().first()); });
}

void FrmMenu::FillYearMonth() {
    ReportingErrors([this] {
        const QString defaultYear = gZengetu.mid(1, 2);
        const QString defaultMonth = gZengetu.mid(3, 2);
        QStringList years = StoredYears();
        if (years.isEmpty() || defaultYear > years.last())
            years << defaultYear;
        FillAndSelectLast(cboYear_, years);
        onYearClicked();

        QStringList months = StoredMonths(cboYear_->currentText(), true);
        if (months.isEmpty() || defaultMonth > months.last())
            months << defaultMonth;
        FillAndSelectLast(cboMonth_, months);
    });
}

void FrmMenu::onYearClicked() {
    ReportingErrors(
        [this] { FillAndSelectLast(cboMonth_, StoredMonths(cboYear_->currentText(), false)); });
}

void FrmMenu::openWorkScreen(QPushButton* button, const QString& screen) {
    if (!CheckYearMonth(cboYear_, cboMonth_))
        return;
    gNengetu = MonthKey(cboYear_->currentText(), cboMonth_->currentText());
    button->setFocus();
    OpenScreen(screen, this);
}

void FrmMenu::onEnd() {
    if (close())
        QApplication::quit();
}

void FrmMenu::closeEvent(QCloseEvent* event) {
    if (!closeConfirmed_)
        closeConfirmed_ = ShowMessage(msg::kConfirmExit, MsgIcon::Question, MsgButtons::OkCancel) ==
                          MsgAnswer::Ok;
    if (closeConfirmed_)
        event->accept();
    else
        event->ignore();
}

std::unique_ptr<FrmMenu> CreateMainMenu() {
    return std::make_unique<FrmMenu>();
}

} // namespace tabulon
