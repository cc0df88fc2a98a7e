#include "settings/ini_file.h"

#include "app_paths.h"
#include "globals.h"
#include "helpers/cp932.h"
#include "message_box.h"
#include "owner_only_file.h"

#include <QDir>
#include <QFile>
#include <array>

namespace tabulon {

namespace {

constexpr int kErrFileAccess = 75;
constexpr int kErrNotShiftJis = 5;

struct Setting {
    const char* key;
    QString* global;
    const char* defaultValue;
};

// The keys in file order.
std::array<Setting, 8> settings() {
    return {{{"IryouCD=", &gIryouCD, ""},
             {"Address1=", &gAddress1, ""},
             {"Address2=", &gAddress2, ""},
             {"Meisyou=", &gMeisyou, ""},
             {"TEL=", &gTel, ""},
             {"Simei=", &gSimei, ""},
             {"Syubetu=", &gSyubetu, "1"},
             {"Sougou=", &gSougou, "0"}}};
}

QString& settingsFolder() {
    static QString folder;
    return folder;
}

void applyLine(const QString& line) {
    for (const Setting& s : settings()) {
        const QString key = QLatin1String(s.key);
        const qsizetype at = line.indexOf(key);
        if (at >= 0)
            *s.global = line.mid(at + key.size()).trimmed();
    }
}

// Splits on CR LF, LF or CR. Shift_JIS trail bytes never take these values,
// so the bytes can be split before they are decoded.
QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

} // namespace

QString SettingsFilePath() {
    const QString folder = settingsFolder().isEmpty() ? SettingsFolder() : settingsFolder();
    return QDir(folder).filePath(QStringLiteral("Soukatu.ini"));
}

void SetSettingsFolderForTesting(const QString& folder) {
    settingsFolder() = folder;
}

QString BuildIryoukikan() {
    const QString crlf = QStringLiteral("\r\n");
    QString block = gAddress1 + crlf;
    if (!gAddress2.isEmpty())
        block += gAddress2 + crlf;
    return block + gMeisyou + crlf + gTel + crlf + gSimei;
}

void LoadIni() {
    for (const Setting& s : settings())
        *s.global = QLatin1String(s.defaultValue);

    QFile file(SettingsFilePath());
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        ShowErrorReport(kErrFileAccess,
                        QStringLiteral("設定ファイルを開けません。（%1）").arg(file.fileName()));
        return;
    }
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    for (const QByteArray& line : splitLines(bytes))
        applyLine(FromCp932(line));
    if (readFailed) {
        ShowErrorReport(
            kErrFileAccess,
            QStringLiteral("設定ファイルを読み込めません。（%1）").arg(file.fileName()));
        return;
    }
    gIryoukikan = BuildIryoukikan();
}

bool SaveIni() {
    QString text;
    for (const Setting& s : settings())
        text += QLatin1String(s.key) + *s.global + QStringLiteral("\r\n");
    const std::optional<QByteArray> bytes = ToCp932(text);
    if (!bytes) {
        ShowErrorReport(kErrNotShiftJis,
                        QStringLiteral("設定ファイルに書けない文字（Shift_JIS にない文字）が"
                                       "含まれています。"));
        return false;
    }
    OwnerOnlyFile file;
    if (!file.Open(SettingsFilePath()) || !file.Write(*bytes) || !file.Commit()) {
        const QString reason = file.ErrorString();
        ShowErrorReport(kErrFileAccess,
                        QStringLiteral("設定ファイルを保存できません。（%1）").arg(reason));
        return false;
    }
    return true;
}

} // namespace tabulon
