#pragma once

// A stand-in for an entry screen: text boxes named as the screens name them,
// array elements told apart by the property "Index".

#include <QLineEdit>
#include <QWidget>

namespace tabulon::test {

class FakeScreen : public QWidget {
public:
    // Sets box `name`(index) (index -1: a single box), creating it on first use.
    void Set(const QString& name, int index, const QString& text) {
        QLineEdit* box = nullptr;
        for (QLineEdit* b : findChildren<QLineEdit*>(name))
            if (index < 0 ? !b->property("Index").isValid() : b->property("Index").toInt() == index)
                box = b;
        if (box == nullptr) {
            box = new QLineEdit(this);
            box->setObjectName(name);
            if (index >= 0)
                box->setProperty("Index", index);
        }
        box->setText(text);
    }
    void Set(const QString& name, const QString& text) { Set(name, -1, text); }

    // Creates every box of a claim screen with lines 0..lastRowIndex, empty.
    void AddClaimBoxes(int lastRowIndex) {
        for (const char* single : {"txtBangou", "txtSinryouka", "txtKouhi", "txtUba"})
            Set(QString::fromLatin1(single), QString());
        for (int i = 0; i <= lastRowIndex; ++i)
            for (const char* array : {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtFutankin",
                                      "txtKensuu2", "txtNisuu", "txtKingaku", "txtFutangaku"})
                Set(QString::fromLatin1(array), i, QString());
    }
};

} // namespace tabulon::test
