// The walking and attack animations of the enemy types.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

void SetEnemyAnim(System* sys, Enemy* enemy);
void SetEnemyAttackAnim(System* sys, Enemy* enemy);
