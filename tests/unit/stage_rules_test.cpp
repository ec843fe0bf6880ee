// The stages' hit tests at their edges: strict comparisons, wholly inside or
// merely overlapping.
#include <gtest/gtest.h>

#include "stages/hit_rules.h"
#include "support/case_names.h"

using kv::Rect;
using namespace kv::stages;

namespace {
enum class Rule { ShotOnEnemy, FireballOnPlayer, ShotOnMotherShip };

struct HitCase {
    const char* name;
    Rule rule;
    Rect mover, target;
    bool hits;
};

bool strikes(const HitCase& c) {
    switch (c.rule) {
        case Rule::ShotOnEnemy: return shotStrikesEnemy(c.mover, c.target);
        case Rule::FireballOnPlayer: return fireballStrikesPlayer(c.mover, c.target);
        case Rule::ShotOnMotherShip: return shotStrikesMotherShip(c.mover, c.target);
    }
    return false;
}

// An enemy at (100, 50), 89 x 64; a shot is 13 x 36.
constexpr Rect kEnemy{100, 50, 89, 64};
// The player at (364, 461), 76 x 66; a fireball is 29 x 68.
constexpr Rect kPlayer{364, 461, 76, 66};
// The mother ship at (300, 40), 194 x 216.
constexpr Rect kMother{300, 40, 194, 216};
}  // namespace

class HitRules : public testing::TestWithParam<HitCase> {};
TEST_P(HitRules, StrikeOnlyAsTheRuleSays) { EXPECT_EQ(strikes(GetParam()), GetParam().hits); }

INSTANTIATE_TEST_SUITE_P(
    Edges, HitRules,
    testing::Values(
        HitCase{"ShotWhollyInsideTheEnemy", Rule::ShotOnEnemy, {130, 100, 13, 36}, kEnemy, true},
        HitCase{"ShotOnTheEnemysLeftEdge", Rule::ShotOnEnemy, {100, 100, 13, 36}, kEnemy, false},
        HitCase{"ShotOneInsideTheLeftEdge", Rule::ShotOnEnemy, {101, 100, 13, 36}, kEnemy, true},
        HitCase{"ShotReachingTheRightEdge", Rule::ShotOnEnemy, {176, 100, 13, 36}, kEnemy, false},
        HitCase{"ShotHalfOverTheRightEdge", Rule::ShotOnEnemy, {182, 100, 13, 36}, kEnemy, false},
        HitCase{"ShotTipAtTheEnemysBottom", Rule::ShotOnEnemy, {130, 114, 13, 36}, kEnemy, false},
        HitCase{"ShotTipAtTheEnemysTop", Rule::ShotOnEnemy, {130, 50, 13, 36}, kEnemy, false},
        HitCase{"FireballStraddlingTheShip", Rule::FireballOnPlayer, {380, 420, 29, 68}, kPlayer, true},
        HitCase{"FireballOverTheLeftSide", Rule::FireballOnPlayer, {350, 420, 29, 68}, kPlayer, false},
        HitCase{"FireballOverTheRightSide", Rule::FireballOnPlayer, {420, 420, 29, 68}, kPlayer, false},
        HitCase{"FireballAboveTheShip", Rule::FireballOnPlayer, {380, 393, 29, 68}, kPlayer, false},
        HitCase{"FireballLevelWithTheShipsTop", Rule::FireballOnPlayer, {380, 461, 29, 68}, kPlayer, false},
        HitCase{"ShotOverlappingTheMothersLeftEdge", Rule::ShotOnMotherShip, {290, 100, 13, 36}, kMother, true},
        HitCase{"ShotTouchingTheMothersLeftEdge", Rule::ShotOnMotherShip, {287, 100, 13, 36}, kMother, false},
        HitCase{"ShotOverlappingTheMothersRightEdge", Rule::ShotOnMotherShip, {490, 100, 13, 36}, kMother, true},
        HitCase{"ShotTouchingTheMothersRightEdge", Rule::ShotOnMotherShip, {494, 100, 13, 36}, kMother, false},
        HitCase{"ShotBelowTheMother", Rule::ShotOnMotherShip, {350, 256, 13, 36}, kMother, false}),
    kvtest::CaseName());
