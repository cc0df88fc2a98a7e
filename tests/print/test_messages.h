#pragma once

// The shared message recorder, with the Qt header it relies on.

// clang-format off
#include <QStringList>
#include "../support/message_recorder.h"
// clang-format on
