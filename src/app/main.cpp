// Korvane: the command line, the machine underneath, and the outer run loop.
#include <filesystem>
#include <iostream>

#include "app/options.h"
#include "app/screen_flow.h"
#include "platform/platform.h"
#include "runtime/runtime.h"

namespace {

std::string withSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

int runGame(const kv::app::Options& opt) {
    using namespace kv;
    platform::PlatformOptions po;
    po.headless = opt.headless;
    po.scale = opt.scale;
    po.fullscreen = opt.fullscreen;
    auto machine = platform::Platform::create(po);

    RuntimeConfig cfg;
    cfg.appDir = withSlash(opt.appDir.empty() ? platform::Platform::executableDir() : opt.appDir);
    // The score table and the saves: the program directory unless told otherwise.
    if (!opt.dataDir.empty()) cfg.dataDir = withSlash(opt.dataDir);
    cfg.until = opt.until;
    cfg.clockStart = opt.clockStart ? *opt.clockStart : opt.headless ? 0 : machine->display().wallMs() + 1000000;
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
        if (!opt.script.empty())
            rt.setScript(opt.script == "-" ? ScriptSource::fromStream(std::cin) : ScriptSource::fromFile(opt.script));
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
        std::cerr << "korvane: " << e.what() << "\n";
        machine->showFatal("Korvane", e.what());
        return 2;
    } catch (const ScriptError& e) {
        std::cerr << "korvane: " << e.what() << "\n";
        return 2;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kv::app::Options opt;
    try {
        opt = kv::app::parseOptions(args);
    } catch (const std::invalid_argument& e) {
        std::cerr << "korvane: " << e.what() << "\n" << kv::app::usageText();
        return 2;
    }
    if (opt.help) {
        std::cout << kv::app::usageText();
        return 0;
    }
    try {
        return runGame(opt);
    } catch (const std::exception& e) {
        std::cerr << "korvane: " << e.what() << "\n";
        return 2;
    }
}
