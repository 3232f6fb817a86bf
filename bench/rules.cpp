// bench rules [ROUNDS]: rules at work, with 20 rules in the rules file (one
// for the fixture's banner, kept off top) and 500 windows of other
// applications on the desktop:
//   - how long a new banner of the ruled application stays on top before
//     the program takes the state away, over ROUNDS (40) banners, each made
//     at a random moment: median and 95th percentile;
//   - the program's CPU when it has nothing to do, over 20 s;
//   - its start-up with 100 rules in the file, against the minimal program
//     with the same pieces, as bench startup measures it.
#include "frmHide_commands.h"

// After that: <windows.h> defines some of its constants as macros.
#include "bench.h"
#include "desktop.h"
#include "fixture.h"
#include "tamer.h"

#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

constexpr int kOtherWindows = 500;
constexpr int kIdleSeconds = 20;
constexpr int kStartRounds = 41;

// Writes `count` rules into the rules file under `appData`: the first for
// the banner's application and class, the others for applications that do
// not run.
bool WriteRules(const std::string &appData, const std::string &fixture,
                int count) {
  RulesStore store;
  Settings &settings = *new Settings{};
  bool written = store.Open(appData.c_str());
  for (int i = 0; i < count && written; ++i) {
    SettingsChange change{};
    change.kind = SettingsChange::Kind::SetRule;
    const std::string path =
        i == 0 ? fixture : "C:\\Apps\\Idle " + std::to_string(i) + ".exe";
    written =
        MakeRule(change.rule, path, "fixture.banner", Direction::OffTop) &&
        store.Apply(change, settings).saved;
  }
  delete &settings;
  return written;
}

// How long a banner made now stays on top, in ms; negative if it is never
// taken off.
double BannerOnTopMs(HWND fixtureControl) {
  const HWND banner = reinterpret_cast<HWND>(
      SendMessageA(fixtureControl, fixture::kNewBanner, 1, 0));
  const double made = NowMs();
  while (harness::IsTopmost(banner))
    if (NowMs() - made > 2000)
      return -1;
    else
      Sleep(0);
  return NowMs() - made;
}

} // namespace

int Rules(int rounds) {
  char fixture[MAX_PATH];
  GetFullPathNameA(Beside("..\\tests\\harness\\fixture.exe").c_str(), MAX_PATH,
                   fixture, nullptr);
  // The programs started from here keep their rules in a folder of the
  // bench's own.
  const std::string appData = Beside("rules-appdata");
  CreateDirectoryA(appData.c_str(), nullptr);
  DeleteFileA((appData + "\\Topmost Tamer\\rules.txt").c_str());
  SetEnvironmentVariableA("APPDATA", appData.c_str());
  if (!WriteRules(appData, fixture, 20))
    return 1;

  std::vector<harness::Program> others = StartFixtures(kOtherWindows);
  harness::Program banners;
  harness::Tamer tamer;
  if (others.empty() ||
      !banners.Start(fixture, "", fixture::kControlCaption, false) ||
      !tamer.Start(Beside(kTamerExe)))
    return 1;
  std::vector<double> onTop;
  for (int round = 0; round < rounds; ++round) {
    Sleep(static_cast<DWORD>(std::rand() % 200)); // any moment of a look
    const double ms = BannerOnTopMs(banners.Window());
    if (ms < 0)
      return 1;
    onTop.push_back(ms);
  }
  SendMessageA(banners.Window(), fixture::kNewBanner, 0, 0);
  Print("banner_on_top_ms", onTop);
  Sleep(1000); // the last banner forgotten
  const double idle = CpuShare(kIdleSeconds, [](DWORD ms) { Sleep(ms); });
  tamer.program.Stop();
  banners.Stop();
  others.clear();

  if (!WriteRules(appData, fixture, 100))
    return 1;
  std::vector<double> ruled, same;
  for (int round = 0; round < kStartRounds; ++round) {
    // Each round the other goes first.
    double a, b;
    if (round % 2 == 0) {
      a = TimeStart(Beside(kTamerExe), true);
      b = TimeStart(SamePiecesExe(), false);
    } else {
      b = TimeStart(SamePiecesExe(), false);
      a = TimeStart(Beside(kTamerExe), true);
    }
    if (a < 0 || b < 0)
      return 1;
    ruled.push_back(a);
    same.push_back(b);
  }
  const Spread ratio = PrintRatio("startup_100_rules_ratio", ruled, same);
  std::printf("rules rounds=%d median_ms=%.1f p95_ms=%.1f idle_cpu=%.3f%% "
              "startup_ratio=%.3f\n",
              rounds, Percentile(onTop, 0.5), Percentile(onTop, 0.95),
              idle * 100, ratio.median);
  return 0;
}

} // namespace bench
