#pragma once

// How a clerk opens a line of a list: a double click anywhere on the list, or
// Return / keypad Enter while the list has the focus.

#include <functional>

class QAbstractItemView;

namespace tabulon {

// Runs `open` on a double click on the list (an empty area included, where
// `open` finds nothing selected) and on Return or keypad Enter in the list.
// Return first selects the line that has the keyboard focus when none is
// selected, so the line the clerk sees marked is the one opened.
void OpenLinesOf(QAbstractItemView* list, std::function<void()> open);

} // namespace tabulon
