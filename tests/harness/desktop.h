// The desktop as the window manager itself reports it: the reference the
// tests hold the program's list against, and readers of another process's
// windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// Waits until the Z order has stopped changing: Wine goes on reordering
// newly made windows for a while as the X server's events come in.
bool ZOrderSettles();
// The entry for `hwnd`: its title as GetWindowTextA gives it with room for
// 255 characters, a space, and the handle in signed decimal.
std::string EntryOf(HWND hwnd);
// What a fill must list now: an entry for every visible, parentless,
// unowned, titled top-level window that the desktop window manager does not
// cloak (unless `askDwm` is false), top of the Z order first.
std::vector<std::string> ExpectedEntries(bool askDwm = true);

// A window's text as GetWindowTextA gives it with room for `room` - 1
// characters, and a list box's entries, in the ANSI code page.
std::string TextOf(HWND hwnd, int room = 1024);
std::vector<std::string> EntriesOf(HWND list);

// The windows of the thread of `form`, children included.
int WindowCount(HWND form);

} // namespace harness
