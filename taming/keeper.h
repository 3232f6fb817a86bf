// The windows that the program keeps on top or off top: each is given the
// state it is kept in at once, and again whenever it loses it, for as long
// as it exists and the program runs. The user keeps a window from the list's
// menu; a rule keeps every window of its application and class.
#pragma once

#include <array>
#include <cstddef>

#include "rule.h"
#include "window_ops.h"

// Whether `window` is always on top now. The style is the window manager's to
// tell: asking sends the window nothing, so a hung one answers too, and a
// closed one is not.
bool IsTopmost(platform::HWND window);
// Gives or takes the state without waiting on the window's application: the
// change is scheduled on its thread, so a hung one cannot freeze us. Nothing
// else about the window changes; a closed one makes it fail without effect.
void SetTopmost(platform::HWND window, bool topmost);

// How a window is kept, if at all.
enum class Keeping { None, OffTop, OnTop };

class Keeper {
public:
  // More than a user keeps at once; a rule's windows count among them.
  static constexpr std::size_t kCapacity = 64;
  // How often the kept windows are looked at, while there are any. Windows
  // tells nobody when another application's window changes the state, and
  // Wine raises no events for other processes' windows at all.
  static constexpr platform::UINT kCheckMs = 15;
  // A window that is still in the wrong state when it answers this many
  // requests in a row refuses them; it is then asked again only after a
  // pause that doubles, from about one second to about eight.
  static constexpr int kRefusals = 3;
  static constexpr int kFirstPauseChecks = 64;
  static constexpr int kLongestPauseChecks = 512;
  // A closed window is forgotten within this many checks.
  static constexpr unsigned kRollCallChecks = 8;

  // The checks run on `timerWindow`'s WM_TIMER with id `timerId`.
  void Attach(platform::HWND timerWindow, platform::UINT_PTR timerId);

  Keeping KeepingOf(platform::HWND window) const;
  bool IsKept(platform::HWND window) const {
    return KeepingOf(window) != Keeping::None;
  }
  // Whether `window` is kept because of a rule, rather than by the user.
  bool IsRuled(platform::HWND window) const;
  std::size_t Count() const { return count_; }
  bool IsFull() const { return count_ == kCapacity; }
  // Keeps `window` in `direction`, giving or taking the state now if it is
  // wrong; a window kept the other way turns round. Nothing happens for a
  // closed window, or when the table is full.
  void Keep(platform::HWND window, Direction direction, bool ruled = false);
  // Stops keeping `window`, giving nothing back.
  void Release(platform::HWND window);

  // What a check found: windows that closed (their marks go), and a window
  // that refuses its keeping, said once for each keeping.
  struct News {
    bool forgotten = false;
    platform::HWND refused = nullptr;
    Direction refusedDirection = Direction::OffTop;
  };
  // The timer's tick: forgets closed windows, and gives each kept window
  // that is in the wrong state its state again, one request at a time.
  News Check();

private:
  struct Kept {
    platform::HWND window;
    platform::DWORD thread; // with the process, tells a reused handle apart
    platform::DWORD process;
    Direction direction;
    bool ruled;
    bool asking;   // a request is on its way: no other until answered
    bool probed;   // ... and the window has been asked to answer
    bool answered; // ... and came back, with the state as it was then
    bool wrongAnswer;
    int refusals; // answers in a row that found it still in the wrong state
    int pause;    // checks to let pass before asking again
    int nextPause;
    bool refusalSaid;
  };

  static void PLATFORM_CALLBACK Answered(platform::HWND window, platform::UINT,
                                         platform::ULONG_PTR keeper,
                                         platform::LRESULT);
  // The row of `window`, or count_.
  std::size_t IndexOf(platform::HWND window) const;
  Kept *Find(platform::HWND window);
  static bool IsWrong(const Kept &kept);
  void Ask(Kept &kept);
  void Probe(Kept &kept);
  // Reads an answer; true when the window refused once too often.
  bool Weigh(Kept &kept);
  void Forget(Kept &kept);

  platform::HWND timerWindow_ = nullptr;
  platform::UINT_PTR timerId_ = 0;
  std::array<Kept, kCapacity> kept_{};
  std::size_t count_ = 0; // kept_[0, count_) are in use
  unsigned checks_ = 0;
};
