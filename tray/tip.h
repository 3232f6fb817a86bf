// The notification-area icon's tip: what the program is doing.
#pragma once

#include <cstddef>

// The shell shows at most 127 bytes of a tip.
constexpr std::size_t kMaxTip = 128;

// "Topmost Tamer: 2 windows kept, 3 rules", each noun singular for one.
void ComposeTip(char (&tip)[kMaxTip], std::size_t windowsKept,
                std::size_t rules);
