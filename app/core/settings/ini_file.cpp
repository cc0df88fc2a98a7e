#include "settings/ini_file.h"

#include "app_paths.h"
#include "globals.h"
#include "helpers/cp932.h"
#include "message_box.h"
#include "owner_only_file.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
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

// A key counts only at the start of its line, after blanks at most: a typed
// address such as "名古屋市 IryouCD=9999999" must never set another setting.
void applyLine(const QString& line) {
    qsizetype start = 0;
    while (start < line.size() && line[start].isSpace())
        ++start;
    for (const Setting& s : settings()) {
        const QString key = QLatin1String(s.key);
        if (QStringView(line).mid(start).startsWith(key))
            *s.global = line.mid(start + key.size()).trimmed();
    }
}

// Japanese text in UTF-8 is often valid Shift_JIS bytes too ("名古屋市医院"
// is). Such a file is taken as UTF-8 when that reading gives only Japanese
// characters (kana, kanji, full-width forms) beyond ASCII; a file the program
// wrote reads that way only by a rare chance of half-width katakana.
bool readsAsJapanese(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x80 || c.unicode() >= 0x3000; });
}

// The file is Shift_JIS as the program writes it, but an editor may have
// saved it as UTF-8 (Notepad with a byte order mark). True when it is to be
// read as UTF-8: the mark is there (and is removed), or the bytes are UTF-8
// and either not Shift_JIS or Japanese text in UTF-8. The next SaveIni writes
// Shift_JIS again.
bool readAsUtf8(QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        bytes.remove(0, bom.size());
        return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return !utf8.hasError() && (!IsCp932(bytes) || readsAsJapanese(text));
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

bool writeSettings(const SettingValues& values);

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

bool SaveIni() {
    SettingValues values;
    const auto all = settings();
    for (size_t i = 0; i < all.size(); ++i)
        values[i] = *all[i].global;
    return writeSettings(values);
}

bool RegisterSettings(const SettingValues& values) {
    if (!writeSettings(values))
        return false;
    const auto all = settings();
    for (size_t i = 0; i < all.size(); ++i)
        *all[i].global = values[i];
    gIryoukikan = BuildIryoukikan();
    return true;
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
    QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    const bool utf8 = readAsUtf8(bytes);
    for (const QByteArray& line : splitLines(bytes))
        applyLine(utf8 ? QString::fromUtf8(line) : FromCp932(line));
    if (readFailed) {
        ShowErrorReport(
            kErrFileAccess,
            QStringLiteral("設定ファイルを読み込めません。（%1）").arg(file.fileName()));
        return;
    }
    gIryoukikan = BuildIryoukikan();
}

namespace {

bool writeSettings(const SettingValues& values) {
    QString text;
    const auto all = settings();
    for (size_t i = 0; i < all.size(); ++i)
        text += QLatin1String(all[i].key) + values[i] + QStringLiteral("\r\n");
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

} // namespace

} // namespace tabulon
