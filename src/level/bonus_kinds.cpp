#include "level/bonus_kinds.h"

namespace kv::level {

namespace {
constexpr Color kGood{0, 200, 0}, kStage{255, 255, 0}, kBad{255, 0, 0};
using E = BonusEffect;

constexpr BonusKind kKinds[19] = {
    {nullptr, kBad, false, E::None},
    {"Decrease Radiation Level", kGood, true, E::DecreaseRadiation},    // 1
    {"EXTRA LIFE!", kGood, true, E::ExtraLife},                         // 2
    {"Faster Movement", kGood, true, E::FasterMovement},                // 3
    {"BONUS STAGE!", kStage, true, E::BonusStage},                      // 4
    {"100 Points", kGood, true, E::HundredPoints},                      // 5
    {"Shoot 1 extra bullet", kGood, true, E::ExtraBullet},              // 6
    {"Complete Level", kGood, true, E::CompleteLevel},                  // 7
    {"Increase Radiation Level", kBad, false, E::IncreaseRadiation},    // 8
    {"Slower Movement", kBad, false, E::SlowerMovement},                // 9
    {"Shoot 1 Bullet", kBad, false, E::OneBullet},                      // 10
    {"Decrease Radiation Level", kGood, true, E::DecreaseRadiation},    // 11
    {"EXTRA LIFE!", kGood, true, E::ExtraLife},                         // 12
    {"Faster Movement", kGood, true, E::FasterMovement},                // 13
    {"BONUS STAGE!", kStage, true, E::BonusStage},                      // 14
    {"BONUS STAGE!", kStage, true, E::BonusStage},                      // 15
    {"100 Points", kGood, true, E::HundredPoints},                      // 16
    {"Shoot 1 extra bullet", kGood, true, E::ExtraBullet},              // 17
    {"BONUS STAGE!", kStage, true, E::BonusStage},                      // 18
};
}  // namespace

const BonusKind& bonusKind(int type) { return type >= 1 && type <= 18 ? kKinds[type] : kKinds[0]; }

}  // namespace kv::level
