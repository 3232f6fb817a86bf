// An in-memory desktop that provides the window operations of window_ops.h,
// plus the controls the tests need to set up windows and observe what the
// logic did to them. One desktop per process; tests call Reset() first.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "window_ops.h"

namespace memdesk {

using platform::DWORD;
using platform::HWND;

// GetCurrentThreadId() reports kOwnThread; windows default to kOtherThread.
constexpr DWORD kOwnThread = 1;
constexpr DWORD kOtherThread = 2;

enum class Op {
  EnumWindows,
  IsWindowVisible,
  GetParent,
  GetWindowLongA,
  GetWindowTextA,
  SendMessageA,
  InvalidateRect,
  SetWindowTextA,
  EnableWindow,
  ShowWindow,
  ShowWindowAsync,
  GetWindowThreadProcessId,
};

struct Call {
  Op op;
  HWND hwnd;
};

enum class ShowState { Normal, Minimized, Maximized };

// How a test asks for a window; also the part of a window it can inspect.
struct WindowSetup {
  std::string title{};
  bool visible = true;
  bool topmost = false;
  // With an owner: a pop-up reports it from GetParent, an overlapped window
  // only from GetWindowLongA(GWL_HWNDPARENT).
  HWND owner = nullptr;
  bool popup = false;
  DWORD thread = kOtherThread;
  ShowState show = ShowState::Normal;
  // The handle to use; by default the next free one.
  std::optional<std::int32_t> handle = std::nullopt;
};

struct ListBoxState {
  std::vector<std::string> items;
  int cursel = -1;
  bool redraw = true;
  // LB_ADDSTRING, LB_DELETESTRING and LB_RESETCONTENT received while redraw
  // was on: each would have repainted the list.
  int updatesWhileRedrawOn = 0;
  // InvalidateRect calls while redraw was on (with redraw off they are lost).
  int invalidations = 0;
};

struct Window : WindowSetup {
  bool enabled = true;
  HWND parent = nullptr;                           // child windows only
  std::optional<ListBoxState> list = std::nullopt; // list boxes only
};

class Desktop {
public:
  // Removes every window, the call log, the hook, hung threads and queued
  // show commands, and restarts handle allocation.
  void Reset();

  HWND CreateTopLevel(const WindowSetup &setup);
  // Child windows of `form`, on its thread, never offered by EnumWindows.
  HWND CreateListBox(HWND form);
  HWND CreateLabel(HWND form, const std::string &text = "");
  HWND CreateButton(HWND form, bool enabled);
  // Also destroys the window's children and the windows it owns.
  void Destroy(HWND hwnd);
  // Moves the window to the top of the topmost band, or to the top of the
  // normal windows below it.
  void SetTopmost(HWND hwnd, bool topmost);

  // The window behind a handle (its low 32 bits), or null once destroyed.
  Window *Find(HWND hwnd);
  // As Find, for a window the test knows to exist.
  Window &At(HWND hwnd);
  ListBoxState &ListBox(HWND list);
  void SelectItem(HWND list, int index);
  // Top-level windows, top of the Z order first.
  const std::vector<HWND> &ZOrder() const { return zorder_; }

  // Runs before EnumWindows offers each window, with that window.
  void SetBeforeOffer(std::function<void(HWND)> hook);
  void RunBeforeOffer(HWND hwnd) const;

  void Record(Op op, HWND hwnd) { calls_.push_back({op, hwnd}); }
  const std::vector<Call> &Calls() const { return calls_; }
  std::vector<Op> OpsOn(HWND hwnd) const;

  // A hung thread processes no messages: a synchronous call into it would
  // never return (counted in Freezes()), an asynchronous one waits for
  // PumpThread.
  void SetHung(DWORD thread, bool hung);
  bool Unresponsive(const Window &window) const;
  void CountFreeze() { ++freezes_; }
  int Freezes() const { return freezes_; }
  void Queue(HWND hwnd, int cmdShow) { queued_.push_back({hwnd, cmdShow}); }
  void PumpThread(DWORD thread);

private:
  struct Queued {
    HWND hwnd;
    int cmdShow;
  };

  HWND Add(Window window, std::optional<std::int32_t> handle);
  HWND AddChild(HWND form, Window window);

  std::map<std::int32_t, Window> windows_;
  std::vector<HWND> zorder_;
  std::vector<Call> calls_;
  std::set<DWORD> hung_;
  std::vector<Queued> queued_;
  std::function<void(HWND)> beforeOffer_;
  // Allocation starts clear of the small handles tests pick.
  std::int32_t nextHandle_ = 0x10010;
  int freezes_ = 0;
};

// The desktop that the window operations act on.
Desktop &TheDesktop();

} // namespace memdesk
