#include "app/options.h"

#include <stdexcept>

namespace kv::app {

const char* usageText() {
    return "usage: korvane [options]\n"
           "  --windowed | --fullscreen  override the start-up display rule\n"
           "  --scale N                  window scale factor when windowed\n"
           "  --headless                 no window, no audio output; virtual clock runs flat out\n"
           "  --script FILE              feed input from a script (- reads standard input)\n"
           "  --record FILE              record the session's input as a script (a demo)\n"
           "  --play FILE                replay a recorded script in real time\n"
           "  --timedemo FILE            replay a script headless as fast as possible\n"
           "  --until MS                 stop when the virtual clock reaches MS\n"
           "  --warp N | --warp bonus    a new game at planet N (1-9; 10 is the mother ship),\n"
           "                             or straight into the bonus stage\n"
           "  --clock-start MS           the virtual clock's start value (default 0 headless)\n"
           "  --app-dir DIR              program directory (default: the executable's folder)\n"
           "  --data-dir DIR             where the score table and saves are written\n"
           "  --dump-state FILE|-        write the state as JSON when the run ends\n"
           "  --screenshot FILE          write the last composed frame as PNG when the run ends\n"
           "  --help                     this text\n";
}

namespace {
std::uint64_t number(const std::string& flag, const std::string& v) {
    if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos || v.size() > 18)
        throw std::invalid_argument(flag + " needs a whole number, not '" + v + "'");
    return std::stoull(v);
}
}  // namespace

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
            return args[++i];
        };
        if (a == "--windowed") o.fullscreen = false;
        else if (a == "--fullscreen") o.fullscreen = true;
        else if (a == "--scale") {
            auto n = number(a, value());
            if (n < 1 || n > 8) throw std::invalid_argument("--scale takes 1 to 8");
            o.scale = static_cast<int>(n);
        } else if (a == "--headless") o.headless = true;
        else if (a == "--script") o.script = value();
        else if (a == "--record") o.record = value();
        else if (a == "--play") o.play = value();
        else if (a == "--timedemo") o.timedemo = value();
        else if (a == "--until") o.until = number(a, value());
        else if (a == "--warp") {
            std::string v = value();
            if (v == "bonus") {
                o.warpBonus = true;
            } else {
                auto n = number(a, v);
                if (n < 1 || n > 10) throw std::invalid_argument("--warp takes a planet 1 to 10, or bonus");
                o.warpPlanet = static_cast<int>(n);
            }
        } else if (a == "--clock-start") o.clockStart = number(a, value());
        else if (a == "--app-dir") o.appDir = value();
        else if (a == "--data-dir") o.dataDir = value();
        else if (a == "--dump-state") o.dumpState = value();
        else if (a == "--screenshot") o.screenshot = value();
        else if (a == "--help" || a == "-h") o.help = true;
        else throw std::invalid_argument("unknown option '" + a + "'");
    }
    return o;
}

}  // namespace kv::app
