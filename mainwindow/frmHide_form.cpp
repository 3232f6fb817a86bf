#include "frmHide_form.h"

#include "command_line.h"

#include <shellapi.h>

#include "user32/system_library.h"

void Form_Load(HWND form) {
  SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
}

void mnuInfo_Click(HWND form) {
  MessageBoxA(form, "Minimize the Ad Banner... then move it out of the way.",
              "Topmost Tamer", MB_OK);
}

void Command3_Click(frmHide &form) { form.End(); }

void RestartAsAdministrator(frmHide &form) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // shell32 is loaded for this alone, never at start-up.
  using ShellExecuteExProc = BOOL(WINAPI *)(SHELLEXECUTEINFOA *);
  const auto shellExecuteEx = platform::SystemFunctionAs<ShellExecuteExProc>(
      "shell32.dll", "ShellExecuteExA");
  if (length == 0 || length >= sizeof path || shellExecuteEx == nullptr)
    return;
  SHELLEXECUTEINFOA run{};
  run.cbSize = sizeof run;
  run.hwnd = form.Window();
  run.lpVerb = "runas";
  run.lpFile = path;
  // The new copy waits for this one to end, rather than bringing it forward
  // as a second copy would.
  run.lpParameters = kRestartSwitch;
  run.nShow = SW_SHOWNORMAL;
  if (shellExecuteEx(&run))
    form.End();
}
