// frmSoukatu2 with stored lines: save, open, change, delete, serials, the
// insurer-number rule and the print button's work-table copy.

#include "db/db_files.h"
#include "frm_soukatu2_fixture.h"
#include "message_box.h"

#include <sqlcipher/sqlite3.h>

namespace tabulon::test {
namespace {

// Runs `sql` on the database file through a second connection, as another
// program would.
void RunFromAnotherConnection(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    const QByteArray key = kDatabasePassword.toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// A column of the stored line with serial `renban` (of insurer `bangou`
// when given).
QVariant StoredValue(const QString& column, int renban = 1, const QString& bangou = {}) {
    auto rs = gDb->OpenRecordset(
        QStringLiteral("SELECT * From T_総括表明細 Where 年月 = '3805' and 連番 = ") +
        QString::number(renban) +
        (bangou.isEmpty() ? QString() : QStringLiteral(" and 保険者番号 = '") + bangou + '\''));
    return rs->Eof() ? QVariant() : rs->Fields(column).Value();
}

TEST_F(FrmSoukatu2Test, SavesAMedicalLineColumnByColumn) {
    gSougou = QStringLiteral("1");
    Open();
    TypeLine(QStringLiteral("123"), 100);
    TypeInto(Box("txtSinryouka"), QStringLiteral("5"));
    Click("cmdSave");
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();

    // 0023123 completed with its check digit 3.
    EXPECT_EQ(StoredKeys(), QStringList{"00231233/05/1/1"});
    EXPECT_EQ(StoredValue("保険者名").toString(), QStringLiteral("国保"));
    EXPECT_EQ(StoredValue("公費件数").toInt(), 101);
    EXPECT_EQ(StoredValue("福祉件数").toInt(), 102);
    const char* groups[] = {"一般", "退職", "老人"};
    const char* figures[] = {"件数", "実日数", "点数", "食事"};
    for (int i = 0; i < 6; ++i)
        for (int f = 0; f < 4; ++f) {
            const QString column = QString::fromUtf8(groups[i % 3]) +
                                   (i < 3 ? QStringLiteral("_入院_") : QStringLiteral("_外来_")) +
                                   QString::fromUtf8(figures[f]);
            const int expected = (f == 3 && i >= 3) ? 0 : 100 + 10 * (f + 1) + i;
            EXPECT_EQ(StoredValue(column).toInt(), expected) << column.toStdString();
        }
    auto month = gDb->OpenRecordset(QStringLiteral("SELECT * From T_年月 where 年月 = '3805'"));
    EXPECT_FALSE(month->Eof());

    // Back to adding, fields empty, the line listed with thousands separators.
    EXPECT_TRUE(Box("txtBangou")->text().isEmpty());
    EXPECT_EQ(FocusedName(), "txtBangou");
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    const QTreeWidgetItem* item = List()->topLevelItem(0);
    EXPECT_EQ(item->text(0), "00231233");
    EXPECT_EQ(item->text(2), "05");
    EXPECT_EQ(item->text(3), "医科");
    EXPECT_EQ(item->text(6), "130"); // 入･一般･点数
    EXPECT_EQ(item->text(27), "1");
    EXPECT_EQ(item->text(28), "1");
}

TEST_F(FrmSoukatu2Test, ListShowsThousandsAndSortsByTheLastSixPlaces) {
    Open();
    for (const char* number : {"00231233", "231009", "123456"}) {
        TypeInto(Box("txtBangou"), QString::fromLatin1(number));
        TypeInto(Box("txtTensuu", 0), QStringLiteral("1234567"));
        Click("cmdSave");
    }
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(List()->topLevelItem(0)->text(0), "123456");
    EXPECT_EQ(List()->topLevelItem(1)->text(0), "231009");
    EXPECT_EQ(List()->topLevelItem(2)->text(0), "00231233");
    EXPECT_EQ(List()->topLevelItem(0)->text(6), "1,234,567");
    EXPECT_EQ(List()->topLevelItem(0)->text(4), "0");
    EXPECT_EQ(List()->topLevelItem(0)->text(2), ""); // gSougou 0: no department
}

TEST_F(FrmSoukatu2Test, RefusesAnEmptyOrFiveDigitInsurerNumber) {
    Open();
    Click("cmdSave");
    TypeInto(Box("txtBangou"), QStringLiteral("12345"));
    Box("txtName")->setFocus();
    Click("cmdSave");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("保険者番号を入力してください。"));
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("保険者番号は、３桁・６桁・８桁で入力してください。"));
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Box("txtBangou")->BackColour(), kErrorColour);
    EXPECT_EQ(FocusedName(), "txtBangou");
    EXPECT_TRUE(StoredKeys().isEmpty());
}

TEST_F(FrmSoukatu2Test, SerialsCountUpAndADeletedSerialIsReused) {
    Open();
    for (int n = 0; n < 3; ++n) {
        TypeInto(Box("txtBangou"), QStringLiteral("231009"));
        Click("cmdSave");
    }
    EXPECT_EQ(StoredKeys(), (QStringList{"231009//1/1", "231009//1/2", "231009//1/3"}));

    OpenLine(2);
    ASSERT_TRUE(CurrentClaim.EditMode);
    EXPECT_EQ(CurrentClaim.renban, 3);
    messages.Answer(MsgAnswer::Cancel);
    Click("cmdDelete");
    EXPECT_EQ(StoredKeys().size(), 3);
    Click("cmdDelete");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("削除してもよろしいですか？"));
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::Question);
    EXPECT_EQ(StoredKeys(), (QStringList{"231009//1/1", "231009//1/2"}));
    EXPECT_FALSE(CurrentClaim.EditMode);
    EXPECT_FALSE(Button("cmdDelete")->isEnabled());
    EXPECT_EQ(List()->topLevelItemCount(), 2);

    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    Click("cmdSave");
    EXPECT_EQ(StoredKeys().last(), "231009//1/3");
}

TEST_F(FrmSoukatu2Test, OpenChangeKeepsTheSerialAndANewKeyTakesTheNextOne) {
    gSougou = QStringLiteral("1");
    Open();
    for (const char* number : {"231009", "231009", "06230017"}) {
        TypeInto(Box("txtBangou"), QString::fromLatin1(number));
        TypeInto(Box("txtSinryouka"), QStringLiteral("1"));
        TypeInto(Box("txtTensuu", 3), QStringLiteral("10"));
        Click("cmdSave");
    }
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    ASSERT_EQ(LineOf("231009"), 1); // 230017 sorts before 231009

    OpenLine(1);
    EXPECT_EQ(Button("cmdSave")->text(), "変更");
    EXPECT_TRUE(Button("cmdDelete")->isEnabled());
    EXPECT_EQ(Box("txtBangou")->text(), "231009");
    EXPECT_EQ(Box("txtSinryouka")->text(), "01");
    EXPECT_EQ(Box("txtTensuu", 3)->text(), "10"); // plain text, no separators
    EXPECT_EQ(Box("txtKensuu", 0)->text(), "0");
    TypeInto(Box("txtTensuu", 3), QStringLiteral("20"));
    Click("cmdSave");
    EXPECT_EQ(StoredKeys(), (QStringList{"06230017/01/1/1", "231009/01/1/1", "231009/01/1/2"}));
    EXPECT_EQ(StoredValue("一般_外来_点数", 1, "231009").toInt(), 20);
    EXPECT_EQ(StoredValue("一般_外来_点数", 2, "231009").toInt(), 10);
    EXPECT_EQ(Button("cmdSave")->text(), "追加");

    // The first line of 231009 moves to 06230017, which already has serial 1.
    OpenLine(1);
    ASSERT_EQ(CurrentClaim.renban, 1);
    TypeInto(Box("txtBangou"), QStringLiteral("06230017"));
    Click("cmdSave");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(StoredKeys(), (QStringList{"06230017/01/1/1", "06230017/01/1/2", "231009/01/1/2"}));
}

TEST_F(FrmSoukatu2Test, DepartmentIsStoredEmptyUnlessMedicalWithBothDepartments) {
    gSougou = QStringLiteral("1");
    Open();
    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    TypeInto(Box("txtSinryouka"), QStringLiteral("7"));
    ChooseKind(2);
    Click("cmdSave");
    EXPECT_EQ(StoredKeys(), QStringList{"231009//2/1"});
    screen.reset();

    gSougou = QStringLiteral("0");
    Open();
    // Even a department that the disabled box shows is not kept.
    TypeInto(Box("txtBangou"), QStringLiteral("231017"));
    Box("txtSinryouka")->setText(QStringLiteral("7"));
    Click("cmdSave");
    EXPECT_EQ(StoredKeys(), (QStringList{"231009//2/1", "231017//1/1"}));
}

TEST_F(FrmSoukatu2Test, DentalAndPharmacyLinesOpenWithTheirFieldsEmpty) {
    gSougou = QStringLiteral("1");
    gSyubetu = QStringLiteral("2");
    Open();
    TypeLine(QStringLiteral("231009"), 0);
    Click("cmdSave");
    screen.reset();
    gSyubetu = QStringLiteral("3");
    gSougou = QStringLiteral("0");
    Open();
    TypeLine(QStringLiteral("231017"), 0);
    Click("cmdSave");
    ASSERT_EQ(List()->topLevelItemCount(), 2);

    OpenLine(0); // dental
    EXPECT_EQ(screen->SelectedKind(), 2);
    EXPECT_EQ(Box("txtTensuu", 0)->text(), "30");
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(Box("txtSyokuji", i)->text().isEmpty()) << i;
    EXPECT_EQ(Box("txtKouhi")->text(), "1");

    OpenLine(1); // pharmacy
    EXPECT_EQ(screen->SelectedKind(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Box("txtKensuu", i)->text().isEmpty()) << i;
        EXPECT_FALSE(Box("txtKensuu", i)->isEnabled());
    }
    EXPECT_EQ(Box("txtKensuu", 4)->text(), "14");
}

TEST_F(FrmSoukatu2Test, OpeningWithNothingSelectedShowsTheNoDataMessage) {
    Open();
    screen->OpenSelectedLine();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("総括表（控）データが入力されていません。"));
    EXPECT_FALSE(CurrentClaim.EditMode);
}

TEST_F(FrmSoukatu2Test, DuplicateKeyIsReportedAsAlreadyRegistered) {
    // Another program stores the same line between our serial look-up and our
    // write; a trigger plays that program.
    const QString clash =
        QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, 連番) "
                       "VALUES (NEW.年月, NEW.保険者番号, NEW.診療科, NEW.総括表種類, NEW.連番);");
    if (OnServer()) {
        PgConnection other(database.ConnectInfo());
        other.Exec(QStringLiteral("CREATE FUNCTION clash() RETURNS trigger LANGUAGE plpgsql AS "
                                  "$$ BEGIN IF NEW.保険者名 = '先客' THEN ") +
                   clash + QStringLiteral(" END IF; RETURN NEW; END $$"));
        other.Exec(QStringLiteral("CREATE TRIGGER clash BEFORE INSERT ON T_総括表明細 "
                                  "FOR EACH ROW EXECUTE FUNCTION clash()"));
    } else {
        RunFromAnotherConnection(
            database.Path(), QStringLiteral("CREATE TRIGGER clash BEFORE INSERT ON T_総括表明細 "
                                            "WHEN NEW.保険者名 = '先客' BEGIN ") +
                                 clash + QStringLiteral(" END"));
    }
    Open();
    TypeInto(Box("txtBangou"), QStringLiteral("231009"));
    TypeInto(Box("txtName"), QStringLiteral("先客"));
    Click("cmdSave");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("ｴﾗｰ番号 = 3022\r\r既に登録済の保険者番号です"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    // The screen stays as it was, ready for another try.
    EXPECT_EQ(Box("txtBangou")->text(), "231009");
    EXPECT_EQ(Box("txtName")->text(), QStringLiteral("先客"));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(FrmSoukatu2Test, PrintWithNoStoredLineShowsTheMessageOnly) {
    int printed = 0;
    SetSoukatuAllPrintHook([&printed] { ++printed; });
    Open();
    TypeLine(QStringLiteral("231009"), 0); // typed but not stored
    Click("cmdPrint");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("総括表（控）データが入力されていません。"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(printed, 0);
}

TEST_F(FrmSoukatu2Test, PrintCopiesTheMonthIntoTheWorkTable) {
    gDb->Execute(
        QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, 連番) "
                       "VALUES ('3804', '231009', '', '1', 1)"));
    gDb->Execute(
        QStringLiteral("INSERT INTO WK_総括表明細 (年月, 保険者番号, 診療科, 総括表種類, 連番) "
                       "VALUES ('3701', '999999', '', '1', 1)"));
    int printed = 0;
    QStringList workRows;
    SetSoukatuAllPrintHook([&] {
        ++printed;
        auto rs = gDb->OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
        for (; !rs->Eof(); rs->MoveNext())
            workRows << rs->Fields(QStringLiteral("年月")).Text() + '/' +
                            rs->Fields(QStringLiteral("保険者番号")).Text() + '/' +
                            rs->Fields(QStringLiteral("一般_入院_点数")).Text();
    });
    Open();
    TypeInto(Box("txtBangou"), QStringLiteral("06230017"));
    TypeInto(Box("txtTensuu", 0), QStringLiteral("500"));
    Click("cmdSave");
    Click("cmdPrint");
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(workRows, QStringList{"3805/06230017/500"});
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace tabulon::test
