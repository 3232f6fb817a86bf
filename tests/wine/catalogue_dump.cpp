// catalogue_dump: prints the catalogue of the current desktop, one window
// entry a line, top of the Z order first.
#include "MTaskList.h"

// After the catalogue's header: <windows.h> macros clash with its constants.
#include "desktop.h"

#include <windows.h>

#include <cstdio>

int main() {
  desktop::ListHost host;
  if (!host.Create(false, 400, 300)) {
    std::fprintf(stderr, "catalogue_dump: cannot create a list box\n");
    return 1;
  }
  MTaskList::FillTaskList(host.List());
  for (const std::string &entry : desktop::ReadEntries(host.List()))
    std::printf("%s\n", entry.c_str());
  return 0;
}
