#pragma once

// A print test's surroundings: the recording engine in place of QvDraw1, the
// preview answered at once, messages recorded, institution settings set.

#include "db/dao.h"
#include "globals.h"
#include "modal_screen.h"
#include "print_context.h"
#include "qvbarqr_library.h"
#include "recording_engine.h"
#include "test_messages.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace tabulon::test {

// The month, the date and the institution every print test starts from.
inline void SetPrintGlobals(const QString& iryoukikan) {
    gIryouCD = "1234567";
    gSougou = "0";
    gNengetu = "3805";
    gToday = "4380612";
    gIryoukikan = iryoukikan;
}

// Stores a claim of the processing month under its key, with the figures
// given as column and value.
inline void AddMonthClaim(Database& db, const QString& bangou, int kind, int serial,
                          const QString& sinryouka,
                          std::initializer_list<std::pair<QString, QString>> figures) {
    auto rs = db.OpenRecordset("SELECT * From T_請求書");
    rs->AddNew();
    rs->Fields("年月").SetValue(gNengetu);
    rs->Fields("保険者番号").SetValue(bangou);
    rs->Fields("診療科").SetValue(sinryouka);
    rs->Fields("請求書種類").SetValue(QString::number(kind));
    rs->Fields("連番").SetValue(serial);
    for (const auto& [column, value] : figures)
        rs->Fields(column).SetValue(value);
    rs->Update();
}

// The real report engine, with QvBarQR and the layouts of the build folder.
// The program folder is this process's own, its form/ the build's: the
// documents land in its document/, so test programs running side by side
// never print over each other's documents.
inline void UseBuiltEngine(const QString& build) {
    static const QTemporaryDir program;
    const QString form = QDir(program.path()).filePath(QStringLiteral("form"));
    if (!QFileInfo::exists(form))
        QFile::link(QDir(build).filePath(QStringLiteral("form")), form);
    QvBarQRLibrary::SetFolder(build);
    SetProgramFolder(program.path());
    SetPrintEngine(nullptr);
}

class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrintEngine(&engine);
        SetProgramFolder(QStringLiteral("/prog"));
        SetModalHandler([this](QDialog& screen) {
            previews << screen.objectName();
            return 0;
        });
        SetPrintGlobals(QStringLiteral("所在地\r\n名称"));
        gQRText.clear();
        CurrentClaim = {};
    }
    void TearDown() override {
        SetPrintEngine(nullptr);
        SetProgramFolder(QString());
        SetModalHandler(nullptr);
    }

    // The calls that start with `prefix`.
    QStringList Calls(const QString& prefix) const {
        QStringList out;
        for (const QString& c : engine.calls)
            if (c.startsWith(prefix))
                out << c;
        return out;
    }

    RecordingEngine engine;
    MessageRecorder messages;
    QStringList previews;
};

} // namespace tabulon::test
