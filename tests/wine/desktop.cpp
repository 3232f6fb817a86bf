#include "desktop.h"

namespace desktop {

namespace {

constexpr char kHostClass[] = "TopmostTamerListHost";
constexpr int kListId = 100;

bool RegisterHostClass() {
  WNDCLASSA wc = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &wc))
    return true;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kHostClass;
  return RegisterClassA(&wc) != 0;
}

} // namespace

ListHost::~ListHost() {
  if (host_ != nullptr)
    DestroyWindow(host_);
}

bool ListHost::Create(bool visible, int width, int height) {
  if (!RegisterHostClass())
    return false;
  host_ = CreateWindowExA(0, kHostClass, "Topmost Tamer list host",
                          WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0,
                          0, width, height, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (host_ == nullptr)
    return false;
  RECT client = {};
  GetClientRect(host_, &client);
  list_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, "LISTBOX", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
      0, client.right, client.bottom, host_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
      GetModuleHandleA(nullptr), nullptr);
  if (list_ == nullptr)
    return false;
  if (visible)
    UpdateWindow(host_);
  return true;
}

std::vector<std::string> ReadEntries(HWND list) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    // LB_GETTEXT writes the terminator too: give it room.
    text.resize(text.size() + 1);
    const LRESULT copied =
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    entries.push_back(text);
  }
  return entries;
}

std::int32_t HandleValue(HWND hwnd) {
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(hwnd));
}

HWND HandleFromValue(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(value));
}

std::string EntryFor(HWND hwnd) {
  return desktop_view::ListedTitle(hwnd) + " " +
         std::to_string(HandleValue(hwnd));
}

std::string TitleOfEntry(const std::string &entry) {
  const std::size_t space = entry.rfind(' ');
  return space == std::string::npos ? entry : entry.substr(0, space);
}

std::vector<std::string> ExpectedEntries() {
  std::vector<std::string> entries;
  for (HWND hwnd : desktop_view::QualifyingWindows())
    entries.push_back(EntryFor(hwnd));
  return entries;
}

} // namespace desktop
