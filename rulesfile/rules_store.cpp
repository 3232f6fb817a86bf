#include "rules_store.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "settings_text.h"

using namespace platform;

namespace {

constexpr const char *kFolderName = "\\Topmost Tamer";
constexpr const char *kFileName = "\\rules.txt";
constexpr const char *kNewName = "\\rules.txt.new";
constexpr unsigned kMostAside = 999;
// Held only while a copy reads, writes and replaces the file.
constexpr const char *kLockName = "Local\\TopmostTamer.RulesFile";
constexpr DWORD kLockMs = 3000;
// Far beyond what the format writes: a bigger file is damaged, and only its
// beginning is read.
constexpr DWORD kMostBytes = 16u << 20;

// The file as it was read, and what this copy makes of it: too big for the
// stack, and only one is in use at a time.
Settings found;
Settings merged;
char chunk[1 << 16];

// The other copies' lock, held for as long as this lives.
class Lock {
public:
  Lock() : mutex_(CreateMutexA(kLockName)) {
    const DWORD waited =
        mutex_ != nullptr ? WaitForSingleObject(mutex_, kLockMs) : 0;
    // A copy that ended while it held the lock wrote nothing half: its
    // files are whole, or only the new one is not.
    held_ = mutex_ != nullptr &&
            (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
    error_ = held_ ? 0 : waited == WAIT_TIMEOUT ? WAIT_TIMEOUT : GetLastError();
  }
  ~Lock() {
    if (held_)
      ReleaseMutex(mutex_);
    if (mutex_ != nullptr)
      CloseHandle(mutex_);
  }
  Lock(const Lock &) = delete;
  Lock &operator=(const Lock &) = delete;
  bool Held() const { return held_; }
  DWORD Error() const { return error_; }

private:
  HANDLE mutex_;
  bool held_ = false;
  DWORD error_ = 0;
};

// Writes to a file in large pieces, and remembers the first failure.
class FileSink final : public settings_text::Sink {
public:
  explicit FileSink(HANDLE file) : file_(file) {}
  bool Write(const char *data, std::size_t size) override {
    while (error_ == 0 && size > 0) {
      const std::size_t piece = std::min(size, sizeof buffer_ - used_);
      std::memcpy(buffer_ + used_, data, piece);
      used_ += piece, data += piece, size -= piece;
      if (used_ == sizeof buffer_)
        Flush();
    }
    return error_ == 0;
  }
  // Writes what is left; 0, or the system's error code.
  DWORD Flush() {
    DWORD written = 0;
    if (error_ == 0 && used_ > 0 &&
        !WriteFile(file_, buffer_, DWORD(used_), &written))
      error_ = GetLastError();
    else if (error_ == 0 && written != used_)
      error_ = ERROR_DISK_FULL; // a short write: no room for the rest
    used_ = 0;
    return error_;
  }

private:
  HANDLE file_;
  char buffer_[1 << 12];
  std::size_t used_ = 0;
  DWORD error_ = 0;
};

// `to` = `from`, copying only the rules in use.
void Copy(Settings &to, const Settings &from) {
  std::memcpy(static_cast<void *>(to.rules.data()), from.rules.data(),
              from.ruleCount * sizeof(Rule));
  to.ruleCount = from.ruleCount;
  to.hideWhenMinimized = from.hideWhenMinimized;
}

void Clear(Settings &settings) {
  settings.ruleCount = 0;
  settings.hideWhenMinimized = false;
}

// Makes on `theirs` every change that `mine` holds beyond `base`; true if
// each found room.
bool MakeChanges(const Settings &base, const Settings &mine, Settings &theirs) {
  bool made = true;
  SettingsChange change{};
  if (mine.hideWhenMinimized != base.hideWhenMinimized) {
    change.kind = SettingsChange::Kind::SetHideWhenMinimized;
    change.hideWhenMinimized = mine.hideWhenMinimized;
    ApplyChange(theirs, change);
  }
  change.kind = SettingsChange::Kind::RemoveRule;
  for (std::size_t i = 0; i < base.ruleCount; ++i)
    if (FindRule(mine, PathOf(base.rules[i]), ClassOf(base.rules[i])) ==
        nullptr) {
      change.rule = base.rules[i];
      ApplyChange(theirs, change);
    }
  change.kind = SettingsChange::Kind::SetRule;
  for (std::size_t i = 0; i < mine.ruleCount; ++i) {
    const Rule *was =
        FindRule(base, PathOf(mine.rules[i]), ClassOf(mine.rules[i]));
    if (was == nullptr || was->direction != mine.rules[i].direction) {
      change.rule = mine.rules[i];
      made = ApplyChange(theirs, change) && made;
    }
  }
  return made;
}

// `into` = the `parts` one after another; false if they would not fit.
template <std::size_t size>
bool Join(char (&into)[size], std::initializer_list<const char *> parts) {
  std::size_t length = 0;
  for (const char *part : parts)
    for (; *part != '\0'; ++part) {
      if (length == size - 1)
        return false;
      into[length++] = *part;
    }
  into[length] = '\0';
  return true;
}

// The name of the `n`th file kept aside.
void AsideName(char (&name)[64], unsigned n) {
  char digits[16];
  char *first = digits + sizeof digits;
  *--first = '\0';
  do
    *--first = char('0' + n % 10);
  while ((n /= 10) > 0);
  Join(name, {"rules (damaged ", first, ").txt"});
}

} // namespace

bool RulesStore::Open(const char *appData) {
  char aside[64], longest[kMaxPath + 1];
  AsideName(aside, kMostAside);
  open_ = appData != nullptr && appData[0] != '\0' &&
          Join(folder_, {appData, kFolderName}) &&
          Join(file_, {folder_, kFileName}) &&
          Join(new_, {folder_, kNewName}) &&
          Join(longest, {folder_, "\\", aside});
  if (!open_)
    folder_[0] = file_[0] = new_[0] = '\0';
  Clear(base_);
  return open_;
}

const char *RulesStore::FilePath() const { return file_; }

RulesStore::LoadReport RulesStore::Load(Settings &settings) {
  Clear(settings);
  Clear(base_);
  if (!open_)
    return {};
  // Reading needs no lock (the file is only ever replaced whole), but
  // keeping a damaged one aside does.
  const Lock lock;
  return Merge(settings, false, lock.Held()).found;
}

RulesStore::SaveReport RulesStore::Apply(const SettingsChange &change,
                                         Settings &settings) {
  SaveReport report;
  if (!ApplyChange(settings, change)) {
    report.held = false;
    return report;
  }
  if (!open_) {
    report.error = ERROR_FILENAME_EXCED_RANGE;
    return report;
  }
  const Lock lock;
  if (!lock.Held()) {
    report.error = lock.Error();
    return report;
  }
  report = Merge(settings, true, true);
  // Another copy's rules may have left no room for this one.
  if (change.kind == SettingsChange::Kind::SetRule &&
      FindRule(settings, PathOf(change.rule), ClassOf(change.rule)) == nullptr)
    report.held = false;
  return report;
}

RulesStore::SaveReport RulesStore::Merge(Settings &settings, bool save,
                                         bool locked) {
  SaveReport report;
  const Found state = Read(found, report.error);
  if (state == Found::Unreadable) {
    report.found.readError = report.error;
    return report;
  }
  Copy(merged, found);
  MakeChanges(base_, settings, merged);
  Copy(settings, merged);
  report.found.damaged = state == Found::Damaged;
  if (!report.found.damaged && !save) {
    Copy(base_, found);
    report.saved = true;
    return report;
  }
  // A damaged file is kept aside only once the new one is ready to take
  // its place, so that it stays where it is if that cannot be written.
  bool aside = false;
  report.error = !locked ? WAIT_TIMEOUT : WriteNew(merged);
  if (report.error == 0 && report.found.damaged) {
    report.error = MoveAside(report.found.keptAs);
    aside = report.error == 0;
  }
  if (report.error == 0 &&
      !MoveFileExA(new_, file_,
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    report.error = GetLastError();
  report.saved = report.error == 0;
  if (report.saved) {
    Copy(base_, merged);
    return report;
  }
  DeleteFileA(new_);
  // What the file holds now; the rest is still to be saved.
  if (aside)
    Clear(base_);
  else
    Copy(base_, found);
  return report;
}

RulesStore::Found RulesStore::Read(Settings &into, DWORD &error) const {
  Clear(into);
  const HANDLE file =
      CreateFileA(file_, GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    const bool none =
        error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    error = none ? 0 : error;
    return none ? Found::None : Found::Unreadable;
  }
  settings_text::Parser parser(into, GetACP());
  DWORD read = 0, total = 0;
  while (total < kMostBytes) {
    if (!ReadFile(file, chunk, sizeof chunk, &read)) {
      error = GetLastError();
      CloseHandle(file);
      return Found::Unreadable;
    }
    if (read == 0)
      break;
    parser.Feed(chunk, read);
    total += read;
  }
  CloseHandle(file);
  return parser.Finish() && total < kMostBytes ? Found::Whole : Found::Damaged;
}

DWORD RulesStore::WriteNew(const Settings &settings) const {
  if (!CreateDirectoryA(folder_)) {
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS)
      return error;
  }
  const HANDLE file =
      CreateFileA(new_, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError();
  FileSink sink(file);
  const bool formatted = settings_text::Format(settings, GetACP(), sink);
  DWORD error = sink.Flush();
  if (error == 0 && !formatted)
    error = ERROR_NO_UNICODE_TRANSLATION; // a rule the file cannot hold
  if (error == 0 && !FlushFileBuffers(file))
    error = GetLastError();
  if (!CloseHandle(file) && error == 0)
    error = GetLastError();
  if (error != 0)
    DeleteFileA(new_);
  return error;
}

DWORD RulesStore::MoveAside(std::array<char, 64> &keptAs) const {
  for (unsigned n = 1; n <= kMostAside; ++n) {
    char name[64], path[kMaxPath + 1];
    AsideName(name, n);
    Join(path, {folder_, "\\", name}); // fits: Open made sure
    // Never over another file: without MOVEFILE_REPLACE_EXISTING.
    if (MoveFileExA(file_, path, MOVEFILE_WRITE_THROUGH)) {
      std::memcpy(keptAs.data(), name, sizeof name);
      return 0;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
      return error;
  }
  return ERROR_FILE_EXISTS;
}
