#include "check.h"

#include <cstdio>

namespace harness {
namespace {

int passed = 0;
int failed = 0;
std::string context;

} // namespace

void Context(const std::string &what) { context = what; }

bool Record(bool ok, const char *file, int line, const char *what,
            const std::string &expected, const std::string &got) {
  ++(ok ? passed : failed);
  if (!ok)
    std::printf("FAIL %s:%d [%s] %s\n  expected: %s\n  got:      %s\n", file,
                line, context.c_str(), what, expected.c_str(), got.c_str());
  return ok;
}

int Summary(const char *name) {
  std::printf("%s: %d passed, %d failed\n", name, passed, failed);
  return failed == 0 && passed > 0 ? 0 : 1;
}

bool SameList(const char *file, int line, const char *what,
              const std::vector<std::string> &expected,
              const std::vector<std::string> &got) {
  size_t row = 0;
  while (row < expected.size() && row < got.size() && expected[row] == got[row])
    ++row;
  const auto at = [row](const std::vector<std::string> &list) {
    return std::to_string(list.size()) + " rows; row " + std::to_string(row) +
           ": " + (row < list.size() ? Show(list[row]) : "none");
  };
  return Record(expected == got, file, line, what, at(expected), at(got));
}

std::string Show(const std::string &value) {
  std::string shown = "\"";
  for (const char c : value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped,
                  c >= 0x20 && c < 0x7f && c != '\\' ? "%c" : "\\x%02x",
                  static_cast<unsigned char>(c));
    shown += escaped;
  }
  return shown + "\"";
}

} // namespace harness
