// Korvane: the command line, the machine underneath, and the outer run loop.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "app/folders.h"
#include "app/options.h"
#include "app/screen_flow.h"
#include "platform/platform.h"
#include "platform/sdl_joysticks.h"
#include "runtime/demo.h"
#include "runtime/file_io.h"
#include "runtime/printable.h"
#include "runtime/runtime.h"

namespace {

// Every message goes out with control bytes spelled out: file names and
// script lines come from outside.
void complain(const std::string& what) { std::cerr << "korvane: " << kv::printable(what) << "\n"; }

// The files written at the end of the run are checked before it starts, so
// that a long run is not lost to a typing error.
void checkOutputs(const kv::app::Options& opt) {
    std::string why;
    auto check = [&](const char* flag, const std::string& file) {
        if (file.empty()) return;
        if (file == "-")
            throw std::invalid_argument(std::string(flag) + " writes a file: '-' (standard output) is not one");
        if (!kv::checkWritablePath(file, why)) throw std::invalid_argument(std::string(flag) + " " + file + ": " + why);
    };
    if (opt.dumpState != "-") check("--dump-state", opt.dumpState);
    check("--screenshot", opt.screenshot);
    check("--record", opt.record);
    if (!opt.record.empty() && !opt.script.empty() && kv::sameFile(opt.record, opt.script))
        throw std::invalid_argument("--record " + opt.record + " is the script the run reads: record to another file");
}

// What a timedemo took: game time against wall time, and the work done in it.
// Where the timed part of a run began: the clock, the ticks and the frames.
struct TimedFrom {
    std::uint64_t game = 0, ticks = 0, frames = 0;
};

void reportTimedemo(kv::Runtime& rt, const TimedFrom& from, double wallSeconds, bool frames) {
    const double game = double(rt.now() - from.game) / 1000.0;
    const auto ticks = static_cast<unsigned long long>(rt.timers().ticksFired() - from.ticks);
    const auto composed = static_cast<unsigned long long>(rt.frames().composed() - from.frames);
    // Rates over a few microseconds say nothing.
    if (game <= 0 || wallSeconds < 0.001) {
        std::printf("timedemo: %.3f game seconds in %.3f wall seconds, too short to time; %llu timer ticks", game,
                    wallSeconds, ticks);
        if (frames) std::printf(", %llu frames", composed);
        std::printf("\n");
        std::fflush(stdout);
        return;
    }
    std::printf("timedemo: %.3f game seconds in %.3f wall seconds, %.1f times real time; "
                "%llu timer ticks, %.0f per second; ",
                game, wallSeconds, game / wallSeconds, ticks, double(ticks) / wallSeconds);
    if (frames)
        std::printf("%llu frames, %.0f per second\n", composed, double(composed) / wallSeconds);
    else
        std::printf("no frames composed\n");
    std::fflush(stdout);
}

// The script, read (and a file checked whole) before any window opens. A demo
// to replay is the script.
std::unique_ptr<kv::ScriptSource> readScript(const kv::app::Options& opt) {
    using namespace kv;
    const std::string& scriptFile = !opt.play.empty() ? opt.play : !opt.timedemo.empty() ? opt.timedemo : opt.script;
    std::unique_ptr<ScriptSource> script;
    if (!scriptFile.empty())
        script = scriptFile == "-" ? ScriptSource::fromStream(std::cin) : ScriptSource::fromFile(scriptFile);
    return script;
}

// The machine underneath: a window or none, and its services.
std::unique_ptr<kv::platform::Platform> openMachine(const kv::app::Options& opt) {
    using namespace kv;
    platform::PlatformOptions po;
    po.headless = opt.headless;
    po.scale = opt.scale;
    po.fullscreen = opt.fullscreen;
    return platform::Platform::create(po);
}

// The folders the game reads and writes, and the runtime's configuration.
kv::RuntimeConfig configure(const kv::app::Options& opt) {
    using namespace kv;
    RuntimeConfig cfg;
    // Beside the program, or where an installed game's files are.
    const app::Folders folders =
        app::findFolders(opt, platform::Platform::executableDir(), app::UserDirs::fromEnvironment(), app::installedAppDir());
    if (folders.installed && folders.dataDir.empty())
        complain("there is no home folder (HOME is not set and the account has none): the game plays without "
                 "keeping scores or saves");
    app::seedScoreTable(folders);
    cfg.appDir = folders.appDir;
    cfg.dataDir = folders.dataDir.empty() ? folders.appDir : folders.dataDir;
    cfg.keepsFiles = !folders.dataDir.empty();
    cfg.until = opt.until;
    cfg.clockStart = app::clockStartOf(opt);
    cfg.replay = !opt.play.empty();
    cfg.composeFrames = !opt.timedemo.empty() && !opt.noFrames;
    return cfg;
}

// The window's icon; without it the desktop shows its own.
void setIcon(kv::Runtime& rt, kv::platform::Platform& machine) {
    using namespace kv;
    try {
        if (Picture icon = rt.pictures().get("Icon"); !icon.empty()) machine.display().setIcon(*icon.image);
    } catch (const FatalError&) {
    }
}

// The forms go before the game they refer to, however the run ends.
struct CloseForms {
    kv::Runtime& rt;
    ~CloseForms() { rt.forms().closeAll(); }
};

// How a run ended, and where its timed part began.
struct Played {
    int status = 0;
    std::chrono::steady_clock::time_point started;
    TimedFrom from;
};

// The flow begins with its first screen and the runtime runs until the end.
Played runFlow(kv::Runtime& rt, kv::app::GameFlow& flow, const kv::app::Options& opt) {
    using namespace kv;
    Played p;
    // A timedemo times the replay from the moment the first screen has
    // loaded: loading pictures and sounds is not what it measures.
    p.started = std::chrono::steady_clock::now();
    p.from = TimedFrom{rt.now(), rt.timers().ticksFired(), rt.frames().composed()};
    try {
        flow.begin(opt);
        p.started = std::chrono::steady_clock::now();
        p.from = TimedFrom{rt.now(), rt.timers().ticksFired(), rt.frames().composed()};
        p.status = rt.run();
    } catch (const RunEnded& e) {
        p.status = e.status;
        // A box the game closes on: said on stderr too, whoever answered it.
        if (!e.message.empty()) complain(e.message);
    }
    return p;
}

// What the run leaves behind: the timedemo's report, the demo's last line, the
// state dump and the screenshot.
void writeOutputs(kv::Runtime& rt, const kv::app::Options& opt, const Played& played, bool composeFrames,
                  kv::DemoWriter* demo) {
    if (!opt.timedemo.empty())
        reportTimedemo(rt, played.from,
                       std::chrono::duration<double>(std::chrono::steady_clock::now() - played.started).count(),
                       composeFrames);
    if (demo) demo->finish(rt.now());
    if (!opt.dumpState.empty()) rt.scripts().writeDump(opt.dumpState);
    if (!opt.screenshot.empty()) rt.frames().writeScreenshot(opt.screenshot);
}

int runGame(const kv::app::Options& opt) {
    using namespace kv;
    std::unique_ptr<ScriptSource> script = readScript(opt);
    auto machine = openMachine(opt);
    const RuntimeConfig cfg = configure(opt);
    std::unique_ptr<DemoWriter> demo;
    if (!opt.record.empty()) demo = std::make_unique<DemoWriter>(opt.record, app::demoSettingsOf(opt));
    // A replay reads no real joystick: the demo's joy lines are the joystick.
    platform::NoJoysticks noJoysticks;
    JoystickDevices& joysticks = opt.play.empty() ? machine->joysticks() : noJoysticks;
    Services svc{machine->display(), machine->codec(), machine->fonts(), joysticks, machine->registry(),
                 machine->audio()};
    int status = 0;
    try {
        Runtime rt(cfg, svc);
        setIcon(rt, *machine);
        if (script) rt.scripts().setScript(std::move(script));
        if (demo) rt.scripts().record(demo.get());
        app::GameFlow flow(rt);
        CloseForms closeForms{rt};
        const Played played = runFlow(rt, flow, opt);
        status = played.status;
        writeOutputs(rt, opt, played, cfg.composeFrames, demo.get());
    } catch (const FatalError& e) {
        complain(e.what());
        machine->showFatal("Korvane", printable(e.what()));
        return 2;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // A controller that closes its end of a `--script -` pipe makes the next
    // dump fail with a message, not kill the game silently.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    kv::app::Options opt;
    try {
        opt = kv::app::parseOptions(args);
        if (!opt.help) {
            kv::app::applyDemoSettings(opt);
            kv::app::checkOptions(opt);
            checkOutputs(opt);
        }
    } catch (const std::invalid_argument& e) {
        complain(e.what());
        std::cerr << kv::app::usageText();
        return 2;
    }
    if (opt.help) {
        std::cout << kv::app::usageText();
        return 0;
    }
    try {
        return runGame(opt);
    } catch (const kv::platform::NoDisplayError& e) {
        complain(e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        complain("out of memory");
        return 2;
    } catch (const std::exception& e) {
        complain(e.what());
        return 2;
    }
}
