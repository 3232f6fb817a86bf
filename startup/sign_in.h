// Starting at sign-in: Windows starts what the values under the user's Run
// key name. Ours is "Topmost Tamer": this exe's quoted path and the hidden
// switch.
#pragma once

#include "window_ops.h"

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Topmost Tamer";

// Whether Windows will start this exe at sign-in: the value exists and
// names it. A value left by a copy that has since moved names another.
bool StartsAtSignIn();
// Removes the value if it names this exe; else writes it anew. False if the
// registry refused, with the system's error code in `error`.
bool ToggleStartAtSignIn(platform::DWORD &error);
