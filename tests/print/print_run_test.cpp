// The print runs against a recording engine: the order of the engine calls,
// the fixed messages with their statuses, and the clean-up after a failure.

#include "db/db_error.h"
#include "frm_preview.h"
#include "globals.h"
#include "message_box.h"
#include "messages.h"
#include "modal_screen.h"
#include "print_context.h"
#include "print_table.h"
#include "recording_engine.h"

#include <QDialog>
#include <QGuiApplication>
#include <functional>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

const QString kFolder = QStringLiteral("/opt/tabulon");

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrintEngine(&engine);
        SetProgramFolder(kFolder);
        gIryouCD = QStringLiteral("1234567");
        SetMessageHandler([this](const ShownMessage& m) {
            messages.push_back(m);
            return answer;
        });
        SetModalHandler([this](QDialog& screen) {
            auto* preview = qobject_cast<frmPreview*>(&screen);
            previews << (preview ? preview->QvView1().ViewedFile() : QStringLiteral("?"));
            return int(QDialog::Accepted);
        });
    }
    void TearDown() override {
        SetPrintEngine(nullptr);
        SetProgramFolder(QString());
        SetMessageHandler(nullptr);
        SetModalHandler(nullptr);
    }

    QString OnlyMessage() const {
        return messages.size() == 1 ? messages.front().text
                                    : QStringLiteral("<%1 messages>").arg(messages.size());
    }

    RecordingEngine engine;
    std::vector<ShownMessage> messages;
    MsgAnswer answer = MsgAnswer::Ok;
    QStringList previews;
};

void FillTwoFields(ReportForm& form) {
    form.Clear();
    SetReportField(form, QStringLiteral("Kensuu1"), QStringLiteral("12"));
    SetReportField(form, QStringLiteral("Tensuu1"), QString());
    form.Fields(QStringLiteral("QR1")).QRObject().QRData(QStringLiteral("PAYLOAD"));
}

TEST_F(PrintRunTest, SuccessfulClaimRunCallsEngineInOrderAndShowsOnlyThePreview) {
    PrintClaim(QStringLiteral("seikyuu1.qvf"), QStringLiteral("医科（一般・退職）"), FillTwoFields);

    const QStringList expected = {
        "Init",
        "StartDoc /opt/tabulon/document/医科（一般・退職）.pdf 医科（一般・退職）",
        "OpenForm /opt/tabulon/form/seikyuu1.qvf",
        "SetPaper",
        "Clear",
        "FieldText Kensuu1=12", // the empty Tensuu1 text leaves the field alone
        "QRData QR1=PAYLOAD",
        "PrintPage",
        "CloseForm",
        "EndDoc",
    };
    EXPECT_EQ(engine.calls, expected);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(previews, QStringList{engine.docFile});
}

TEST_F(PrintRunTest, FailedInitShowsItsStatusAndCleansNothingUp) {
    engine.initStatus = 5;
    PrintClaim(QStringLiteral("seikyuu1.qvf"), QStringLiteral("医科（後期高齢）"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷初期化エラー：5"));
    EXPECT_EQ(messages.front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.front().buttons, MsgButtons::Ok);
    EXPECT_EQ(engine.calls, QStringList{"Init"});
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintRunTest, FailedStartDocShowsItsStatusWithoutAbortDoc) {
    engine.startStatus = 102;
    PrintSoukatu(QStringLiteral("医"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷スタートエラー：102"));
    EXPECT_FALSE(engine.calls.contains("AbortDoc"));
    EXPECT_FALSE(engine.calls.contains("CloseForm"));
}

TEST_F(PrintRunTest, FailedSetPaperAbortsTheDocumentThenClosesTheForm) {
    engine.setPaperStatus = 103;
    PrintClaim(QStringLiteral("seikyuu3.qvf"), QStringLiteral("歯科（一般・退職）"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("プリンタ用紙サイズ設定エラー：103"));
    EXPECT_EQ(engine.calls.mid(3), (QStringList{"SetPaper", "AbortDoc", "CloseForm"}));
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintRunTest, FailedPrintPageAbortsAndCloses) {
    engine.printPageStatus = 12;
    PrintSoukatu(QStringLiteral("薬"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷処理エラー：12"));
    EXPECT_EQ(engine.calls.mid(engine.calls.indexOf("PrintPage")),
              (QStringList{"PrintPage", "AbortDoc", "CloseForm"}));
}

TEST_F(PrintRunTest, FailedEndDocAbortsTheStillOpenDocumentButClosesNoForm) {
    engine.endStatus = 102;
    PrintClaim(QStringLiteral("seikyuu5.qvf"), QStringLiteral("調剤（一般・退職）"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷終了エラー：102"));
    EXPECT_EQ(engine.calls.mid(engine.calls.indexOf("CloseForm")),
              (QStringList{"CloseForm", "EndDoc", "AbortDoc"}));
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintRunTest, FailedEndDocSaysWhyWhenTheEngineCan) {
    engine.endStatus = 102;
    engine.endError = QStringLiteral("document/医科（一般・退職）.pdf: 書き込めません");
    PrintClaim(QStringLiteral("seikyuu1.qvf"), QStringLiteral("医科（一般・退職）"), FillTwoFields);
    EXPECT_EQ(
        OnlyMessage(),
        QStringLiteral("印刷終了エラー：102\r\rdocument/医科（一般・退職）.pdf: 書き込めません"));
}

TEST_F(PrintRunTest, RunTimeErrorsAreReportedWithNumberAndDescriptionAndCleanedUp) {
    engine.missingFields = {QStringLiteral("QR1")};
    PrintClaim(QStringLiteral("seikyuu2.qvf"), QStringLiteral("医科（後期高齢）"), FillTwoFields);

    EXPECT_EQ(OnlyMessage(), QStringLiteral("ｴﾗｰ番号 = 3265\r\rno field QR1"));
    EXPECT_EQ(messages.front().icon, MsgIcon::Critical);
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 2), (QStringList{"AbortDoc", "CloseForm"}));
    EXPECT_FALSE(engine.calls.contains("PrintPage"));

    messages.clear();
    engine.calls.clear();
    PrintSoukatu(QStringLiteral("歯"), [](ReportForm&) {
        throw DbError(3021, QStringLiteral("カレント レコードがありません。"));
    });
    EXPECT_EQ(OnlyMessage(), QStringLiteral("ｴﾗｰ番号 = 3021\r\rカレント レコードがありません。"));
    EXPECT_TRUE(engine.calls.contains("AbortDoc"));
}

TEST_F(PrintRunTest, SummaryRunsPickTheirLayoutsAndTitle) {
    PrintSoukatu(QStringLiteral("薬"), FillTwoFields);
    EXPECT_TRUE(engine.calls.contains("OpenForm /opt/tabulon/form/soukatu3.qvf"));
    EXPECT_TRUE(engine.calls.contains("StartDoc /opt/tabulon/document/総括表1.pdf 総括表1"));
    engine.calls.clear();
    PrintSoukatu(QStringLiteral("歯"), FillTwoFields);
    EXPECT_TRUE(engine.calls.contains("OpenForm /opt/tabulon/form/soukatu1.qvf"));
}

// A page routine as the summary printing writes them: pages of its own.
PageRoutine Pages(int count) {
    return [count](ReportEngine&, ReportForm& form) {
        for (int i = 0; i < count; ++i) {
            form.Clear();
            if (form.PrintPage() != 0)
                return false;
        }
        return true;
    };
}

TEST_F(PrintRunTest, AllSummariesRunTheThreeFormsInOrderWithTheListPerKind) {
    QStringList kinds;
    PrintSoukatuAll(Pages(2), Pages(1), [&](ReportEngine&, ReportForm& form, const QString& kind) {
        kinds << kind;
        return form.PrintPage() == 0;
    });

    const QStringList expected = {"Init",
                                  "StartDoc /opt/tabulon/document/総括表2.pdf 総括表2",
                                  "OpenForm /opt/tabulon/form/soukatu1.qvf",
                                  "SetPaper",
                                  "Clear",
                                  "PrintPage",
                                  "Clear",
                                  "PrintPage",
                                  "CloseForm",
                                  "OpenForm /opt/tabulon/form/soukatu3.qvf",
                                  "SetPaper",
                                  "Clear",
                                  "PrintPage",
                                  "CloseForm",
                                  "OpenForm /opt/tabulon/form/soukatu2.qvf",
                                  "SetPaper",
                                  "PrintPage",
                                  "PrintPage",
                                  "PrintPage",
                                  "CloseForm",
                                  "EndDoc"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_EQ(kinds, (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(previews.size(), 1);
}

TEST_F(PrintRunTest, AllSummariesStopAfterARoutineAbandonedTheDocument) {
    const PageRoutine abandoning = [](ReportEngine& engine, ReportForm& form) {
        ShowMessage(QStringLiteral("印刷処理エラー：12"), MsgIcon::Exclamation);
        engine.AbortDoc();
        form.CloseForm();
        return false;
    };
    bool listCalled = false;
    PrintSoukatuAll(Pages(1), abandoning, [&](ReportEngine&, ReportForm&, const QString&) {
        listCalled = true;
        return true;
    });

    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷処理エラー：12"));
    EXPECT_FALSE(listCalled);
    EXPECT_FALSE(engine.calls.contains("OpenForm /opt/tabulon/form/soukatu2.qvf"));
    EXPECT_FALSE(engine.calls.contains("EndDoc"));
    // The routine's own clean-up is the last thing that happens.
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 2), (QStringList{"AbortDoc", "CloseForm"}));
    EXPECT_EQ(engine.calls.count("AbortDoc"), 1);
    EXPECT_TRUE(previews.isEmpty());
}

TEST_F(PrintRunTest, AllSummariesReportAFailingSetPaperOfALaterForm) {
    PrintSoukatuAll(Pages(1), Pages(1),
                    [&](ReportEngine&, ReportForm&, const QString&) { return true; });
    engine.calls.clear();
    engine.setPaperStatus = 103;
    PrintSoukatuAll(Pages(1), Pages(1),
                    [&](ReportEngine&, ReportForm&, const QString&) { return true; });
    EXPECT_EQ(messages.back().text, QStringLiteral("プリンタ用紙サイズ設定エラー：103"));
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 3),
              (QStringList{"SetPaper", "AbortDoc", "CloseForm"}));
}

TEST_F(PrintRunTest, BatchOpensAndClosesOneFormPerClaimAndReportsEndDocWithoutStatus) {
    const auto claims = [](PrintRun& run) {
        for (const char* layout : {"seikyuu1.qvf", "seikyuu4.qvf"}) {
            if (!PrintBatchPage(run, QString::fromLatin1(layout), [](ReportForm& form) {
                    SetReportField(form, QStringLiteral("Bangou"), QStringLiteral("06130012"));
                }))
                return;
        }
    };
    PrintClaimBatch(claims);
    const QStringList expected = {"Init",
                                  "StartDoc /opt/tabulon/document/請求書一括.pdf 請求書一括",
                                  "OpenForm /opt/tabulon/form/seikyuu1.qvf",
                                  "SetPaper",
                                  "FieldText Bangou=06130012",
                                  "PrintPage",
                                  "CloseForm",
                                  "OpenForm /opt/tabulon/form/seikyuu4.qvf",
                                  "SetPaper",
                                  "FieldText Bangou=06130012",
                                  "PrintPage",
                                  "CloseForm",
                                  "EndDoc"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(previews.size(), 1);

    engine.calls.clear();
    engine.endStatus = 102;
    PrintClaimBatch(claims);
    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷終了エラー："));
    EXPECT_EQ(engine.calls.last(), QStringLiteral("AbortDoc"));
}

// The hourglass covers the printing of the pages: the override cursor stack
// is empty when the preview shows, and after a failed run.
TEST_F(PrintRunTest, BatchShowsTheHourglassWhilePrintingButNotOverThePreview) {
    std::vector<bool> hourglassWhilePrinting;
    std::vector<bool> cursorOverridden;
    const auto claims = [&](PrintRun& run) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        hourglassWhilePrinting.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
        PrintBatchPage(run, QStringLiteral("seikyuu1.qvf"), [](ReportForm&) {});
    };
    SetModalHandler([&](QDialog&) {
        cursorOverridden.push_back(QGuiApplication::overrideCursor() != nullptr);
        return int(QDialog::Accepted);
    });
    PrintClaimBatch(claims);
    EXPECT_EQ(hourglassWhilePrinting, std::vector<bool>{true});
    EXPECT_EQ(cursorOverridden, std::vector<bool>{false}) << "the preview must have no hourglass";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    engine.endStatus = 102;
    PrintClaimBatch(claims);
    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷終了エラー："));
    EXPECT_EQ(cursorOverridden.size(), 1u) << "no preview of a failed run";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PrintRunTest, BatchStopsAtTheFirstFailingPage) {
    engine.printPageStatus = 6;
    int pagesTried = 0;
    PrintClaimBatch([&](PrintRun& run) {
        for (int i = 0; i < 3; ++i) {
            ++pagesTried;
            if (!PrintBatchPage(run, QStringLiteral("seikyuu1.qvf"), [](ReportForm&) {}))
                return;
        }
    });
    EXPECT_EQ(pagesTried, 1);
    EXPECT_EQ(OnlyMessage(), QStringLiteral("印刷処理エラー：6"));
    EXPECT_EQ(engine.calls.mid(engine.calls.size() - 2), (QStringList{"AbortDoc", "CloseForm"}));
    EXPECT_FALSE(engine.calls.contains("EndDoc"));
}

// Every run, whatever it prints, asks first while no institution is
// registered: its forms would carry no institution code.
TEST_F(PrintRunTest, EveryRunWarnsWithoutAnInstitutionAndCancelPrintsNothing) {
    const auto noPages = [](ReportEngine&, ReportForm&) { return true; };
    const struct {
        const char* run;
        std::function<void()> print;
    } runs[] = {
        {"claim",
         [] {
             PrintClaim(QStringLiteral("seikyuu1.qvf"), QStringLiteral("医科（一般・退職）"),
                        FillTwoFields);
         }},
        {"summary table", [] { PrintSoukatu(QStringLiteral("医"), FillTwoFields); }},
        {"all summary tables",
         [noPages] {
             PrintSoukatuAll(noPages, noPages,
                             [](ReportEngine&, ReportForm&, const QString&) { return true; });
         }},
        {"claim batch",
         [] {
             PrintClaimBatch([](PrintRun& run) {
                 PrintBatchPage(run, QStringLiteral("seikyuu1.qvf"), FillTwoFields);
             });
         }},
    };
    const struct {
        const char* code;
        MsgAnswer answer;
        bool asks;
        bool prints;
    } institutions[] = {
        {"", MsgAnswer::Cancel, true, false},
        {" ", MsgAnswer::Cancel, true, false},
        {"", MsgAnswer::Ok, true, true},
        {"1234567", MsgAnswer::Cancel, false, true},
    };
    for (const auto& r : runs) {
        for (const auto& i : institutions) {
            SCOPED_TRACE(std::string(r.run) + " with code '" + i.code + "'");
            engine.calls.clear();
            messages.clear();
            previews.clear();
            gIryouCD = QString::fromLatin1(i.code);
            answer = i.answer;
            r.print();
            if (i.asks) {
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text, msg::kNoInstitutionCode);
                EXPECT_EQ(messages[0].icon, MsgIcon::Question);
                EXPECT_EQ(messages[0].buttons, MsgButtons::OkCancel);
            } else {
                EXPECT_TRUE(messages.empty());
            }
            EXPECT_EQ(engine.calls.isEmpty(), !i.prints);
            EXPECT_EQ(previews.size(), i.prints ? 1 : 0);
        }
    }
}

} // namespace
} // namespace tabulon
