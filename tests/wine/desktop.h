// What the window manager itself says about the desktop, asked directly of
// user32: the reference that the catalogue's list is checked against.
#pragma once

#include <windows.h>

#include "desktop_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace desktop {

// A top-level window of this process holding a real LISTBOX (unsorted,
// single selection) as its only child.
class ListHost {
public:
  ListHost() = default;
  ListHost(const ListHost &) = delete;
  ListHost &operator=(const ListHost &) = delete;
  ~ListHost();

  // A visible host is shown on screen with the list's redraw on.
  bool Create(bool visible, int width, int height);
  HWND List() const { return list_; }
  HWND Window() const { return host_; }

private:
  HWND host_ = nullptr;
  HWND list_ = nullptr;
};

// Every item of the list box, in list order.
std::vector<std::string> ReadEntries(HWND list);

// The handle as the entry prints it: the low 32 bits, signed.
std::int32_t HandleValue(HWND hwnd);
HWND HandleFromValue(std::int32_t value);

// "title handle", built here independently of the catalogue's own code.
std::string EntryFor(HWND hwnd);

// The entry's text before its last space (the whole text if it has none).
std::string TitleOfEntry(const std::string &entry);

// The entries the catalogue must produce for the current desktop.
std::vector<std::string> ExpectedEntries();

} // namespace desktop
