#include "frmHide_commands.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "MTaskList.h"
#include "application.h"
#include "modHideWin.h"
#include "outcome.h"

using namespace platform;

namespace {

using EntryBuffer = std::array<char, modHideWin::kMaxEntry + 1>;

LRESULT ListCount(HWND list) { return SendMessageA(list, LB_GETCOUNT, 0, 0); }

} // namespace

namespace {

// The target label's entry: the window it names, and its title as it was
// when the entry was listed.
struct Target {
  EntryBuffer entry{};
  HWND window;
  std::string_view title;

  explicit Target(const frmHideControls &form) {
    GetWindowTextA(form.lblOPut, entry.data(), static_cast<int>(entry.size()));
    const std::string_view text = entry.data();
    window = HwndFromLong(modHideWin::HwndFromEntry(text));
    title = text.substr(0, std::min(text.rfind(' '), text.size()));
  }
};

// After `command` on the target, a look whether it took effect.
void Expect(const frmHideControls &form, const Target &target,
            Expected expected, const char *command) {
  ExpectOutcome({form.Form, form.List1}, target.window, expected, command,
                target.title);
}

// Applies a show command to the target window without ever waiting on
// another application: a window of another thread (possibly hung) gets the
// change scheduled, one of our own thread gets it at once. A moment later
// the program looks whether it took effect.
void ShowTarget(const frmHideControls &form, int cmdShow, Expected expected,
                const char *command) {
  const Target target(form);
  if (GetWindowThreadProcessId(target.window, nullptr) == GetCurrentThreadId())
    ShowWindow(target.window, cmdShow);
  else
    ShowWindowAsync(target.window, cmdShow);
  Expect(form, target, expected, command);
}

} // namespace

HWND TargetWindow(const frmHideControls &form) { return Target(form).window; }

void cmdTasks_Click(const frmHideControls &form) {
  MTaskList::FillTaskList(form.List1);
}

void Command2_Click(const frmHideControls &form) {
  // One suspended redraw around the refill and the trimming, so narrowing a
  // long list costs about one enumeration. The first entry is kept by putting
  // it back into the emptied list: three messages, where deleting the others
  // takes two for each of them.
  MTaskList::SuspendRedraw(form.List1);
  MTaskList::RefillEntries(form.List1);
  if (ListCount(form.List1) > 1) {
    // Just composed by the refill, so it fits.
    EntryBuffer first{};
    SendMessageA(form.List1, LB_GETTEXT, 0,
                 reinterpret_cast<LPARAM>(first.data()));
    SendMessageA(form.List1, LB_RESETCONTENT, 0, 0);
    SendMessageA(form.List1, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(first.data()));
  }
  MTaskList::ResumeRedraw(form.List1);
}

void List1_Click(const frmHideControls &form) {
  const LRESULT index = SendMessageA(form.List1, LB_GETCURSEL, 0, 0);
  if (index < 0)
    return;
  const LRESULT length =
      SendMessageA(form.List1, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  // The list only ever holds entries; anything longer is not one of ours.
  if (length < 0 || length > static_cast<LRESULT>(modHideWin::kMaxEntry))
    return;
  EntryBuffer entry{};
  if (SendMessageA(form.List1, LB_GETTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(entry.data())) < 0)
    return;
  SetWindowTextA(form.lblOPut, entry.data());
  EnableWindow(form.Command1, TRUE);
  EnableWindow(form.Command5, TRUE);
}

void List1_DblClick(const frmHideControls &form) { Command1_Click(form); }

void Command1_Click(const frmHideControls &form) {
  ShowTarget(form, SW_MINIMIZE, Expected::Iconic, "MiniMize");
}

void Command5_Click(const frmHideControls &form) {
  ShowTarget(form, SW_RESTORE, Expected::NotIconic, "Restore Size");
}

bool TargetIsTopmost(const frmHideControls &form) {
  return IsTopmost(TargetWindow(form));
}

void mnuAlwaysOnTop_Click(const frmHideControls &form, Taming &taming) {
  const Target target(form);
  // The user's word wins over the keeping: never fight the user.
  Keeper &keeper = taming.keeper;
  taming.watcher.Exempt(target.window);
  const Keeping keeping = keeper.KeepingOf(target.window);
  keeper.Release(target.window);
  const bool give = keeping == Keeping::OffTop || !IsTopmost(target.window);
  SetTopmost(target.window, give);
  Expect(form, target, give ? Expected::Topmost : Expected::NotTopmost,
         "Always on Top");
}

Keeping TargetKeeping(const frmHideControls &form, const Keeper &keeper) {
  return keeper.KeepingOf(TargetWindow(form));
}

namespace {

// "Keep Off Top" and "Keep On Top": keeps the target that way, turning a
// window kept the other way round; chosen again, stops keeping it.
void KeepTarget(const frmHideControls &form, Taming &taming,
                Direction direction, const char *command) {
  const Target target(form);
  Keeper &keeper = taming.keeper;
  taming.watcher.Exempt(target.window);
  const bool onTop = direction == Direction::OnTop;
  if (keeper.KeepingOf(target.window) ==
      (onTop ? Keeping::OnTop : Keeping::OffTop)) {
    keeper.Release(target.window);
    return;
  }
  // Refusals are the keeper's to tell, once it has asked a few times.
  keeper.Keep(target.window, direction);
  Expect(form, target, onTop ? Expected::KeptOnTop : Expected::KeptOffTop,
         command);
}

} // namespace

void mnuKeepOffTop_Click(const frmHideControls &form, Taming &taming) {
  KeepTarget(form, taming, Direction::OffTop, "Keep Off Top");
}

void mnuKeepOnTop_Click(const frmHideControls &form, Taming &taming) {
  KeepTarget(form, taming, Direction::OnTop, "Keep On Top");
}

EntryMark MarkOf(const char *entry, const Keeper &keeper) {
  const HWND window = HwndFromLong(modHideWin::HwndFromEntry(entry));
  switch (keeper.KeepingOf(window)) {
  case Keeping::OffTop:
    return EntryMark::KeptOffTop;
  case Keeping::OnTop:
    return EntryMark::KeptOnTop;
  case Keeping::None:
    break;
  }
  return IsTopmost(window) ? EntryMark::OnTop : EntryMark::None;
}

void TargetRemembering(const frmHideControls &form, const Taming &taming,
                       const Settings &settings, RememberOffer &offer) {
  offer.kind = RememberOffer::Kind::Unavailable;
  const HWND window = TargetWindow(form);
  ApplicationPath path;
  char windowClass[Rule::kMaxClass + 1];
  const Keeping keeping = taming.keeper.KeepingOf(window);
  if (!ApplicationOf(window, path) ||
      GetClassNameA(window, windowClass, sizeof windowClass) <= 0 ||
      !MakeRule(offer.rule, path.data(), windowClass,
                keeping == Keeping::OnTop ? Direction::OnTop
                                          : Direction::OffTop) ||
      !CanRemember(offer.rule))
    return;
  if (FindRule(settings, PathOf(offer.rule), ClassOf(offer.rule)) != nullptr)
    offer.kind = taming.watcher.IsExempt(window)
                     ? RememberOffer::Kind::FollowAgain
                     : RememberOffer::Kind::Remembered;
  else if (keeping != Keeping::None)
    offer.kind = RememberOffer::Kind::Remember;
}

namespace {

// Makes `change`, saves it, and has the watch look at every window under
// the rules as they are now.
RulesStore::SaveReport Change(const SettingsChange &change, Taming &taming,
                              Settings &settings, RulesStore &store) {
  const RulesStore::SaveReport report = store.Apply(change, settings);
  taming.watcher.SetRules(settings.rules.data(), settings.ruleCount,
                          taming.keeper);
  return report;
}

SettingsChange RuleChange(SettingsChange::Kind kind, const Rule &rule) {
  SettingsChange change{};
  change.kind = kind;
  change.rule = rule;
  return change;
}

} // namespace

RulesStore::SaveReport mnuRemember_Click(const frmHideControls &form,
                                         Taming &taming, Settings &settings,
                                         RulesStore &store) {
  // Read anew: the window may have changed since its menu opened.
  RememberOffer offer;
  TargetRemembering(form, taming, settings, offer);
  switch (offer.kind) {
  case RememberOffer::Kind::Remember: {
    // The window that was remembered follows its rule from now on.
    const HWND window = TargetWindow(form);
    const RulesStore::SaveReport report =
        Change(RuleChange(SettingsChange::Kind::SetRule, offer.rule), taming,
               settings, store);
    taming.watcher.FollowAgain(window, taming.keeper);
    return report;
  }
  case RememberOffer::Kind::Remembered:
    return Change(RuleChange(SettingsChange::Kind::RemoveRule, offer.rule),
                  taming, settings, store);
  case RememberOffer::Kind::FollowAgain:
    taming.watcher.FollowAgain(TargetWindow(form), taming.keeper);
    break;
  case RememberOffer::Kind::Unavailable:
    break;
  }
  RulesStore::SaveReport nothing;
  nothing.saved = true;
  return nothing;
}

RulesStore::SaveReport mnuRule_Click(std::size_t index, Taming &taming,
                                     Settings &settings, RulesStore &store) {
  if (index >= settings.ruleCount) {
    RulesStore::SaveReport nothing;
    nothing.saved = true;
    return nothing;
  }
  return Change(
      RuleChange(SettingsChange::Kind::RemoveRule, settings.rules[index]),
      taming, settings, store);
}
