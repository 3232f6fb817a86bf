#include "tamer.h"

#include "wait.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

namespace e2e {
namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

RECT ClientRectOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT *>(&r), 2);
  return r;
}

struct Search {
  Controls *controls;
  std::vector<HWND> statics;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  Search *search = reinterpret_cast<Search *>(param);
  Controls &c = *search->controls;
  const std::string cls = ClassOf(hwnd);
  const std::string text = ReadText(hwnd);
  if (lstrcmpiA(cls.c_str(), "ListBox") == 0)
    c.list = hwnd;
  else if (lstrcmpiA(cls.c_str(), "Static") == 0)
    search->statics.push_back(hwnd);
  else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    struct Named {
      const char *caption;
      HWND Controls::*slot;
    };
    static const Named kButtons[] = {
        {"Locate Top Most Window", &Controls::locate},
        {"Get All Windows", &Controls::tasks},
        {"MiniMize", &Controls::minimize},
        {"Restore Size", &Controls::restore},
        {"Exit", &Controls::exit},
    };
    for (const Named &b : kButtons)
      if (text == b.caption)
        c.*b.slot = hwnd;
  }
  return TRUE;
}

Controls FindControls(HWND form) {
  Controls c;
  Search search{&c, {}};
  EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&search));
  for (HWND s : search.statics) {
    if (ReadText(s) == "Current Applications Runnig ")
      c.label1 = s;
    else if (c.list != nullptr &&
             ClientRectOf(s).top >= ClientRectOf(c.list).bottom)
      c.target = s;
  }
  return c;
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, timeout_ms,
                             &result) != 0;
}

bool Notify(const Tamer &tamer, WORD code, HWND control, DWORD timeout_ms) {
  const WPARAM wp = MAKEWPARAM(GetDlgCtrlID(control), code);
  return Send(tamer.Form(), WM_COMMAND, wp, reinterpret_cast<LPARAM>(control),
              timeout_ms);
}

} // namespace

bool Tamer::Start(const std::string &exe) {
  std::string line = "\"" + exe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &process_)) {
    std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
    return false;
  }
  WaitUntil(
      [&] {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, nullptr, kCaption)) !=
               nullptr) {
          DWORD pid = 0;
          GetWindowThreadProcessId(found, &pid);
          if (pid == process_.dwProcessId && IsWindowVisible(found)) {
            form_ = found;
            return true;
          }
        }
        return false;
      },
      StartMs());
  if (form_ == nullptr) {
    std::printf("no visible window captioned \"%s\" from %s\n", kCaption,
                exe.c_str());
    return false;
  }
  WaitForInputIdle(process_.hProcess, kSettleMs);
  controls_ = FindControls(form_);
  return true;
}

DWORD Tamer::UiThreadId() const {
  return GetWindowThreadProcessId(form_, nullptr);
}

bool Tamer::WaitForExit(DWORD timeout_ms) {
  return WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

void Tamer::Close() {
  if (process_.hProcess == nullptr)
    return;
  if (!WaitForExit(0))
    TerminateProcess(process_.hProcess, 1);
  WaitForExit(kSettleMs);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  form_ = nullptr;
}

std::vector<std::wstring> ReadListWide(HWND list) {
  // Wine answers LB_GETTEXT from another process in UTF-16 whichever variant
  // sent it, so ask in UTF-16.
  std::vector<std::wstring> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) {
      entries.push_back(L"<LB_ERR>");
      continue;
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<size_t>(length));
    entries.push_back(wide);
  }
  return entries;
}

std::vector<std::string> ReadList(HWND list) {
  std::vector<std::string> entries;
  for (const std::wstring &wide : ReadListWide(list)) {
    char ansi[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr,
                        nullptr);
    entries.push_back(ansi);
  }
  return entries;
}

std::string ReadText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::wstring ReadTextWide(HWND hwnd) {
  wchar_t text[1024] = {};
  const int length =
      GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring Widen(const std::string &text) {
  if (text.empty())
    return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
  return wide;
}

std::string EntryFor(const std::string &title, HWND hwnd) {
  const auto handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd));
  return title.substr(0, 255) + " " + std::to_string(handle);
}

bool Press(HWND button, DWORD timeout_ms) {
  return Send(button, BM_CLICK, 0, 0, timeout_ms);
}

bool SelectEntry(const Tamer &tamer, int index) {
  const HWND list = tamer.Ctl().list;
  return Send(list, LB_SETCURSEL, index, 0, kSettleMs) &&
         Notify(tamer, LBN_SELCHANGE, list, kSettleMs);
}

bool DoubleClickEntry(const Tamer &tamer, int index, DWORD timeout_ms) {
  return SelectEntry(tamer, index) &&
         Notify(tamer, LBN_DBLCLK, tamer.Ctl().list, timeout_ms);
}

bool Perform(const Tamer &tamer, Command command, int index, DWORD timeout_ms) {
  switch (command) {
  case Command::Minimize:
    return Press(tamer.Ctl().minimize, timeout_ms);
  case Command::Restore:
    return Press(tamer.Ctl().restore, timeout_ms);
  case Command::DoubleClick:
    return DoubleClickEntry(tamer, index, timeout_ms);
  }
  return false;
}

const char *NameOf(Command command) {
  switch (command) {
  case Command::Minimize:
    return "MiniMize";
  case Command::Restore:
    return "Restore Size";
  case Command::DoubleClick:
    return "double-click";
  }
  return "?";
}

void PostClick(const Tamer &tamer, HWND button) {
  PostMessageA(tamer.Form(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

} // namespace e2e
