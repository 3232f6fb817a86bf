// Fills a list box with one window entry per visible, uncloaked, parentless,
// unowned, titled top-level window, top of the Z order first.
#pragma once

#include <array>
#include <cstdint>

#include "modHideWin.h"
#include "window_ops.h"

namespace MTaskList {

// Scratch space of the enumeration callback, reused for every window: first
// the title buffer, then the composed entry.
struct TaskScratchRecord {
  std::array<char, modHideWin::kMaxEntry + 1> Text;
  std::int32_t Length;
};
extern TaskScratchRecord TaskScratch;

// The maximum count passed to GetWindowTextA: 255 characters and the NUL.
constexpr int kTitleBufferLength = 256;

// Clears `list` and adds an entry for every qualifying window. The list's
// redraw stays off while it is rebuilt; the list is repainted once at the end.
void FillTaskList(platform::HWND list);

// Clears `list` and adds the entries, leaving its redraw state alone. For
// callers that batch more list changes under one suspended redraw.
void RefillEntries(platform::HWND list);

void SuspendRedraw(platform::HWND list);
void ResumeRedraw(platform::HWND list);

// The enumeration callback: lParam is the list box. Always continues.
platform::BOOL PLATFORM_CALLBACK EnumTaskProc(platform::HWND hwnd,
                                              platform::LPARAM lParam);

// What EnumTaskProc returns for every window: TRUE with all bits set.
constexpr platform::BOOL kEnumContinue = -1;

} // namespace MTaskList
