// The program under test seen from outside: its window found by caption,
// its controls by class and caption, and the message paths a user's clicks
// take into it.
#pragma once

#include "program.h"

#include <string>

namespace harness {

constexpr char kCaption[] = "Manipulate Windows always on top";
// The form's client area as designed, in twips (1/1440 inch).
constexpr SIZE kClientTwips = {4740, 3696};

// `twips` in pixels at `dpi`.
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

struct Tamer {
  harness::Program program;
  HWND form = nullptr;
  HWND label1 = nullptr;
  HWND list = nullptr;
  HWND target = nullptr; // lblOPut
  HWND locate = nullptr; // Command2
  HWND tasks = nullptr;  // cmdTasks
  HWND minimize = nullptr;
  HWND restore = nullptr;
  HWND exit = nullptr;

  // Starts `exe` in `folder` (nullptr: ours) and finds its controls, once its
  // icon is in the tray; false if any is missing.
  bool Start(const std::string &exe, const char *folder = nullptr);
};

// A click on `button` by BM_CLICK; false if the program does not answer
// within `timeout_ms`.
inline bool Press(HWND button, DWORD timeout_ms = kSettleMs) {
  return Send(button, BM_CLICK, 0, 0, timeout_ms);
}
// Selects entry `index` as a click would: the selection, then its
// notification to the form.
bool Select(const Tamer &tamer, int index);
// Sends WM_DPICHANGED for `dpi`, as the window manager would: the suggested
// rectangle is the form's frame around the designed client area at `dpi`,
// with the form's top-left corner kept.
bool ChangeDpi(const Tamer &t, int dpi);
// Fills the list and makes the entry of `window` the target, as a click
// would; false if it is not listed.
bool Target(const Tamer &tamer, HWND window);
// The index of `entry` in the program's list, or -1.
int IndexOf(const Tamer &tamer, const std::string &entry);
// The control of the program that has the keyboard focus.
HWND Focus(const Tamer &tamer);
// The program's notice while it is shown, else nullptr; and its text in
// UTF-8, empty while none is shown.
HWND NoticeOf(const Tamer &tamer);
std::string NoticeText(const Tamer &tamer);
// Waits for `window` to be minimised (or not) and for its thread to have
// finished the change; true when it is as expected.
bool BecomesIconic(HWND window, bool iconic);

} // namespace harness
