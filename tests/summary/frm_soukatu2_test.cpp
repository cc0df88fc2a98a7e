// frmSoukatu2 without stored lines: controls, list columns, the option rules
// and the Enter path.

#include "frm_soukatu2_fixture.h"
#include "nengetu_label_check.h"
#include "screen_font.h"

#include <QHeaderView>
#include <QLabel>

namespace tabulon::test {
namespace {

TEST_F(FrmSoukatu2Test, ShowsEveryControlWithItsCaptionAndLimits) {
    Open();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("総括表（控）作成"));
    const std::pair<const char*, const char*> buttons[] = {{"cmdSave", "追加"},
                                                           {"cmdDelete", "削除"},
                                                           {"cmdCancel", "ｷｬﾝｾﾙ"},
                                                           {"cmdPrint", "総括表(提出用・控)印刷"},
                                                           {"cmdClose", "閉じる"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(Button(name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_FALSE(Button("cmdDelete")->isEnabled());
    QStringList labels;
    for (const QLabel* label : screen->findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption : {"保険者番号", "診療科", "保険者名", "公　　費", "福　　祉",
                                "一般被保険者", "退職者", "後期高齢", "入　院", "入院外"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;

    const std::pair<const char*, int> limits[] = {
        {"txtBangou", 8}, {"txtSinryouka", 2}, {"txtName", 20}, {"txtKouhi", 5}, {"txtUba", 5}};
    for (const auto& [name, limit] : limits)
        EXPECT_EQ(Box(name)->maxLength(), limit) << name;
    EXPECT_TRUE(Box("txtName")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(Box("txtBangou")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(Box("txtBangou")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const char* names[] = {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"};
    const int figureLimits[] = {4, 6, 9, 9};
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 6; ++i) {
            ASSERT_NE(Box(names[f], i), nullptr);
            EXPECT_EQ(Box(names[f], i)->maxLength(), figureLimits[f]);
        }
    EXPECT_EQ(Box("txtTensuu", 4)->accessibleName(), QStringLiteral("退職者 入院外 点数"));
    for (int i = 3; i < 6; ++i)
        EXPECT_FALSE(Box("txtSyokuji", i)->isEnabled());
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
}

TEST_F(FrmSoukatu2Test, ShowsTheProcessingMonthClearOfTheOtherControls) {
    ScreenFontInUse font;
    gNengetu = QStringLiteral("3811");
    Open();
    EXPECT_EQ(NengetuLabelText(*screen), QStringLiteral("処理年月　平成38年11月"));
    EXPECT_EQ(InTheWayOfNengetuLabel(*screen), "");
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("総括表（控）作成"));
}

TEST_F(FrmSoukatu2Test, ListHasItsTwentyNineColumns) {
    Open();
    QTreeWidget* list = List();
    ASSERT_EQ(list->columnCount(), 29);
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ(header->text(0), "保険者番号");
    EXPECT_EQ(header->text(3), "総括表種類");
    EXPECT_EQ(header->text(7), "入･一般･食生");
    EXPECT_EQ(header->text(16), "外･一般･件数");
    EXPECT_EQ(header->text(24), "外･高齢･点数");
    EXPECT_EQ(header->text(25), QStringLiteral("公費件数　　"));
    EXPECT_EQ(header->text(26), QStringLiteral("福祉件数　　"));
    EXPECT_EQ(header->text(28), "連番");
    EXPECT_EQ(list->columnWidth(0), 1200 / 15);
    EXPECT_EQ(list->columnWidth(1), 2000 / 15);
    EXPECT_EQ(list->columnWidth(10), 1400 / 15);
    for (int c = 0; c < 29; ++c)
        EXPECT_EQ(list->isColumnHidden(c), c >= 27) << c;
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

TEST_F(FrmSoukatu2Test, DepartmentOnlyForMedicalInstitutionsWithBothDepartments) {
    Open();
    EXPECT_FALSE(Box("txtSinryouka")->isEnabled());
    EXPECT_EQ(Box("txtSinryouka")->BackColour(), kDisabledColour);
    screen.reset();

    gSougou = QStringLiteral("1");
    Open();
    EXPECT_TRUE(Box("txtSinryouka")->isEnabled());
    EXPECT_EQ(Box("txtSinryouka")->BackColour(), kEnabledColour);
    EXPECT_TRUE(screen->Option(1)->isEnabled());
    EXPECT_FALSE(screen->Option(2)->isEnabled());
    TypeInto(Box("txtSinryouka"), QStringLiteral("12"));
    TypeInto(Box("txtSyokuji", 1), QStringLiteral("300"));
    ChooseKind(2);
    EXPECT_TRUE(Box("txtSinryouka")->text().isEmpty());
    EXPECT_FALSE(Box("txtSinryouka")->isEnabled());
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(Box("txtSyokuji", i)->isEnabled());
        EXPECT_TRUE(Box("txtSyokuji", i)->text().isEmpty());
        EXPECT_TRUE(Box("txtTensuu", i)->isEnabled());
    }
    ChooseKind(1);
    EXPECT_TRUE(Box("txtSinryouka")->isEnabled());
    EXPECT_TRUE(Box("txtSyokuji", 1)->isEnabled());
}

TEST_F(FrmSoukatu2Test, PharmacyEmptiesTheInpatientLine) {
    gSyubetu = QStringLiteral("3");
    Open();
    EXPECT_EQ(screen->SelectedKind(), 3);
    EXPECT_FALSE(screen->Option(0)->isEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Box("txtKensuu", i)->isEnabled());
    for (int i = 3; i < 6; ++i)
        EXPECT_TRUE(Box("txtKensuu", i)->isEnabled());
}

TEST_F(FrmSoukatu2Test, EnterRunsDownEachGroupForMedicalLines) {
    gSougou = QStringLiteral("1");
    Open();
    EXPECT_EQ(WalkEnter(Box("txtBangou"), 5).join(' '),
              "txtBangou txtSinryouka txtName txtKouhi txtUba txtKensuu(0)");
    EXPECT_EQ(WalkEnter(Box("txtKensuu", 0), 21).join(' '),
              "txtKensuu(0) txtJitunisuu(0) txtTensuu(0) txtSyokuji(0) txtKensuu(3) "
              "txtJitunisuu(3) txtTensuu(3) txtKensuu(1) txtJitunisuu(1) txtTensuu(1) "
              "txtSyokuji(1) txtKensuu(4) txtJitunisuu(4) txtTensuu(4) txtKensuu(2) "
              "txtJitunisuu(2) txtTensuu(2) txtSyokuji(2) txtKensuu(5) txtJitunisuu(5) "
              "txtTensuu(5) cmdSave");
}

TEST_F(FrmSoukatu2Test, EnterForDentalAndPharmacyLines) {
    gSyubetu = QStringLiteral("2");
    Open();
    EXPECT_EQ(WalkEnter(Box("txtBangou"), 1).join(' '), "txtBangou txtName");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 0), 5).join(' '),
              "txtTensuu(0) txtKensuu(3) txtJitunisuu(3) txtTensuu(3) txtKensuu(1) "
              "txtJitunisuu(1)");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 1), 3).join(' '),
              "txtTensuu(1) txtKensuu(4) txtJitunisuu(4) txtTensuu(4)");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 4), 1).join(' '), "txtTensuu(4) txtKensuu(2)");
    EXPECT_EQ(WalkEnter(Box("txtTensuu", 2), 1).join(' '), "txtTensuu(2) txtKensuu(5)");
    screen.reset();

    gSyubetu = QStringLiteral("3");
    Open();
    EXPECT_EQ(WalkEnter(Box("txtUba"), 7).join(' '),
              "txtUba txtKensuu(3) txtJitunisuu(3) txtTensuu(3) txtKensuu(4) txtJitunisuu(4) "
              "txtTensuu(4) txtKensuu(5)");
}

TEST_F(FrmSoukatu2Test, KeyBoxesTakeDigitsOnlyAndTheNameTakesText) {
    Open();
    TypeInto(Box("txtBangou"), QStringLiteral("12ab3"));
    EXPECT_EQ(Box("txtBangou")->text(), "123");
    TypeInto(Box("txtName"), QStringLiteral("ABC健保"));
    EXPECT_EQ(Box("txtName")->text(), QStringLiteral("ABC健保"));
    TypeInto(Box("txtUba"), QStringLiteral("x7"));
    EXPECT_EQ(Box("txtUba")->text(), "7");
}

TEST_F(FrmSoukatu2Test, CancelClearsTheFieldsAndReturnsToAdding) {
    gSougou = QStringLiteral("1");
    Open();
    ChooseKind(2);
    TypeInto(Box("txtBangou"), QStringLiteral("12"));
    Box("txtBangou")->SetBackColour(kErrorColour);
    TypeInto(Box("txtTensuu", 0), QStringLiteral("5"));
    CurrentClaim.EditMode = true;
    Click("cmdCancel");
    EXPECT_FALSE(CurrentClaim.EditMode);
    EXPECT_TRUE(Box("txtBangou")->text().isEmpty());
    EXPECT_EQ(Box("txtBangou")->BackColour(), kEnabledColour);
    EXPECT_TRUE(Box("txtTensuu", 0)->text().isEmpty());
    EXPECT_EQ(screen->SelectedKind(), 1);
    EXPECT_TRUE(Box("txtSyokuji", 0)->isEnabled());
    EXPECT_EQ(Button("cmdSave")->text(), "追加");
    EXPECT_EQ(FocusedName(), "txtBangou");
}

} // namespace
} // namespace tabulon::test
