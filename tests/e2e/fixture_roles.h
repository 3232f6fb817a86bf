// The windows that the fixture process puts on the desktop, one row each;
// the driver reads the same table to know which of them belong in the list.
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
};

// The title each role's window carries.
std::string RoleTitle(const std::string &name);

// Names of the kernel objects that the driver and the fixture share.
std::string ReadyEventName(const std::string &tag);
std::string ResumeEventName(const std::string &tag);
std::string ExitEventName(const std::string &tag);

} // namespace e2e
