#include "frmHide_commands.h"

#include <array>

#include "MTaskList.h"
#include "frmHide_outcome.h"
#include "modHideWin.h"

using namespace platform;

namespace {

using EntryBuffer = std::array<char, modHideWin::kMaxEntry + 1>;

LRESULT ListCount(HWND list) { return SendMessageA(list, LB_GETCOUNT, 0, 0); }

} // namespace

HWND TargetWindow(const frmHideControls &form) {
  EntryBuffer target{};
  GetWindowTextA(form.lblOPut, target.data(), static_cast<int>(target.size()));
  return HwndFromLong(modHideWin::HwndFromEntry(target.data()));
}

namespace {

// Applies a show command to the target window without ever waiting on
// another application: a window of another thread (possibly hung) gets the
// change scheduled, one of our own thread gets it at once. A moment later
// the program looks whether it took effect.
void ShowTarget(const frmHideControls &form, int cmdShow, Expected expected,
                const char *command) {
  const HWND window = TargetWindow(form);
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
    ShowWindow(window, cmdShow);
  else
    ShowWindowAsync(window, cmdShow);
  ExpectOutcome(form, window, expected, command);
}

} // namespace

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

void mnuAlwaysOnTop_Click(const frmHideControls &form, OffTopKeeper &keeper) {
  const HWND window = TargetWindow(form);
  // The user's word wins over the keeping: never fight the user.
  const bool kept = keeper.IsKept(window);
  keeper.Release(window);
  const bool give = kept || !IsTopmost(window);
  SetTopmost(window, give);
  ExpectOutcome(form, window, give ? Expected::Topmost : Expected::NotTopmost,
                "Always on Top");
}

bool TargetIsKept(const frmHideControls &form, const OffTopKeeper &keeper) {
  return keeper.IsKept(TargetWindow(form));
}

void mnuKeepOffTop_Click(const frmHideControls &form, OffTopKeeper &keeper) {
  const HWND window = TargetWindow(form);
  if (keeper.IsKept(window)) {
    keeper.Release(window);
    return;
  }
  // Refusals are the keeper's to tell, once it has asked a few times.
  keeper.Keep(window);
  ExpectOutcome(form, window, Expected::KeptOffTop, "Keep Off Top");
}

EntryMark MarkOf(const char *entry, const OffTopKeeper &keeper) {
  const HWND window = HwndFromLong(modHideWin::HwndFromEntry(entry));
  if (keeper.IsKept(window))
    return EntryMark::KeptOffTop;
  return IsTopmost(window) ? EntryMark::OnTop : EntryMark::None;
}
