#include "claim_check_hooks.h"

#include "claim_kinds.h"
#include "claim_screen.h"
#include "db/db_error.h"
#include "frm_tenken.h"
#include "globals.h"
#include "mdu_seikyusyo.h"
#include "message_box.h"
#include "modal_screen.h"
#include "tenken_hooks.h"

#include <QHash>
#include <QLineEdit>
#include <QTabWidget>

namespace tabulon {

namespace {

// The accessible names of a kind's boxes, which are their captions on the
// screen; read once per kind from a screen built for the purpose.
QString BoxCaption(int kind, const QString& box, int index) {
    static QHash<int, QHash<QString, QString>> captions;
    if (!captions.contains(kind) && FindClaimKind(kind)) {
        const ClaimScreen screen(kind);
        QHash<QString, QString>& names = captions[kind];
        for (const QLineEdit* edit : screen.findChildren<QLineEdit*>()) {
            const QVariant i = edit->property("Index");
            names.insert(BoxKey(edit->objectName(), i.isValid() ? i.toInt() : -1),
                         edit->accessibleName());
        }
    }
    return captions.value(kind).value(BoxKey(box, index), box);
}

// The clerk comes to correct the box a finding names: it gets the focus, on
// its tab page.
void FocusFinding(ClaimScreen& screen, const QString& box, int index) {
    QLineEdit* edit = screen.Box(box, index);
    if (!edit)
        return;
    if (QTabWidget* tabs = screen.Tabs())
        for (QWidget* w = edit; w; w = w->parentWidget())
            if (tabs->indexOf(w) >= 0)
                tabs->setCurrentWidget(w);
    edit->setFocus(Qt::OtherFocusReason);
}

} // namespace

void OpenStoredClaim(const ClaimKey& key, QWidget* parent, const QString& box, int index) {
    if (!FindClaimKind(key.kind))
        return;
    CurrentClaim.EditMode = true;
    CurrentClaim.bangou = key.bangou;
    CurrentClaim.sinryouka = key.sinryouka;
    CurrentClaim.kind = key.kind;
    CurrentClaim.renban = key.renban;
    ClaimScreen screen(key.kind, parent);
    try {
        SetInputLimits(screen, screen.Kind().lastRowIndex);
        LoadSeikyuu(screen, ClaimQuery(key), screen.Kind().lastRowIndex);
    } catch (const DbError& e) {
        ShowErrorReport(e.Number(), e.Description());
        return;
    }
    if (!box.isEmpty())
        FocusFinding(screen, box, index);
    OpenModal(screen);
}

void RegisterClaimCheck() {
    RegisterTenkenScreen();
    TenkenHooks& hooks = TenkenScreenHooks();
    hooks.openClaim = [](const TenkenFinding& f, QWidget* parent) {
        OpenStoredClaim({gNengetu, f.bangou, f.sinryouka, f.kind, f.renban}, parent, f.box,
                        f.index);
    };
    hooks.claimKindName = [](int kind) { return SyuruiName(QString::number(kind)); };
    hooks.boxCaption = BoxCaption;
}

} // namespace tabulon
