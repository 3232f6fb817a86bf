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
  std::string_view before = "The application of \"";
  std::string_view after = "\" would not allow the change.";
  switch (outcome) {
  case Outcome::Closed:
    before = "\"";
    after = "\" has closed.";
    break;
  case Outcome::Administrator:
    before = "\"";
    after = "\" belongs to a program that runs as administrator. Windows does "
            "not let Topmost Tamer change such windows. Click here to restart "
            "Topmost Tamer as administrator.";
    break;
  case Outcome::NotResponding:
    after = "\" does not respond. The change will happen when it does.";
    break;
  case Outcome::TookEffect:
  case Outcome::Refused:
    break;
  }
  Join(notice.text, {before, title, after});
  notice.titleAt = before.size();
  notice.titleLength =
      std::min(title.size(), notice.text.size() - 1 - before.size());
}

void FitNotice(Notice &notice, int width, bool utf8, const TextWidth &measure) {
  const Notice whole = notice;
  const char *const text = whole.text.data();
  const std::size_t size = std::strlen(text);
  const std::size_t titleEnd = whole.titleAt + whole.titleLength;
  const auto wordEnd = [&](std::size_t from) {
    return static_cast<std::size_t>(std::find(text + from, text + size, ' ') -
                                    text);
  };
  // What follows the title up to the next space stays with its last word.
  const std::string_view tail(text + titleEnd, wordEnd(titleEnd) - titleEnd);
  for (std::size_t start = 0; start < titleEnd; start = wordEnd(start) + 1) {
    if (wordEnd(start) <= whole.titleAt ||
        measure.Of({text + start, wordEnd(start) - start}) <= width)
      continue;
    std::size_t cut = std::max(start, whole.titleAt);
    std::array<char, sizeof whole.text> word;
    for (std::size_t longer = cut + 1; longer < titleEnd; ++longer) {
      if (modHideWin::WholeCharacters({text, longer}, utf8) != longer)
        continue;
      Join(word, {{text + start, longer - start}, "...", tail});
      if (measure.Of(word.data()) > width)
        break;
      cut = longer;
    }
    Join(notice.text, {{text, cut}, "...", {text + titleEnd, size - titleEnd}});
    notice.titleLength = cut + 3 - whole.titleAt;
    return;
  }
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
