// The event procedures behind frmHide's list and its working buttons. They
// reach the controls only through the window operations, so the same code
// runs in the program and against the in-memory desktop.
#pragma once

#include "rules_store.h"
#include "settings.h"
#include "taming.h"
#include "window_ops.h"

struct frmHideControls {
  platform::HWND List1;    // the window list
  platform::HWND lblOPut;  // the target label: the last selected entry
  platform::HWND Command1; // "MiniMize"
  platform::HWND Command5; // "Restore Size"
  platform::HWND Form;     // frmHide itself, which gets the commands' timers
};

void cmdTasks_Click(const frmHideControls &form);
void Command2_Click(const frmHideControls &form);
void List1_Click(const frmHideControls &form);
void List1_DblClick(const frmHideControls &form);
void Command1_Click(const frmHideControls &form);
void Command5_Click(const frmHideControls &form);

// The list's context menu: whether the target window is always on top now
// (its "Always on Top" item's check mark), and that item, which takes the
// state away or gives it, and ends any keeping; on a window kept off top it
// gives the state back for good. These and the keep items are the user's
// own choice for the window: a rule that names it no longer applies to it.
bool TargetIsTopmost(const frmHideControls &form);
// The window that the target label's entry names.
platform::HWND TargetWindow(const frmHideControls &form);
void mnuAlwaysOnTop_Click(const frmHideControls &form, Taming &taming);
// How the target is kept ("Keep Off Top"'s and "Keep On Top"'s check
// marks), and those items, which start keeping it that way or stop.
Keeping TargetKeeping(const frmHideControls &form, const Keeper &keeper);
void mnuKeepOffTop_Click(const frmHideControls &form, Taming &taming);
void mnuKeepOnTop_Click(const frmHideControls &form, Taming &taming);

// The mark at the left of an entry: its window is kept off top or on top,
// or else is always on top, as they are now.
enum class EntryMark { None, OnTop, KeptOnTop, KeptOffTop };
EntryMark MarkOf(const char *entry, const Keeper &keeper);

// What the menu's last item offers for the target: to remember how it is
// kept, as a rule for its application and class; to forget the rule that it
// follows (checked); or, for a window that the user set himself against its
// rule, to follow the rule again. Grayed when the window is not kept and has
// no rule, or when its application cannot be told or remembered.
struct RememberOffer {
  enum class Kind { Unavailable, Remember, Remembered, FollowAgain };
  Kind kind;
  Rule rule; // the target's application and class, as kept now
};
void TargetRemembering(const frmHideControls &form, const Taming &taming,
                       const Settings &settings, RememberOffer &offer);
// The item chosen. A rule's windows are kept, or let go, at once; what
// saving the rules did comes back for the notice.
RulesStore::SaveReport mnuRemember_Click(const frmHideControls &form,
                                         Taming &taming, Settings &settings,
                                         RulesStore &store);
// A rule removed from the Rules menu: its windows are let go at once,
// giving nothing back.
RulesStore::SaveReport mnuRule_Click(std::size_t index, Taming &taming,
                                     Settings &settings, RulesStore &store);
