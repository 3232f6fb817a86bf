#include "message_box.h"

#include "tamer.h"

namespace e2e {
namespace {

struct Search {
  DWORD pid;
  HWND found;
};

bool IsClass(HWND hwnd, const char *name) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  return lstrcmpiA(cls, name) == 0;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  Search *search = reinterpret_cast<Search *>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd) && IsClass(hwnd, "#32770")) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  MessageBoxSeen *seen = reinterpret_cast<MessageBoxSeen *>(param);
  if (IsClass(hwnd, "Button") && IsWindowVisible(hwnd))
    seen->buttons.push_back(hwnd);
  else if (IsClass(hwnd, "Static") && !ReadText(hwnd).empty())
    seen->statics.push_back(ReadText(hwnd));
  return TRUE;
}

} // namespace

MessageBoxSeen FindDialogOf(DWORD pid) {
  Search search{pid, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  MessageBoxSeen seen;
  seen.dialog = search.found;
  if (seen.dialog == nullptr)
    return seen;
  seen.caption = ReadText(seen.dialog);
  EnumChildWindows(seen.dialog, CollectChild, reinterpret_cast<LPARAM>(&seen));
  return seen;
}

} // namespace e2e
