// The few window-system contracts the logic leans on, checked on the
// in-memory desktop itself so the other tests rest on a faithful model.
#include <algorithm>

#include "desktop_fixture.h"

using platform::HWND;

namespace {

TEST_F(DesktopTest, GetWindowTextCopiesAtMostCountMinusOneCharacters) {
  const HWND window = Open("Title");
  const HWND gone = Open("Gone");
  desk.Destroy(gone);
  const struct {
    HWND hwnd;
    int count;
    int copied;
    const char *text;
  } cases[] = {
      {window, 256, 5, "Title"}, {window, 6, 5, "Title"}, {window, 3, 2, "Ti"},
      {window, 1, 0, ""},        {window, 0, 0, "#"},     {gone, 256, 0, ""},
      {nullptr, 256, 0, ""},
  };
  for (const auto &c : cases) {
    // Exactly `count` bytes (one for count 0), so a write past them is caught.
    std::vector<char> buffer(static_cast<std::size_t>(std::max(c.count, 1)),
                             '#');
    EXPECT_EQ(platform::GetWindowTextA(c.hwnd, buffer.data(), c.count),
              c.copied);
    const std::string held = c.count > 0
                                 ? std::string(buffer.data())
                                 : std::string(buffer.begin(), buffer.end());
    EXPECT_EQ(held, c.text) << c.count;
  }
}

TEST_F(DesktopTest, TopmostWindowsStayInABandAboveTheRest) {
  const HWND normal = Open("Normal");
  const HWND banner = desk.CreateTopLevel({.title = "Banner", .topmost = true});
  const HWND newer = Open("Newer");
  EXPECT_EQ(desk.ZOrder(),
            (std::vector<HWND>{banner, frm, newer, normal, owner}));
  desk.SetTopmost(normal, true);
  desk.SetTopmost(banner, false);
  EXPECT_EQ(desk.ZOrder(),
            (std::vector<HWND>{normal, frm, banner, newer, owner}));
}

} // namespace
