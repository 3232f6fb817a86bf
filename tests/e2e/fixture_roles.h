// The windows that the fixture processes put on the desktop: the role table
// of the "roles" mode, one row each, and the titles of the generated windows
// of the "bulk" and "churn" modes. The driver reads the same definitions to
// know what belongs in the list.
#pragma once

#include <string>

namespace e2e {

enum class Kind {
  Plain,      // visible, unowned, titled
  Topmost,    // the same, always on top
  Hidden,     // never shown
  Owned,      // owned overlapped window
  OwnedPopup, // owned pop-up: GetParent reports its owner
  Hung,       // its thread stops pumping messages until resumed
};

struct Role {
  const char *name;
  Kind kind;
  bool listed; // whether the program must list it
};

constexpr Role kRoles[] = {
    {"ordinary", Kind::Plain, true},
    {"twin1", Kind::Plain, true},
    {"twin2", Kind::Plain, true},
    {"amp", Kind::Plain, true},
    {"long", Kind::Plain, true},
    {"untitled", Kind::Plain, false},
    {"hidden", Kind::Hidden, false},
    {"owned", Kind::Owned, false},
    {"ownedpopup", Kind::OwnedPopup, false},
    {"hung", Kind::Hung, true},
    {"banner", Kind::Topmost, true},
    {"doomed", Kind::Plain, true}, // closed by the driver mid-test
    // Titles that could be mistaken for an entry's other parts.
    {"allbytes", Kind::Plain, true}, // bytes 1 to 255 of the ANSI code page
    {"trailing", Kind::Plain, true}, // ends in spaces
    {"digits", Kind::Plain, true},   // ends in digits, as a handle does
};

// The title each role's window carries.
std::string RoleTitle(const std::string &name);

// Title of window `index` of bulk process `serial`: names both, and its
// length runs from 16 to 255 characters so no cut goes unnoticed.
std::string BulkTitle(int serial, int index);
// Title of the `index`th window that the churn process creates.
std::string ChurnTitle(int index);

} // namespace e2e
