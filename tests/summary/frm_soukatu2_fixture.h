#pragma once

// A frmSoukatu2 on its own encrypted database, with message boxes answered
// through the recorder.

#include "db/dao.h"
#include "frm_soukatu2.h"
#include "globals.h"
#include "message_recorder.h"
#include "screen_driver.h"
#include "summary_print_hooks.h"
#include "temp_database.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <memory>

namespace tabulon::test {

class FrmSoukatu2Test : public ::testing::Test {
protected:
    void SetUp() override {
        gNengetu = QStringLiteral("3805");
        gSyubetu = QStringLiteral("1");
        gSougou = QStringLiteral("0");
        CurrentClaim = {};
        SetSoukatuAllPrintHook({});
    }
    void TearDown() override {
        screen.reset();
        SetSoukatuAllPrintHook({});
    }

    FrmSoukatu2& Open() {
        screen = std::make_unique<FrmSoukatu2>();
        ShowActive(*screen);
        return *screen;
    }
    EntryBox* Box(const char* name, int index = -1) {
        return screen->Box(QString::fromLatin1(name), index);
    }
    QPushButton* Button(const char* name) {
        return static_cast<QPushButton*>(screen->Control(QString::fromLatin1(name)));
    }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    void ChooseKind(int kind) { QTest::mouseClick(screen->Option(kind - 1), Qt::LeftButton); }
    QTreeWidget* List() { return screen->findChild<QTreeWidget*>(QStringLiteral("lstHikae")); }
    // The list line of insurer number `bangou`, -1 when none.
    int LineOf(const QString& bangou) {
        for (int row = 0; row < List()->topLevelItemCount(); ++row)
            if (List()->topLevelItem(row)->text(0) == bangou)
                return row;
        return -1;
    }

    // Double-clicks the list line at `row`, as the clerk opens a line.
    void OpenLine(int row) {
        QTreeWidget* list = List();
        list->doItemsLayout(); // items added since the last paint get their places
        // The line spans every column; its first column is in view.
        const QPoint point(10, list->visualItemRect(list->topLevelItem(row)).center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
    }

    // Types a whole line: the insurer number and every usable figure box,
    // each figure made from its array and index so every column differs.
    void TypeLine(const QString& bangou, int base) {
        TypeInto(Box("txtBangou"), bangou);
        TypeInto(Box("txtName"), QStringLiteral("国保"));
        TypeInto(Box("txtKouhi"), QString::number(base + 1));
        TypeInto(Box("txtUba"), QString::number(base + 2));
        const char* names[] = {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"};
        for (int f = 0; f < 4; ++f)
            for (int i = 0; i < 6; ++i)
                if (Box(names[f], i)->isEnabled())
                    TypeInto(Box(names[f], i), QString::number(base + 10 * (f + 1) + i));
    }

    // The stored lines of the month as "番号/診療科/種類/連番".
    QStringList StoredKeys() {
        QStringList keys;
        auto rs = gDb->OpenRecordset(QStringLiteral(
            "SELECT * From T_総括表明細 Where 年月 = '3805' Order By 保険者番号, 連番"));
        for (; !rs->Eof(); rs->MoveNext())
            keys << rs->Fields(QStringLiteral("保険者番号")).Text() + '/' +
                        rs->Fields(QStringLiteral("診療科")).Text() + '/' +
                        rs->Fields(QStringLiteral("総括表種類")).Text() + '/' +
                        rs->Fields(QStringLiteral("連番")).Text();
        return keys;
    }

    TempDatabase database;
    MessageRecorder messages;
    std::unique_ptr<FrmSoukatu2> screen;
};

} // namespace tabulon::test
