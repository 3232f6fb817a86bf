#include "watcher.h"

#include <algorithm>
#include <cstring>

#include "application.h"

using namespace platform;

namespace {

Direction DirectionOf(Keeping keeping) {
  return keeping == Keeping::OnTop ? Direction::OnTop : Direction::OffTop;
}

} // namespace

void RuleWatcher::Attach(HWND timerWindow, UINT_PTR timerId) {
  timerWindow_ = timerWindow;
  timerId_ = timerId;
}

BOOL PLATFORM_CALLBACK RuleWatcher::Collect(HWND window, LPARAM watcher) {
  auto *self = reinterpret_cast<RuleWatcher *>(watcher);
  if (self->foundCount_ < kMaxWindows)
    self->found_[self->foundCount_++] = LongFromHwnd(window);
  return TRUE;
}

void RuleWatcher::SetRules(const Rule *rules, std::size_t count,
                           Keeper &keeper) {
  rules_ = rules;
  ruleCount_ = count;
  // Every window is looked at anew; what the user chose for one stays.
  for (std::size_t i = 0; i < seenCount_; ++i)
    seen_[current_][i].rule = kUnknown;
  Pass(keeper);
  if (count > 0) {
    SetTimer(timerWindow_, timerId_, kWatchMs);
  } else {
    // With no rules there is nothing to watch.
    KillTimer(timerWindow_, timerId_);
    seenCount_ = 0;
  }
}

void RuleWatcher::Check(Keeper &keeper) {
  if (ruleCount_ > 0)
    Pass(keeper);
}

void RuleWatcher::Pass(Keeper &keeper) {
  foundCount_ = 0;
  EnumDesktopWindows(Collect, reinterpret_cast<LPARAM>(this));
  std::sort(found_.begin(), found_.begin() + foundCount_);
  // Both in the order of their handles: the windows that went are left
  // behind, the new ones are examined.
  const Seen *old = seen_[current_].data();
  Seen *next = seen_[1 - current_].data();
  std::size_t j = 0;
  for (std::size_t i = 0; i < foundCount_; ++i) {
    const std::int32_t handle = found_[i];
    const HWND window = HwndFromLong(handle);
    while (j < seenCount_ && old[j].window < handle)
      ++j;
    Seen seen = j < seenCount_ && old[j].window == handle
                    ? old[j]
                    : Seen{handle, kUnknown, false};
    if (seen.rule == kUnknown) {
      seen.rule = Examine(window);
      // Its rule has gone: the keeping ends, giving nothing back.
      if (seen.rule < 0 && keeper.IsRuled(window))
        keeper.Release(window);
    }
    if (seen.rule >= 0 && !seen.exempt)
      Enforce(seen, keeper);
    next[i] = seen;
  }
  current_ = 1 - current_;
  seenCount_ = foundCount_;
}

short RuleWatcher::Examine(HWND window) const {
  char windowClass[Rule::kMaxClass + 1];
  if (ruleCount_ == 0 ||
      GetClassNameA(window, windowClass, sizeof windowClass) <= 0)
    return kNoRule;
  const auto named = [&](const Rule &rule) {
    return std::strcmp(rule.windowClass.data(), windowClass) == 0;
  };
  // Most windows are of classes that no rule names: their application is
  // never asked for.
  if (std::none_of(rules_, rules_ + ruleCount_, named))
    return kNoRule;
  ApplicationPath path;
  bool later = false;
  if (!ApplicationOf(window, path, &later))
    return later ? kUnknown : kNoRule;
  for (std::size_t i = 0; i < ruleCount_; ++i)
    if (named(rules_[i]) &&
        EqualIgnoringCase(rules_[i].path.data(), path.data()))
      return static_cast<short>(i);
  return kNoRule;
}

void RuleWatcher::Enforce(const Seen &seen, Keeper &keeper) const {
  const HWND window = HwndFromLong(seen.window);
  const Direction direction = rules_[seen.rule].direction;
  const Keeping keeping = keeper.KeepingOf(window);
  if (keeping != Keeping::None && DirectionOf(keeping) == direction &&
      keeper.IsRuled(window))
    return;
  // Caught once shown: an application's hidden windows may be many.
  if (keeping == Keeping::None && !IsWindowVisible(window))
    return;
  keeper.Keep(window, direction, true);
}

RuleWatcher::Seen *RuleWatcher::Find(HWND window) {
  Seen *const begin = seen_[current_].data(), *const end = begin + seenCount_;
  const std::int32_t handle = LongFromHwnd(window);
  Seen *const at = std::lower_bound(
      begin, end, handle,
      [](const Seen &seen, std::int32_t key) { return seen.window < key; });
  return at != end && at->window == handle ? at : nullptr;
}

const RuleWatcher::Seen *RuleWatcher::Find(HWND window) const {
  return const_cast<RuleWatcher *>(this)->Find(window);
}

void RuleWatcher::Exempt(HWND window) {
  if (ruleCount_ == 0)
    return;
  if (Seen *seen = Find(window)) {
    seen->exempt = seen->rule >= 0;
    return;
  }
  // Not looked at yet: a rule would catch it at the next look, against the
  // user's choice. It is looked at now, and kept in its place.
  const short rule = Examine(window);
  if (rule < 0 || seenCount_ == kMaxWindows)
    return;
  Seen *const begin = seen_[current_].data();
  const std::int32_t handle = LongFromHwnd(window);
  Seen *const at = std::upper_bound(
      begin, begin + seenCount_, handle,
      [](std::int32_t key, const Seen &seen) { return key < seen.window; });
  std::memmove(at + 1, at, sizeof(Seen) * (begin + seenCount_ - at));
  *at = Seen{handle, rule, true};
  ++seenCount_;
}

bool RuleWatcher::IsExempt(HWND window) const {
  const Seen *seen = Find(window);
  return seen != nullptr && seen->exempt;
}

void RuleWatcher::FollowAgain(HWND window, Keeper &keeper) {
  Seen *seen = Find(window);
  if (seen == nullptr || seen->rule < 0)
    return;
  seen->exempt = false;
  Enforce(*seen, keeper);
}
