// What the modes of the fixture application share: their window class, the
// message pump, and the file in which they list their windows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace fixture {

// One "key handle" line per window; the driver reads it back.
using Listing = std::vector<std::pair<std::string, HWND>>;

struct Args {
  std::string file; // where the listing goes
  std::string tag;  // names the signals shared with the driver
  int count = 0;    // bulk: how many windows
  int serial = 0;   // bulk: which of several bulk processes this is
};

struct Place {
  int x, y, width, height;
};

bool RegisterWindowClass(HINSTANCE instance);
// A window of the fixture's class, shown without taking the focus unless
// `hidden`.
HWND MakeWindow(const std::string &title, DWORD style, DWORD ex_style,
                const Place &place, HWND owner, bool hidden);
bool WriteListing(const std::string &file, const Listing &listing);

// Dispatches this thread's messages until none are left.
void PumpPending();
// Dispatches messages until one of `handles` is signalled; returns its index.
DWORD PumpUntil(const HANDLE *handles, DWORD count);

int RunRoles(const Args &args);
int RunBulk(const Args &args);
int RunChurn(const Args &args);

} // namespace fixture
