#pragma once
// Held keys repeat as the classic desktop makes them: the first repeat half a
// second after the press, then one every 33 ms until the key goes up. Desktops
// differ (X11 repeats no modifier, so a held Ctrl would fire once; Wayland
// leaves repeating to the program), so the game makes its own repeats and
// ignores the desktop's.
//
// A key repeats only into the screen (or box) it was pressed on: when another
// one comes up, the held key's repeats stop until it is pressed afresh. So a
// held Esc opens the pause dialog and leaves it up, and a held fire key does
// not click away the score table that game over brings.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace kv {

class KeyRepeat {
public:
    static constexpr std::uint64_t kFirstDelayMs = 500;
    static constexpr std::uint64_t kEveryMs = 33;

    // The desktop's key went down (a fresh press; its own repeats are not
    // passed on) or up, at wall time t.
    void press(int vk, std::uint64_t t);
    void release(int vk);
    // Focus went to another window: every key counts as released.
    void releaseAll() { held_.clear(); }
    // The press was handed to the screen (or box) `target`: repeats go there only.
    void pressDelivered(int vk, std::uint64_t target);
    // Whether a repeat may still be handed over now that `target` takes the keys;
    // when not, the key stops repeating until it is pressed again.
    bool stillFor(int vk, std::uint64_t target);
    // The keys whose repeat is due at wall time t. A repeat that fell far behind
    // (the game was busy) comes once, not as a burst.
    std::vector<int> due(std::uint64_t t);
    // When the next repeat falls due, if any key is repeating.
    std::optional<std::uint64_t> nextDue() const;

private:
    struct Held {
        std::uint64_t next = 0;
        std::optional<std::uint64_t> target;   // set once the press was handed over
        bool stopped = false;
    };
    std::map<int, Held> held_;
};

}  // namespace kv
