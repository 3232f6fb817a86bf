// The rules file: one UTF-8 text file in the user's roaming application-data
// folder, "Topmost Tamer\rules.txt". It is never rewritten in place: every
// save writes a new file beside it, flushes it to the disk and replaces the
// old one in one step. A file that cannot be read whole is kept aside under
// a new name, never overwritten. Two copies of the program never lose each
// other's changes: each save reads the file again, under a lock, and makes
// this copy's changes to what it finds.
#pragma once

#include <array>
#include <cstddef>

#include "settings.h"
#include "window_ops.h"

class RulesStore {
public:
  static constexpr std::size_t kMaxPath = 1023;

  // What loading found, for the notice.
  struct LoadReport {
    // The file could not be read whole (damaged, or written by something
    // else); every rule that could be read was kept.
    bool damaged = false;
    // ... and it was moved aside under this name, in the same folder; empty
    // if that failed, and then it is never saved over: each later save
    // tries first to move it aside again.
    std::array<char, 64> keptAs{};
    // The file is there but could not be read (another program holds it
    // locked, say): the system's error code. It is never written over.
    platform::DWORD readError = 0;
  };
  // What saving did, for the notice.
  struct SaveReport {
    bool saved = false;
    platform::DWORD error = 0; // the system's error code when not saved
    // False: the change could not be made even in memory, for a rule that
    // CanRemember refuses or when there is no room for another rule.
    bool held = true;
    // What reading the file again found: another program may have damaged
    // it since it was loaded.
    LoadReport found;
  };

  // Finds the file under `appData`, the user's roaming application-data
  // folder. False if the path would be too long; the store then saves
  // nothing, and every change holds for this run only.
  bool Open(const char *appData);
  // The file's full path, for the notices.
  const char *FilePath() const;

  // Reads the file into `settings`: empty settings when there is no file. A
  // damaged file is kept aside and what could be read is saved anew.
  LoadReport Load(Settings &settings);
  // Makes `change` to `settings` and saves it, together with every earlier
  // change that could not be saved yet, on top of the file as it is now
  // (another copy may have changed it). Whatever happens, `settings` holds
  // the change afterwards (unless the report says it was not held), and
  // what the file held too when it could be read.
  SaveReport Apply(const SettingsChange &change, Settings &settings);

private:
  // Reads the file as it is now and makes on what it holds this copy's
  // changes that are not saved yet, into `settings`. Saves the result when
  // `save` is set, or when the file was damaged; never saves unless
  // `locked`.
  SaveReport Merge(Settings &settings, bool save, bool locked);
  enum class Found { None, Whole, Damaged, Unreadable };
  Found Read(Settings &into, platform::DWORD &error) const;
  // Each returns 0, or the system's error code.
  platform::DWORD WriteNew(const Settings &settings) const;
  platform::DWORD MoveAside(std::array<char, 64> &keptAs) const;

  bool open_ = false;
  char folder_[kMaxPath + 1] = "";
  char file_[kMaxPath + 1] = "";
  char new_[kMaxPath + 1] = ""; // the new file, before it replaces the old
  // The file as this copy last read or saved it: where `settings` differs,
  // that is this copy's change, still to be saved.
  Settings base_;
};
