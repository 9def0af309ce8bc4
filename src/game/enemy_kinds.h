// One row a kind of enemy: how it moves and is drawn, what it does at walls,
// edges and on landing, what it looks out for, and what fire and magic do to it.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// What a ground enemy does when it walks into a solid cell.
enum WallReaction {
  WallStop,          // stands there (not a ground walker)
  WallTurn,          // pauses and turns back
  WallTurnBreaking,  // pauses, turns back, and a block it met breaks
  WallStrikeBlock,   // strikes at a block, otherwise turns back
  WallChargeThrough  // breaks a block and charges on, otherwise turns back
};
// What a falling ground enemy does when it lands.
enum LandingAction {
  LandKeepGoing,   // nothing changes
  LandWalk,        // walks on in its direction
  LandFacePlayer,  // turns towards the player and walks
  LandStandStill,  // stops
  LandVanish       // a puff, and it is gone
};
// What a ground enemy does when the player stands level with it, ahead.
enum Lookout {
  LookNothing,
  LookStrike,  // within a cell: a strike in the cell ahead
  LookShoot,   // anywhere ahead: a shot
  LookCharge   // anywhere ahead: alert, and twice the speed
};
// How a kind's animation is put together from its frames.
enum EnemyLooks {
  LooksOwnAnimation,  // shots and strikes animate themselves
  LooksFacingLoop,    // two frames from the facing's first, at `walkTicks`
  LooksTurningWalk,   // four frames, run forwards facing right, backwards facing left
  LooksAimed,         // one frame a direction, from the first
  LooksHovering       // one frame a facing, dazed while it waits
};

struct EnemyKind {
  const char* name;
  void (*update)(System* sys, Enemy* enemy);       // null: does nothing of its own
  int (*touches)(int ax, int ay, int bx, int by);  // its contact box with the player
  int fireproof;                                   // fireballs vanish on it without harm
  int expires;                                     // a spawned enemy that vanishes with a puff at the end of its life
  int spawned;                                     // a map line makes a spawner of it, not the enemy
  int startsStill;                                 // placed without speed, whatever the map says
  int stunnedType;  // what block magic makes of it for a while; 0: magic does nothing to it
  int recoversTo;   // what it becomes again when its stun runs out; 0: it is not stunned
  WallReaction wall;
  int turnsAtEdges;  // turns back rather than walk off a ledge
  LandingAction landing;
  Lookout lookout;
  EnemyLooks looks;
  int frameRight;  // first frame facing right (or the aimed frames' first)
  int frameLeft;   // first frame facing left
  int alertShift;  // frames on from the facing's first while alert (a flyer: while it waits, dazed)
  int walkTicks;   // frames each walking frame shows
  int attack[3];   // attack pose: two frames and the held one, on from the facing's first
  int breakFrame;  // a charge through a block: its first frame on from the facing's first
};

// The row of a type; unknown types get the free slot's row (no behaviour).
const EnemyKind& EnemyKindOf(int type);
// 1 for the types 1..12 that have a row of their own.
int IsEnemyKind(int type);
