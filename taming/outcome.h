// What became of a command on another application's window. A moment after
// the command the program looks, never waiting on the window: whether the
// window changed as asked, and if not, why not. The form shows the why in a
// notice.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "modHideWin.h"
#include "window_ops.h"

enum class Outcome {
  TookEffect,
  Closed,
  Administrator,
  NotResponding,
  Refused
};

// What a command asked of its window. KeptOffTop and KeptOnTop: in that
// state, or answering the keeper's requests, which tells refusals itself.
enum class Expected {
  Iconic,
  NotIconic,
  Topmost,
  NotTopmost,
  KeptOffTop,
  KeptOnTop
};

// A command's window as it was when the command was given, and what the
// command asked of it.
struct Asked {
  platform::HWND window;
  platform::DWORD thread;
  platform::DWORD process;
  Expected expected;
};

// Looks at the window now, without waiting on it. `answered`: whether its
// thread has answered a message sent with the command. Checked in this order:
// the window has closed (or its handle names another thread's window now);
// it changed as asked; its process has a higher integrity level than ours, or
// cannot be asked (Windows keeps us from changing it); it has not answered;
// else its application would not allow the change.
Outcome Classify(const Asked &asked, bool answered);

// Copies the pieces into `out` one after another, cut to fit, and ends it.
// By memcpy: string_view's own copy can throw, which would bring the C++
// runtime's exception support into the program.
template <std::size_t N>
void Join(std::array<char, N> &out,
          std::initializer_list<std::string_view> pieces) {
  std::size_t length = 0;
  for (const std::string_view piece : pieces) {
    const std::size_t cut = std::min(piece.size(), N - 1 - length);
    std::memcpy(out.data() + length, piece.data(), cut);
    length += cut;
  }
  out[length] = '\0';
}

struct Notice {
  std::array<char, 48> title; // which command had no effect
  std::array<char, modHideWin::kMaxTitle + 256> text; // why, naming the window
  // Where the window's title is in `text`: none in a notice that names no
  // window.
  std::size_t titleAt = 0, titleLength = 0;
  // The administrator case: a click restarts us elevated.
  bool offersRestart = false;
};

// The notice for `outcome` of `command` on the window titled `title`.
void ComposeNotice(Notice &notice, const char *command, std::string_view title,
                   Outcome outcome);

// How wide a piece of text is drawn.
class TextWidth {
public:
  virtual int Of(std::string_view text) const = 0;

protected:
  ~TextWidth() = default;
};

// Fits the notice's text to lines `width` wide. It wraps only at spaces, so
// a word (a run without spaces) wider than a line would widen the notice:
// the first word of the window's title that is too wide is cut at a whole
// character (of UTF-8 if `utf8`, else of a single-byte code page), "..."
// follows, and the title ends there.
void FitNotice(Notice &notice, int width, bool utf8, const TextWidth &measure);

// The timer for the look, on the window that asks for it, and how long after
// the command it fires.
constexpr platform::UINT_PTR kOutcomeTimer = 2;
constexpr platform::UINT kOutcomeDelayMs = 1000;

// Where a check reports: `timerWindow` gets kOutcomeTimer, and `repaint` (the
// list, whose marks may change) is repainted when the window answers.
struct OutcomeWatch {
  platform::HWND timerWindow;
  platform::HWND repaint;
};

// After `command` on `window`, named `title` to the user: remembers the
// window and what was asked, sends it WM_NULL with a callback to learn
// whether it answers, and sets the timer, in place of any check still
// pending. Nothing is checked for a handle that names no window.
void ExpectOutcome(const OutcomeWatch &watch, platform::HWND window,
                   Expected expected, const char *command,
                   std::string_view title);
// Drops the pending check, if there is one.
void CancelOutcome(const OutcomeWatch &watch);
// On the timer: ends the check. True, with `notice` filled, when the command
// had no effect.
bool TakeOutcome(const OutcomeWatch &watch, Notice &notice);
