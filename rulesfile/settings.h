// What the program remembers across runs: the rules, and whether the form
// hides when it is minimised.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "rule.h"

struct Settings {
  // More than a user keeps; each rule's windows count among the keeper's.
  static constexpr std::size_t kMaxRules = 128;

  std::array<Rule, kMaxRules> rules;
  std::size_t ruleCount = 0;
  bool hideWhenMinimized = false;
};

// One change the user makes. SetRule adds `rule`, or replaces the direction
// of the rule for the same application and class; RemoveRule removes the
// rule for `rule`'s application and class, whatever its direction.
struct SettingsChange {
  enum class Kind { SetRule, RemoveRule, SetHideWhenMinimized };
  Kind kind;
  Rule rule;
  bool hideWhenMinimized;
};

// The rule for the application at `path` (compared without regard to case)
// and `windowClass`; nullptr if there is none.
const Rule *FindRule(const Settings &settings, std::string_view path,
                     std::string_view windowClass);
