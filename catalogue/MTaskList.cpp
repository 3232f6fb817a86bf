#include "MTaskList.h"

#include <string_view>

using namespace platform;

namespace MTaskList {

TaskScratchRecord TaskScratch{};

BOOL PLATFORM_CALLBACK EnumTaskProc(HWND hwnd, LPARAM lParam) {
  // Cheapest tests first; each failing test skips the rest, so a hidden
  // window is never asked anything more.
  if (!IsWindowVisible(hwnd))
    return kEnumContinue;
  // Visible by its style, yet kept off the screen by the shell.
  if (IsWindowCloaked(hwnd))
    return kEnumContinue;
  if (GetParent(hwnd) != nullptr)
    return kEnumContinue;
  if (GetWindowLongA(hwnd, GWL_HWNDPARENT) != 0)
    return kEnumContinue;

  char *const text = TaskScratch.Text.data();
  TaskScratch.Length = GetWindowTextA(hwnd, text, kTitleBufferLength);
  if (TaskScratch.Length <= 0)
    return kEnumContinue;
  // Never trust the count beyond the buffer we passed.
  if (TaskScratch.Length >= kTitleBufferLength)
    TaskScratch.Length = kTitleBufferLength - 1;
  const std::string_view title(text,
                               static_cast<std::size_t>(TaskScratch.Length));
  // The buffer's end may have cut a character of several bytes in two.
  const std::size_t whole =
      modHideWin::WholeCharacters(title, GetACP() == CP_UTF8);
  modHideWin::ComposeEntry(text, std::string_view(text, whole),
                           LongFromHwnd(hwnd));
  SendMessageA(reinterpret_cast<HWND>(lParam), LB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(text));
  return kEnumContinue;
}

void SuspendRedraw(HWND list) { SendMessageA(list, WM_SETREDRAW, FALSE, 0); }

void ResumeRedraw(HWND list) {
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void RefillEntries(HWND list) {
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  EnumWindows(EnumTaskProc, reinterpret_cast<LPARAM>(list));
}

void FillTaskList(HWND list) {
  SuspendRedraw(list);
  RefillEntries(list);
  ResumeRedraw(list);
}

} // namespace MTaskList
