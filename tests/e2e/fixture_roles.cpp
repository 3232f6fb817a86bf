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
    {"doomed", "E2E Doomed Window"},
    {"trailing", "Trailing   "},
    {"digits", "Build 2024 42"},
};

// Digits cycling up to `length`, so a cut at any length is visible.
std::string PadTo(std::string title, size_t length) {
  while (title.size() < length)
    title += static_cast<char>('0' + title.size() % 10);
  return title;
}

std::string Numbered(const char *prefix, int number, int width) {
  std::string digits = std::to_string(number);
  if (digits.size() < static_cast<size_t>(width))
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return prefix + digits;
}

// Every non-zero byte, in order: 255 of them fill the 255 characters that a
// title keeps, so a cut one short would drop the last.
std::string AllBytes() {
  std::string title;
  for (int byte = 1; byte <= 255; ++byte)
    title += static_cast<char>(byte);
  return title;
}

} // namespace

std::string RoleTitle(const std::string &name) {
  if (name == "long")
    return PadTo("E2E Long ", 300);
  if (name == "allbytes")
    return AllBytes();
  for (const Title &t : kTitles)
    if (name == t.role)
      return t.title;
  return "";
}

std::string BulkTitle(int serial, int index) {
  const std::string head =
      Numbered("E2E Bulk ", serial, 1) + Numbered(" #", index, 4) + " ";
  return PadTo(head, 16 + static_cast<size_t>(index) * 97 % 240);
}

std::string ChurnTitle(int index) { return Numbered("E2E Churn ", index, 7); }

} // namespace e2e
