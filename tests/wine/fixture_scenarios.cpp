#include "fixture_scenarios.h"

namespace fixture {

namespace {

constexpr DWORD kShown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr std::size_t kMaxListedTitle = 255;

// 300 characters without spaces past the prefix, so the cut at 255 is
// visible in the entry and the handle is the only text after a space.
std::string LongTitle() {
  std::string title = "Long ";
  while (title.size() < 300)
    title += static_cast<char>('a' + title.size() % 26);
  return title;
}

} // namespace

std::vector<WindowPlan> CatalogueScenario() {
  return {
      {"visible", "Fixture visible", kShown, 0, false, true},
      {"hidden", "Fixture hidden", WS_OVERLAPPEDWINDOW, 0, false, false},
      {"owned", "Fixture owned", kShown, 0, true, false},
      {"owned-popup", "Fixture owned popup", WS_POPUP | WS_CAPTION | WS_VISIBLE,
       0, true, false},
      {"untitled", "", kShown, 0, false, false},
      {"long", LongTitle(), kShown, 0, false, true},
      {"twin-1", "Fixture twin", kShown, 0, false, true},
      {"topmost", "Fixture topmost", kShown, WS_EX_TOPMOST, false, true},
      {"twin-2", "Fixture twin", kShown, 0, false, true},
      {"digits", "A 1 2 3 456", kShown, 0, false, true},
      {"ampersand", "Fixture &Save && Exit", kShown, 0, false, true},
      {"popup", "Fixture unowned popup", WS_POPUP | WS_VISIBLE, 0, false, true},
  };
}

std::vector<WindowPlan> BulkScenario(int count) {
  std::vector<WindowPlan> plans;
  plans.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    // Per 20 windows: 16 qualify, 2 hidden, 1 owned, 1 untitled. Row 0
    // qualifies and owns the owned ones.
    switch (i % 20) {
    case 16:
    case 17:
      plans.push_back({"hidden-" + n, "Bulk hidden " + n, WS_OVERLAPPEDWINDOW,
                       0, false, false});
      break;
    case 18:
      plans.push_back({"owned-" + n, "Bulk tool " + n, kShown, 0, true, false});
      break;
    case 19:
      plans.push_back({"untitled-" + n, "", kShown, 0, false, false});
      break;
    default:
      plans.push_back({"doc-" + n, "Bulk document " + n + " - Editor", kShown,
                       0, false, true});
    }
  }
  return plans;
}

std::vector<WindowPlan> ScenarioByName(const std::string &name, int count) {
  if (name == "catalogue")
    return CatalogueScenario();
  if (name == "bulk")
    return BulkScenario(count);
  return {};
}

std::string ListedTitle(const WindowPlan &plan) {
  return plan.title.substr(0, kMaxListedTitle);
}

} // namespace fixture
