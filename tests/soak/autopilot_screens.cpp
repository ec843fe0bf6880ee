// The autopilot in the menus, dialogs and boxes.
#include <algorithm>

#include "runtime/keys.h"
#include "soak/autopilot.h"

namespace kvsoak {

namespace vk = kv::vk;

namespace {
bool has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }
}  // namespace

Autopilot::Move Autopilot::box(const kv::Box& b) {
    const std::uint64_t now = rt_.now();
    // A moment to read it.
    if (now - modalSince_ < 100) return {"", std::uint64_t(between(20, 600))};
    const std::uint64_t think = std::uint64_t(between(30, 900));
    // Now and then a key that answers nothing, or a click beside the buttons.
    if (chance(0.1)) return {key(pick(std::vector<int>{vk::Tab, vk::Left, vk::Down, vk::Up, vk::Space, 'Q'})), think};
    if (chance(0.03)) return {"click " + std::to_string(between(0, 799)) + " " + std::to_string(between(0, 599)), think};
    if (b.kind == "file") {
        if (b.title.find("Save") != std::string::npos) {
            if (chance(0.1)) return {chance(0.5) ? "file cancel" : key(vk::Escape), think};
            std::string name = pick(std::vector<std::string>{"soak-a", "soak-b", "soak-c.kvs", "Soak D"});
            saves_.push_back(name.find('.') == std::string::npos ? name + ".kvs" : name);
            tally_.event("save");
            return {"file " + name, think};
        }
        // The load dialog: a save of this session, a file that is not there,
        // the shipped score table (not a save at all), or Cancel (which tries
        // the name the dialog kept).
        const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
        if (r < 0.6 && !saves_.empty()) {
            tally_.event("load");
            return {"file " + pick(saves_), think};
        }
        if (r < 0.7) return {"file no-such-game.kvs", think};
        if (r < 0.75) return {"file Data/score.dat", think};
        return {"file cancel", think};
    }
    if (b.kind == "input") {
        // The cheat boxes: mostly a fair answer, sometimes nonsense.
        if (plan_.empty()) {
            const bool planet = has(b.text, "Level");
            std::string answer = std::to_string(planet ? cheatPlanet_ : cheatLives_);
            const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
            if (r < 0.06) answer = "soup";
            else if (r < 0.12) answer = pick(std::vector<std::string>{"0", "-3", "100", "4.5", "1e9", " 7"});
            tally_.event(std::string("cheat box: ") + (planet ? "planet " : "lives ") + answer);
            if (r > 0.95) plan_ = {"press Cancel"};
            else plan_ = {"type " + answer, chance(0.7) ? "press OK" : key(vk::Return)};
        }
        std::string next = plan_.front();
        plan_.pop_front();
        return {next, think};
    }
    if (b.kind == "question") {
        // Exit from the menu ends the session now and then; Quit from the
        // pause dialog mostly goes through.
        const bool fromMenu = screen_ == "MainMenu";
        const bool yes = quitting_ || chance(fromMenu ? 0.3 : 0.75);
        if (yes) tally_.event(fromMenu ? "exit the game" : "quit a game");
        return {yes ? "press Yes" : (chance(0.5) ? "press No" : key(vk::Escape)), think};
    }
    return {pick(std::vector<std::string>{"press OK", "press OK", key(vk::Return), key(vk::Escape)}), think};
}

Autopilot::Move Autopilot::menu() {
    const std::uint64_t now = rt_.now();
    if (now - screenSince_ < patience_) return {"", 200};
    screenSince_ = now;
    patience_ = std::uint64_t(between(200, 3000));
    // Options more often while cheat mode is still off: the cheat name lives there.
    const double optionsWeight = game_.state.CheatMode == 0 ? 0.30 : 0.15;
    const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
    struct Choice { const char* control; int y; };
    Choice c{"PlayButt", 248};
    if (r < 0.45) c = {"PlayButt", 248};
    else if (r < 0.45 + optionsWeight) c = {"OptionsButt", 368};
    else if (r < 0.60 + optionsWeight) c = {"SavedButt", 296};
    else if (r < 0.97) c = {"HSButt", 416};
    else c = {"ExitButt", 488};
    tally_.event(std::string("menu: ") + c.control);
    // By name or by a click where the button is drawn.
    if (chance(0.5)) return {std::string("press ") + c.control, 200};
    return {"click " + std::to_string(between(480, 680)) + " " + std::to_string(c.y + between(-12, 12)), 200};
}

Autopilot::Move Autopilot::options() {
    if (plan_.empty() && planFor_ == modal_) {
        // The plan ran out and the dialog is still up (an empty name was
        // refused): a name, and OK.
        plan_ = {"press NameOfUser", "type Soak Pilot", "press Command2"};
    }
    if (plan_.empty()) {
        planFor_ = modal_;
        if (chance(0.8)) {
            plan_.push_back("press NameOfUser");
            for (int i = 0; i < 13; ++i) plan_.push_back(key(vk::Back));
            const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
            std::string name;
            if (r < 0.5) name = "Grub Toad";
            else if (r < 0.6) name = "grub TOAD";
            else if (r < 0.62) name = "";
            else name = pick(std::vector<std::string>{"Ace", "Zed Flyer", "Mo", "Pilot 7", "Ren\xc3\xa9" "e",
                                                      "Quick,\"Name\"", "A Very Long Pilot Name"});
            if (!name.empty()) plan_.push_back("type " + name);
        }
        const double c = std::uniform_real_distribution<double>(0, 1)(rng_);
        if (c < 0.4) plan_.push_back("press Cjoystick");
        else if (c < 0.7) plan_.push_back("press CKeys");
        if (chance(0.2)) plan_.push_back("press SoundState");
        if (chance(0.15)) plan_.push_back("press Command1");
        plan_.push_back(chance(0.8) ? "press Command2" : key(vk::Return));
    }
    std::string next = plan_.front();
    plan_.pop_front();
    if (next == "press Command1") tally_.event("music panel");
    return {next, std::uint64_t(between(30, 500))};
}

Autopilot::Move Autopilot::musicPanel() {
    if (plan_.empty()) {
        if (chance(0.7)) plan_.push_back(chance(0.5) ? "press StopButt" : "press PlayButt");
        plan_.push_back(chance(0.7) ? "press HideButt" : key(vk::Escape));
    }
    std::string next = plan_.front();
    plan_.pop_front();
    return {next, std::uint64_t(between(100, 2500))};
}

Autopilot::Move Autopilot::pauseDialog() {
    // Sometimes the player thinks it over for a while, while the timers the
    // pause leaves running go on underneath.
    if (rt_.now() - modalSince_ < 100) return {"", std::uint64_t(chance(0.2) ? between(2000, 6000) : between(50, 2000))};
    const std::uint64_t think = std::uint64_t(between(50, 1500));
    if (quitting_) return {"press Command3", think};
    const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
    // One save per pause at most: after it, back to the game.
    if (r < 0.25 && planFor_ != "saved " + std::to_string(modalSince_)) {
        planFor_ = "saved " + std::to_string(modalSince_);
        return {"press Command2", think};
    }
    if (r < 0.32) return {"press Command3", think};
    return {pick(std::vector<std::string>{"press Command1", key(vk::Escape), key(vk::Return)}), think};
}

Autopilot::Move Autopilot::clickAway() {
    const std::uint64_t now = rt_.now();
    if (now - screenSince_ < patience_) return {"", 250};
    return {"click " + std::to_string(between(0, 799)) + " " + std::to_string(between(0, 599)), 500};
}

}  // namespace kvsoak
