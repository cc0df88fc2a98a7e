#include "ui/frm_about.h"

#include "message_box.h"
#include "messages.h"
#include "ui/controls.h"
#include "ui/screen_geometry.h"

#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace tabulon {

namespace {

const QString kAppTitle = QStringLiteral("Tabulon");
// The project's version as this box has always shown it: "Ver2.00" for 2.0.
const QString kVersion = QStringLiteral("Ver%1.%2")
                             .arg(TABULON_VERSION_MAJOR)
                             .arg(TABULON_VERSION_MINOR, 2, 10, QLatin1Char('0'));
const QString kBuildDate = QStringLiteral("2008.07.01");

QFrame* makeLine(QWidget* parent, const char* name, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    PlaceTwips(line, 225, top, 5310, 30);
    return line;
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kAppTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QLabel* title = MakeLabel(this, "lblTitle", kAppTitle, {1050, 240, 4470, 480});
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    MakeLabel(this, "lblVersion",
              QStringLiteral("ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ : ") + kVersion.mid(3) +
                  QStringLiteral("\r\r\n作成日 : ") + kBuildDate,
              {1050, 840, 4470, 900});
    MakeLabel(this, "lblDescription", QString(), {1050, 1740, 4470, 300});
    makeLine(this, "Line1", 2130);
    makeLine(this, "Line2", 2145);
    QLabel* disclaimer = MakeLabel(this, "lblDisclaimer", QString(), {255, 2300, 3870, 900});
    disclaimer->setWordWrap(true);

    QPushButton* ok = MakeButton(this, "cmdOK", QStringLiteral("OK"), {4245, 2300, 1500, 420});
    QPushButton* sysInfo =
        MakeButton(this, "cmdSysInfo", QStringLiteral("ｼｽﾃﾑ情報(&S)..."), {4245, 2820, 1500, 420});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &FrmAbout::StartSysInfo);

    FixSizeAndCentre(this, TwipsSize(6000, 3480));
}

QStringList FrmAbout::SystemInfoPrograms() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("lshw-gtk")};
}

void FrmAbout::StartSysInfo() {
    for (const QString& program : SystemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    ShowMessage(msg::kSystemInfoUnavailable, MsgIcon::None);
}

} // namespace tabulon
