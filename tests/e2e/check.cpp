#include "check.h"

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

std::string ShowText(const std::string &value) { return "\"" + value + "\""; }

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

} // namespace e2e
