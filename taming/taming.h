// What the program does to other applications' windows over time: the
// windows it keeps on top or off top, and the watch that finds the windows
// of its rules.
#pragma once

#include "keeper.h"
#include "watcher.h"

struct Taming {
  Keeper keeper;
  RuleWatcher watcher;
};
