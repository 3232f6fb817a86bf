#include "settings.h"

#include <cstring>

#include "settings_text.h"
#include "window_ops.h"

using namespace platform;

namespace {

std::string_view TextOf(const char *text, std::size_t capacity) {
  const void *end = std::memchr(text, '\0', capacity);
  return {text, end != nullptr
                    ? std::size_t(static_cast<const char *>(end) - text)
                    : capacity};
}

// The index of the rule for `path` and `windowClass`, or the rule count.
std::size_t IndexOfRule(const Settings &settings, std::string_view path,
                        std::string_view windowClass) {
  // The class first: an exact comparison, and it rules out most at once.
  std::size_t i = 0;
  while (i < settings.ruleCount &&
         !(ClassOf(settings.rules[i]) == windowClass &&
           EqualIgnoringCase(PathOf(settings.rules[i]), path)))
    ++i;
  return i;
}

} // namespace

std::string_view PathOf(const Rule &rule) {
  return TextOf(rule.path.data(), rule.path.size());
}

std::string_view ClassOf(const Rule &rule) {
  return TextOf(rule.windowClass.data(), rule.windowClass.size());
}

bool MakeRule(Rule &rule, std::string_view path, std::string_view windowClass,
              Direction direction) {
  rule.path[0] = rule.windowClass[0] = '\0';
  if (path.size() > Rule::kMaxPath || windowClass.size() > Rule::kMaxClass)
    return false;
  std::memcpy(rule.path.data(), path.data(), path.size());
  rule.path[path.size()] = '\0';
  std::memcpy(rule.windowClass.data(), windowClass.data(), windowClass.size());
  rule.windowClass[windowClass.size()] = '\0';
  rule.direction = direction;
  return true;
}

const Rule *FindRule(const Settings &settings, std::string_view path,
                     std::string_view windowClass) {
  const std::size_t i = IndexOfRule(settings, path, windowClass);
  return i < settings.ruleCount ? &settings.rules[i] : nullptr;
}

bool CanRemember(const Rule &rule) {
  char line[settings_text::kMaxLine];
  return settings_text::FormatRule(rule, GetACP(), line) != 0;
}

bool ApplyChange(Settings &settings, const SettingsChange &change) {
  const std::size_t i =
      change.kind == SettingsChange::Kind::SetHideWhenMinimized
          ? 0
          : IndexOfRule(settings, PathOf(change.rule), ClassOf(change.rule));
  switch (change.kind) {
  case SettingsChange::Kind::SetHideWhenMinimized:
    settings.hideWhenMinimized = change.hideWhenMinimized;
    return true;
  case SettingsChange::Kind::SetRule: {
    if (!CanRemember(change.rule))
      return false;
    if (i < settings.ruleCount) {
      settings.rules[i].direction = change.rule.direction;
      return true;
    }
    if (settings.ruleCount == Settings::kMaxRules)
      return false;
    settings.rules[settings.ruleCount++] = change.rule;
    return true;
  }
  case SettingsChange::Kind::RemoveRule:
    if (i < settings.ruleCount) {
      // The others keep their order: the file lists them as they came.
      std::memmove(static_cast<void *>(&settings.rules[i]),
                   &settings.rules[i + 1],
                   (settings.ruleCount - i - 1) * sizeof(Rule));
      --settings.ruleCount;
    }
    return true;
  }
  return false;
}
