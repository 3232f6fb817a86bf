#include "tamer.h"

#include "desktop.h"
#include "tray.h"

namespace harness {

bool Tamer::Start(const std::string &exe, const char *folder) {
  if (!program.Start(exe, "", kCaption, true, kStartMs, folder))
    return false;
  form = program.Window();
  const auto child = [this](const char *cls, const char *text) {
    return FindWindowExA(form, nullptr, cls, text);
  };
  label1 = child("Static", "Current Applications Runnig ");
  list = child("ListBox", nullptr);
  target = child("Static", "");
  locate = child("Button", "Locate Top Most Window");
  tasks = child("Button", "Get All Windows");
  minimize = child("Button", "MiniMize");
  restore = child("Button", "Restore Size");
  exit = child("Button", "Exit");
  for (HWND control :
       {label1, list, target, locate, tasks, minimize, restore, exit})
    if (control == nullptr)
      return false;
  // Wine's shell activates the window that shows an icon when a tray docks
  // it, which Windows' never does: the form, active on Windows, gets the
  // activation back.
  if (!TrayRuns())
    return true;
  return WaitUntil([] { return TrayIcons().size() == 1; }) &&
         SetForegroundWindow(form) &&
         WaitUntil([this] { return GetForegroundWindow() == form; });
}

bool Select(const Tamer &tamer, int index) {
  return Send(tamer.list, LB_SETCURSEL, index) &&
         Send(tamer.form, WM_COMMAND,
              MAKEWPARAM(GetDlgCtrlID(tamer.list), LBN_SELCHANGE),
              reinterpret_cast<LPARAM>(tamer.list));
}

bool ChangeDpi(const Tamer &t, int dpi) {
  // Wine draws a window's frame for the DPI that the window has, which a
  // sent WM_DPICHANGED does not change: the frame as it is now, around the
  // designed client area at `dpi`.
  RECT frame, client;
  GetWindowRect(t.form, &frame);
  GetClientRect(t.form, &client);
  frame.right += Pixels(kClientTwips.cx, dpi) - client.right;
  frame.bottom += Pixels(kClientTwips.cy, dpi) - client.bottom;
  // The rectangle goes by pointer, which is not marshalled between
  // processes: it goes into the program's memory, freed once it is read.
  const HANDLE process = t.program.Handle();
  void *remote = VirtualAllocEx(process, nullptr, sizeof frame, MEM_COMMIT,
                                PAGE_READWRITE);
  const bool sent =
      remote != nullptr &&
      WriteProcessMemory(process, remote, &frame, sizeof frame, nullptr) &&
      Send(t.form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
           reinterpret_cast<LPARAM>(remote));
  if (sent)
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return sent;
}

bool Target(const Tamer &tamer, HWND window) {
  const int index = Press(tamer.tasks) ? IndexOf(tamer, EntryOf(window)) : -1;
  return index >= 0 && Select(tamer, index);
}

int IndexOf(const Tamer &tamer, const std::string &entry) {
  const std::vector<std::string> entries = EntriesOf(tamer.list);
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == entry)
      return static_cast<int>(i);
  return -1;
}

HWND Focus(const Tamer &tamer) {
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(tamer.form, nullptr), &gui);
  return gui.hwndFocus;
}

HWND NoticeOf(const Tamer &tamer) {
  return WindowOf(tamer.program.Id(), "tooltips_class32", nullptr, true);
}

std::string NoticeText(const Tamer &tamer) {
  // A tooltip's text is its tool's, not its window text: only it can tell.
  wchar_t text[1024] = L"";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(NoticeOf(tamer), WM_GETTEXT, 1024,
                      reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kSettleMs,
                      &ignored);
  return Utf8(text);
}

bool BecomesIconic(HWND window, bool iconic) {
  // The state flips before the window has finished moving.
  return WaitUntil([&] { return (IsIconic(window) != FALSE) == iconic; }) &&
         Answers(window);
}

} // namespace harness
