#pragma once

// The fixed path that Enter walks through a screen's boxes.

#include <QList>
#include <QObject>

class QWidget;

namespace tabulon {

class EnterPath : public QObject {
    Q_OBJECT
public:
    // Enter in each control but the last moves the focus to the next one.
    EnterPath(QObject* parent, QList<QWidget*> path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> path_;
};

} // namespace tabulon
