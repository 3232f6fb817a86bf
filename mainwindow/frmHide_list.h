// List1 draws its own rows, so that each can carry a mark at the left of its
// entry's text. The list box keeps its strings, so its text, selection and
// type-ahead are the list box's own as before.
#pragma once

// Before <windows.h>, which defines some of the window operations' constant
// names as macros.
#include "frmHide_commands.h"

#include <windows.h>

#include "frmHide_fonts.h"

// Draws row `item` of the list: the background and colours of a selected or
// unselected row, the entry's mark in a square cell at the left, its text
// after it, and the focus rectangle. The mark is read now, so it is never
// older than the paint.
void DrawListRow(const DRAWITEMSTRUCT &item, const Keeper &keeper,
                 const frmHideFonts &fonts);
