// The walking and attack animations of the enemy types.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// The standing, walking or flying animation of the enemy's type and direction; shots and strikes
// are left alone.
void SetEnemyAnim(System* sys, Enemy* enemy);
// The attack pose of a brawler, guard or gunner; other types are left alone.
void SetEnemyAttackAnim(System* sys, Enemy* enemy);
