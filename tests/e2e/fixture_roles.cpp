#include "fixture_roles.h"

namespace e2e {
namespace {

struct Title {
  const char *role;
  const char *title;
};

constexpr Title kTitles[] = {
    {"ordinary", "E2E Ordinary Window"},
    {"twin1", "E2E Twin"},
    {"twin2", "E2E Twin"},
    {"amp", "Save & Exit"},
    {"untitled", ""},
    {"hidden", "E2E Hidden Window"},
    {"owned", "E2E Owned Window"},
    {"ownedpopup", "E2E Owned Popup"},
    {"hung", "E2E Hung Window"},
    {"banner", "E2E Ad Banner 42"},
};

// 300 characters, digits cycling so a cut at any length is visible.
std::string LongTitle() {
  std::string title = "E2E Long ";
  while (title.size() < 300)
    title += static_cast<char>('0' + title.size() % 10);
  return title;
}

} // namespace

std::string RoleTitle(const std::string &name) {
  if (name == "long")
    return LongTitle();
  for (const Title &t : kTitles)
    if (name == t.role)
      return t.title;
  return "";
}

std::string ReadyEventName(const std::string &tag) {
  return "TopmostTamerE2E.Ready." + tag;
}
std::string ResumeEventName(const std::string &tag) {
  return "TopmostTamerE2E.Resume." + tag;
}
std::string ExitEventName(const std::string &tag) {
  return "TopmostTamerE2E.Exit." + tag;
}

} // namespace e2e
