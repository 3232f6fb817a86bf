// fixture.exe SCENARIO [COUNT] [--out FILE] [--events NAME] [--timeout SEC]
//
// Creates the scenario's top-level windows in this process, writes one line
// "kind handle" per window (handle in signed decimal) to FILE or stdout,
// then sets the event NAME-ready (without --events: prints "ready"). It pumps
// messages until the event NAME-quit is set, one of its windows is closed, or
// the timeout (default 300 s) runs out, so a crashed parent never leaves it
// behind.
#include "fixture_scenarios.h"
#include "pump.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char kClassName[] = "TopmostTamerFixture";

struct Options {
  std::string scenario;
  int count = 0;
  std::string outFile;
  std::string events;
  DWORD timeoutMs = 300 * 1000;
};

LRESULT CALLBACK FixtureProc(HWND hwnd, UINT msg, WPARAM wParam,
                             LPARAM lParam) {
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool ParseOptions(int argc, char **argv, Options &options) {
  if (argc < 2)
    return false;
  options.scenario = argv[1];
  int i = 2;
  if (i < argc && argv[i][0] != '-')
    options.count = std::atoi(argv[i++]);
  for (; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--out")
      options.outFile = argv[i + 1];
    else if (name == "--events")
      options.events = argv[i + 1];
    else if (name == "--timeout")
      options.timeoutMs = static_cast<DWORD>(std::atoi(argv[i + 1])) * 1000;
    else
      return false;
  }
  return i == argc;
}

HWND CreateFixtureWindow(const fixture::WindowPlan &plan, HWND owner,
                         int index) {
  // Small, staggered windows: position and size play no part in the tests,
  // and small ones keep the X server's work down in the bulk scenario.
  const int x = 20 + (index % 40) * 12;
  const int y = 20 + (index % 30) * 12;
  return CreateWindowExA(plan.exStyle, kClassName, plan.title.c_str(),
                         plan.style, x, y, 240, 120, owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool WriteHandles(const Options &options,
                  const std::vector<fixture::WindowPlan> &plans,
                  const std::vector<HWND> &windows) {
  FILE *out = stdout;
  if (!options.outFile.empty()) {
    out = std::fopen(options.outFile.c_str(), "w");
    if (out == nullptr)
      return false;
  }
  for (std::size_t i = 0; i < plans.size(); ++i)
    std::fprintf(out, "%s %ld\n", plans[i].kind.c_str(),
                 static_cast<long>(reinterpret_cast<INT_PTR>(windows[i])));
  const bool written = std::fflush(out) == 0;
  if (out != stdout)
    return std::fclose(out) == 0 && written;
  return written;
}

HANDLE OpenNamedEvent(const std::string &events, const char *suffix) {
  if (events.empty())
    return nullptr;
  return OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE,
                    (events + suffix).c_str());
}

} // namespace

int main(int argc, char **argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: fixture catalogue|bulk COUNT [--out FILE] "
                         "[--events NAME] [--timeout SECONDS]\n");
    return 2;
  }
  const std::vector<fixture::WindowPlan> plans =
      fixture::ScenarioByName(options.scenario, options.count);
  if (plans.empty()) {
    std::fprintf(stderr, "fixture: unknown scenario %s\n",
                 options.scenario.c_str());
    return 2;
  }

  WNDCLASSA wc = {};
  wc.lpfnWndProc = FixtureProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (RegisterClassA(&wc) == 0)
    return 3;

  std::vector<HWND> windows;
  windows.reserve(plans.size());
  for (const fixture::WindowPlan &plan : plans) {
    const HWND owner = plan.owned ? windows.front() : nullptr;
    const HWND hwnd =
        CreateFixtureWindow(plan, owner, static_cast<int>(windows.size()));
    if (hwnd == nullptr) {
      std::fprintf(stderr, "fixture: cannot create %s (error %lu)\n",
                   plan.kind.c_str(), GetLastError());
      return 3;
    }
    windows.push_back(hwnd);
  }
  // Let creation and show messages settle before anyone looks.
  wine_pump::UntilIdle();
  if (!WriteHandles(options, plans, windows))
    return 4;

  const HANDLE ready = OpenNamedEvent(options.events, "-ready");
  const HANDLE quit = OpenNamedEvent(options.events, "-quit");
  if (ready != nullptr) {
    SetEvent(ready);
  } else {
    std::printf("ready\n");
    std::fflush(stdout);
  }

  // Runs until told to quit (the event, or WM_CLOSE posting WM_QUIT) or the
  // safety timeout; without a quit event it waits on messages alone.
  const ULONGLONG deadline = GetTickCount64() + options.timeoutMs;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline)
      break;
    const DWORD left = static_cast<DWORD>(deadline - now);
    const DWORD handles = quit != nullptr ? 1 : 0;
    const DWORD result = MsgWaitForMultipleObjects(
        handles, handles ? &quit : nullptr, FALSE, left, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0 && handles == 1)
      break;
    if (result != WAIT_OBJECT_0 + handles)
      break;
    MSG msg;
    bool quitting = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        quitting = true;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (quitting)
      break;
  }
  return 0;
}
