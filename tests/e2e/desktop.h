// The desktop's top-level windows as the window manager orders them, and
// what the program must make of them.
#pragma once

#include <windows.h>

#include "desktop_view.h"

#include <string>
#include <vector>

namespace e2e {

using desktop_view::QualifyingWindows;
using desktop_view::ZOrder;
// The entries the program composes for `windows`, from their titles as the
// window manager reports them now.
std::vector<std::string> EntriesOf(const std::vector<HWND> &windows);
// The top-level windows of process `pid`, in Z order.
std::vector<HWND> WindowsOf(DWORD pid);
// The handle that ends `entry`; null when it has none.
HWND HandleOfEntry(const std::string &entry);

} // namespace e2e
