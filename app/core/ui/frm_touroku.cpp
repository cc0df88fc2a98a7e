#include "ui/frm_touroku.h"

#include "globals.h"
#include "helpers/cp932.h"
#include "helpers/key_filters.h"
#include "message_box.h"
#include "messages.h"
#include "settings/ini_file.h"
#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/enter_path.h"
#include "ui/month_check.h"
#include "ui/screen_geometry.h"
#include "ui/typed_entries.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>

namespace tabulon {

namespace {

constexpr int kCodeLength = 7;
const char* const kKindCaptions[] = {"医科", "歯科", "調剤"};

// Each character followed by its code point, as "𠮷（U+20BB7）": the screen
// font may have no picture of it.
QString WithCodePoints(const QString& characters) {
    QStringList named;
    for (const char32_t c : characters.toUcs4())
        named << QString::fromUcs4(&c, 1) +
                     QStringLiteral("（U+%1）").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return named.join(u'、');
}

} // namespace

FrmTouroku::FrmTouroku(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTouroku"));
    setWindowTitle(QStringLiteral("医療機関情報登録"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    UseClerkKeys(this, EscapeKey::Ignored);
    buildControls();
    // The screen widens with its boxes, so that a full-length name shows whole.
    int width = TwipsToPixels(6600);
    for (const QLineEdit* box : {txtJyusyo1_, txtJyusyo2_, txtMeisyou_, txtSimei_})
        width = std::max(width, box->geometry().right() + TwipsToPixels(300));
    findChild<QLabel*>(QStringLiteral("lblTitle"))->resize(width, TwipsToPixels(540));
    FixSizeAndCentre(this, QSize(width, TwipsToPixels(5460)));
    showSettings();
    entries_ = new TypedEntries(this);
    entries_->Snapshot();
}

void FrmTouroku::buildControls() {
    QLabel* heading =
        MakeLabel(this, "lblTitle", QStringLiteral("医療機関情報登録"), {0, 180, 6600, 540});
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    // Captions and boxes in tab order; one row every 450 twips.
    struct Row {
        const char* label;
        const char* caption;
        const char* box;
        const char* accessible;
        int width;
        int maxLength;
        bool imeOff;
    };
    const Row rows[] = {
        {"Label1", "医療機関コード", "txtCode", "医療機関コード", 1500, 7, true},
        {"Label2", "所在地", "txtJyusyo1", "所在地", 4440, 24, false},
        {nullptr, nullptr, "txtJyusyo2", "所在地 2行目", 4440, 24, false},
        {"Label3", "名称", "txtMeisyou", "名称", 4440, 24, false},
        {"Label4", "電話番号", "txtTel", "電話番号", 3000, 20, true},
        {"Label5", "開設者氏名", "txtSimei", "開設者氏名", 3720, 20, false},
    };
    QLineEdit** boxes[] = {&txtCode_,    &txtJyusyo1_, &txtJyusyo2_,
                           &txtMeisyou_, &txtTel_,     &txtSimei_};
    for (int i = 0; i < 6; ++i) {
        const Row& row = rows[i];
        const int top = 900 + i * 450;
        if (row.label)
            MakeLabel(this, row.label, QString::fromUtf8(row.caption), {300, top + 30, 1500, 330});
        *boxes[i] = MakeTextBox(this, row.box, QString::fromUtf8(row.accessible),
                                {1860, top, row.width, 390}, row.maxLength, row.imeOff);
    }
    for (QLineEdit* box : {txtJyusyo1_, txtJyusyo2_, txtMeisyou_, txtSimei_})
        WidenForFullWidth(box, box->maxLength());
    new DigitKeyFilter(txtCode_);
    new TelKeyFilter(txtTel_);
    for (QLineEdit* box : {txtJyusyo1_, txtJyusyo2_, txtMeisyou_, txtSimei_})
        new ShiftJisKeyFilter(box);

    QPushButton* edit =
        MakeButton(this, "cmdEdit", QStringLiteral("登録"), {1620, 4680, 1500, 540});
    QPushButton* close =
        MakeButton(this, "cmdClose", QStringLiteral("閉じる"), {3480, 4680, 1500, 540});

    auto* frame = new QGroupBox(QStringLiteral("医療機関種別"), this);
    frame->setObjectName(QStringLiteral("fraHyoubetu"));
    PlaceTwips(frame, 300, 3660, 3780, 780);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(kKindCaptions[i]), frame);
        option->setObjectName(QStringLiteral("optHyoubetu"));
        option->setProperty("Index", i);
        option->setAccessibleName(QStringLiteral("医療機関種別 ") + option->text());
        PlaceTwips(option, 180 + i * 1200, 330, 1080, 360);
        optHyoubetu_[i] = option;
        TabEntersAtSelectedOption(option);
        connect(option, &QRadioButton::clicked, this, &FrmTouroku::applyKindRule);
    }
    chkSougou_ = new QCheckBox(QStringLiteral("旧総合病院"), this);
    chkSougou_->setObjectName(QStringLiteral("chkSougou"));
    chkSougou_->setAccessibleName(chkSougou_->text());
    PlaceTwips(chkSougou_, 4320, 3990, 1920, 360);

    new EnterPath(this,
                  {txtCode_, txtJyusyo1_, txtJyusyo2_, txtMeisyou_, txtTel_, txtSimei_, edit});
    connect(edit, &QPushButton::clicked, this, &FrmTouroku::onRegister);
    connect(close, &QPushButton::clicked, this, [this] {
        if (entries_->MayClose())
            reject();
    });
}

void FrmTouroku::showSettings() {
    txtCode_->setText(gIryouCD);
    txtJyusyo1_->setText(gAddress1);
    txtJyusyo2_->setText(gAddress2);
    txtMeisyou_->setText(gMeisyou);
    txtTel_->setText(gTel);
    txtSimei_->setText(gSimei);
    const int kind = gSyubetu.toInt();
    if (kind >= 1 && kind <= 3)
        optHyoubetu_[kind - 1]->setChecked(true);
    chkSougou_->setChecked(gSougou == QLatin1String("1"));
    applyKindRule();
}

void FrmTouroku::applyKindRule() {
    const bool anyKind = std::any_of(std::begin(optHyoubetu_), std::end(optHyoubetu_),
                                     [](const QRadioButton* o) { return o->isChecked(); });
    const bool medical = !anyKind || optHyoubetu_[0]->isChecked();
    if (!medical)
        chkSougou_->setChecked(false);
    chkSougou_->setEnabled(medical);
}

void FrmTouroku::onRegister() {
    const QString code = txtCode_->text();
    if (code.size() != kCodeLength) {
        refuse(txtCode_, code.isEmpty() ? msg::kEnterIryouCD : msg::kIryouCDSevenDigits);
        return;
    }
    // A box may hold text from a settings file written elsewhere; what the
    // file cannot hold is refused before anything changes.
    QLineEdit* const boxes[] = {txtCode_,    txtJyusyo1_, txtJyusyo2_,
                                txtMeisyou_, txtTel_,     txtSimei_};
    for (QLineEdit* box : boxes) {
        const QString missing = CharactersWithoutCp932Code(box->text());
        if (!missing.isEmpty()) {
            refuse(box, msg::kNoShiftJisCode.arg(box->accessibleName(), WithCodePoints(missing)));
            return;
        }
    }
    for (QLineEdit* box : boxes)
        SetBoxBackground(box, false);
    QString syubetu = gSyubetu;
    for (int i = 0; i < 3; ++i) {
        if (optHyoubetu_[i]->isChecked())
            syubetu = QString::number(i + 1);
    }
    const QString sougou = chkSougou_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    // RegisterSettings has reported a failure itself; only a written file is "saved".
    if (RegisterSettings({code, txtJyusyo1_->text(), txtJyusyo2_->text(), txtMeisyou_->text(),
                          txtTel_->text(), txtSimei_->text(), syubetu, sougou})) {
        entries_->Snapshot();
        ShowMessage(msg::kSaved, MsgIcon::Information);
    }
}

void FrmTouroku::refuse(QLineEdit* box, const QString& message) {
    SetBoxBackground(box, true);
    ShowMessage(message, MsgIcon::Exclamation);
    box->setFocus();
}

} // namespace tabulon
