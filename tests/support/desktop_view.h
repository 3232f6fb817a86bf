// The desktop as the window manager itself reports it, asked directly of
// user32: the reference the tests check the program's list against.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace desktop_view {

// Every top-level window, top of the Z order first.
std::vector<HWND> ZOrder();
// The title as GetWindowTextA gives it with room for 255 characters.
std::string ListedTitle(HWND hwnd);
// Visible, no parent, no owner, a title: what the catalogue lists.
bool Qualifies(HWND hwnd);
// The qualifying windows, in Z order.
std::vector<HWND> QualifyingWindows();

} // namespace desktop_view
