// Checks that keep going after a failure and print file, line, context,
// expected and got, so one run shows every broken behaviour at once.
#pragma once

#include <string>
#include <vector>

namespace harness {

// Names the case or table row being checked; shown with each failure.
void Context(const std::string &what);
bool Record(bool ok, const char *file, int line, const char *what,
            const std::string &expected, const std::string &got);
// Prints "NAME: N passed, N failed"; the exit code for the run.
int Summary(const char *name);

// Text with every byte outside printable ASCII escaped, so control
// characters and look-alikes stay visible in a failure.
std::string Show(const std::string &value);
template <typename T> std::string Show(const T &value) {
  return std::to_string(value);
}

// One check for a whole list: on failure the sizes and the first row that
// differs.
bool SameList(const char *file, int line, const char *what,
              const std::vector<std::string> &expected,
              const std::vector<std::string> &got);

} // namespace harness

#define CHECK(condition)                                                       \
  ::harness::Record(static_cast<bool>(condition), __FILE__, __LINE__,          \
                    #condition, "true", "false")
#define CHECK_EQ(expected, got)                                                \
  ::harness::Record((expected) == (got), __FILE__, __LINE__, #got,             \
                    ::harness::Show(expected), ::harness::Show(got))
#define CHECK_LIST(expected, got)                                              \
  ::harness::SameList(__FILE__, __LINE__, #got, (expected), (got))
