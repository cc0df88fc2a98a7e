#include "ui/nengetu_label.h"

#include "era/wareki.h"
#include "globals.h"

#include <QLabel>

namespace tabulon {

QLabel* MakeNengetuLabel(QWidget* parent, TwipRect at) {
    QLabel* label = MakeLabel(parent, "lblSyoriNengetu", QString(), at);
    ShowNengetu(label);
    return label;
}

void ShowNengetu(QLabel* label) {
    label->setText(QStringLiteral("処理年月　") + NengetuText(gNengetu));
    label->setAccessibleName(label->text());
}

} // namespace tabulon
