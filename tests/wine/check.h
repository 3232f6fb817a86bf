// Checks for the programs that run against real windows: each check prints
// one line, a failure with file, line, expected and got; Summary() prints the
// tally and gives the exit code.
#pragma once

#include <string>

namespace wine_check {

// Records one check. `what` names it; expected and got are printed on
// failure. Returns `ok` so a caller can skip checks that depend on it.
bool Record(bool ok, const char *file, int line, const std::string &what,
            const std::string &expected, const std::string &got);

inline std::string Show(const std::string &value) {
  return "\"" + value + "\"";
}
inline std::string Show(const char *value) { return Show(std::string(value)); }
inline std::string Show(bool value) { return value ? "true" : "false"; }
inline std::string Show(long long value) { return std::to_string(value); }
inline std::string Show(int value) { return std::to_string(value); }
inline std::string Show(long value) { return std::to_string(value); }
inline std::string Show(unsigned value) { return std::to_string(value); }
inline std::string Show(unsigned long value) { return std::to_string(value); }
inline std::string Show(unsigned long long value) {
  return std::to_string(value);
}

template <typename T>
bool ExpectEq(const char *file, int line, const std::string &what,
              const T &expected, const T &got) {
  return Record(expected == got, file, line, what, Show(expected), Show(got));
}

// Prints "<name>: N passed, N failed"; returns the process exit code.
int Summary(const char *name);

} // namespace wine_check

#define CHECK_EQ(what, expected, got)                                          \
  wine_check::ExpectEq(__FILE__, __LINE__, (what), (expected), (got))
#define CHECK_TRUE(what, condition)                                            \
  wine_check::Record((condition), __FILE__, __LINE__, (what), "true", "false")
