#include "keeper.h"

using namespace platform;

bool IsTopmost(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void SetTopmost(HWND window, bool topmost) {
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void OffTopKeeper::Attach(HWND timerWindow, UINT_PTR timerId) {
  timerWindow_ = timerWindow;
  timerId_ = timerId;
}

std::size_t OffTopKeeper::IndexOf(HWND window) const {
  std::size_t i = 0;
  while (i < count_ && kept_[i].window != window)
    ++i;
  return i;
}

OffTopKeeper::Kept *OffTopKeeper::Find(HWND window) {
  const std::size_t i = IndexOf(window);
  return i < count_ ? &kept_[i] : nullptr;
}

bool OffTopKeeper::IsKept(HWND window) const {
  return IndexOf(window) < count_;
}

void OffTopKeeper::Keep(HWND window) {
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  if (thread == 0 || IsFull() || IsKept(window))
    return;
  Kept &kept = kept_[count_++];
  kept = Kept{};
  kept.window = window;
  kept.thread = thread;
  kept.process = process;
  kept.nextPause = kFirstPauseChecks;
  if (count_ == 1)
    SetTimer(timerWindow_, timerId_, kCheckMs);
  if (IsTopmost(window))
    Ask(kept);
}

void OffTopKeeper::Release(HWND window) {
  if (Kept *kept = Find(window))
    Forget(*kept);
}

void OffTopKeeper::Forget(Kept &kept) {
  // The last row moves into the gap; an answer still on its way finds its
  // window by handle, or nothing.
  kept = kept_[--count_];
  if (count_ == 0)
    KillTimer(timerWindow_, timerId_);
}

void OffTopKeeper::Ask(Kept &kept) {
  SetTopmost(kept.window, false);
  kept.asking = true;
  kept.probed = false;
}

void OffTopKeeper::Probe(Kept &kept) {
  // Answered after the request, once the window's thread has dealt with it.
  kept.probed = true;
  kept.asking = SendMessageCallbackA(kept.window, WM_NULL, 0, 0, Answered,
                                     reinterpret_cast<ULONG_PTR>(this)) != 0;
}

void PLATFORM_CALLBACK OffTopKeeper::Answered(HWND window, UINT,
                                              ULONG_PTR keeper, LRESULT) {
  Kept *kept = reinterpret_cast<OffTopKeeper *>(keeper)->Find(window);
  if (kept == nullptr || !kept->asking)
    return;
  kept->asking = false;
  kept->answered = true;
  // Read now, not at the next check: a window that takes the state back on
  // a timer of its own has had no time to yet.
  kept->onTopAnswer = IsTopmost(window);
}

bool OffTopKeeper::Weigh(Kept &kept) {
  kept.answered = false;
  if (!kept.onTopAnswer) {
    kept.refusals = 0;
    kept.nextPause = kFirstPauseChecks;
    return false;
  }
  if (++kept.refusals < kRefusals)
    return false;
  kept.pause = kept.nextPause;
  if (kept.nextPause < kLongestPauseChecks)
    kept.nextPause *= 2;
  const bool first = !kept.refusalSaid;
  kept.refusalSaid = true;
  return first;
}

OffTopKeeper::News OffTopKeeper::Check() {
  News news;
  // Each question is a request to the window manager: a window off top, as
  // a kept one mostly is, is asked only its style, and whether it is still
  // the same window every few checks.
  const bool roll = checks_++ % kRollCallChecks == 0;
  for (std::size_t i = count_; i-- > 0;) {
    Kept &kept = kept_[i];
    const bool onTop = IsTopmost(kept.window); // false once closed
    DWORD process = 0;
    if ((onTop || roll) &&
        (GetWindowThreadProcessId(kept.window, &process) != kept.thread ||
         process != kept.process)) {
      // Closed, or its handle now names a window of another thread.
      Forget(kept);
      news.forgotten = true;
      continue;
    }
    if (kept.asking && !onTop) {
      // Done as asked: no need to hear so from the window.
      kept.asking = false;
      kept.answered = true;
      kept.onTopAnswer = false;
    }
    if (kept.answered && Weigh(kept))
      news.refused = kept.window;
    if (kept.asking) {
      // Not done yet: whether the window answers tells hung from refusing.
      // One request at a time, so a hung window's queue stays short.
      if (!kept.probed)
        Probe(kept);
      continue;
    }
    if (kept.pause > 0) {
      --kept.pause;
      continue;
    }
    if (onTop)
      Ask(kept);
  }
  return news;
}
