// Korvane: the command line, the machine underneath, and the outer run loop.
#include <csignal>
#include <iostream>

#include "app/folders.h"
#include "app/options.h"
#include "app/screen_flow.h"
#include "platform/platform.h"
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
    if (!opt.dumpState.empty() && opt.dumpState != "-" && !kv::checkWritablePath(opt.dumpState, why))
        throw std::invalid_argument("--dump-state " + opt.dumpState + ": " + why);
    if (!opt.screenshot.empty() && !kv::checkWritablePath(opt.screenshot, why))
        throw std::invalid_argument("--screenshot " + opt.screenshot + ": " + why);
}

int runGame(const kv::app::Options& opt) {
    using namespace kv;
    // The script is read (and a file checked whole) before any window opens.
    std::unique_ptr<ScriptSource> script;
    if (!opt.script.empty())
        script = opt.script == "-" ? ScriptSource::fromStream(std::cin) : ScriptSource::fromFile(opt.script);

    platform::PlatformOptions po;
    po.headless = opt.headless;
    po.scale = opt.scale;
    po.fullscreen = opt.fullscreen;
    auto machine = platform::Platform::create(po);

    RuntimeConfig cfg;
    // Beside the program, or where an installed game's files are.
    const app::Folders folders =
        app::findFolders(opt, platform::Platform::executableDir(), app::UserDirs::fromEnvironment(), app::installedAppDir());
    app::seedScoreTable(folders);
    cfg.appDir = folders.appDir;
    cfg.dataDir = folders.dataDir;
    cfg.until = opt.until;
    cfg.clockStart = app::clockStartOf(opt);
    Services svc{machine->display(), machine->codec(), machine->fonts(), machine->joysticks(), machine->registry(),
                 machine->audio()};
    int status = 0;
    try {
        Runtime rt(cfg, svc);
        // The window's icon; without it the desktop shows its own.
        try {
            if (Picture icon = rt.pictures().get("Icon"); !icon.empty()) machine->display().setIcon(*icon.image);
        } catch (const FatalError&) {
        }
        if (script) rt.setScript(std::move(script));
        app::GameFlow flow(rt);
        // The forms go before the game they refer to, however the run ends.
        struct CloseForms {
            Runtime& rt;
            ~CloseForms() { rt.closeAll(); }
        } closeForms{rt};
        try {
            flow.begin(opt);
            status = rt.run();
        } catch (const RunEnded& e) {
            status = e.status;
        }
        if (!opt.dumpState.empty()) rt.writeDump(opt.dumpState);
        if (!opt.screenshot.empty()) rt.writeScreenshot(opt.screenshot);
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
