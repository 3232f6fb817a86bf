// A desktop laid out like the running program's: a hidden owner, the form
// (owned, topmost, on our thread) and its controls, plus helpers to add
// other applications' windows and read the list.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frmHide_commands.h"
#include "memory_desktop.h"

class DesktopTest : public testing::Test {
protected:
  void SetUp() override { NewDesktop(); }

  void NewDesktop() {
    desk.Reset();
    owner = desk.CreateTopLevel(
        {.title = "Topmost Tamer", .visible = false, .thread = kOwn});
    frm = desk.CreateTopLevel({.title = "Manipulate Windows always on top",
                               .topmost = true,
                               .owner = owner,
                               .thread = kOwn});
    form = {desk.CreateListBox(frm), desk.CreateLabel(frm),
            desk.CreateButton(frm, false), desk.CreateButton(frm, false)};
  }

  platform::HWND Open(const std::string &title) {
    return desk.CreateTopLevel({.title = title});
  }

  std::vector<std::string> &Entries() { return desk.ListBox(form.List1).items; }

  // The expected entry, written independently of the code under test.
  static std::string EntryOf(const std::string &title, platform::HWND hwnd) {
    return title + " " + std::to_string(platform::LongFromHwnd(hwnd));
  }

  static constexpr platform::DWORD kOwn = memdesk::kOwnThread;
  memdesk::Desktop &desk = memdesk::TheDesktop();
  platform::HWND owner = nullptr;
  platform::HWND frm = nullptr;
  frmHideControls form{};
};
