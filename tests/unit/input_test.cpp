// Key mapping to virtual-key codes, and the script format.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/keymap.h"
#include "platform/sdl_display.h"
#include "runtime/script.h"
#include "support/case_names.h"

using namespace kv;

struct KeyCase {
    int sym, scancode, vk;
};
class KeyMap : public testing::TestWithParam<KeyCase> {};
TEST_P(KeyMap, GivesTheDesktopCode) {
    EXPECT_EQ(platform::virtualKeyFor(GetParam().sym, GetParam().scancode), GetParam().vk);
}
INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMap,
    testing::Values(KeyCase{SDLK_LCTRL, SDL_SCANCODE_LCTRL, 17}, KeyCase{SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
                    KeyCase{SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27}, KeyCase{SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
                    KeyCase{SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39}, KeyCase{SDLK_UP, SDL_SCANCODE_UP, 38},
                    KeyCase{SDLK_a, SDL_SCANCODE_A, 65}, KeyCase{SDLK_l, SDL_SCANCODE_L, 76},
                    KeyCase{SDLK_z, SDL_SCANCODE_Z, 90}, KeyCase{SDLK_0, SDL_SCANCODE_0, 48},
                    KeyCase{SDLK_9, SDL_SCANCODE_9, 57}, KeyCase{SDLK_F1, SDL_SCANCODE_F1, 112},
                    KeyCase{SDLK_F12, SDL_SCANCODE_F12, 123}, KeyCase{SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
                    KeyCase{SDLK_KP_9, SDL_SCANCODE_KP_9, 105}, KeyCase{SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, 106},
                    KeyCase{SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 111}, KeyCase{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
                    KeyCase{SDLK_RETURN, SDL_SCANCODE_RETURN, 13}, KeyCase{SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
                    KeyCase{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8}, KeyCase{SDLK_TAB, SDL_SCANCODE_TAB, 9},
                    KeyCase{SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16}, KeyCase{SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
                    KeyCase{SDLK_MINUS, SDL_SCANCODE_MINUS, 189}, KeyCase{SDLK_F13, SDL_SCANCODE_F13, 0}),
    [](const testing::TestParamInfo<KeyCase>& info) {
        return kvtest::identifier(SDL_GetKeyName(info.param.sym)) + "_" + std::to_string(info.param.vk);
    });

TEST(Script, ParsesEveryAction) {
    auto s = ScriptSource::fromText(
        "# a comment\n"
        "\n"
        "100 key 37\n"
        "100 type  Grub Toad\n"
        "150 click 10 20\n"
        "160 press ScrName(3)\n"
        "170 file /tmp/my game.kvs\n"
        "180 joy 0 32767 1\n"
        "190 rnd 0.5\n"
        "200 screenshot /tmp/a.png\n"
        "210 dump -\n"
        "220 quit\n");
    std::vector<ScriptAction> got;
    while (s->peekTime()) got.push_back(s->pop());
    ASSERT_EQ(got.size(), 10u);
    EXPECT_EQ(got[0].a, 37);
    EXPECT_EQ(got[1].text, " Grub Toad");   // the rest of the line after one space
    EXPECT_EQ(got[2].a, 10);
    EXPECT_EQ(got[2].b, 20);
    EXPECT_EQ(got[3].text, "ScrName(3)");
    EXPECT_EQ(got[4].text, "/tmp/my game.kvs");
    EXPECT_EQ(got[5].c, 1u);
    EXPECT_DOUBLE_EQ(got[6].value, 0.5);
    EXPECT_EQ(got[9].kind, ScriptAction::Kind::Quit);
    EXPECT_TRUE(s->usesJoystick());
}

TEST(Script, HeldKeysExpandAndSameTimeActionsKeepFileOrder) {
    auto s = ScriptSource::fromText("100 keys 39 3 30\n160 key 17\n130 key 37\n");
    std::vector<std::pair<std::uint64_t, int>> got;
    while (s->peekTime()) {
        auto a = s->pop();
        got.push_back({a.time, a.a});
    }
    EXPECT_EQ(got, (std::vector<std::pair<std::uint64_t, int>>{{100, 39}, {130, 39}, {130, 37}, {160, 39}, {160, 17}}));
}

class BadScript : public testing::TestWithParam<std::pair<const char*, int>> {};
TEST_P(BadScript, IsReportedWithItsLineNumber) {
    try {
        ScriptSource::fromText(GetParam().first);
        FAIL() << "accepted";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line(), GetParam().second);
    }
}
INSTANTIATE_TEST_SUITE_P(Lines, BadScript,
                         testing::Values(std::make_pair("abc key 37\n", 1), std::make_pair("10 key\n", 1),
                                         std::make_pair("# ok\n10 jump 3\n", 2), std::make_pair("10 key 37 38\n", 1),
                                         std::make_pair("10 rnd 1.5\n", 1), std::make_pair("\n\n10 click x 3\n", 3),
                                         std::make_pair("10 key 999\n", 1), std::make_pair("-5 quit\n", 1)));

TEST(Script, StandardInputIsReadOneLineAhead) {
    std::istringstream in("10 key 37\n20 keys 39 2 100\n50 key 17\n");
    auto s = ScriptSource::fromStream(in);
    std::vector<std::uint64_t> times;
    while (auto t = s->peekTime()) {
        times.push_back(*t);
        s->pop();
    }
    EXPECT_EQ(times, (std::vector<std::uint64_t>{10, 20, 50, 120}));
}

struct ProbeCase {
    int bpp, r, g, b;
    int expectedRed;
};
class ColourProbe : public testing::TestWithParam<ProbeCase> {};
TEST_P(ColourProbe, OnlyAPaletteDisplayReadsTheProbesRedBackAsPureRed) {
    const ProbeCase& c = GetParam();
    Color shown = platform::readBackColour(Color(250, 0, 0), c.bpp, c.r, c.g, c.b);
    EXPECT_EQ(shown.r, c.expectedRed);
    EXPECT_EQ(shown.g, 0);
}
INSTANTIATE_TEST_SUITE_P(Depths, ColourProbe,
                         testing::Values(ProbeCase{8, 0, 0, 0, 255}, ProbeCase{4, 0, 0, 0, 255},
                                         ProbeCase{15, 5, 5, 5, 248}, ProbeCase{16, 5, 6, 5, 248},
                                         ProbeCase{24, 8, 8, 8, 250}, ProbeCase{32, 8, 8, 8, 250},
                                         ProbeCase{32, 10, 10, 10, 250}),
                         [](const testing::TestParamInfo<ProbeCase>& info) {
                             const ProbeCase& c = info.param;
                             return std::to_string(c.bpp) + "Bit_" + std::to_string(c.r) + std::to_string(c.g) +
                                    std::to_string(c.b);
                         });
