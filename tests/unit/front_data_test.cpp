// The front end's data on bytes: the save code and its file, the score table
// and its entry rules, the scroller texts and their fade.
#include <gtest/gtest.h>

#include "frontend/save_code.h"
#include "frontend/score_table.h"
#include "frontend/scroll_text.h"
#include "support/case_names.h"

using namespace kv::frontend;
using namespace std::string_literals;

namespace {

// ---- The save code -----------------------------------------------------

struct RoundTrip {
    const char* name;
    SavedGame game;
    bool accepted;
};
class SaveRoundTrip : public testing::TestWithParam<RoundTrip> {};
TEST_P(SaveRoundTrip, WhatIsSavedLoadsBackAndOnlyTheRangesAreAccepted) {
    const RoundTrip& c = GetParam();
    std::string file = writeSaveFile(c.game);
    // Letters only, four lines ended by CR LF.
    for (char ch : file) EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || ch == '\r' || ch == '\n') << file;
    auto back = readSaveFile(file);
    ASSERT_TRUE(back.has_value()) << file;
    EXPECT_EQ(back->PlanetLevel, c.game.PlanetLevel);
    EXPECT_EQ(back->PlayerScore, c.game.PlayerScore);
    EXPECT_EQ(back->RadiationLevel, c.game.RadiationLevel);
    EXPECT_EQ(back->PlayerLives, c.game.PlayerLives);
    EXPECT_EQ(saveInRange(*back), c.accepted);
}
INSTANTIATE_TEST_SUITE_P(
    Edges, SaveRoundTrip,
    testing::Values(RoundTrip{"LowestOfEveryRange", {1, 0, 0, 1}, true},
                    RoundTrip{"HighestOfEveryRange", {9, 90000, 566, 99}, true},
                    RoundTrip{"AMiddlingGame", {4, 12340, 283, 3}, true},
                    RoundTrip{"ScoreOneTooMany", {9, 90001, 566, 99}, false},
                    RoundTrip{"LivesOneTooMany", {9, 90000, 566, 100}, false},
                    RoundTrip{"RadiationOneTooMuch", {1, 0, 567, 1}, false},
                    RoundTrip{"NoLivesLeft", {1, 0, 0, 0}, false},
                    RoundTrip{"PlanetZero", {0, 0, 0, 1}, false},
                    RoundTrip{"PlanetTen", {10, 0, 0, 1}, false}),
    kvtest::CaseName{});

std::string coded(const std::string& digits) { return encodeSaveText(digits); }

struct Damage {
    const char* name;
    std::string bytes;
};
class SaveDamage : public testing::TestWithParam<Damage> {};
TEST_P(SaveDamage, IsNotAGame) { EXPECT_FALSE(readSaveFile(GetParam().bytes).has_value()); }
INSTANTIATE_TEST_SUITE_P(
    Files, SaveDamage,
    testing::Values(
        Damage{"Empty", ""},
        Damage{"ThreeLines", coded("1") + "\r\n" + coded("0") + "\r\n" + coded("0") + "\r\n"},
        Damage{"DigitsInsteadOfLetters", "1\r\n0\r\n0\r\n3\r\n"},
        Damage{"ABlankLine", coded("1") + "\r\n\r\n" + coded("0") + "\r\n" + coded("3") + "\r\n"},
        Damage{"ScoreTooLargeForItsType", coded("1") + "\r\n" + coded("2147483648") + "\r\n" + coded("0") + "\r\n" +
                                              coded("3") + "\r\n"},
        Damage{"LivesTooLargeForItsType",
               coded("1") + "\r\n" + coded("0") + "\r\n" + coded("0") + "\r\n" + coded("32768") + "\r\n"},
        Damage{"BinaryJunk", "\x00\xff\x10\x80\r\n\x01\r\n\x02\r\n\x03"s},
        Damage{"HugeFile", std::string(kMostSaveBytes + 1, kSaveLetters[1])}),
    kvtest::CaseName{});

TEST(SaveCode, TheExtraLetterReadsAsTenOddCharactersAreDroppedAndMinusSignsLost) {
    EXPECT_EQ(decodeSaveText(encodeSaveText("0123456789")), "0123456789");
    EXPECT_EQ(decodeSaveText(std::string(1, kTenLetter)), "10");
    EXPECT_EQ(decodeSaveText(" " + coded("4") + "-a!" + coded("2")), "42");
    // Planet "10" loads, and the range check turns it away.
    std::string file = std::string(1, kTenLetter) + "\n" + coded("0") + "\n" + coded("0") + "\n" + coded("3");
    auto g = readSaveFile(file);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->PlanetLevel, 10);
    EXPECT_FALSE(saveInRange(*g));
    // A radiation level below zero loses its minus sign.
    EXPECT_EQ(readSaveFile(writeSaveFile(SavedGame{2, 100, -40, 3}))->RadiationLevel, 40);
}

// ---- The score table ---------------------------------------------------

std::vector<ScoreEntry> twelve() {
    std::vector<ScoreEntry> t;
    for (int i = 1; i <= 12; ++i) t.push_back(ScoreEntry{"Pilot " + std::to_string(i), 13000 - 1000 * i});
    return t;
}

TEST(ScoreTable, WhatIsWrittenReadsBackAndLooksAsTheGameWritesIt) {
    std::string bytes = writeScoreTable(twelve());
    EXPECT_EQ(bytes.substr(0, 17), "Pilot 1, 12000 \r\n");
    ScoreTableRead r = readScoreTable(bytes);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entries, twelve());
}

struct TableCase {
    const char* name;
    std::string bytes;
    std::string errorPart;   // empty: the file is fine
};
std::string lines(const std::vector<std::string>& ls, const char* end = "\r\n") {
    std::string out;
    for (const auto& l : ls) out += l + end;
    return out;
}
std::vector<std::string> goodLines() {
    std::vector<std::string> l;
    for (int i = 1; i <= 12; ++i) l.push_back("Pilot " + std::to_string(i) + ", " + std::to_string(13000 - 1000 * i));
    return l;
}
std::vector<std::string> goodWith(int line, const std::string& text) {
    auto l = goodLines();
    l[std::size_t(line - 1)] = text;
    return l;
}
class TableFiles : public testing::TestWithParam<TableCase> {};
TEST_P(TableFiles, AreReadOrRefusedWithAReason) {
    const TableCase& c = GetParam();
    ScoreTableRead r = readScoreTable(c.bytes);
    if (c.errorPart.empty()) {
        EXPECT_EQ(r.error, "");
        ASSERT_EQ(r.entries.size(), 12u);
        EXPECT_EQ(r.entries[0].name, "Pilot 1");
        EXPECT_EQ(r.entries[11].score, 1000);
    } else {
        EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Files, TableFiles,
    testing::Values(
        TableCase{"AsShipped", lines(goodLines()), ""},
        TableCase{"LineFeedsOnly", lines(goodLines(), "\n"), ""},
        TableCase{"NoLineEndAtTheEnd", lines(goodLines()).substr(0, lines(goodLines()).size() - 2), ""},
        // Only the first twelve entries are read.
        TableCase{"AnythingAfterTheTwelfth", lines(goodLines()) + "\r\n  \r\nnot an entry\r\nExtra, 5\r\n", ""},
        TableCase{"AByteOrderMark", "\xEF\xBB\xBF" + lines(goodLines()), ""},
        TableCase{"SpacesAndTabsAroundItems", lines(goodWith(1, "  Pilot 1 \t,\t 12000  ")), ""},
        TableCase{"ElevenLines", lines(goodLines()).substr(0, lines(goodLines()).rfind("Pilot 12")), "line 12 is missing"},
        TableCase{"ABlankLineInside", lines(goodWith(5, "")), "line 5 is missing"},
        TableCase{"ALineWithoutAComma", lines(goodWith(3, "Pilot 3 10000")), "line 3 has no comma"},
        TableCase{"AScoreThatIsNotANumber", lines(goodWith(4, "Pilot 4, lots")), "\"lots\" is not a whole number"},
        TableCase{"AnEmptyScore", lines(goodWith(4, "Pilot 4, ")), "line 4"},
        TableCase{"AScoreTooLarge", lines(goodWith(1, "Pilot 1, 99999999999")), "not a whole number"},
        TableCase{"ANameWithAQuote", lines(goodWith(2, "\"Ace\" Pilot, 11000")), "double quote"},
        TableCase{"ANameWithAComma", lines(goodWith(6, "Smith, John, 7000")), "more than one comma"},
        TableCase{"ABinaryFile", "Pilot\x00\x01, 12\r\n"s + lines(goodLines()), "not a text file"},
        TableCase{"AHugeFile", std::string(kMostScoreBytes + 1, 'a'), "far too large"}),
    kvtest::CaseName{});

struct Entry {
    const char* name;
    std::int32_t score;
    bool entered;
    std::vector<int> expected;   // the table's scores afterwards, in thousands... as written
    int namedRow;                // the row that holds the new name (1-based), 0 for none
};
class SortScoresRules : public testing::TestWithParam<Entry> {};
TEST_P(SortScoresRules, EnterTheScoreAsTheRulesSay) {
    const Entry& c = GetParam();
    auto t = twelve();   // 12000, 11000, ... 1000
    EXPECT_EQ(enterScore(t, "Newcomer", c.score), c.entered);
    std::vector<int> scores;
    for (const auto& e : t) scores.push_back(e.score);
    EXPECT_EQ(scores, c.expected);
    for (int row = 1; row <= 12; ++row)
        EXPECT_EQ(t[std::size_t(row - 1)].name == "Newcomer", row == c.namedRow) << "row " << row;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, SortScoresRules,
    testing::Values(
        Entry{"BelowTheTwelfth", 999, false,
              {12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}, 0},
        Entry{"EqualToTheTwelfth", 1000, true,
              {12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}, 12},
        Entry{"BetweenTheEleventhAndTwelfth", 1500, true,
              {12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1500}, 12},
        Entry{"EqualToAnEntryHigherUp", 7000, true,
              {12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}, 6},
        Entry{"InTheMiddle", 7500, true,
              {12000, 11000, 10000, 9000, 8000, 7500, 7000, 6000, 5000, 4000, 3000, 2000}, 6},
        Entry{"ANewFirstPlace", 50000, true,
              {50000, 12000, 11000, 10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000}, 1}),
    kvtest::CaseName{});

TEST(ScoreTable, EqualScoresReplaceTheFirstEntryThatHoldsThem) {
    auto t = twelve();
    t[11].score = t[10].score;   // two entries of 2000
    EXPECT_TRUE(enterScore(t, "Newcomer", 2000));
    EXPECT_EQ(t[10].name, "Newcomer");
    EXPECT_EQ(t[11].name, "Pilot 12");
}

struct NameCase {
    const char* name;
    std::string player;
    std::string inTable;
};
class OddNames : public testing::TestWithParam<NameCase> {};
TEST_P(OddNames, AreWrittenSoThatTheyReadBack) {
    const NameCase& c = GetParam();
    std::string n = tableName(c.player);
    EXPECT_EQ(n, c.inTable);
    auto t = twelve();
    t[0].name = n;
    ScoreTableRead r = readScoreTable(writeScoreTable(t));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entries[0].name, c.inTable);
}
INSTANTIATE_TEST_SUITE_P(
    Names, OddNames,
    testing::Values(NameCase{"Plain", "Grub Toad", "Grub Toad"},
                    // The registry default: twelve characters of a NUL-ended buffer of spaces.
                    NameCase{"RegistryBuffer", std::string("root\0       ", 12), "root"},
                    NameCase{"Quotes", "Ace \"Flash\"", "Ace 'Flash'"},
                    NameCase{"Commas", "Smith, John", "Smith; John"},
                    NameCase{"Accents", "J\xC3\xB8rgen \xC3\x85s", "J\xC3\xB8rgen \xC3\x85s"},
                    // Twelve bytes cut through the middle of a character.
                    NameCase{"CutCharacter", "Zo\xC3", "Zo"},
                    NameCase{"ControlCharacters", "Tab\tBell\a", "TabBell"},
                    NameCase{"OnlySpaces", "   ", ""},
                    // Invisible, and at the head of the file the reader's to drop.
                    NameCase{"ByteOrderMarks", " \xEF\xBB\xBF" "Ace\xEF\xBB\xBF", "Ace"}),
    kvtest::CaseName{});

// ---- The scroller texts ------------------------------------------------

struct ScrollCase {
    const char* name;
    std::string bytes;
    int count;
    std::vector<std::string> lines;
    std::string errorPart;
};
class ScrollFiles : public testing::TestWithParam<ScrollCase> {};
TEST_P(ScrollFiles, AreReadOrRefusedWithAReason) {
    const ScrollCase& c = GetParam();
    ScrollTextRead r = readScrollText(c.bytes);
    if (!c.errorPart.empty()) {
        EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
        return;
    }
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.count, c.count);
    EXPECT_EQ(r.lines, c.lines);
}
INSTANTIATE_TEST_SUITE_P(
    Files, ScrollFiles,
    testing::Values(
        ScrollCase{"AsShipped", "3\r\nKORVANE\r\n\r\n", 2, {"KORVANE", ""}, ""},
        ScrollCase{"OneMeansNoLines", "1\r\n", 0, {}, ""},
        ScrollCase{"ZeroMeansNothingAtAll", "0\r\n", -1, {}, ""},
        ScrollCase{"FewerAnnouncedThanHeld", "2\r\nOne\r\nTwo\r\n", 1, {"One"}, ""},
        ScrollCase{"LineFeedsOnlyAndNoEndAtTheEnd", " 3 \nOne\nTwo", 2, {"One", "Two"}, ""},
        ScrollCase{"TabsShowAsSpaces", "2\r\na\tb\r\n", 1, {"a b"}, ""},
        ScrollCase{"MoreAnnouncedThanHeld", "5\r\nOne\r\nTwo\r\n", 0, {}, "announces 4 lines of text but holds only 2"},
        ScrollCase{"MoreThanTheArrayHolds", "1001\r\n" + std::string(1000, '\n'), 0, {}, "holds at most 999"},
        ScrollCase{"ACountThatIsNotANumber", "lots\r\nOne\r\n", 0, {}, "first line should be the number"},
        ScrollCase{"ALongLineOfDigitsFirst", std::string(40, '4') + "x\r\nOne\r\n", 0, {}, "first line should be the number"},
        ScrollCase{"AnEmptyFile", "", 0, {}, "first line should be the number"},
        ScrollCase{"ABinaryFile", "2\r\n\x00\x01\x02\r\n"s, 0, {}, "not a text file"},
        ScrollCase{"AHugeFile", std::string(kMostScrollBytes + 1, 'a'), 0, {}, "far too large"}),
    kvtest::CaseName{});

struct FadeCase {
    const char* name;
    const ScrollFade* fade;
    double y;
    int h;
    int level;
};
class ScrollerFade : public testing::TestWithParam<FadeCase> {};
TEST_P(ScrollerFade, DimsRowsNearTheEdges) {
    const FadeCase& c = GetParam();
    EXPECT_EQ(fadeLevel(*c.fade, c.y, c.h), c.level);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ScrollerFade,
    testing::Values(
        // The menu: 265 pixels high, edges at 13k/3 = 4.33, 8.67, 13, 17.33, 21.67, 26, 30.33, 34.67.
        FadeCase{"MenuEnteringAtTheBottom", &kMenuFade, 263, 265, 10},
        FadeCase{"MenuJustInsideTheEighthEdge", &kMenuFade, 231, 265, 200},
        FadeCase{"MenuInTheMiddle", &kMenuFade, 130, 265, 255},
        FadeCase{"MenuExactlyOnAnEdgeIsNotPastIt", &kMenuFade, 13, 265, 75},
        FadeCase{"MenuAboveTheTop", &kMenuFade, -40, 265, 10},
        // The end: edges at 24k/2 = 12, 24, ... 96.
        FadeCase{"EndNearTheTop", &kEndFade, 11, 385, 10},
        FadeCase{"EndOnTheFirstEdge", &kEndFade, 12, 385, 25},
        FadeCase{"EndJustInsideTheLastEdge", &kEndFade, 290, 385, 200}),
    kvtest::CaseName{});

}  // namespace
