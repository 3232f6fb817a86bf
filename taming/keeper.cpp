#include "keeper.h"

using namespace platform;

bool IsTopmost(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void SetTopmost(HWND window, bool topmost) {
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void Keeper::Attach(HWND timerWindow, UINT_PTR timerId) {
  timerWindow_ = timerWindow;
  timerId_ = timerId;
}

std::size_t Keeper::IndexOf(HWND window) const {
  std::size_t i = 0;
  while (i < count_ && kept_[i].window != window)
    ++i;
  return i;
}

Keeper::Kept *Keeper::Find(HWND window) {
  const std::size_t i = IndexOf(window);
  return i < count_ ? &kept_[i] : nullptr;
}

Keeping Keeper::KeepingOf(HWND window) const {
  const std::size_t i = IndexOf(window);
  if (i == count_)
    return Keeping::None;
  return kept_[i].direction == Direction::OnTop ? Keeping::OnTop
                                                : Keeping::OffTop;
}

bool Keeper::IsRuled(HWND window) const {
  const std::size_t i = IndexOf(window);
  return i < count_ && kept_[i].ruled;
}

bool Keeper::IsWrong(const Kept &kept) {
  return IsTopmost(kept.window) != (kept.direction == Direction::OnTop);
}

void Keeper::Keep(HWND window, Direction direction, bool ruled) {
  Kept *kept = Find(window);
  if (kept == nullptr) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (thread == 0 || IsFull())
      return;
    kept = &kept_[count_++];
    *kept = Kept{};
    kept->window = window;
    kept->thread = thread;
    kept->process = process;
    if (count_ == 1)
      SetTimer(timerWindow_, timerId_, kCheckMs);
  } else if (kept->direction == direction) {
    kept->ruled = ruled;
    return;
  }
  // A new keeping, or the old one turned round: its refusals start afresh,
  // but a request still on its way stays the only one.
  kept->direction = direction;
  kept->ruled = ruled;
  kept->answered = false;
  kept->refusals = 0;
  kept->pause = 0;
  kept->nextPause = kFirstPauseChecks;
  kept->refusalSaid = false;
  if (!kept->asking && IsWrong(*kept))
    Ask(*kept);
}

void Keeper::Release(HWND window) {
  if (Kept *kept = Find(window))
    Forget(*kept);
}

void Keeper::Forget(Kept &kept) {
  // The last row moves into the gap; an answer still on its way finds its
  // window by handle, or nothing.
  kept = kept_[--count_];
  if (count_ == 0)
    KillTimer(timerWindow_, timerId_);
}

void Keeper::Ask(Kept &kept) {
  SetTopmost(kept.window, kept.direction == Direction::OnTop);
  kept.asking = true;
  kept.probed = false;
}

void Keeper::Probe(Kept &kept) {
  // Answered after the request, once the window's thread has dealt with it.
  kept.probed = true;
  kept.asking = SendMessageCallbackA(kept.window, WM_NULL, 0, 0, Answered,
                                     reinterpret_cast<ULONG_PTR>(this)) != 0;
}

void PLATFORM_CALLBACK Keeper::Answered(HWND window, UINT, ULONG_PTR keeper,
                                        LRESULT) {
  Kept *kept = reinterpret_cast<Keeper *>(keeper)->Find(window);
  if (kept == nullptr || !kept->asking)
    return;
  kept->asking = false;
  kept->answered = true;
  // Read now, not at the next check: a window that changes the state on a
  // timer of its own has had no time to yet.
  kept->wrongAnswer = IsWrong(*kept);
}

bool Keeper::Weigh(Kept &kept) {
  kept.answered = false;
  if (!kept.wrongAnswer) {
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

Keeper::News Keeper::Check() {
  News news;
  // Each question is a request to the window manager: a window in the state
  // it is kept in, as a kept one mostly is, is asked only its style, and
  // whether it is still the same window every few checks.
  const bool roll = checks_++ % kRollCallChecks == 0;
  for (std::size_t i = count_; i-- > 0;) {
    Kept &kept = kept_[i];
    // A closed window has no style: it seems off top.
    const bool wrong = IsWrong(kept);
    DWORD process = 0;
    if ((wrong || roll) &&
        (GetWindowThreadProcessId(kept.window, &process) != kept.thread ||
         process != kept.process)) {
      // Closed, or its handle now names a window of another thread.
      Forget(kept);
      news.forgotten = true;
      continue;
    }
    if (kept.asking && !wrong) {
      // Done as asked: no need to hear so from the window.
      kept.asking = false;
      kept.answered = true;
      kept.wrongAnswer = false;
    }
    if (kept.answered && Weigh(kept)) {
      news.refused = kept.window;
      news.refusedDirection = kept.direction;
    }
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
    if (wrong)
      Ask(kept);
  }
  return news;
}
