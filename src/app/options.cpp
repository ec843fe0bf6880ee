#include "app/options.h"

#include <map>
#include <stdexcept>
#include <utility>

#include "runtime/demo.h"
#include "runtime/numbers.h"
#include "runtime/printable.h"

namespace kv::app {

const char* usageText() {
    return "usage: korvane [options]\n"
           "  --windowed | --fullscreen  override the start-up display rule\n"
           "  --scale N                  window scale factor when windowed\n"
           "  --headless                 no window, no audio output; virtual clock runs flat out\n"
           "  --script FILE              feed input from a script (- reads standard input)\n"
           "  --record FILE              record the session's input as a script (a demo)\n"
           "  --play FILE                replay a demo in real time in a window\n"
           "  --timedemo FILE            replay a demo headless as fast as possible, then print\n"
           "                             game and wall seconds, ticks and frames per second\n"
           "  --no-frames                with --timedemo: compose no frames\n"
           "  --until MS                 stop when the virtual clock reaches MS (a window's clock\n"
           "                             starts at 1000000 unless --clock-start says otherwise)\n"
           "  --warp N | --warp bonus    a new game at planet N (1-9; 10 is the mother ship),\n"
           "                             or straight into the bonus stage\n"
           "  --clock-start MS           the virtual clock's start value (default 0 headless)\n"
           "  --app-dir DIR              program directory (default: the game's own folder, or\n"
           "                             ../share/korvane from it when installed)\n"
           "  --data-dir DIR             where the score table and saves are written (default:\n"
           "                             the program directory; the player's data directory\n"
           "                             when installed)\n"
           "  --dump-state FILE|-        write the state as JSON when the run ends\n"
           "  --screenshot FILE          write the last composed frame as PNG when the run ends\n"
           "  --help                     this text\n";
}

namespace {
// A whole number from lo to hi; the message says which are taken.
std::uint64_t number(const std::string& flag, const std::string& v, std::uint64_t lo = 0,
                     std::uint64_t hi = kLargestWholeNumber) {
    auto n = parseUnsigned(v);
    if (!n || *n < lo || *n > hi)
        throw std::invalid_argument(flag + " takes a whole number from " + std::to_string(lo) + " to " +
                                    std::to_string(hi) + ", not '" + printable(v) + "'");
    return *n;
}

// A planet to warp to, or "bonus".
void warpTo(Options& o, const std::string& flag, const std::string& v) {
    if (v == "bonus") {
        o.warpBonus = true;
        return;
    }
    auto n = parseUnsigned(v);
    if (!n || *n < 1 || *n > 10) throw std::invalid_argument(flag + " takes a planet 1 to 10, or bonus, not '" + printable(v) + "'");
    o.warpPlanet = static_cast<int>(*n);
}
}  // namespace

std::uint64_t clockStartOf(const Options& o) {
    if (o.clockStart) return *o.clockStart;
    return o.headless ? 0 : kWindowClockStart;
}

void checkOptions(const Options& o) {
    const bool replay = !o.play.empty() || !o.timedemo.empty();
    if (!o.play.empty() && !o.timedemo.empty()) throw std::invalid_argument("--play and --timedemo do not go together");
    if (replay && !o.script.empty())
        throw std::invalid_argument(std::string(o.play.empty() ? "--timedemo" : "--play") +
                                    " replays its demo as the script: --script does not go with it");
    if (replay && !o.record.empty())
        throw std::invalid_argument("--record does not go with --play or --timedemo: a replay takes no input to record");
    if (!o.play.empty() && o.headless)
        throw std::invalid_argument("--play shows the demo in a window; --timedemo replays it headless");
    if (o.noFrames && o.timedemo.empty()) throw std::invalid_argument("--no-frames goes with --timedemo only");
    if (!o.record.empty() && o.script == "-")
        throw std::invalid_argument("--record takes its script from a file, not from standard input");
    if (o.until && *o.until <= clockStartOf(o))
        throw std::invalid_argument("--until " + std::to_string(*o.until) + " is not after the clock's start (" +
                                    std::to_string(clockStartOf(o)) +
                                    (o.clockStart ? "" : o.headless ? ", headless" : " in a window") +
                                    "), so the run would end before it begins");
}

void applyDemoSettings(Options& o) {
    const std::string& file = o.play.empty() ? o.timedemo : o.play;
    if (file.empty()) return;
    if (!o.timedemo.empty()) o.headless = true;
    std::map<std::string, std::string> settings;
    try {
        settings = readDemoSettings(file);
    } catch (const std::runtime_error& e) {
        throw std::invalid_argument(e.what());
    }
    auto setting = [&](const char* key) -> const std::string* {
        auto it = settings.find(key);
        return it == settings.end() ? nullptr : &it->second;
    };
    const std::string where = "the demo " + printable(file) + " ";
    if (const std::string* v = setting("clock-start"); v && !o.clockStart) o.clockStart = number(where + "clock-start", *v);
    if (const std::string* v = setting("until"); v && !o.until) o.until = number(where + "until", *v);
    if (const std::string* v = setting("warp"); v && !o.warpPlanet && !o.warpBonus) warpTo(o, where + "warp", *v);
}

std::vector<std::pair<std::string, std::string>> demoSettingsOf(const Options& o) {
    std::vector<std::pair<std::string, std::string>> out{{"clock-start", std::to_string(clockStartOf(o))}};
    if (o.warpBonus) out.emplace_back("warp", "bonus");
    else if (o.warpPlanet) out.emplace_back("warp", std::to_string(*o.warpPlanet));
    if (o.until) out.emplace_back("until", std::to_string(*o.until));
    return out;
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size() || args[i + 1].empty()) throw std::invalid_argument(a + " needs a value");
            return args[++i];
        };
        if (a == "--windowed") o.fullscreen = false;
        else if (a == "--fullscreen") o.fullscreen = true;
        else if (a == "--scale") o.scale = static_cast<int>(number(a, value(), 1, 8));
        else if (a == "--headless") o.headless = true;
        else if (a == "--script") o.script = value();
        else if (a == "--record") o.record = value();
        else if (a == "--play") o.play = value();
        else if (a == "--timedemo") o.timedemo = value();
        else if (a == "--no-frames") o.noFrames = true;
        else if (a == "--until") o.until = number(a, value());
        else if (a == "--warp") warpTo(o, a, value());
        else if (a == "--clock-start") o.clockStart = number(a, value());
        else if (a == "--app-dir") o.appDir = value();
        else if (a == "--data-dir") o.dataDir = value();
        else if (a == "--dump-state") o.dumpState = value();
        else if (a == "--screenshot") o.screenshot = value();
        else if (a == "--help" || a == "-h") o.help = true;
        else throw std::invalid_argument("unknown option '" + printable(a) + "'");
    }
    return o;
}

}  // namespace kv::app
