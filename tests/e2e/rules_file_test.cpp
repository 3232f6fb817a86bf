// The rules file on Wine's real file system, written by saver.exe (the real
// store): saves killed at random moments, two copies at once, the write
// failures that Wine can show, and damaged files kept aside.
// The store's headers before <windows.h> (by way of suite.h) takes their
// constants' names.
#include "saver.h"
#include "settings_text.h"

#include "suite.h"

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <random>

namespace e2e {
namespace {

std::string saverExe; // beside the fixture

// The Windows path of WORKDIR/rulesfile/NAME.
std::string Scratch(const std::string &name) {
  std::string path = "Z:" + WorkDir() + "/rulesfile/" + name;
  for (char &c : path)
    c = c == '/' ? '\\' : c;
  return path;
}
// ... and its Unix path, quoted for the shell.
std::string UnixScratch(const std::string &name) {
  return "'" + WorkDir() + "/rulesfile/" + name + "'";
}

// The folder that saver.exe keeps its file in, under `appData`.
std::string FolderOf(const std::string &appData) {
  return appData + "\\Topmost Tamer";
}
std::string FileOf(const std::string &appData) {
  return FolderOf(appData) + "\\rules.txt";
}

// A scratch application-data folder, empty.
std::string FreshAppData(const std::string &name) {
  RunUnix("rm -rf " + UnixScratch(name) + " && mkdir -p " + UnixScratch(name));
  return Scratch(name);
}

// Starts saver.exe with `args` and APPDATA set to `appData` (empty: unset).
PROCESS_INFORMATION StartSaver(const std::string &appData,
                               const std::string &args) {
  SetEnvironmentVariableA("APPDATA",
                          appData.empty() ? nullptr : appData.c_str());
  std::string line = "\"" + saverExe + "\" " + args;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CHECK(CreateProcessA(saverExe.c_str(), &line[0], nullptr, nullptr, FALSE,
                            0, nullptr, nullptr, &startup, &process)))
    std::printf("cannot start %s (error %lu)\n", saverExe.c_str(),
                GetLastError());
  return process;
}

// Its exit code once it has ended; 259 (still running) if it would not.
DWORD Finish(const PROCESS_INFORMATION &process, DWORD timeout_ms = 60000) {
  DWORD code = STILL_ACTIVE;
  if (process.hProcess == nullptr)
    return code;
  if (WaitForSingleObject(process.hProcess, timeout_ms) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

DWORD RunSaver(const std::string &appData, const std::string &args) {
  return Finish(StartSaver(appData, args));
}

// The whole of a file; `exists` says whether there was one.
std::string ReadAll(const std::string &path, bool *exists = nullptr) {
  std::string content;
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (exists != nullptr)
    *exists = file != INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE)
    return content;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
    content.append(chunk, read);
  CloseHandle(file);
  return content;
}

bool WriteAll(const std::string &path, const std::string &content) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, content.data(), DWORD(content.size()),
                            &written, nullptr) &&
                  written == content.size();
  CloseHandle(file);
  return ok;
}

// The names in `folder`, sorted.
std::vector<std::string> Listing(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do
    if (std::string(found.cFileName) != "." &&
        std::string(found.cFileName) != "..")
      names.push_back(found.cFileName);
  while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// A file's text as the formatter writes `settings`.
struct TextSink final : settings_text::Sink {
  std::string text;
  bool Write(const char *data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
};
std::string TextOf(const Settings &settings) {
  TextSink sink;
  settings_text::Format(settings, CP_UTF8, sink);
  return sink.text;
}

// The paths of the rules in `text`, if it reads whole.
std::vector<std::string> RulesIn(const std::string &text, bool *whole) {
  const auto settings = std::make_unique<Settings>();
  settings_text::Parser parser(*settings, CP_UTF8);
  parser.Feed(text.data(), text.size());
  *whole = parser.Finish();
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < settings->ruleCount; ++i)
    paths.emplace_back(PathOf(settings->rules[i]));
  return paths;
}

// Killed at random moments, the saver leaves each time exactly one of the
// states it wrote: the file after some number of its saves, never empty,
// cut or filled with NULs. States are the texts of Change(0), Change(1), ...
// made on no rules.
void TestKilledWhileSaving() {
  Context("killed while saving");
  const std::string appData = FreshAppData("killed");
  const std::string file = FileOf(appData);
  std::vector<std::string> states = {""};
  const auto state = std::make_unique<Settings>();
  const auto stateOf = [&](unsigned step) {
    while (states.size() <= step) {
      ApplyChange(*state, saver::Change(unsigned(states.size() - 1)));
      states.push_back(TextOf(*state));
    }
    return states[step];
  };
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  unsigned saved = 0; // the state the file is in
  int kills = 0;
  while ((saved < 200 || kills < 25) && kills < 100) {
    const PROCESS_INFORMATION process =
        StartSaver(appData, "from " + std::to_string(saved));
    // Killed at a random moment once it has saved, most often mid-save.
    const bool saving =
        WaitUntil([&] { return ReadAll(file) != stateOf(saved); }, 30000);
    Sleep(random() % 30);
    TerminateProcess(process.hProcess, 1);
    Finish(process);
    if (!CHECK(saving))
      break;
    const std::string found = ReadAll(file);
    unsigned step = saved + 1;
    while (step < saved + 500 && stateOf(step) != found)
      ++step;
    if (!Record(step < saved + 500, __FILE__, __LINE__,
                "the file is one of the states written",
                "state " + std::to_string(saved + 1) + " or later",
                std::to_string(found.size()) +
                    " bytes: " + Show(found.substr(0, 120))))
      break;
    saved = step;
    ++kills;
  }
  std::printf("killed while saving: %u saves, %d kills (seed %u)\n", saved,
              kills, seed);
  CHECK(saved >= 200);
}

// Two copies adding rules at once lose none of each other's.
void TestTwoCopies() {
  Context("two copies");
  const std::string appData = FreshAppData("two");
  const HANDLE ready = CreateSemaphoreA(nullptr, 0, 2, saver::kReadyName);
  const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, saver::kGoName);
  const PROCESS_INFORMATION one = StartSaver(appData, "add One 60");
  const PROCESS_INFORMATION two = StartSaver(appData, "add Two 60");
  for (int copy = 0; copy < 2; ++copy)
    CHECK(WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0);
  SetEvent(go);
  const DWORD exits[] = {Finish(one), Finish(two)};
  CHECK_EQ(0u, exits[0]);
  CHECK_EQ(0u, exits[1]);
  CloseHandle(ready);
  CloseHandle(go);
  bool whole = false;
  std::vector<std::string> rules = RulesIn(ReadAll(FileOf(appData)), &whole);
  CHECK(whole);
  std::sort(rules.begin(), rules.end());
  std::vector<std::string> expected;
  for (const char *name : {"One", "Two"})
    for (int i = 0; i < 60; ++i)
      expected.push_back("C:\\" + std::string(name) + std::to_string(i) +
                         ".exe");
  std::sort(expected.begin(), expected.end());
  CHECK_LIST(expected, rules);
}

// A save that fails: the saver says why, the old file is whole, and no new
// file is left beside it.
void CheckRefused(const std::string &appData, const std::string &old,
                  DWORD error, const std::vector<std::string> &listing) {
  const DWORD exit = RunSaver(appData, "set C:\\refused.exe");
  CHECK_EQ(error, exit);
  CHECK_EQ(old, ReadAll(FileOf(appData)));
  CHECK_LIST(listing, Listing(FolderOf(appData)));
}

// What Wine shows of a disk that refuses a write: the folder's place taken
// by a file, a full disk and a read-only disk (a small tmpfs, which needs
// root, as ./test runs). Wine replaces a read-only file, where Windows
// refuses: the host tests show that refusal.
void TestWriteFailures() {
  Context("the folder's place taken by a file");
  const std::string taken = FreshAppData("taken");
  CHECK(WriteAll(FolderOf(taken), "not a folder"));
  const DWORD exit = RunSaver(taken, "set C:\\a.exe");
  CHECK_EQ(DWORD(ERROR_PATH_NOT_FOUND), exit);
  CHECK_EQ(std::string("not a folder"), ReadAll(FolderOf(taken)));
  CHECK_LIST(std::vector<std::string>{"Topmost Tamer"}, Listing(taken));

  Context("a full disk");
  const std::string appData = FreshAppData("full");
  const std::string disk = UnixScratch("full/Topmost Tamer");
  // One left mounted by a run that was stopped goes first.
  if (!CHECK(RunUnix("(umount " + disk + " 2>/dev/null; mkdir -p " + disk +
                     ") && mount -t tmpfs -o size=16k tmpfs " + disk))) {
    std::printf("a full disk needs a small tmpfs, which needs root\n");
    return;
  }
  const DWORD first = RunSaver(appData, "set C:\\a.exe");
  CHECK_EQ(0u, first);
  const std::string before = ReadAll(FileOf(appData));
  const HANDLE filler =
      CreateFileA((FolderOf(appData) + "\\filler").c_str(), GENERIC_WRITE, 0,
                  nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string page(4096, 'f');
  DWORD written = 0;
  while (
      WriteFile(filler, page.data(), DWORD(page.size()), &written, nullptr) &&
      written == page.size()) {
  }
  CloseHandle(filler);
  CheckRefused(appData, before, ERROR_DISK_FULL, {"filler", "rules.txt"});

  Context("a read-only disk");
  CHECK(DeleteFileA((FolderOf(appData) + "\\filler").c_str()));
  CHECK(RunUnix("mount -o remount,ro " + disk));
  CheckRefused(appData, before, ERROR_ACCESS_DENIED, {"rules.txt"});
  CHECK(RunUnix("umount " + disk));
}

// Damaged files of every kind are kept aside byte for byte, never over an
// earlier one, and what could be read is saved anew; whole ones, of any
// line end, with or without a BOM, are left as they are.
void TestDamagedFiles() {
  const std::string appData = FreshAppData("damaged");
  CreateDirectoryA(FolderOf(appData).c_str(), nullptr);
  const std::string v = "topmost-tamer=1\n", a = "keep-off-top=C:\\a.exe|W\n",
                    b = "keep-on-top=C:\\b.exe|W\n";
  std::string randomBytes(4096, '\0');
  std::mt19937 random(23);
  for (char &c : randomBytes)
    c = char(random());
  const std::string cut = v + a + b + "keep-off-top=C:\\c.e";
  const struct {
    const char *name;
    std::string text;
    bool damaged;
    std::vector<std::string> rules;
  } cases[] = {
      {"random bytes", randomBytes, true, {}},
      {"cut in the middle", cut, true, {"C:\\a.exe", "C:\\b.exe"}},
      {"NUL-filled", std::string(4096, '\0'), true, {}},
      {"a line of a megabyte",
       v + a + "# " + std::string(1 << 20, 'x') + "\n" + b,
       true,
       {"C:\\a.exe", "C:\\b.exe"}},
      {"unknown keys", v + "colour=red\n" + a, true, {"C:\\a.exe"}},
      {"a BOM and CR LF",
       "\xEF\xBB\xBFtopmost-tamer=1\r\nkeep-off-top=C:\\a.exe|W\r\n",
       false,
       {"C:\\a.exe"}},
      {"LF, and a rule repeated",
       v + a + b + a,
       false,
       {"C:\\a.exe", "C:\\b.exe"}},
  };
  std::vector<std::string> keptAside; // their contents, in order
  for (const auto &c : cases) {
    Context(std::string("damaged files: ") + c.name);
    CHECK(WriteAll(FileOf(appData), c.text));
    const DWORD exit = RunSaver(appData, "load");
    CHECK_EQ(DWORD(c.damaged ? saver::kKeptAside : saver::kWhole), exit);
    const std::string now = ReadAll(FileOf(appData));
    bool whole = false;
    CHECK_LIST(c.rules, RulesIn(now, &whole));
    CHECK(whole);
    if (c.damaged)
      keptAside.push_back(c.text);
    else
      CHECK(now == c.text);
    std::vector<std::string> names = {"rules.txt"};
    for (std::size_t i = 1; i <= keptAside.size(); ++i) {
      const std::string name = "rules (damaged " + std::to_string(i) + ").txt";
      names.push_back(name);
      CHECK(ReadAll(FolderOf(appData) + "\\" + name) == keptAside[i - 1]);
    }
    std::sort(names.begin(), names.end());
    CHECK_LIST(names, Listing(FolderOf(appData)));
  }
}

// Where the file goes without APPDATA: the shell's roaming folder; and a
// name beyond ASCII, spelt in the saver's own code page, is UTF-8 in it.
void TestWhereAndHow() {
  Context("without APPDATA");
  char roaming[MAX_PATH] = "";
  CHECK(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr,
                                   SHGFP_TYPE_CURRENT, roaming)));
  const DWORD exit = RunSaver("", "set C:\\roaming.exe");
  CHECK_EQ(0u, exit);
  bool exists = false;
  const std::string text = ReadAll(FileOf(roaming), &exists);
  CHECK(exists);
  CHECK(text.find("keep-off-top=C:\\roaming.exe|") != std::string::npos);
  DeleteFileA(FileOf(roaming).c_str());
  RemoveDirectoryA(FolderOf(roaming).c_str());

  Context("a name beyond ASCII");
  const std::string appData = FreshAppData("cafe");
  const DWORD cafe = RunSaver(appData, "cafe");
  CHECK_EQ(0u, cafe);
  CHECK(ReadAll(FileOf(appData)).find("keep-off-top=C:\\Caf\xC3\xA9.exe|") !=
        std::string::npos);
}

} // namespace

void TestRulesFile(const std::string &fixture) {
  saverExe = fixture.substr(0, fixture.find_last_of('\\') + 1) + "saver.exe";
  TestKilledWhileSaving();
  TestTwoCopies();
  TestWriteFailures();
  TestDamagedFiles();
  TestWhereAndHow();
}

} // namespace e2e
