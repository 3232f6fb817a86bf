// The program under test, seen from outside: started as a user would start
// it, its window found by caption and its controls by class and caption.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr char kCaption[] = "Manipulate Windows always on top";

struct Controls {
  HWND label1 = nullptr;
  HWND list = nullptr;
  HWND target = nullptr; // lblOPut, the label below the list
  HWND locate = nullptr;
  HWND tasks = nullptr;
  HWND minimize = nullptr;
  HWND restore = nullptr;
  HWND exit = nullptr;
};

class Tamer {
public:
  // Starts `exe` and waits for its window; false if it never shows.
  bool Start(const std::string &exe);
  HWND Form() const { return form_; }
  const Controls &Ctl() const { return controls_; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  DWORD UiThreadId() const;
  // True when the process has ended within `timeout_ms`.
  bool WaitForExit(DWORD timeout_ms);
  // Ends a process that a failed test left behind, then releases handles.
  void Close();

private:
  PROCESS_INFORMATION process_ = {};
  HWND form_ = nullptr;
  Controls controls_;
};

// The list's entries as ANSI text.
std::vector<std::string> ReadList(HWND list);
// The list's entries in UTF-16, as the list holds them.
std::vector<std::wstring> ReadListWide(HWND list);
// A window's text as ANSI.
std::string ReadText(HWND hwnd);
// A window's text in UTF-16.
std::wstring ReadTextWide(HWND hwnd);
// ANSI `text` in UTF-16, converted as Wine converts an ANSI title.
std::wstring Widen(const std::string &text);
// The entry the program composes for `hwnd` titled `title`.
std::string EntryFor(const std::string &title, HWND hwnd);

// Message paths into the program. Each returns false when the program did not
// answer within `timeout_ms`.
bool Press(HWND button, DWORD timeout_ms = 5000);
bool SelectEntry(const Tamer &tamer, int index);
// The double-click's notification waits at most `timeout_ms`.
bool DoubleClickEntry(const Tamer &tamer, int index, DWORD timeout_ms = 5000);
// The commands that act on the target, each waiting at most `timeout_ms`;
// a double-click is on entry `index`.
enum class Command { Minimize, Restore, DoubleClick };
bool Perform(const Tamer &tamer, Command command, int index, DWORD timeout_ms);
const char *NameOf(Command command);
// Posts the notification a click on `button` raises and returns at once.
void PostClick(const Tamer &tamer, HWND button);

} // namespace e2e
