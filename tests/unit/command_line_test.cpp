// Command lines that do not parse, or parse but cannot run, are refused before
// anything starts.
#include <gtest/gtest.h>

#include "app/options.h"
#include "support/case_names.h"

using namespace kv;

namespace {
// says: empty when the line is accepted
struct Refused { const char* name; std::vector<std::string> args; const char* says; };
}  // namespace

class CommandLine : public ::testing::TestWithParam<Refused> {};
TEST_P(CommandLine, IsRefusedWithAReasonOrRuns) {
    std::string why;
    try {
        app::checkOptions(app::parseOptions(GetParam().args));
    } catch (const std::invalid_argument& e) {
        why = e.what();
    }
    if (std::string(GetParam().says).empty()) EXPECT_EQ(why, "");
    else EXPECT_NE(why.find(GetParam().says), std::string::npos) << why;
}
INSTANTIATE_TEST_SUITE_P(Flags, CommandLine, ::testing::Values(
        Refused{"UnknownFlag", {"--frobnicate"}, "unknown option '--frobnicate'"},
        Refused{"UntilNotANumber", {"--until", "soon"}, "--until takes a whole number from 0 to 999999999999999999, not 'soon'"},
        Refused{"WarpPastTheLastPlanet", {"--warp", "11"}, "--warp takes a planet 1 to 10, or bonus"},
        Refused{"WarpToPlanetZero", {"--warp", "0"}, "--warp takes a planet 1 to 10"},
        Refused{"ScaleZero", {"--scale", "0"}, "--scale takes a whole number from 1 to 8, not '0'"},
        Refused{"RecordFromStandardInput", {"--script", "-", "--record", "demo.txt"}, "--record takes its script from a file"},
        Refused{"PlayHeadless", {"--headless", "--play", "demo.txt"}, "--play shows the demo in a window"},
        Refused{"PlayAndTimedemo", {"--play", "a.txt", "--timedemo", "b.txt"}, "--play and --timedemo do not go together"},
        Refused{"PlayWithAScript", {"--play", "a.txt", "--script", "s.txt"}, "--script does not go with it"},
        Refused{"TimedemoRecorded", {"--timedemo", "demo.txt", "--record", "again.txt"}, "--record does not go with"},
        Refused{"NoFramesAlone", {"--headless", "--no-frames"}, "--no-frames goes with --timedemo only"},
        Refused{"EmptyScriptName", {"--script", ""}, "--script needs a value"},
        // A window's clock starts far above a minute.
        Refused{"UntilAMinuteInAWindow", {"--until", "60000"}, "--until 60000 is not after the clock's start (1000000 in a window)"},
        Refused{"UntilAtTheWindowsStart", {"--until", "1000000"}, "not after the clock's start"},
        Refused{"UntilJustAfterTheWindowsStart", {"--until", "1000001"}, ""},
        Refused{"UntilAMinuteFromAWindowStartedAtZero", {"--clock-start", "0", "--until", "60000"}, ""},
        Refused{"UntilZeroHeadless", {"--headless", "--until", "0"}, "not after the clock's start (0, headless)"},
        Refused{"TimeBeyondAnyRun", {"--until", "1000000000000000000"}, "from 0 to 999999999999999999, not"}),
    kvtest::CaseName());
