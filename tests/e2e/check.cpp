#include "check.h"

#include <algorithm>
#include <cstdio>

namespace e2e {
namespace {
int failures = 0;
int passes = 0;
std::string current_context;
} // namespace

void Fail(const char *file, int line, const std::string &what,
          const std::string &expected, const std::string &got) {
  ++failures;
  std::printf("%s:%d: FAIL [%s] %s\n  expected: %s\n  got:      %s\n", file,
              line, current_context.c_str(), what.c_str(), expected.c_str(),
              got.c_str());
  std::fflush(stdout);
}

void Pass() { ++passes; }
void SetContext(const std::string &context) { current_context = context; }
int Failures() { return failures; }
int Passes() { return passes; }

void Figure(const std::string &text) {
  std::printf("figure: %s\n", text.c_str());
  std::fflush(stdout);
}

std::string ShowText(const std::string &value) { return "\"" + value + "\""; }

std::string ShowText(const std::wstring &value) {
  std::string shown = "L\"";
  for (const wchar_t ch : value) {
    if (ch >= 0x20 && ch < 0x7f && ch != L'\\') {
      shown += static_cast<char>(ch);
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X",
                  static_cast<unsigned>(ch));
    shown += escaped;
  }
  return shown + "\"";
}

bool CheckNear(const char *file, int line, const char *what, long long expected,
               long long got, long long tolerance) {
  long long diff = expected > got ? expected - got : got - expected;
  if (diff <= tolerance) {
    Pass();
    return true;
  }
  Fail(file, line, what, Show(expected) + " +-" + std::to_string(tolerance),
       Show(got));
  return false;
}

bool CheckSameList(const char *file, int line, const char *what,
                   const std::vector<std::string> &expected,
                   const std::vector<std::string> &got) {
  size_t differing = 0;
  size_t first = 0;
  const size_t rows = std::max(expected.size(), got.size());
  for (size_t i = rows; i-- > 0;) {
    const bool same =
        i < expected.size() && i < got.size() && expected[i] == got[i];
    if (!same) {
      ++differing;
      first = i;
    }
  }
  if (differing == 0) {
    Pass();
    return true;
  }
  auto row = [&](const std::vector<std::string> &list) {
    return std::to_string(list.size()) + " rows; row " + std::to_string(first) +
           ": " + (first < list.size() ? Show(list[first]) : "<none>");
  };
  Fail(file, line,
       std::string(what) + " (" + std::to_string(differing) + " rows differ)",
       row(expected), row(got));
  return false;
}

} // namespace e2e
