#include "outcome.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

using namespace platform;

namespace {

// The one check in flight: commands run one at a time on one thread.
struct PendingCheck {
  Asked asked;
  const char *command;
  std::array<char, modHideWin::kMaxTitle + 1> title;
  bool answered;
  HWND list; // repainted on the answer: the window's mark may have changed
};
PendingCheck pending{};
bool checking = false;

// WM_NULL's answer; `data` is the pending check. An answer that comes after
// the check has moved on to another window is not its window's.
void PLATFORM_CALLBACK Answered(HWND hwnd, UINT, ULONG_PTR data, LRESULT) {
  auto *check = reinterpret_cast<PendingCheck *>(data);
  if (hwnd != check->asked.window)
    return;
  check->answered = true;
  InvalidateRect(check->list, nullptr, TRUE);
}

bool IsAsIsExpected(const Asked &asked) {
  const bool topmost =
      (GetWindowLongA(asked.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  switch (asked.expected) {
  case Expected::Iconic:
    return IsIconic(asked.window) != FALSE;
  case Expected::NotIconic:
    return IsIconic(asked.window) == FALSE;
  case Expected::Topmost:
  case Expected::KeptOnTop:
    return topmost;
  case Expected::NotTopmost:
  case Expected::KeptOffTop:
    break;
  }
  return !topmost;
}

// Copies the pieces into `out` one after another, cut to fit, and ends it.
// By memcpy: string_view's own copy can throw, which would bring the C++
// runtime's exception support into the program.
template <std::size_t N>
void Join(std::array<char, N> &out,
          std::initializer_list<std::string_view> pieces) {
  std::size_t length = 0;
  for (const std::string_view piece : pieces) {
    const std::size_t cut = std::min(piece.size(), N - 1 - length);
    std::memcpy(out.data() + length, piece.data(), cut);
    length += cut;
  }
  out[length] = '\0';
}

} // namespace

Outcome Classify(const Asked &asked, bool answered) {
  DWORD process = 0;
  if (!IsWindow(asked.window) ||
      GetWindowThreadProcessId(asked.window, &process) != asked.thread ||
      process != asked.process)
    return Outcome::Closed;
  if (IsAsIsExpected(asked) || ((asked.expected == Expected::KeptOffTop ||
                                 asked.expected == Expected::KeptOnTop) &&
                                answered))
    return Outcome::TookEffect;
  const DWORD own = GetProcessIntegrityLevel(0);
  if (own != kNoIntegrityLevels && GetProcessIntegrityLevel(process) > own)
    return Outcome::Administrator;
  return answered ? Outcome::Refused : Outcome::NotResponding;
}

void ComposeNotice(Notice &notice, const char *command, std::string_view title,
                   Outcome outcome) {
  Join(notice.title, {command, " had no effect"});
  notice.offersRestart = outcome == Outcome::Administrator;
  switch (outcome) {
  case Outcome::Closed:
    Join(notice.text, {"\"", title, "\" has closed."});
    return;
  case Outcome::Administrator:
    Join(notice.text,
         {"\"", title,
          "\" belongs to a program that runs as administrator. Windows does "
          "not let Topmost Tamer change such windows. Click here to restart "
          "Topmost Tamer as administrator."});
    return;
  case Outcome::NotResponding:
    Join(notice.text, {"The application of \"", title,
                       "\" does not respond. The change will happen when it "
                       "does."});
    return;
  case Outcome::TookEffect:
  case Outcome::Refused:
    break;
  }
  Join(notice.text,
       {"The application of \"", title, "\" would not allow the change."});
}

void ExpectOutcome(const OutcomeWatch &watch, HWND window, Expected expected,
                   const char *command, std::string_view title) {
  if (window == nullptr)
    return;
  pending.asked.window = window;
  pending.asked.thread =
      GetWindowThreadProcessId(window, &pending.asked.process);
  pending.asked.expected = expected;
  pending.command = command;
  Join(pending.title, {title});
  pending.answered = false;
  pending.list = watch.repaint;
  // Answered later from our message loop, once the window's thread has
  // looked at its messages: never, while it hangs.
  SendMessageCallbackA(window, WM_NULL, 0, 0, Answered,
                       reinterpret_cast<ULONG_PTR>(&pending));
  checking = SetTimer(watch.timerWindow, kOutcomeTimer, kOutcomeDelayMs) != 0;
}

void CancelOutcome(const OutcomeWatch &watch) {
  if (checking)
    KillTimer(watch.timerWindow, kOutcomeTimer);
  checking = false;
}

bool TakeOutcome(const OutcomeWatch &watch, Notice &notice) {
  if (!checking)
    return false;
  CancelOutcome(watch);
  const Outcome outcome = Classify(pending.asked, pending.answered);
  if (outcome == Outcome::TookEffect)
    return false;
  ComposeNotice(notice, pending.command, pending.title.data(), outcome);
  return true;
}
