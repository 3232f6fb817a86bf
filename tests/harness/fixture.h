// The fixture program's windows and how the tests talk to it. One process
// runs one mode:
//   fixture.exe roles      one window of every role below, the hung one on a
//                          thread of its own
//   fixture.exe bulk N     N windows with titles of 16 to 300 characters
//   fixture.exe churn      windows created and destroyed without pause
//   fixture.exe demo       an always-on-top ad banner, for the demonstration
//   fixture.exe banner     an always-on-top window of the banner role's class,
//                          as a second banner of the same application has
// Its control window, hidden and captioned kControlCaption, takes the
// messages below; WM_CLOSE to it ends the process.
#pragma once

#include <windows.h>

namespace fixture {

constexpr char kControlCaption[] = "Topmost Tamer test fixture";

// Each role's window has a class of its own, "fixture.NAME", so the tests
// find it whatever its title.
struct Role {
  const char *name;
  const char *title; // nullptr: built in fixture.cpp (the long titles, and
                     // those beyond code page 1252)
  DWORD style;
  DWORD exStyle;
  bool ownedByFirst; // owned by the first role's window
};

constexpr DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr Role kRoles[] = {
    {"ordinary", "Fixture Ordinary Window", kFrame, 0, false},
    {"twin1", "Fixture Twin", kFrame, 0, false},
    {"twin2", "Fixture Twin", kFrame, 0, false},
    {"amp", "Save & Exit", kFrame, 0, false},
    {"trailing", "Trailing   ", kFrame, 0, false},
    {"digits", "Build 2024 42", kFrame, 0, false},
    {"long", nullptr, kFrame, 0, false}, // 300 characters
    // Bytes 1 to 255 in code page 1252, in order: in UTF-8, byte 255 falls
    // inside a character of 2 bytes.
    {"allbytes", nullptr, kFrame, 0, false},
    {"untitled", "", kFrame, 0, false},
    {"hidden", "Fixture Hidden Window", WS_OVERLAPPEDWINDOW, 0, false},
    {"owned", "Fixture Owned Window", kFrame, 0, true},
    {"ownedpopup", "Fixture Owned Popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0,
     true},
    {"doomed", "Fixture Doomed Window", kFrame, 0, false},
    // Always on top, and vetoes every change of its Z order, counting them
    // in its GWLP_USERDATA.
    {"veto", "Fixture Veto Banner", kFrame, WS_EX_TOPMOST, false},
    // Always on top, of another class than the banner's.
    {"pinned", "Fixture Pinned Window", kFrame, WS_EX_TOPMOST, false},
    {"hung", "Fixture Hung Window", kFrame, 0, false},
    {"banner", nullptr, kFrame, WS_EX_TOPMOST, false},
    // Titles in other scripts; 300 units of emoji, cut at 255 bytes of UTF-8
    // inside a character of 4 bytes, and 300 of CJK, cut between two of 3.
    {"scripts", nullptr, kFrame, 0, false},
    {"emoji300", nullptr, kFrame, 0, false},
    {"cjk300", nullptr, kFrame, 0, false},
    // Made last, so the topmost of all; the stand-in dwmapi.dll (dwmapi.cpp)
    // says that windows with the kCloaked property are cloaked.
    {"cloaked", "Fixture Cloaked Banner", kFrame, WS_EX_TOPMOST, false},
};
constexpr char kCloaked[] = "TopmostTamer.Cloaked";
// The caption of the banner mode's window.
constexpr char kSecondBanner[] = "Fixture Second Banner";
// A named mutex: a planted copy of the stand-in was loaded.
constexpr char kPlantedMark[] = "TopmostTamer.PlantedDllLoaded";

// To the control window: the hung role's thread stops dispatching messages
// (answered once it has stopped), or starts again.
constexpr UINT kFreeze = WM_APP + 1;
constexpr UINT kThaw = WM_APP + 2;
// To a role's window: it puts itself back on top every wParam milliseconds,
// as ad banners do, or no more if wParam is 0; or it takes itself off top
// every wParam milliseconds, as a window does that a program of its own
// keeps lowering.
constexpr UINT kReassert = WM_APP + 3;
constexpr UINT kDrop = WM_APP + 4;

} // namespace fixture
