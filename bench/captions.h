// The captions by which the benches find the programs they start.
#pragma once

namespace bench {

constexpr char kTamerCaption[] = "Manipulate Windows always on top";
constexpr char kMinimalCaption[] = "Topmost Tamer bench: minimal window";

} // namespace bench
