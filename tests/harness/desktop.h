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
// The entry for `hwnd`: its title cut to the whole characters that fit in
// 255 bytes of UTF-8, a space, and the handle in signed decimal.
std::string EntryOf(HWND hwnd);
// What a fill must list now: an entry for every visible, parentless,
// unowned, titled top-level window that the desktop window manager does not
// cloak (unless `askDwm` is false), top of the Z order first.
std::vector<std::string> ExpectedEntries(bool askDwm = true);

// A window's text as GetWindowTextW gives it (up to 1023 units), and a list
// box's entries, in UTF-8.
std::string TextOf(HWND hwnd);
std::vector<std::string> EntriesOf(HWND list);

// The windows of the thread of `form`, children included.
int WindowCount(HWND form);

bool IsTopmost(HWND window);
// How `window` held its always-on-top state over `ms` milliseconds, looked
// at about every millisecond: the share of the time it was on top, how long
// each of its returns to the top lasted, and each of its drops off it. With
// `program`, whether that program's window answered throughout, asked every
// 100 ms.
struct OnTopSample {
  double share;
  std::vector<double> returnsMs;
  std::vector<double> dropsMs;
  bool answered;
};
OnTopSample SampleOnTop(HWND window, DWORD ms, HWND program = nullptr);

} // namespace harness
