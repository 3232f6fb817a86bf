// An in-memory disk for the rules store's host tests, that fails any step
// asked of it.
#pragma once

#include <map>
#include <string>

#include "window_ops.h"

namespace fake_files {

enum class Step {
  None,
  MakeFolder,
  Read,
  Create,
  Write,
  Flush,
  Replace,
  MoveAside,
  Lock
};

extern std::map<std::string, std::string> files; // contents by full path
extern int unlockedChanges; // writes and renames made without the lock

// An empty disk with `folder` on it, that fails nothing.
void Reset(const std::string &folder);
// Every call of `step` fails with `error` from now on.
void Fail(Step step, platform::DWORD error);

} // namespace fake_files
