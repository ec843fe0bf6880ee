// The two cheat boxes of cheat mode: choose the planet, or the number of lives.
#include <cmath>
#include <cstdlib>
#include <optional>

#include "level/form1.h"

namespace kv::level {

namespace {
// The answer as a number; nullopt for text that is not one.
std::optional<double> answerNumber(const std::optional<std::string>& answer) {
    if (!answer) return std::nullopt;
    const std::string& s = *answer;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str()) return std::nullopt;
    while (*end == ' ') ++end;
    if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}
}  // namespace

// Asks until the answer is a number from lowest to highest, and returns it
// rounded. An answer that is not a number (Cancel included) is simply asked
// again; one out of range gets the idiot box first.
int Form1::askCheatNumber(const std::string& prompt, int current, int lowest, int highest) {
    for (;;) {
        auto n = answerNumber(rt().boxes().inputBox(prompt, "You bloody cheat!", std::to_string(current)));
        if (!n) continue;
        if (*n < lowest || *n > highest) {
            rt().boxes().msgBox("A sensible number please!", "What an Idiot!", BoxButtons::OK, BoxIcon::Exclamation);
            continue;
        }
        return roundHalfEven(*n);
    }
}

void Form1::doLevelChange() {
    g.PlanetLevel = askCheatNumber("Type the Level Number in!\r\rLevels 1 to 9 Only!", g.PlanetLevel, 1, 9);
    // The chosen planet starts from its beginning; score, lives and radiation stay.
    SetLevel();
}

void Form1::doLivesChange() {
    g.PlayerLives = askCheatNumber("Enter the number of Lives you beg for!", g.PlayerLives, 0, 99);
    print_lives();
}

}  // namespace kv::level
