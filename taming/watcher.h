// The windows that the rules keep. While there are rules, every top-level
// window is looked at once, when it first appears: its class, then, for a
// class that a rule names, its application. A window of a rule's
// application and class is kept by the rule once it is shown, unless the
// user has chosen otherwise for it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "keeper.h"
#include "rule.h"
#include "window_ops.h"

class RuleWatcher {
public:
  // More top-level windows than a desktop holds; any beyond are not watched.
  static constexpr std::size_t kMaxWindows = 8192;
  // How often the desktop is looked at for new windows, while there are
  // rules. Neither Windows nor Wine tells another program of them for sure.
  static constexpr platform::UINT kWatchMs = 50;

  // The looks run on `timerWindow`'s WM_TIMER with id `timerId`.
  void Attach(platform::HWND timerWindow, platform::UINT_PTR timerId);

  // New rules, `rules[0, count)`, which stay where they are until the next
  // call. Every window is looked at anew, at once: a window kept by a rule
  // that is gone is let go, giving nothing back, and one whose rule turned
  // round turns round. With no rules, nothing is watched.
  void SetRules(const Rule *rules, std::size_t count, Keeper &keeper);
  // The timer's tick: keeps the ruled windows that appeared or were shown
  // since the last look.
  void Check(Keeper &keeper);

  // The user chose for `window` himself: if a rule names it, it follows the
  // rule no more, until it closes or follows it again.
  void Exempt(platform::HWND window);
  bool IsExempt(platform::HWND window) const;
  void FollowAgain(platform::HWND window, Keeper &keeper);

private:
  // Handles are 32-bit values, for 64-bit programs too: kept as such, the
  // tables are half as large.
  struct Seen {
    std::int32_t window;
    short rule; // an index into rules_, or one of the two below
    bool exempt;
  };
  static constexpr short kNoRule = -1;
  static constexpr short kUnknown = -2; // to be looked at

  static platform::BOOL PLATFORM_CALLBACK Collect(platform::HWND window,
                                                  platform::LPARAM watcher);
  // Looks at every window, examining those not looked at yet.
  void Pass(Keeper &keeper);
  // The rule that `window` falls under, or kNoRule; kUnknown while it cannot
  // be told yet.
  short Examine(platform::HWND window) const;
  // Keeps a window of a rule that it follows.
  void Enforce(const Seen &seen, Keeper &keeper) const;
  // The entry of `window` among those seen, or nullptr.
  Seen *Find(platform::HWND window);
  const Seen *Find(platform::HWND window) const;

  platform::HWND timerWindow_ = nullptr;
  platform::UINT_PTR timerId_ = 0;
  const Rule *rules_ = nullptr;
  std::size_t ruleCount_ = 0;
  // The windows seen at the last look, in the order of their handles, and
  // room for the next look's.
  std::array<Seen, kMaxWindows> seen_[2]{};
  int current_ = 0;
  std::size_t seenCount_ = 0;
  std::array<std::int32_t, kMaxWindows> found_{};
  std::size_t foundCount_ = 0;
};
