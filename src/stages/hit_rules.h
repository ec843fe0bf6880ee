#pragma once
// The hit tests of the two stages. All comparisons are strict: touching is not
// hitting.
#include "runtime/geometry.h"

namespace kv::stages {

// A player's shot strikes an enemy ship when it lies wholly inside the ship's
// width with its tip inside the ship's height.
constexpr bool shotStrikesEnemy(Rect shot, Rect ship) {
    return shot.y < ship.bottom() && ship.y < shot.y && ship.x < shot.x && shot.right() < ship.right();
}

// A fireball strikes the player's ship when it lies wholly inside the ship's
// width and straddles the ship's top edge.
constexpr bool fireballStrikesPlayer(Rect ball, Rect player) {
    return player.x < ball.x && ball.right() < player.right() && player.y < ball.bottom() && ball.y < player.y;
}

// The mother ship is big: any overlap in width will do, with the shot's tip
// inside its height.
constexpr bool shotStrikesMotherShip(Rect shot, Rect boss) {
    return shot.y < boss.bottom() && boss.y < shot.y && boss.x < shot.right() && shot.x < boss.right();
}

}  // namespace kv::stages
