#pragma once

#include <QString>

namespace tabulon {

// The password of a connect string such as "MS Access;PWD=secret" or
// ";PWD=secret" (key names in any case); empty when there is none.
QString PasswordOf(const QString& connect);

} // namespace tabulon
