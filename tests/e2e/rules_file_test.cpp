// The rules file on Wine's real file system, written by saver.exe (the real
// store): saves killed at random moments, two copies at once, and the write
// failures that Wine shows. A damaged file is the program's own test's
// (rules_test.cpp).
// The store's headers before <windows.h> (by way of suite.h) takes their
// constants' names.
#include "saver.h"
#include "settings_text.h"
#include "string_sink.h"

#include "suite.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

namespace e2e {
namespace {

std::string saverExe; // beside the fixture

// A fresh, empty WORKDIR/rulesfile/NAME, by its Windows path.
std::string AppData(const std::string &name) {
  const std::string unix = WorkDir() + "/rulesfile/" + name;
  RunUnix("rm -rf '" + unix + "' && mkdir -p '" + unix + "'");
  return WindowsPath(unix);
}
std::string Folder(const std::string &appData) {
  return appData + "\\Topmost Tamer";
}
std::string File(const std::string &appData) {
  return Folder(appData) + "\\rules.txt";
}

// saver.exe `args` started in `saver`, with APPDATA `appData` (empty:
// unset); and run to its end, for its exit code.
bool Start(Program &saver, const std::string &appData,
           const std::string &args) {
  SetEnvironmentVariableA("APPDATA", appData.empty() ? nullptr : &appData[0]);
  return CHECK(saver.Launch("\"" + saverExe + "\" " + args));
}
DWORD Run(const std::string &appData, const std::string &args) {
  Program saver;
  return Start(saver, appData, args) ? saver.ExitCode(60000) : STILL_ACTIVE;
}

// The names in `folder`, sorted.
std::vector<std::string> Names(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more;
       more = FindNextFileA(find, &found))
    if (found.cFileName[0] != '.')
      names.push_back(found.cFileName);
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// The rules' paths in `text`, which must read whole.
std::vector<std::string> PathsIn(const std::string &text) {
  const auto settings = std::make_unique<Settings>();
  settings_text::Parser parser(*settings, CP_UTF8);
  parser.Feed(text.data(), text.size());
  CHECK(parser.Finish());
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < settings->ruleCount; ++i)
    paths.emplace_back(PathOf(settings->rules[i]));
  return paths;
}

// Killed at random moments, mostly mid-save, the saver leaves each time one
// of the states it wrote: the text of Change(0) to Change(N - 1) made on no
// rules, never an empty, cut or NUL-filled file.
void TestKilledWhileSaving() {
  Context("killed while saving");
  const std::string appData = AppData("killed"), file = File(appData);
  std::vector<std::string> states = {""};
  const auto state = std::make_unique<Settings>();
  const auto stateAfter = [&](unsigned saves) {
    for (StringSink text; states.size() <= saves; text.text.clear()) {
      ApplyChange(*state, saver::Change(unsigned(states.size() - 1)));
      settings_text::Format(*state, CP_UTF8, text);
      states.push_back(text.text);
    }
    return states[saves];
  };
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  unsigned saves = 0;
  int kills = 0;
  while ((saves < 200 || kills < 25) && kills < 100) {
    Program saver;
    const bool saving =
        Start(saver, appData, "from " + std::to_string(saves)) &&
        WaitUntil([&] { return FileText(file) != stateAfter(saves); }, 30000);
    Sleep(random() % 30);
    saver.Stop(); // it has no window: ended by force at once
    const std::string found = FileText(file);
    unsigned after = saves + 1;
    while (after < saves + 500 && stateAfter(after) != found)
      ++after;
    if (!CHECK(saving) ||
        !Record(after < saves + 500, __FILE__, __LINE__, "a state written",
                "the file after " + std::to_string(saves + 1) +
                    " saves or more",
                Show(found.substr(0, 120))))
      break;
    saves = after;
    ++kills;
  }
  std::printf("killed while saving: %u saves, %d kills (seed %u)\n", saves,
              kills, seed);
  CHECK(saves >= 200);
}

// Two copies adding rules at the same time lose none of each other's.
// Without APPDATA, a copy finds the shell's roaming folder.
void TestTwoCopies() {
  Context("two copies");
  char roaming[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                   roaming);
  const DWORD where = Run("", "where \"" + File(roaming) + "\"");
  CHECK_EQ(0u, where);
  const std::string appData = AppData("two");
  const HANDLE ready = CreateSemaphoreA(nullptr, 0, 2, saver::kReadyName);
  const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, saver::kGoName);
  Program copies[2];
  for (int copy = 0; copy < 2; ++copy)
    CHECK(Start(copies[copy], appData, copy ? "add Two 60" : "add One 60") &&
          WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0);
  SetEvent(go);
  std::vector<std::string> expected;
  for (const std::string name : {"One", "Two"}) {
    const DWORD exit = copies[expected.size() / 60].ExitCode(60000);
    CHECK_EQ(0u, exit);
    for (int i = 0; i < 60; ++i)
      expected.push_back("C:\\" + name + std::to_string(i) + ".exe");
  }
  std::vector<std::string> paths = PathsIn(FileText(File(appData)));
  std::sort(paths.begin(), paths.end());
  std::sort(expected.begin(), expected.end());
  CHECK_LIST(expected, paths);
  CloseHandle(ready);
  CloseHandle(go);
}

// A save refused with `error`: the old file is whole, and no new one is left
// beside it.
void CheckRefused(const std::string &appData, DWORD error,
                  const std::vector<std::string> &names) {
  const std::string old = FileText(File(appData));
  const DWORD exit = Run(appData, "set C:\\refused.exe");
  CHECK_EQ(error, exit);
  CHECK_EQ(old, FileText(File(appData)));
  CHECK_LIST(names, Names(Folder(appData)));
}

// A full disk and a read-only one (a small tmpfs, which needs root, as
// ./test runs). Wine replaces a read-only file, where Windows refuses, and a
// folder that cannot be made is as good as a read-only one: the host tests
// show those.
void TestWriteFailures() {
  Context("a full disk");
  const std::string appData = AppData("full");
  const std::string disk = "'" + WorkDir() + "/rulesfile/full/Topmost Tamer'";
  // One left mounted by a run that was stopped goes first.
  if (!CHECK(RunUnix("(umount " + disk + " 2>/dev/null; mkdir -p " + disk +
                     ") && mount -t tmpfs -o size=16k tmpfs " + disk)))
    return (void)std::printf("a full disk is a small tmpfs: it needs root\n");
  const DWORD first = Run(appData, "set C:\\a.exe");
  CHECK_EQ(0u, first);
  CHECK(!WriteText(Folder(appData) + "\\filler", std::string(16384, 'f')));
  CheckRefused(appData, ERROR_DISK_FULL, {"filler", "rules.txt"});

  Context("a read-only disk");
  CHECK(RunUnix("rm " + disk + "/filler && mount -o remount,ro " + disk));
  CheckRefused(appData, ERROR_ACCESS_DENIED, {"rules.txt"});
  CHECK(RunUnix("umount " + disk));
}

} // namespace

void TestRulesFile(const std::string &fixture) {
  saverExe = fixture.substr(0, fixture.find_last_of('\\') + 1) + "saver.exe";
  TestKilledWhileSaving();
  TestTwoCopies();
  TestWriteFailures();
}

} // namespace e2e
