// One copy of the program at a time for each signed-in user: the running
// copy holds a mutex in the session's Local\ namespace for as long as it
// runs, and a copy started after it hands over to it and ends.
#pragma once

#include "command_line.h"
#include "window_ops.h"

// Posted to the running copy's form by a copy started after it: show the
// form, restored, and bring it forward.
constexpr char kShowFormMessage[] = "TopmostTamer.ShowForm";

class OneCopy {
public:
  OneCopy() = default;
  OneCopy(const OneCopy &) = delete;
  OneCopy &operator=(const OneCopy &) = delete;
  ~OneCopy();

  // True if this copy is to run: no other runs, or, after a restart, the
  // copy that started this one has ended. Otherwise the running copy's form,
  // of window class `formClass`, is asked to come forward (unless this one
  // was to start hidden), and this copy is to end.
  bool Claim(const char *formClass, Switches switches);

private:
  // Long enough for the copy that restarts us to end; if it does not, we
  // give way to it.
  static constexpr platform::DWORD kRestartWaitMs = 30000;
  // How long a copy that starts at the same moment may take to make its
  // form.
  static constexpr int kFormTries = 100;
  static constexpr platform::DWORD kFormPollMs = 50;

  void BringForward(const char *formClass) const;

  platform::HANDLE mutex_ = nullptr;
  bool owned_ = false;
};
