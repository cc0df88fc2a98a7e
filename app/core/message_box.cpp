#include "message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tabulon {

namespace {

MessageHandler& handler() {
    static MessageHandler h;
    return h;
}

QMessageBox::Icon toQtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgAnswer ShowMessage(const QString& text, MsgIcon icon, MsgButtons buttons) {
    if (handler())
        return handler()(ShownMessage{text, icon, buttons});
    QMessageBox box(toQtIcon(icon), QStringLiteral("Tabulon"), text,
                    buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                    : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

QString ErrorReportText(int number, const QString& description) {
    return QStringLiteral("ｴﾗｰ番号 = ") + QString::number(number) + QStringLiteral("\r\r") +
           description;
}

void ShowErrorReport(int number, const QString& description) {
    ShowMessage(ErrorReportText(number, description), MsgIcon::Critical);
}

void SetMessageHandler(MessageHandler h) { handler() = std::move(h); }

} // namespace tabulon
