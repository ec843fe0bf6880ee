// The stages' hit tests at their edges: strict comparisons, wholly inside or
// merely overlapping.
#include <gtest/gtest.h>

#include "stages/hit_rules.h"
#include "support/case_names.h"

using kv::Rect;
using namespace kv::stages;

// A 13 x 36 shot at an enemy at (100, 50), 89 x 64 (E), or at the mother ship at
// (300, 40), 194 x 216 (M); a 29 x 68 fireball at the player at (364, 461), 76 x 66 (F).
struct HitCase { const char* name; char rule; int x, y; bool hits; };
class HitRules : public testing::TestWithParam<HitCase> {};
TEST_P(HitRules, StrikeOnlyAsTheRuleSays) {
    const HitCase& c = GetParam();
    const bool ball = c.rule == 'F';
    const Rect mover{c.x, c.y, ball ? 29 : 13, ball ? 68 : 36};
    const bool hits = c.rule == 'E'   ? shotStrikesEnemy(mover, Rect{100, 50, 89, 64})
                      : c.rule == 'F' ? fireballStrikesPlayer(mover, Rect{364, 461, 76, 66})
                                      : shotStrikesMotherShip(mover, Rect{300, 40, 194, 216});
    EXPECT_EQ(hits, c.hits);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, HitRules, testing::Values(
    HitCase{"ShotInsideTheEnemy", 'E', 130, 100, true}, HitCase{"ShotOnTheEnemysLeftEdge", 'E', 100, 100, false},
    HitCase{"ShotOnTheEnemysRightEdge", 'E', 176, 100, false}, HitCase{"ShotTipAtTheEnemysBottom", 'E', 130, 114, false},
    HitCase{"ShotTipAtTheEnemysTop", 'E', 130, 50, false}, HitCase{"FireballStraddlingTheShip", 'F', 380, 420, true},
    HitCase{"FireballOnTheLeftEdge", 'F', 364, 420, false}, HitCase{"FireballOnTheRightEdge", 'F', 411, 420, false},
    HitCase{"FireballAboveTheShip", 'F', 380, 393, false}, HitCase{"FireballLevelWithTheShip", 'F', 380, 461, false},
    HitCase{"ShotOverTheMothersLeftEdge", 'M', 290, 100, true}, HitCase{"ShotAtTheMothersLeftEdge", 'M', 287, 100, false},
    HitCase{"ShotAtTheMothersRightEdge", 'M', 494, 100, false}, HitCase{"ShotBelowTheMother", 'M', 350, 256, false},
    HitCase{"ShotTipAtTheMothersTop", 'M', 350, 40, false}), kvtest::CaseName());
// clang-format on
