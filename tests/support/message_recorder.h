#pragma once

// Answers message boxes in advance and records what was shown, for the life
// of the object. Unanswered questions get OK.

#include "message_box.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace tabulon::test {

class MessageRecorder {
public:
    MessageRecorder() {
        SetMessageHandler([this](const ShownMessage& m) {
            shown.push_back(m);
            if (answers.empty())
                return MsgAnswer::Ok;
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~MessageRecorder() { SetMessageHandler({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Answer(MsgAnswer a) { answers.push_back(a); }
    QStringList Texts() const {
        QStringList t;
        for (const auto& m : shown)
            t << m.text;
        return t;
    }

    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;
};

} // namespace tabulon::test
