#pragma once
// The scroller texts ("Data\scroll2.dat" in the main menu, "Data\scroll.dat" at
// the end): a line count N, then N - 1 lines of text. And the fade that dims the
// rows near the scroller's top and bottom edges. Pure functions, so that a fuzz
// target can call the reader directly.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kv::frontend {

// How often the two scrollers tick: every 10 ms, 2 pixels a tick in the menu and
// 5 at the end. (The desktop the game was made for could not tick a timer that
// often, so there the texts moved more slowly than they do here.)
inline constexpr int kScrollerTickMs = 10;

// The screens hold entries 1 to 999 of a 1000-entry array.
inline constexpr int kScrollCapacity = 999;
inline constexpr std::size_t kMostScrollBytes = 256 * 1024;

struct ScrollTextRead {
    int count = 0;                    // N - 1: the lines held (-1 when N is 0)
    std::vector<std::string> lines;   // entries 1 to count
    std::string error;                // what is wrong with the file, for the player
};

// The first line is the number N; the next N - 1 lines are the text, kept as
// they stand. Lines may end in CR LF (as the game writes them) or LF alone; the
// last may end the file. A count that is not a whole number from 0 to 1000, a
// count larger than the lines that follow, and a file that is not text are
// errors.
ScrollTextRead readScrollText(std::string_view bytes);

// The fade of one scroller: a row at y in a window of height h takes the full
// level, unless it lies within pitch * k / divisor of either edge for some k
// from 8 down to 1: then level[k], the last such k winning (rows nearest the
// edges are darkest).
struct ScrollFade {
    int pitch;
    int divisor;
    int full;
    std::array<int, 9> level;   // level[1] .. level[8]
};
inline constexpr ScrollFade kMenuFade{13, 3, 255, {0, 10, 25, 50, 75, 100, 150, 175, 200}};
inline constexpr ScrollFade kEndFade{24, 2, 255, {0, 10, 25, 50, 75, 100, 150, 175, 200}};

int fadeLevel(const ScrollFade& fade, double y, int h);

}  // namespace kv::frontend
