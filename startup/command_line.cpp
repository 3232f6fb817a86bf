#include "command_line.h"

#include "window_ops.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view kBlanks = " \t";

bool IsSwitch(std::string_view word, std::string_view name) {
  // "/hidden" or "-hidden". No substr: it can throw, which the Windows
  // build does not link.
  return !word.empty() && (word[0] == '/' || word[0] == '-') &&
         platform::EqualIgnoringCase(
             std::string_view(word.data() + 1, word.size() - 1),
             std::string_view(name.data() + 1, name.size() - 1));
}

} // namespace

Switches ParseSwitches(std::string_view arguments) {
  Switches switches;
  while (!arguments.empty()) {
    const std::size_t start = arguments.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
      break;
    arguments.remove_prefix(start);
    const std::size_t end =
        std::min(arguments.find_first_of(kBlanks), arguments.size());
    std::string_view word(arguments.data(), end);
    arguments.remove_prefix(end);
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
      word = std::string_view(word.data() + 1, word.size() - 2);
    switches.hidden = switches.hidden || IsSwitch(word, kHiddenSwitch);
    switches.restart = switches.restart || IsSwitch(word, kRestartSwitch);
  }
  return switches;
}

bool ComposeSignInCommand(std::string_view exe, char *command,
                          std::size_t size) {
  // The quotes, a space, the switch and the NUL.
  const std::size_t switchLength = std::strlen(kHiddenSwitch);
  if (exe.size() + switchLength + 4 > size)
    return false;
  char *out = command;
  *out++ = '"';
  out = std::copy(exe.begin(), exe.end(), out);
  *out++ = '"';
  *out++ = ' ';
  out = std::copy(kHiddenSwitch, kHiddenSwitch + switchLength, out);
  *out = '\0';
  return true;
}

std::string_view ProgramOf(std::string_view command) {
  const std::size_t start = command.find_first_not_of(kBlanks);
  if (start == std::string_view::npos)
    return {};
  command.remove_prefix(start);
  if (command.front() == '"') {
    command.remove_prefix(1);
    return std::string_view(command.data(),
                            std::min(command.find('"'), command.size()));
  }
  constexpr std::string_view kExe = ".exe";
  for (std::size_t at = 0; at + kExe.size() <= command.size(); ++at) {
    const std::size_t end = at + kExe.size();
    if (platform::EqualIgnoringCase(
            std::string_view(command.data() + at, kExe.size()), kExe) &&
        (end == command.size() ||
         kBlanks.find(command[end]) != std::string_view::npos))
      return std::string_view(command.data(), end);
  }
  return std::string_view(
      command.data(), std::min(command.find_first_of(kBlanks), command.size()));
}
