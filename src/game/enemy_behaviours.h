// Per-type behaviour routines of the enemies, called by the enemy dispatch.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// Walkers, brawlers, chargers, sentries, guards and gunners.
void UpdateGroundEnemy(System* sys, Enemy* enemy);
int MagicHitsEnemy(System* sys, int column, int row);

// Shots and strikes, flyers, turrets.
void FireEnemyShot(System* sys, Enemy* shooter);
void LaunchEnemyShot(System* sys, Enemy* shot);
void UpdateEnemyShot(System* sys, Enemy* enemy);
void SpawnStrike(System* sys, Enemy* attacker);
void UpdateFlyer(System* sys, Enemy* enemy);
void UpdateTurret(System* sys, Enemy* enemy);
void UpdateCrawler(System* sys, Enemy* enemy);
