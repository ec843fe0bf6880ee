#include "soak/session.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
#include <streambuf>

#include "app/screen_flow.h"
#include "platform/platform.h"
#include "soak/autopilot.h"

namespace kvsoak {

namespace {

// The script's input stream: each time the game reads past what it has, the
// autopilot looks at the game and writes one more line.
class PilotStream : public std::streambuf {
public:
    PilotStream(Autopilot& pilot, std::ostream* trace) : pilot_(pilot), trace_(trace) {}

protected:
    int_type underflow() override {
        if (gptr() == egptr()) {
            line_ = pilot_.nextLine();
            if (trace_) *trace_ << line_ << std::flush;
            setg(line_.data(), line_.data(), line_.data() + line_.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    Autopilot& pilot_;
    std::ostream* trace_;
    std::string line_;
};

std::string freshDataDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-soak-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a data folder for the soak");
    return pattern + "/";
}

}  // namespace

SessionResult runSession(std::uint64_t seed, std::uint64_t untilMs) {
    SessionResult out;
    const std::string dataDir = freshDataDir();
    kv::platform::PlatformOptions po;
    po.headless = true;
    auto machine = kv::platform::Platform::create(po);
    kv::RuntimeConfig cfg;
    cfg.appDir = KORVANE_APP_DIR;
    cfg.dataDir = dataDir;
    cfg.until = untilMs;
    {
        kv::Runtime rt(cfg, kv::Services{machine->display(), machine->codec(), machine->fonts(), machine->joysticks(),
                                         machine->registry(), machine->audio()});
        kv::app::GameFlow flow(rt);
        Invariants checks(flow.game(), dataDir);
        Autopilot pilot(flow.game(), seed, checks, out.tally);
        // KORVANE_SOAK_TRACE=FILE keeps the script the autopilot played: a
        // session that broke a rule can be read line by line, or replayed
        // with korvane --headless --script FILE.
        std::unique_ptr<std::ofstream> trace;
        if (const char* path = std::getenv("KORVANE_SOAK_TRACE")) trace = std::make_unique<std::ofstream>(path);
        PilotStream buffer(pilot, trace.get());
        std::istream script(&buffer);
        rt.scripts().setScript(kv::ScriptSource::fromStream(script));
        try {
            flow.begin(kv::app::Options{});
            rt.run();
            out.ending = "the last window closed";
        } catch (const kv::RunEnded& e) {
            out.ending = rt.now() >= untilMs ? "time up" : "the game ended (status " + std::to_string(e.status) + ")";
        } catch (const std::exception& e) {
            out.ending = std::string("stopped by an error: ") + e.what();
            out.fatal = true;
        }
        checks.check();
        out.gameMs = rt.now();
        out.violations = checks.violations();
        out.checks = checks.checks();
        rt.forms().closeAll();   // the forms refer to the game
    }
    std::error_code ec;
    std::filesystem::remove_all(dataDir, ec);
    return out;
}

}  // namespace kvsoak
