// The Unix side of the test bed, reached from a Windows program under Wine:
// real input through xdotool and screenshots of the X display.
#pragma once

#include <string>

namespace harness {

// Where screenshots go and marker files live: a Unix folder.
void SetWorkDir(const std::string &unix_dir);
const std::string &WorkDir();
// Runs `command` in /bin/sh and waits for it; true if it exited 0.
bool RunUnix(const std::string &command);
bool Xdo(const std::string &args);
// Saves the whole screen as WORKDIR/NAME.png.
bool Screenshot(const std::string &name);

} // namespace harness
