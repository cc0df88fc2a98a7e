#pragma once

// The one way modal screens are opened. Screens of other libraries (claim
// list, summary screens) are registered by name, so the main menu can open
// them without linking them. Tests replace the opening to drive a screen
// without blocking and to see which screens were opened.

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace tabulon {

// Shows the screen modally and returns its result.
int OpenModal(QDialog& screen);

using ModalHandler = std::function<int(QDialog&)>;
// Replaces the modal loop; an empty handler restores it.
void SetModalHandler(ModalHandler handler);

using ScreenFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;
void RegisterScreen(const QString& name, ScreenFactory factory);
bool IsScreenRegistered(const QString& name);
// Creates the named screen, opens it through OpenModal and releases it on
// close. Returns -1 when no such screen is registered, 0 (rejected) for a
// screen marked unloaded.
int OpenScreen(const QString& name, QWidget* parent);

// Said by a screen whose data could not be read while it was made, after it
// has shown the error: OpenScreen does not open it, since its empty list
// would look like a month with nothing stored.
void MarkUnloaded(QDialog& screen);

} // namespace tabulon
