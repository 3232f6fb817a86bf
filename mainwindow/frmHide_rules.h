// The rules as the form shows them: the Rules menu, with one item per rule
// that removes it; the list's menu's last item, which remembers how a window
// is kept; and the notices of the rules file.
#pragma once

// Before <windows.h>, which defines some of the window operations' constant
// names as macros.
#include "frmHide_commands.h"
#include "outcome.h"

#include <windows.h>

// Fills the Rules menu anew: a first line that says what a click does, or
// that there are no rules, then each rule's direction, application, class
// and path.
void FillRulesMenu(HMENU menu, const Settings &settings);

// The list's menu's IDM_mnuRemember item as `offer` has it.
void ShowRememberItem(HMENU menu, const RememberOffer &offer);

// The system's words for `error`, without the full stop and line break that
// they end with; "error N" when it has none.
struct ErrorText {
  explicit ErrorText(DWORD error);
  std::array<char, 256> text;
};

// The notice after loading the rules, and after a change to them; false
// when there is nothing to say.
bool ComposeLoadNotice(const RulesStore::LoadReport &report,
                       const RulesStore &store, const Settings &settings,
                       Notice &notice);
bool ComposeSaveNotice(const RulesStore::SaveReport &report,
                       const RulesStore &store, const Settings &settings,
                       Notice &notice);
