// The front end's data on bytes: the save file, the score table and its entry
// rule, the scroller texts and their fade.
#include <gtest/gtest.h>

#include "frontend/save_code.h"
#include "frontend/score_table.h"
#include "frontend/scroll_text.h"
#include "support/case_names.h"

using namespace kv::frontend;
using namespace std::string_literals;

namespace {

std::string file(std::initializer_list<std::string> digits) {
    std::string out;
    for (const auto& d : digits) out += encodeSaveText(d) + "\r\n";
    return out;
}

// read: planet, score, radiation and lives; none: not a game
struct SaveCase { const char* name; std::string bytes; std::optional<std::array<long, 4>> read; bool accepted; };
class SaveFiles : public testing::TestWithParam<SaveCase> {};
TEST_P(SaveFiles, ReadBackAndOnlyTheRangesAreAccepted) {
    const SaveCase& c = GetParam();
    auto g = readSaveFile(c.bytes);
    ASSERT_EQ(g.has_value(), c.read.has_value());
    if (!g) return;
    EXPECT_EQ((std::array<long, 4>{g->PlanetLevel, g->PlayerScore, g->RadiationLevel, g->PlayerLives}), *c.read);
    EXPECT_EQ(saveInRange(*g), c.accepted);
}
std::string saved(int planet, int score, int radiation, int lives) {
    return writeSaveFile(SavedGame{std::int16_t(planet), score, std::int16_t(radiation), std::int16_t(lives)});
}
INSTANTIATE_TEST_SUITE_P(Edges, SaveFiles, testing::Values(
                    SaveCase{"LowestOfEveryRange", saved(1, 0, 0, 1), {{1, 0, 0, 1}}, true},
                    SaveCase{"HighestOfEveryRange", saved(9, 90000, 566, 99), {{9, 90000, 566, 99}}, true},
                    SaveCase{"ScoreOneTooMany", saved(9, 90001, 566, 99), {{9, 90001, 566, 99}}, false},
                    SaveCase{"LivesOneTooMany", saved(9, 90000, 566, 100), {{9, 90000, 566, 100}}, false},
                    SaveCase{"RadiationOneTooMuch", saved(1, 0, 567, 1), {{1, 0, 567, 1}}, false},
                    SaveCase{"NoLivesLeft", saved(1, 0, 0, 0), {{1, 0, 0, 0}}, false},
                    SaveCase{"PlanetZero", saved(0, 0, 0, 1), {{0, 0, 0, 1}}, false},
                    SaveCase{"PlanetTen", saved(10, 0, 0, 1), {{10, 0, 0, 1}}, false},
                    SaveCase{"MinusSignsAreLost", saved(2, 100, -40, 3), {{2, 100, 40, 3}}, true},
                    // Other characters are dropped.
                    SaveCase{"TheExtraLetterReadsAsTen", "X-a\n" + file({"0", "0", "3"}), {{10, 0, 0, 3}}, false},
                    SaveCase{"TheLargestOfEachType", file({"32767", "2147483647", "32767", "32767"}),
                             {{32767, 2147483647, 32767, 32767}}, false},
                    SaveCase{"ThreeLines", file({"1", "0", "0"}), {}, false},
                    SaveCase{"DigitsInsteadOfLetters", "1\r\n0\r\n0\r\n3\r\n", {}, false},
                    SaveCase{"ScoreTooLargeForItsType", file({"1", "2147483648", "0", "3"}), {}, false},
                    SaveCase{"HugeFile", std::string(kMostSaveBytes + 1, 'H'), {}, false}),
    kvtest::CaseName{});

// ---- The score table ---------------------------------------------------

std::string table(int changedLine = 0, const std::string& text = "", const char* end = "\r\n") {
    std::string out;
    for (int i = 1; i <= 12; ++i)
        out += (i == changedLine ? text : "Pilot " + std::to_string(i) + ", " + std::to_string(13000 - 1000 * i)) + end;
    return out;
}

// errorPart: part of the refusal; empty: the file is fine
struct TableCase { const char* name; std::string bytes;
    std::string errorPart; std::string firstName = "Pilot 1"; std::int32_t firstScore = 12000; };
class TableFiles : public testing::TestWithParam<TableCase> {};
TEST_P(TableFiles, AreReadOrRefusedWithAReason) {
    const TableCase& c = GetParam();
    ScoreTableRead r = readScoreTable(c.bytes);
    if (!c.errorPart.empty()) {
        EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
        return;
    }
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 12u);
    EXPECT_EQ(r.entries[0], (ScoreEntry{c.firstName, c.firstScore}));
    EXPECT_EQ(r.entries[11], (ScoreEntry{"Pilot 12", 1000}));
}
INSTANTIATE_TEST_SUITE_P(Files, TableFiles, testing::Values(
        TableCase{"AsWritten", table(), ""}, TableCase{"LineFeedsOnly", table(0, "", "\n"), ""},
        TableCase{"CarriageReturnsOnly", table(0, "", "\r"), ""},
        TableCase{"AnythingAfterTheTwelfth", table() + "\r\n  \r\nnot an entry\r\nExtra, 5\r\n", ""},
        TableCase{"AByteOrderMark", "\xEF\xBB\xBF" + table(), ""},
        TableCase{"SpacesAndTabsAroundItems", table(1, "  Pilot 1 \t,\t 12000  "), ""},
        TableCase{"TheLowestScoreOfItsType", table(1, "Low,-2147483648"), "", "Low", INT32_MIN},
        TableCase{"ElevenLines", table().substr(0, table().rfind("Pilot 12")), "line 12 is missing"},
        TableCase{"ALineWithoutAComma", table(3, "Pilot 3 10000"), "line 3 has no comma"},
        TableCase{"AScoreThatIsNotANumber", table(4, "Pilot 4, lots"), "\"lots\" is not a whole number"},
        TableCase{"AScoreTooLarge", table(1, "Pilot 1, 2147483648"), "not a whole number"},
        TableCase{"ASignAlone", table(5, "Pilot 5, -"), "not a whole number"},
        TableCase{"ANameWithAQuote", table(2, "\"Ace\" Pilot, 11000"), "double quote"},
        TableCase{"ANameWithAComma", table(6, "Smith, John, 7000"), "more than one comma"},
        TableCase{"AHugeFile", std::string(kMostScoreBytes + 1, 'a'), "far too large"}),
    kvtest::CaseName{});

TEST(ScoreTable, IsWrittenOneSpaceEitherSideOfTheNumber) {
    EXPECT_EQ(writeScoreTable({{"Ann", 12000}, {"Bo", 0}, {"Cy", -5}}), "Ann, 12000 \r\nBo, 0 \r\nCy,-5 \r\n");
}

// after: the table's scores afterwards, in hundreds, the newcomer's marked *
struct Entry { const char* name; std::int32_t score; std::string after; };
class EnteringScores : public testing::TestWithParam<Entry> {};
TEST_P(EnteringScores, FollowTheTablesRule) {
    std::vector<ScoreEntry> t;
    for (int i = 1; i <= 12; ++i) t.push_back(ScoreEntry{"Pilot", (13 - i) * 1000});
    t[11].score = 1500;   // two apart at the foot: 2000, 1500
    const bool entered = enterScore(t, "New", GetParam().score);
    std::string after;
    for (const auto& e : t) after += std::to_string(e.score / 100) + (e.name == "New" ? "* " : " ");
    EXPECT_EQ(after, GetParam().after);
    EXPECT_EQ(entered, GetParam().after.find('*') != std::string::npos);
}
INSTANTIATE_TEST_SUITE_P(Scores, EnteringScores, testing::Values(
                    Entry{"BelowTheTwelfth", 1499, "120 110 100 90 80 70 60 50 40 30 20 15 "},
                    Entry{"EqualToTheTwelfth", 1500, "120 110 100 90 80 70 60 50 40 30 20 15* "},
                    Entry{"BetweenTheEleventhAndTwelfth", 1600, "120 110 100 90 80 70 60 50 40 30 20 16* "},
                    Entry{"EqualToTheEleventh", 2000, "120 110 100 90 80 70 60 50 40 30 20* 15 "},
                    Entry{"EqualToAnEntryHigherUp", 7000, "120 110 100 90 80 70* 60 50 40 30 20 15 "},
                    Entry{"ANewFirstPlace", 50000, "500* 120 110 100 90 80 70 60 50 40 30 20 "}),
    kvtest::CaseName{});

struct NameCase { const char* name; std::string player, inTable; };
class OddNames : public testing::TestWithParam<NameCase> {};
TEST_P(OddNames, AreWrittenSoThatTheyReadBack) {
    EXPECT_EQ(tableName(GetParam().player), GetParam().inTable);
    ScoreTableRead r = readScoreTable(writeScoreTable(std::vector<ScoreEntry>(12, {tableName(GetParam().player), 5})));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entries[0].name, GetParam().inTable);
}
INSTANTIATE_TEST_SUITE_P(Names, OddNames, testing::Values(
                    NameCase{"RegistryBuffer", std::string("root\0       ", 12), "root"},
                    NameCase{"QuotesAndCommas", "Ace \"Flash\", Jr", "Ace 'Flash'; Jr"},
                    NameCase{"TwoThreeAndFourByteCharacters", "J\xC3\xB8rg \xE2\x82\xAC\xF0\x9F\x9A\x80",
                             "J\xC3\xB8rg \xE2\x82\xAC\xF0\x9F\x9A\x80"},
                    NameCase{"ControlCharactersAndACutCharacter", "Tab\tBell\a\x7F\xC2\x9B\xC2\x9F Zo\xC3", "TabBell Zo"},
                    NameCase{"ANoBreakSpaceIsNoControl", "No\xC2\xA0" "Break", "No\xC2\xA0" "Break"},
                    // Invisible, and at the head of the file the reader's to drop.
                    NameCase{"ByteOrderMarks", " \xEF\xBB\xBF" "Ace\xEF\xBB\xBF", "Ace"}),
    kvtest::CaseName{});

// ---- The scroller texts ------------------------------------------------

struct ScrollCase { const char* name; std::string bytes;
    std::vector<std::string> lines; std::string errorPart; int count = int(lines.size()); };
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
INSTANTIATE_TEST_SUITE_P(Files, ScrollFiles, testing::Values(
        ScrollCase{"AsShipped", "3\r\nKORVANE\r\n\r\n", {"KORVANE", ""}, ""},
        ScrollCase{"OneMeansNoLines", "1\r\n", {}, ""},
        ScrollCase{"ZeroMeansNothingAtAll", "0\r\n", {}, "", -1},
        ScrollCase{"FewerAnnouncedThanHeld", "2\r\nOne\r\nTwo\r\n", {"One"}, ""},
        ScrollCase{"LineFeedsOnlyAndNoEndAtTheEnd", " 3 \nOne\nTwo", {"One", "Two"}, ""},
        ScrollCase{"TabsShowAsSpaces", "2\r\na\tb\r\n", {"a b"}, ""},
        ScrollCase{"AsLargeAsMayBe", "1" + std::string(kMostScrollBytes - 1, '\n'), {}, ""},
        ScrollCase{"MoreAnnouncedThanHeld", "5\r\nOne\r\nTwo\r\n", {}, "announces 4 lines of text but holds only 2"},
        ScrollCase{"AsMuchAsTheArrayHolds", "1000\r\n" + std::string(999, '\n'), std::vector<std::string>(999), ""},
        ScrollCase{"MoreThanTheArrayHolds", "1001\r\n" + std::string(1000, '\n'), {}, "holds at most 999"},
        ScrollCase{"ACountThatIsNotANumber", "lots\r\nOne\r\n", {}, "first line should be the number"},
        ScrollCase{"ABinaryFile", "2\r\n\x00\x01\x02\r\n"s, {}, "not a text file"},
        ScrollCase{"AHugeFile", std::string(kMostScrollBytes + 1, 'a'), {}, "far too large"}),
    kvtest::CaseName{});

struct FadeCase { const char* name; const ScrollFade* fade; int h; std::vector<double> ys; std::vector<int> levels; };
class ScrollerFade : public testing::TestWithParam<FadeCase> {};
TEST_P(ScrollerFade, DimsRowsInEightStepsTowardEitherEdge) {
    std::vector<int> levels;
    for (double y : GetParam().ys) levels.push_back(fadeLevel(*GetParam().fade, y, GetParam().h));
    EXPECT_EQ(levels, GetParam().levels);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ScrollerFade,
    // The menu's edges lie 13k/3 from the top and the bottom (4.33, 8.67, 13, ... 34.67); the end's 24k/2 (12 ... 96).
    // A row exactly on an edge is not past it.
    testing::Values(FadeCase{"Menu", &kMenuFade, 265, {0, 5, 9, 13, 18, 22, 27, 31, 35, 132, 231, 261, -40},
                             {10, 25, 50, 75, 100, 150, 175, 200, 255, 255, 200, 10, 10}},
                    FadeCase{"End", &kEndFade, 385, {11, 12, 24, 36, 48, 60, 72, 84, 96, 289, 290, 374},
                             {10, 25, 50, 75, 100, 150, 175, 200, 255, 255, 200, 10}}),
    kvtest::CaseName{});

}  // namespace
