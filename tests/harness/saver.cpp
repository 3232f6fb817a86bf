// saver.exe: the rules store at work in a process of its own, for the Wine
// tests to kill, run twice at once, and starve of room (see saver.h).
#include "saver.h"

// The store's header before <windows.h>, whose macros take the operations'
// constant names.
#include "rules_store.h"

#include <windows.h>

#include <cstdlib>

namespace {

RulesStore store;
Settings settings;
DWORD firstError = 0;

void Save(const SettingsChange &change) {
  const RulesStore::SaveReport report = store.Apply(change, settings);
  if (!report.saved && firstError == 0)
    firstError = report.error != 0 ? report.error : 1;
}

void SaveRule(const char *path) {
  SettingsChange change{SettingsChange::Kind::SetRule, {}, false};
  MakeRule(change.rule, path, "SaverWindow", Direction::OffTop);
  Save(change);
}

} // namespace

int main(int argc, char **argv) {
  char appData[RulesStore::kMaxPath + 1];
  if (argc < 2 || platform::GetAppDataFolder(appData, sizeof appData) == 0 ||
      !store.Open(appData))
    return 1;
  const std::string_view mode = argv[1];
  if (mode == "where" && argc == 3)
    return std::string_view(store.FilePath()) == argv[2] ? 0 : 1;
  store.Load(settings);
  char path[MAX_PATH];
  if (mode == "from" && argc == 3)
    for (unsigned step = std::strtoul(argv[2], nullptr, 10);; ++step)
      Save(saver::Change(step));
  if (mode == "add" && argc == 4) {
    const HANDLE ready =
        OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, saver::kReadyName);
    const HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, saver::kGoName);
    ReleaseSemaphore(ready, 1, nullptr);
    WaitForSingleObject(go, 30000);
    for (int i = 0; i < std::atoi(argv[3]); ++i) {
      wsprintfA(path, "C:\\%s%d.exe", argv[2], i);
      SaveRule(path);
    }
  }
  if (mode == "set" && argc == 3)
    SaveRule(argv[2]);
  return static_cast<int>(firstError);
}
