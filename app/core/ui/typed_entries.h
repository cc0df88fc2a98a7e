#pragma once

// What the clerk has typed on a screen since it was last loaded or saved: the
// texts of its boxes and the states of its check and option buttons, compared
// with a snapshot taken at that moment. A screen whose entries differ asks
// before it closes, by its 閉じる button or by the window's own close, so
// nothing typed is lost by a close.

#include <QObject>
#include <QString>
#include <QVariantList>

class QWidget;

namespace tabulon {

class TypedEntries : public QObject {
public:
    // Watches the window close of `screen`. The screen takes its first
    // snapshot once its boxes hold what it loaded (empty for a new entry).
    explicit TypedEntries(QWidget* screen);

    // The entries as they are now count as loaded or saved.
    void Snapshot();
    bool Changed() const;
    // A sentence put before the question until the next snapshot, such as
    // that the entries went out on paper without being saved.
    void SetCloseNote(const QString& note) { closeNote_ = note; }

    // True when the screen may close: nothing changed, or the clerk answered
    // OK to the question.
    bool MayClose() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVariantList Current() const;

    QWidget* screen_;
    QVariantList snapshot_;
    QString closeNote_;
};

} // namespace tabulon
