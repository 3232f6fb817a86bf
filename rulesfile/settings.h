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

// Whether the rules file can hold `rule`: its path and class are neither
// empty nor too long, and hold no control character (below 0x20), no
// invalid text in the ANSI code page, and no '|' in the path. The store
// never takes any other rule, so no rule can inject a line.
bool CanRemember(const Rule &rule);

// A rule's path and class as texts, up to their NULs.
std::string_view PathOf(const Rule &rule);
std::string_view ClassOf(const Rule &rule);
// Fills `rule`; false, leaving it unusable, if a text does not fit.
bool MakeRule(Rule &rule, std::string_view path, std::string_view windowClass,
              Direction direction);

// Makes `change` to `settings` in memory alone; false if it cannot: a rule
// that CanRemember refuses, or no room for another.
bool ApplyChange(Settings &settings, const SettingsChange &change);
