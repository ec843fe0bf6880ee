// Key mapping to virtual-key codes, and the script format and its refusals.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/keymap.h"
#include "platform/sdl_display.h"
#include "runtime/keys.h"
#include "runtime/script.h"
#include "support/case_names.h"

#include <functional>
#include <sstream>

using namespace kv;

// The keys with something to get wrong: either Ctrl, the keypad's own keys, a
// key with no desktop code.
TEST(KeyMap, GivesTheDesktopCode) {
    for (auto [sym, scancode, code] : {std::tuple{SDLK_LCTRL, SDL_SCANCODE_LCTRL, vk::Control},
                                       {SDLK_RCTRL, SDL_SCANCODE_RCTRL, vk::Control},
                                       {SDLK_KP_9, SDL_SCANCODE_KP_9, vk::Numpad0 + 9},
                                       {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, vk::Multiply},
                                       {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, vk::Return},
                                       {SDLK_F13, SDL_SCANCODE_F13, 0}})
        EXPECT_EQ(platform::virtualKeyFor(sym, scancode), code) << SDL_GetScancodeName(scancode);
}

TEST(Script, ReadsEachActionAndExpandsHeldKeysKeepingFileOrderAtOneTime) {
    auto s = ScriptSource::fromText(
        "# a comment\n\n"
        "100 keys 39 3 30\n"
        "130 key 37\n"
        "130 type  Grub Toad\n"
        "140 file /tmp/my game.kvs\r\n"
        "150 click 10 20\n"
        "160 rnd 0.5\n"
        "170 quit");   // a Windows line end above, and no break after the last line
    std::vector<ScriptAction> got;
    while (s->peekTime()) got.push_back(s->pop());
    ASSERT_EQ(got.size(), 9u);
    std::vector<std::pair<std::uint64_t, int>> keys;
    for (int i : {0, 1, 2, 6}) keys.push_back({got[i].time, got[i].a});
    EXPECT_EQ(keys, (std::vector<std::pair<std::uint64_t, int>>{{100, 39}, {130, 39}, {130, 37}, {160, 39}}));
    EXPECT_EQ(got[3].text, " Grub Toad");   // the rest of the line after one space
    EXPECT_EQ(got[4].text, "/tmp/my game.kvs");
    EXPECT_EQ(got[5].b, 20);
    EXPECT_DOUBLE_EQ(got[7].value, 0.5);
    EXPECT_EQ(got[8].kind, ScriptAction::Kind::Quit);
}

TEST(Script, HeldKeysAreMadeOneAtATimeAsTheyFallDue) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "1000 keys 39 100000 1\n";
    auto s = ScriptSource::fromText(text);
    for (int popped = 0; popped < 50000; ++popped)
        ASSERT_TRUE(s->peekTime() && (s->pop(), s->waiting() <= 20u)) << "after " << popped;
    EXPECT_EQ(*s->peekTime(), 1000u + 50000u / 20u);
}

// A bad line, and what its message must say besides its number.
struct BadLine {
    const char* name;
    std::string script;
    int line;
    const char* says;
};

class BadScriptLine : public testing::TestWithParam<BadLine> {};
TEST_P(BadScriptLine, IsRefusedWithItsNumberAndThePrintableLine) {
    const BadLine& c = GetParam();
    std::istringstream in(c.script);
    // Read from a file, a script is checked whole at the start; from standard
    // input, as it comes: both refuse it the same way.
    const std::function<void()> reads[] = {[&] { ScriptSource::fromText(c.script); },
                                           [&] {
                                               auto s = ScriptSource::fromStream(in);
                                               while (s->peekTime()) s->pop();
                                           }};
    for (const auto& read : reads) {
        try {
            read();
            ADD_FAILURE() << "accepted";
        } catch (const ScriptError& e) {
            const std::string m = e.what();
            EXPECT_EQ(e.line(), c.line);
            EXPECT_EQ(m.rfind("script line " + std::to_string(c.line) + ": ", 0), 0u) << m;
            EXPECT_NE(m.find(c.says), std::string::npos) << m;
            for (unsigned char ch : m) EXPECT_TRUE(ch >= 0x20 && ch != 0x7F) << "a raw control byte in: " << m;
        }
    }
}

// One case a rule.
INSTANTIATE_TEST_SUITE_P(
    Lines, BadScriptLine,
    testing::Values(
        BadLine{"TimeNotANumber", "abc key 37\n", 1, "whole number of milliseconds, not 'abc'"},
        BadLine{"TimeBeyondAnyRun", "9999999999999999999 quit\n", 1, "whole number"},
        BadLine{"NoAction", "10\n", 1, "an action is missing"},
        BadLine{"DemoEndWithoutATime", "10 key 37\n# demo end: soon\n", 2, "a demo's end line needs the time"},
        BadLine{"UnknownAction", "# ok\n10 jump 3\n", 2, "unknown action 'jump' in \"10 jump 3\""},
        BadLine{"KeyWithoutCode", "10 key\n", 1, "takes 1 argument(s), got 0"},
        BadLine{"KeyCodeOutOfRange", "10 key 999\n", 1, "bad number '999'"},
        BadLine{"TooManyHeldKeys", "10 keys 39 100001 30\n", 1, "bad number '100001'"},
        BadLine{"RndOne", "10 rnd 1.0\n", 1, "'rnd' takes a number in [0, 1), not '1.0'"},
        // Held keys made later than the next line do not count as the line before it.
        BadLine{"TimeGoesBack", "100 keys 39 5 30\n120 key 17\n110 key 37\n", 3,
                "the time 110 goes back before the line before it (120)"},
        BadLine{"EscapeInALine", "10 key 37\n20 type \x1b[2J\n", 2, "(\\x1b) at column 9 in \"20 type \\x1b[2J\""},
        BadLine{"CarriageReturnInside", "10 press O\rK\n", 1, "(\\x0d)"},
        BadLine{"BrokenUtf8", "10 jump \xff\xfe\n", 1, "unknown action 'jump' in \"10 jump \\xff\\xfe\""},
        BadLine{"NoLineBreakAtAll", std::string(100000, '\0'), 1, "longer than 4096 bytes"}),
    kvtest::CaseName());

// Only a palette display reads the probe's red back as pure red.
TEST(ColourProbe, ReadsBackWhatTheDisplayCanShow) {
    for (auto [bits, perComponent, red] : {std::tuple{8, 0, 255}, {15, 5, 248}, {32, 10, 250}}) {
        Color shown = platform::readBackColour(Color(250, 0, 0), bits, perComponent, perComponent, perComponent);
        EXPECT_EQ(shown, Color(red, 0, 0)) << bits << " bits";
    }
}
