// The windows that fixture.exe creates, one table row per window. The tests
// read the same table, so what a row expects of the catalogue stays next to
// how the window is made.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fixture {

struct WindowPlan {
  std::string kind;  // unique within a scenario; names the row in reports
  std::string title; // as given to CreateWindowExA
  DWORD style;
  DWORD exStyle;
  bool owned;  // owner: the scenario's first window
  bool listed; // whether the catalogue must list it
};

// The edge cases of the catalogue, one window each (two for the duplicates).
// The first row is a plain qualifying window: the owner of the owned rows.
std::vector<WindowPlan> CatalogueScenario();

// `count` windows in a realistic mix: most qualify, some are hidden, owned
// or untitled.
std::vector<WindowPlan> BulkScenario(int count);

// Empty when the name is unknown.
std::vector<WindowPlan> ScenarioByName(const std::string &name, int count);

// The title the catalogue shows for `plan`: cut to 255 characters.
std::string ListedTitle(const WindowPlan &plan);

} // namespace fixture
