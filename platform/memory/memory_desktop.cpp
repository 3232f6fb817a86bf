#include "memory_desktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace memdesk {

namespace {

// A show command as the window's own thread carries it out.
platform::BOOL ApplyShow(Window &window, int cmdShow) {
  const bool wasVisible = window.visible;
  if (cmdShow == platform::SW_MINIMIZE) {
    window.visible = true;
    window.show = ShowState::Minimized;
  } else if (cmdShow == platform::SW_RESTORE) {
    window.visible = true;
    window.show = ShowState::Normal;
  }
  return wasVisible ? platform::TRUE : platform::FALSE;
}

} // namespace

void Desktop::Reset() { *this = Desktop(); }

HWND Desktop::Add(Window window, std::optional<std::int32_t> handle) {
  if (!handle) {
    while (nextHandle_ == 0 || windows_.count(nextHandle_) != 0)
      ++nextHandle_;
    handle = nextHandle_++;
  }
  if (*handle == 0 || !windows_.emplace(*handle, std::move(window)).second)
    throw std::invalid_argument("window handle 0 or already in use");
  return platform::HwndFromLong(*handle);
}

HWND Desktop::CreateTopLevel(const WindowSetup &setup) {
  const HWND hwnd = Add(Window{setup}, setup.handle);
  SetTopmost(hwnd, setup.topmost);
  return hwnd;
}

HWND Desktop::AddChild(HWND form, Window window) {
  window.parent = form;
  window.thread = At(form).thread;
  return Add(std::move(window), std::nullopt);
}

HWND Desktop::CreateListBox(HWND form) {
  Window window;
  window.list.emplace();
  return AddChild(form, std::move(window));
}

HWND Desktop::CreateLabel(HWND form, const std::string &text) {
  Window window;
  window.title = text;
  return AddChild(form, std::move(window));
}

HWND Desktop::CreateButton(HWND form, bool enabled) {
  Window window;
  window.enabled = enabled;
  return AddChild(form, std::move(window));
}

void Desktop::Destroy(HWND hwnd) {
  if (Find(hwnd) == nullptr)
    return;
  windows_.erase(platform::LongFromHwnd(hwnd));
  zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), hwnd),
                zorder_.end());
  std::vector<HWND> dependants;
  for (const auto &[handle, window] : windows_)
    if (window.parent == hwnd || window.owner == hwnd)
      dependants.push_back(platform::HwndFromLong(handle));
  for (const HWND dependant : dependants)
    Destroy(dependant);
}

void Desktop::SetTopmost(HWND hwnd, bool topmost) {
  Window &window = At(hwnd);
  window.topmost = topmost;
  zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), hwnd),
                zorder_.end());
  // The topmost band sits above every normal window; either kind enters at
  // the top of its own band.
  auto position = zorder_.begin();
  if (!topmost)
    position = std::find_if(zorder_.begin(), zorder_.end(),
                            [this](HWND other) { return !At(other).topmost; });
  zorder_.insert(position, hwnd);
}

Window *Desktop::Find(HWND hwnd) {
  const auto found = windows_.find(platform::LongFromHwnd(hwnd));
  return found == windows_.end() ? nullptr : &found->second;
}

Window &Desktop::At(HWND hwnd) {
  Window *const window = Find(hwnd);
  if (window == nullptr)
    throw std::invalid_argument("no such window");
  return *window;
}

ListBoxState &Desktop::ListBox(HWND list) {
  Window &window = At(list);
  if (!window.list)
    throw std::invalid_argument("not a list box");
  return *window.list;
}

void Desktop::SelectItem(HWND list, int index) {
  ListBoxState &state = ListBox(list);
  if (index >= static_cast<int>(state.items.size()))
    throw std::out_of_range("no such list item");
  state.cursel = index < 0 ? -1 : index;
}

void Desktop::SetBeforeOffer(std::function<void(HWND)> hook) {
  beforeOffer_ = std::move(hook);
}

void Desktop::RunBeforeOffer(HWND hwnd) const {
  if (beforeOffer_)
    beforeOffer_(hwnd);
}

std::vector<Op> Desktop::OpsOn(HWND hwnd) const {
  std::vector<Op> ops;
  for (const Call &call : calls_)
    if (call.hwnd == hwnd)
      ops.push_back(call.op);
  return ops;
}

void Desktop::SetHung(DWORD thread, bool hung) {
  if (hung)
    hung_.insert(thread);
  else
    hung_.erase(thread);
}

// Our own thread is busy running the caller, never waiting on itself.
bool Desktop::Unresponsive(const Window &window) const {
  return window.thread != kOwnThread && hung_.count(window.thread) != 0;
}

void Desktop::PumpThread(DWORD thread) {
  std::vector<Queued> waiting;
  for (const Queued &queued : queued_) {
    Window *const window = Find(queued.hwnd);
    if (window == nullptr)
      continue;
    if (window->thread == thread)
      ApplyShow(*window, queued.cmdShow);
    else
      waiting.push_back(queued);
  }
  queued_ = std::move(waiting);
}

Desktop &TheDesktop() {
  static Desktop desktop;
  return desktop;
}

} // namespace memdesk

// The window operations, acting on TheDesktop(). Each call is logged first, so
// a call on a dead handle still shows in the log.
namespace platform {

namespace {

using memdesk::Op;
using memdesk::TheDesktop;
using memdesk::Window;

Window *Logged(Op op, HWND hwnd) {
  TheDesktop().Record(op, hwnd);
  return TheDesktop().Find(hwnd);
}

// A message sent to a hung thread of another application never returns.
bool WouldFreeze(const Window &window) {
  if (!TheDesktop().Unresponsive(window))
    return false;
  TheDesktop().CountFreeze();
  return true;
}

bool IsVisible(Window *window) {
  for (; window != nullptr; window = TheDesktop().Find(window->parent))
    if (!window->visible)
      return false;
  return true;
}

void CountUpdate(memdesk::ListBoxState &list) {
  if (list.redraw)
    ++list.updatesWhileRedrawOn;
}

LRESULT ListBoxMessage(memdesk::ListBoxState &list, UINT msg, WPARAM wParam,
                       LPARAM lParam) {
  auto &items = list.items;
  const bool inRange = wParam < items.size();
  switch (msg) {
  case WM_SETREDRAW:
    list.redraw = wParam != 0;
    return 0;
  case LB_ADDSTRING:
    CountUpdate(list);
    items.emplace_back(reinterpret_cast<const char *>(lParam));
    return static_cast<LRESULT>(items.size() - 1);
  case LB_DELETESTRING:
    if (!inRange)
      return LB_ERR;
    CountUpdate(list);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(wParam));
    if (list.cursel == static_cast<int>(wParam))
      list.cursel = -1;
    else if (list.cursel > static_cast<int>(wParam))
      --list.cursel;
    return static_cast<LRESULT>(items.size());
  case LB_RESETCONTENT:
    CountUpdate(list);
    items.clear();
    list.cursel = -1;
    return 0;
  case LB_GETCOUNT:
    return static_cast<LRESULT>(items.size());
  case LB_GETCURSEL:
    return list.cursel < 0 ? LB_ERR : list.cursel;
  case LB_GETTEXTLEN:
    return inRange ? static_cast<LRESULT>(items[wParam].size()) : LB_ERR;
  case LB_GETTEXT:
    if (!inRange)
      return LB_ERR;
    std::memcpy(reinterpret_cast<char *>(lParam), items[wParam].c_str(),
                items[wParam].size() + 1);
    return static_cast<LRESULT>(items[wParam].size());
  default:
    return 0;
  }
}

} // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  TheDesktop().Record(Op::EnumWindows, nullptr);
  // Like user32: the windows of the moment, each offered even if it has been
  // destroyed since.
  const std::vector<HWND> snapshot = TheDesktop().ZOrder();
  for (const HWND hwnd : snapshot) {
    TheDesktop().RunBeforeOffer(hwnd);
    if (callback(hwnd, lParam) == FALSE)
      break;
  }
  return TRUE;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window *const window = Logged(Op::IsWindowVisible, hwnd);
  return window != nullptr && IsVisible(window) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
  const Window *const window = Logged(Op::GetParent, hwnd);
  if (window == nullptr)
    return nullptr;
  if (window->parent != nullptr)
    return window->parent;
  return window->popup ? window->owner : nullptr;
}

LONG GetWindowLongA(HWND hwnd, int index) {
  const Window *const window = Logged(Op::GetWindowLongA, hwnd);
  if (window == nullptr || index != GWL_HWNDPARENT)
    return 0;
  return LongFromHwnd(window->parent != nullptr ? window->parent
                                                : window->owner);
}

int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  const Window *const window = Logged(Op::GetWindowTextA, hwnd);
  if (maxCount <= 0)
    return 0;
  buffer[0] = '\0';
  if (window == nullptr)
    return 0;
  const std::size_t count =
      std::min(window->title.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(buffer, window->title.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window *const window = Logged(Op::SendMessageA, hwnd);
  if (window == nullptr || WouldFreeze(*window) || !window->list)
    return 0;
  return ListBoxMessage(*window->list, msg, wParam, lParam);
}

BOOL InvalidateRect(HWND hwnd, const void *, BOOL) {
  Window *const window = Logged(Op::InvalidateRect, hwnd);
  if (window == nullptr)
    return FALSE;
  if (window->list && window->list->redraw)
    ++window->list->invalidations;
  return TRUE;
}

BOOL SetWindowTextA(HWND hwnd, const char *text) {
  Window *const window = Logged(Op::SetWindowTextA, hwnd);
  if (window == nullptr || WouldFreeze(*window))
    return FALSE;
  window->title = text != nullptr ? text : "";
  return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window *const window = Logged(Op::EnableWindow, hwnd);
  if (window == nullptr || WouldFreeze(*window))
    return FALSE;
  const bool wasDisabled = !window->enabled;
  window->enabled = enable != FALSE;
  return wasDisabled ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  Window *const window = Logged(Op::ShowWindow, hwnd);
  if (window == nullptr || WouldFreeze(*window))
    return FALSE;
  return memdesk::ApplyShow(*window, cmdShow);
}

BOOL ShowWindowAsync(HWND hwnd, int cmdShow) {
  Window *const window = Logged(Op::ShowWindowAsync, hwnd);
  if (window == nullptr)
    return FALSE;
  if (TheDesktop().Unresponsive(*window))
    TheDesktop().Queue(hwnd, cmdShow);
  else
    memdesk::ApplyShow(*window, cmdShow);
  return TRUE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId) {
  const Window *const window = Logged(Op::GetWindowThreadProcessId, hwnd);
  const DWORD thread = window != nullptr ? window->thread : 0;
  // One process per thread is all the logic can tell apart.
  if (processId != nullptr)
    *processId = thread;
  return thread;
}

DWORD GetCurrentThreadId() { return memdesk::kOwnThread; }

} // namespace platform
