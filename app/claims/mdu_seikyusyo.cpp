#include "mdu_seikyusyo.h"

#include "claim_columns.h"
#include "claim_screen.h"
#include "db/dao.h"
#include "db/free_serial.h"
#include "db/row_values.h"
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

// The row a save writes: the key, then the screen's entries.
void WriteClaim(Recordset& rs, const ClaimScreen& screen, const ClaimKey& key) {
    const ClaimKind& kind = screen.Kind();
    rs.Fields(QStringLiteral("年月")).SetValue(key.nengetu);
    rs.Fields(QStringLiteral("保険者番号")).SetValue(key.bangou);
    if (kind.sinryouka)
        rs.Fields(QStringLiteral("診療科")).SetValue(key.sinryouka);
    rs.Fields(QStringLiteral("請求書種類")).SetValue(kind.code);
    rs.Fields(QStringLiteral("連番")).SetValue(key.renban);
    for (const BoxColumn& box : SavedFigureColumns(kind))
        rs.Fields(box.column).SetValue(BoxText(screen, box.box, box.index));
    if (kind.writesUba)
        rs.Fields(QStringLiteral("福祉件数")).SetValue(BoxText(screen, QStringLiteral("txtUba")));
    rs.Fields(QStringLiteral("公費件数")).SetValue(BoxText(screen, QStringLiteral("txtKouhi")));
}

// A new row under the next free serial.
ClaimKey InsertNewClaim(const ClaimScreen& screen, ClaimKey key) {
    InsertUnderFreeSerial(
        [&key] {
            return GetSeikyuuRenban(key.nengetu, key.bangou, key.sinryouka, key.kind).toInt();
        },
        [&](int serial) {
            key.renban = serial;
            std::unique_ptr<Recordset> rs =
                gDb->OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
            rs->AddNew();
            WriteClaim(*rs, screen, key);
            rs->Update();
        });
    return key;
}

// Writes over the claim the screen loaded, only while it is stored as loaded:
// the check and the write are one guarded write, so no other terminal's save
// falls between them. Throws 3167 when the claim is gone, 3197 when it changed.
ClaimKey UpdateLoadedClaim(ClaimScreen& screen, ClaimKey key) {
    const std::unique_ptr<Operation> write = gDb->BeginGuardedWrite({QStringLiteral("T_請求書")});
    std::unique_ptr<Recordset> rs = gDb->OpenRecordset(ClaimQuery(CurrentKey()));
    if (rs->Eof())
        throw DbError(kErrRecordDeleted,
                      QStringLiteral("この請求書は、他の端末で削除されています。"));
    if (CurrentRowValues(*rs) != screen.LoadedRow())
        throw DbError(kErrWriteConflict,
                      QStringLiteral("この請求書は、他の端末で変更されています。"));
    key.renban = RenbanForSave(screen, key);
    rs->Edit();
    WriteClaim(*rs, screen, key);
    rs->Update();
    const QVariantMap stored = CurrentRowValues(*rs);
    write->Commit();
    screen.SetLoadedRow(stored);
    return key;
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
    screen.SetLoadedRow(CurrentRowValues(*rs));
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

ClaimKey SaveClaim(ClaimScreen& screen, ClaimSave mode) {
    ClaimKey key{gNengetu, BoxText(screen, QStringLiteral("txtBangou")), SinryoukaForSave(screen),
                 screen.Kind().code, 0};
    if (CurrentClaim.EditMode && mode == ClaimSave::OverLoaded) {
        key = UpdateLoadedClaim(screen, key);
    } else {
        key = InsertNewClaim(screen, key);
        if (CurrentClaim.EditMode)
            screen.SetLoadedRow(CurrentRowValues(*gDb->OpenRecordset(ClaimQuery(key))));
    }

    if (CurrentClaim.EditMode) {
        // Kinds that do not store 診療科 keep the row's former value in the key.
        CurrentClaim.bangou = key.bangou;
        if (screen.Kind().sinryouka)
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
