// frmHide as designed: the client area and every control's place in twips
// (1/1440 inch), converted to pixels for the window's DPI when it is laid
// out. No window-system headers here, so tests on any platform can read the
// table.
#pragma once

#include <array>
#include <cstddef>

#include "resource.h"

namespace frmHideLayout {

constexpr int kTwipsPerInch = 1440;

// The client area, excluding the menu bar.
constexpr int kClientWidth = 4740;
constexpr int kClientHeight = 3696;

enum class ControlKind { Label, ListBox, Button };

struct ControlRow {
  int id;
  const char *name;
  ControlKind kind;
  const char *caption;
  int left;
  int top;
  int width;
  int height;
  int tabIndex;
  bool enabled;
  bool ownFont; // Command1's bold font rather than the window's font
};

// In tab-index order: controls created in this order have it as their Z
// order, which is the order the dialog manager tabs through.
constexpr std::array<ControlRow, 8> kControls{{
    // clang-format off
    // id            name        kind                  caption                         left   top  width height tab enabled ownFont
    {IDC_List1,    "List1",    ControlKind::ListBox, "",                              120,  240, 4572, 1968, 0, true,  false},
    {IDC_Command1, "Command1", ControlKind::Button,  "MiniMize",                     2520, 3000, 1692,  252, 1, false, true},
    {IDC_cmdTasks, "cmdTasks", ControlKind::Button,  "Get All Windows",               720, 3000, 1812,  252, 2, true,  false},
    {IDC_Command3, "Command3", ControlKind::Button,  "Exit",                         2520, 3360, 1692,  252, 3, true,  false},
    {IDC_Label1,   "Label1",   ControlKind::Label,   "Current Applications Runnig ",  120,    0, 2652,  252, 4, true,  false},
    {IDC_Command5, "Command5", ControlKind::Button,  "Restore Size",                  720, 3360, 1812,  252, 5, false, false},
    {IDC_lblOPut,  "lblOPut",  ControlKind::Label,   "",                              120, 2280, 4572,  252, 6, true,  false},
    {IDC_Command2, "Command2", ControlKind::Button,  "Locate Top Most Window",        720, 2640, 3492,  252, 7, true,  false},
    // clang-format on
}};

// The row of the control with `id`; kControls.size() when there is none.
constexpr std::size_t RowOf(int id) {
  for (std::size_t row = 0; row < kControls.size(); ++row)
    if (kControls[row].id == id)
      return row;
  return kControls.size();
}

// Command1's own font.
constexpr const char *kCommand1FontFace = "MS Sans Serif";
constexpr int kCommand1FontWeight = 700;
constexpr int kCommand1FontTenthsOfPoint = 78;
constexpr int kCommand1FontCharset = 0;

} // namespace frmHideLayout
