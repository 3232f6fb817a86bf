// frmHide's own event procedures: loading, the information message and
// "Exit". The commands behind the list and the other buttons are in
// frmHide_commands.h.
#pragma once

#include "frmHide.h"

// Before the form is first shown: always on top, at the screen's top-left
// corner.
void Form_Load(HWND form);

// The "&Info" menu item.
void mnuInfo_Click(HWND form);

// "Exit": ends the program at once.
void Command3_Click(frmHide &form);

// Starts the program anew as administrator, after Windows' elevation prompt,
// and ends this instance, which the new one waits for. Declined, or failed,
// it leaves this instance as it was.
void RestartAsAdministrator(frmHide &form);
