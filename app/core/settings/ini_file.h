#pragma once

// The institution settings file Soukatu.ini (beside the program, or in the
// user's configuration folder when installed): Shift_JIS
// text, one "Key=value" line per setting, CR LF line ends.

#include <QString>
#include <array>

namespace tabulon {

// Sets gIryouCD … gSougou to their defaults, reads the file (a key counts at
// the start of its line, after blanks at most; a later line wins) and
// rebuilds gIryoukikan. A file saved as UTF-8 by an editor is read as UTF-8.
// A missing file is silent and leaves gIryoukikan as it was; any other failure
// shows the standard error report and keeps what was read so far.
void LoadIni();

// Writes the eight settings through a temporary file renamed into place, so a
// failed save leaves the old file whole. Shows the standard error report and
// returns false on failure.
bool SaveIni();

// The eight settings in file order: IryouCD, Address1, Address2, Meisyou,
// TEL, Simei, Syubetu, Sougou.
using SettingValues = std::array<QString, 8>;

// Writes `values` as SaveIni does; only once the file is in place do they
// become gIryouCD … gSougou and is gIryoukikan rebuilt. A failure is reported
// and leaves the globals as they were.
bool RegisterSettings(const SettingValues& values);

// gIryoukikan from the address, name, telephone and representative: one line
// each, the second address line only when it is filled.
QString BuildIryoukikan();

// The file in the settings folder, or in the folder set for tests.
QString SettingsFilePath();
// An empty folder restores the settings folder.
void SetSettingsFolderForTesting(const QString& folder);

} // namespace tabulon
