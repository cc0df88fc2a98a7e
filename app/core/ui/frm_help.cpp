#include "ui/frm_help.h"

#include "app_paths.h"
#include "message_box.h"
#include "messages.h"
#include "modal_screen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tabulon {

namespace {

constexpr QSize kWindowSize(880, 680);

// F1 on any window of the application, unless the manual is already the one
// in front.
class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        QWidget* front = QApplication::activeModalWidget();
        if (!front)
            front = QApplication::activeWindow();
        if (!qobject_cast<FrmHelp*>(front))
            ShowManual(front);
        return true;
    }
};

} // namespace

FrmHelp::FrmHelp(const QString& manual, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    browser_->setObjectName(QStringLiteral("txtManual"));
    browser_->setAccessibleName(QStringLiteral("使い方"));
    // Nothing leaves the program: a link to elsewhere is not followed.
    browser_->setOpenLinks(false);
    browser_->setSource(QUrl::fromLocalFile(manual));
    setWindowTitle(browser_->documentTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(kWindowSize);
}

QString ManualFile() {
    return QDir(HelpFolder()).filePath(QStringLiteral("manual.html"));
}

void ShowManual(QWidget* parent) {
    const QString manual = ManualFile();
    if (!QFileInfo(manual).isFile()) {
        ShowMessage(msg::kManualMissing.arg(QDir::toNativeSeparators(manual)),
                    MsgIcon::Exclamation);
        return;
    }
    FrmHelp help(manual, parent);
    OpenModal(help);
}

void InstallHelpKey(QObject* owner) {
    qApp->installEventFilter(new HelpKey(owner));
}

} // namespace tabulon
