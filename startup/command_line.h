// The program's command line: its switches, and the command that starts it
// at sign-in. Plain text handling, shared with the host tests.
#pragma once

#include <cstddef>
#include <string_view>

// Starts the program with its form hidden, only the icon showing: how it
// starts at sign-in.
constexpr char kHiddenSwitch[] = "/hidden";
// Given by "Restart as administrator" to the new copy, which then waits for
// the copy that started it to end.
constexpr char kRestartSwitch[] = "/restart";

struct Switches {
  bool hidden = false;
  bool restart = false;
};
// The switches among `arguments` (the command line after the program's
// name), in any case, with "-" for "/" too. Anything else is ignored.
Switches ParseSwitches(std::string_view arguments);

// The command that starts `exe` at sign-in: its path in quotes, so that no
// space in it splits it, and the hidden switch. False if it does not fit in
// `size` bytes with its NUL.
bool ComposeSignInCommand(std::string_view exe, char *command,
                          std::size_t size);
// The program that `command` starts, as Windows finds it: the text inside
// the first pair of quotes, or, unquoted, everything up to the first ".exe"
// that a space or the end follows, else up to the first space.
std::string_view ProgramOf(std::string_view command);
