// Feeds arbitrary text to HwndFromEntry and WholeCharacters, and checks that
// an entry composed from the input's title and handle reads back that handle.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "modHideWin.h"

#define CHECK(condition) ((condition) ? void() : __builtin_trap())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);

  // A handle only ever comes from the signed decimal after the last space.
  // stoll throws, failing the run, on a tail with no digits.
  if (const std::int32_t handle = modHideWin::HwndFromEntry(text)) {
    const std::size_t lastSpace = text.rfind(' ');
    CHECK(lastSpace != std::string_view::npos);
    const std::string tail(text.substr(lastSpace + 1));
    CHECK(tail.find_first_not_of("0123456789", tail.find('-') == 0) ==
              std::string::npos &&
          std::stoll(tail) == handle);
  }

  // Whatever the bytes, at most one character of up to 4 bytes goes.
  CHECK(modHideWin::WholeCharacters(text, true) + 3 >= size);

  // The first four bytes as a handle, the rest as the title.
  std::int32_t handle;
  if (size < sizeof handle)
    return 0;
  std::memcpy(&handle, data, sizeof handle);
  const std::string_view title = text.substr(sizeof handle);
  char entry[modHideWin::kMaxEntry + 1];
  const std::size_t length = modHideWin::ComposeEntry(entry, title, handle);
  CHECK(std::string_view(entry, length) ==
        std::string(title.substr(0, modHideWin::kMaxTitle)) + ' ' +
            std::to_string(handle));
  CHECK(entry[length] == '\0');
  CHECK(modHideWin::HwndFromEntry(std::string_view(entry, length)) == handle);
  return 0;
}
