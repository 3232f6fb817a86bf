#include "check.h"

#include <cstdio>

namespace wine_check {

namespace {
int passed = 0;
int failed = 0;
} // namespace

bool Record(bool ok, const char *file, int line, const std::string &what,
            const std::string &expected, const std::string &got) {
  if (ok) {
    ++passed;
    std::printf("ok   %s\n", what.c_str());
  } else {
    ++failed;
    std::printf("FAIL %s:%d: %s: expected %s, got %s\n", file, line,
                what.c_str(), expected.c_str(), got.c_str());
  }
  std::fflush(stdout);
  return ok;
}

int Summary(const char *name) {
  std::printf("%s: %d passed, %d failed\n", name, passed, failed);
  std::fflush(stdout);
  return failed == 0 && passed > 0 ? 0 : 1;
}

} // namespace wine_check
