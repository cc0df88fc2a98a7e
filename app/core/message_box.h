#pragma once

// The one way the program shows a message box (title "Tabulon"). Tests answer
// the boxes in advance through SetMessageHandler and read back what was shown.

#include <QString>
#include <functional>

namespace tabulon {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel };
enum class MsgAnswer { Ok, Cancel };

struct ShownMessage {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
};

MsgAnswer ShowMessage(const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok);

// The standard error report: "ｴﾗｰ番号 = " + number + CR CR + description,
// critical-stop icon, OK button.
void ShowErrorReport(int number, const QString& description);
QString ErrorReportText(int number, const QString& description);

using MessageHandler = std::function<MsgAnswer(const ShownMessage&)>;
// Replaces the real message box; an empty handler restores it.
void SetMessageHandler(MessageHandler handler);

} // namespace tabulon
