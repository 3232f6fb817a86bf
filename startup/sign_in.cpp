#include "sign_in.h"

#include "command_line.h"

namespace {

// Room for any path the program can be started from.
constexpr platform::DWORD kMaxCommand = 1100;

// This exe's path; empty if it does not fit.
std::string_view OwnPath(char (&path)[kMaxCommand]) {
  const platform::DWORD length =
      platform::GetModuleFileNameA(path, kMaxCommand);
  return length < kMaxCommand ? std::string_view(path, length)
                              : std::string_view();
}

} // namespace

bool StartsAtSignIn() {
  char path[kMaxCommand], command[kMaxCommand];
  const std::string_view own = OwnPath(path);
  if (own.empty() ||
      !platform::ReadUserString(kRunKey, kRunValue, command, kMaxCommand))
    return false;
  return platform::EqualIgnoringCase(ProgramOf(command), own);
}

bool ToggleStartAtSignIn(platform::DWORD &error) {
  bool done = false;
  if (StartsAtSignIn()) {
    done = platform::DeleteUserValue(kRunKey, kRunValue);
  } else {
    char path[kMaxCommand], command[kMaxCommand];
    const std::string_view own = OwnPath(path);
    done = !own.empty() && ComposeSignInCommand(own, command, kMaxCommand) &&
           platform::WriteUserString(kRunKey, kRunValue, command);
  }
  error = done ? 0 : platform::GetLastError();
  return done;
}
