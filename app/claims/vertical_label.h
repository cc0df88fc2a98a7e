#pragma once

// A caption written top to bottom, as the group and row captions of the entry
// grid are. Lines of the text ("\n") become columns, read right to left; the
// font shrinks until the text fits inside the label's frame.

#include <QFrame>

namespace tabulon {

class VerticalLabel : public QFrame {
    Q_OBJECT
public:
    VerticalLabel(const QString& text, QWidget* parent);
    QString Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace tabulon
