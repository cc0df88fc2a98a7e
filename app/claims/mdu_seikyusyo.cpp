#include "mdu_seikyusyo.h"

#include "claim_columns.h"
#include "claim_screen.h"
#include "db/dao.h"
#include "globals.h"
#include "helpers/register_nengetu.h"
#include "ui/controls.h"

#include <QLineEdit>
#include <QPushButton>

namespace tabulon {

namespace {

const QStringList kHeaderBoxes{"txtBangou", "txtUba", "txtKouhi", "txtSinryouka"};

// The boxes that the input set-up walks: the header boxes, then the grid boxes
// that a load fills.
QList<QLineEdit*> WalkedBoxes(const ClaimScreen& screen, int lastRowIndex) {
    QList<QLineEdit*> boxes;
    for (const QString& name : kHeaderBoxes)
        boxes << screen.Box(name);
    for (const BoxColumn& box : LoadedFigureColumns(screen.Kind(), lastRowIndex))
        boxes << screen.Box(box.box, box.index);
    return boxes;
}

void SetInputMethods(ClaimScreen& screen, int lastRowIndex, bool enabled) {
    for (QLineEdit* box : WalkedBoxes(screen, lastRowIndex)) {
        if (box)
            box->setAttribute(Qt::WA_InputMethodEnabled, enabled);
    }
}

QString BoxText(const ClaimScreen& screen, const QString& name, int index = -1) {
    const QLineEdit* box = screen.Box(name, index);
    return box ? box->text() : QString();
}

ClaimKey CurrentKey() {
    return {gNengetu, CurrentClaim.bangou, CurrentClaim.sinryouka, CurrentClaim.kind,
            CurrentClaim.renban};
}

// A department as stored: two digits ("2" is "02"), empty stays empty.
QString StoredDepartment(const QString& typed) {
    return typed.isEmpty() ? typed : typed.rightJustified(2, u'0');
}

// The serial of the row a save writes: a new number for a new claim and for an
// edit that changed the insurer number or the department, else the kept one.
// The department typed is compared in its stored form, as CurrentClaim holds
// it: after a save of "2" the claim's key says "02", and a further save from
// the same screen must find it unchanged.
int RenbanForSave(const ClaimScreen& screen, const ClaimKey& key) {
    const bool keyChanged =
        BoxText(screen, QStringLiteral("txtBangou")) != CurrentClaim.bangou ||
        StoredDepartment(BoxText(screen, QStringLiteral("txtSinryouka"))) != CurrentClaim.sinryouka;
    if (CurrentClaim.EditMode && !keyChanged)
        return CurrentClaim.renban;
    return GetSeikyuuRenban(key.nengetu, key.bangou, key.sinryouka, key.kind).toInt();
}

// Opens the row that the save writes and starts adding or editing it.
std::unique_ptr<Recordset> OpenRowForSave(const ClaimKind& kind) {
    if (!CurrentClaim.EditMode) {
        std::unique_ptr<Recordset> rs =
            gDb->OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
        rs->AddNew();
        return rs;
    }
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(ClaimQuery(CurrentKey()));
    // A kind-1 edit always edits: a vanished row fails with "no current record".
    if (kind.code != 1 && rs->Eof())
        rs->AddNew();
    else
        rs->Edit();
    return rs;
}

} // namespace

void SetInputLimits(ClaimScreen& screen, int lastRowIndex) {
    for (QLineEdit* box : WalkedBoxes(screen, lastRowIndex)) {
        if (box)
            box->setMaxLength(InputLimit(screen.Kind(), box->objectName()));
    }
    SetInputMethods(screen, lastRowIndex, false);
}

void ResetImeMode(ClaimScreen& screen, int lastRowIndex) {
    SetInputMethods(screen, lastRowIndex, true);
}

void LoadSeikyuu(ClaimScreen& screen, const QString& query, int lastRowIndex) {
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(query);
    const auto fill = [&](const QString& name, int index, const QString& column) {
        if (QLineEdit* box = screen.Box(name, index))
            SetStoredText(box, rs->Fields(column).Text());
    };
    fill(QStringLiteral("txtBangou"), -1, QStringLiteral("保険者番号"));
    fill(QStringLiteral("txtUba"), -1, QStringLiteral("福祉件数"));
    fill(QStringLiteral("txtKouhi"), -1, QStringLiteral("公費件数"));
    fill(QStringLiteral("txtSinryouka"), -1, QStringLiteral("診療科"));
    // The row's own kind decides the food block and the 退職 section.
    const ClaimKind* rowKind =
        FindClaimKind(rs->Fields(QStringLiteral("請求書種類")).Text().toInt());
    for (const BoxColumn& box :
         LoadedFigureColumns(rowKind ? *rowKind : screen.Kind(), lastRowIndex))
        fill(box.box, box.index, box.column);
    screen.Button(QStringLiteral("cmdDelete"))->setEnabled(true);
}

QString GetSeikyuuRenban(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                         int kind) {
    std::unique_ptr<Recordset> rs =
        gDb->OpenRecordset(RenbanQuery({nengetu, bangou, sinryouka, kind}));
    if (rs->Eof())
        return QStringLiteral("1");
    rs->MoveLast();
    return QString::number(rs->Fields(QStringLiteral("連番")).Value().toInt() + 1);
}

QString SinryoukaForSave(const ClaimScreen& screen) {
    const QString typed = BoxText(screen, QStringLiteral("txtSinryouka"));
    if (!screen.Kind().sinryouka || !IsSougou())
        return {};
    return StoredDepartment(typed);
}

ClaimKey SaveClaim(ClaimScreen& screen) {
    const ClaimKind& kind = screen.Kind();
    ClaimKey key{gNengetu, BoxText(screen, QStringLiteral("txtBangou")), SinryoukaForSave(screen),
                 kind.code, 0};
    key.renban = RenbanForSave(screen, key);

    std::unique_ptr<Recordset> rs = OpenRowForSave(kind);
    rs->Fields(QStringLiteral("年月")).SetValue(key.nengetu);
    rs->Fields(QStringLiteral("保険者番号")).SetValue(key.bangou);
    if (kind.sinryouka)
        rs->Fields(QStringLiteral("診療科")).SetValue(key.sinryouka);
    rs->Fields(QStringLiteral("請求書種類")).SetValue(kind.code);
    rs->Fields(QStringLiteral("連番")).SetValue(key.renban);
    for (const BoxColumn& box : SavedFigureColumns(kind))
        rs->Fields(box.column).SetValue(BoxText(screen, box.box, box.index));
    if (kind.writesUba)
        rs->Fields(QStringLiteral("福祉件数")).SetValue(BoxText(screen, QStringLiteral("txtUba")));
    rs->Fields(QStringLiteral("公費件数")).SetValue(BoxText(screen, QStringLiteral("txtKouhi")));
    rs->Update();

    if (CurrentClaim.EditMode) {
        // Kinds that do not store 診療科 keep the row's former value in the key.
        CurrentClaim.bangou = key.bangou;
        if (kind.sinryouka)
            CurrentClaim.sinryouka = key.sinryouka;
        CurrentClaim.renban = key.renban;
    }
    RegisterNengetu();
    SeikyuuListReset();
    return key;
}

void DeleteClaim(const ClaimScreen&) {
    gDb->Execute(ClaimDeleteStatement(CurrentKey()));
    SeikyuuListReset();
}

} // namespace tabulon
