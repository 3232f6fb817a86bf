// Assertions that keep going after a failure and print file, line, expected
// and got, so one run shows every broken behaviour at once.
#pragma once

#include <string>
#include <type_traits>
#include <vector>

namespace e2e {

void Fail(const char *file, int line, const std::string &what,
          const std::string &expected, const std::string &got);
void Pass();
// Names the table row or step being checked; shown with each failure.
void SetContext(const std::string &context);
int Failures();
int Passes();
// Prints a measured figure ("figure: ...") for the run's report.
void Figure(const std::string &text);

std::string ShowText(const std::string &value);
// Shows each character outside printable ASCII, and the backslash, by its
// UTF-16 code, so that control characters and look-alikes stay visible.
std::string ShowText(const std::wstring &value);

template <typename T> std::string Show(const T &value) {
  if constexpr (std::is_same_v<T, bool>)
    return value ? "true" : "false";
  else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
    return std::to_string(static_cast<long long>(value));
  else if constexpr (std::is_pointer_v<T> &&
                     !std::is_convertible_v<T, const char *>)
    return std::to_string(reinterpret_cast<long long>(value));
  else
    return ShowText(value);
}

template <typename T, typename U>
bool CheckEqual(const char *file, int line, const char *what, const T &expected,
                const U &got) {
  if (expected == got) {
    Pass();
    return true;
  }
  Fail(file, line, what, Show(expected), Show(got));
  return false;
}

bool CheckNear(const char *file, int line, const char *what, long long expected,
               long long got, long long tolerance);
// One check for a whole list: on failure, the sizes, how many rows differ
// and the first that does.
bool CheckSameList(const char *file, int line, const char *what,
                   const std::vector<std::string> &expected,
                   const std::vector<std::string> &got);

} // namespace e2e

#define CHECK_EQ(expected, got)                                                \
  ::e2e::CheckEqual(__FILE__, __LINE__, #got, (expected), (got))
#define CHECK_NEAR(expected, got, tolerance)                                   \
  ::e2e::CheckNear(__FILE__, __LINE__, #got, (expected), (got), (tolerance))
#define CHECK_SAME_LIST(expected, got)                                         \
  ::e2e::CheckSameList(__FILE__, __LINE__, #got, (expected), (got))
#define CHECK_TRUE(condition) CHECK_EQ(true, static_cast<bool>(condition))
#define CHECK_FALSE(condition) CHECK_EQ(false, static_cast<bool>(condition))
