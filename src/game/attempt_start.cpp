// An attempt's start: the game-wide values a level attempt begins from,
// noted before its set-up and put back for a replay.
#include <cstring>

#include "game/recording.h"
#include "input/input.h"

namespace {

uint8_t HeldMask(const InputState* input) {
  uint8_t mask = 0;
  for (int i = 0; i < kInputCount; i++)
    if (input->held[i]) mask |= 1u << i;
  return mask;
}

}  // namespace

void NewGameAttemptStart(AttemptStart* start, int level) {
  std::memset(start, 0, sizeof(AttemptStart));
  start->level = level;
  start->lives = kStartLives;
  start->magic = kStartMagic;
}

void CaptureAttemptStart(const System* sys, AttemptStart* start) {
  const GameState* game = sys->game;
  const Player& p = game->player;
  std::memset(start, 0, sizeof(AttemptStart));
  start->level = game->level;
  start->lives = p.lives;
  start->magic = p.magic;
  start->score = p.score;
  start->fireBonus = p.fireBonus;
  start->itemsPlaced = game->itemsPlaced;
  start->itemsTotal = game->itemsTotal;
  start->itemsTaken = game->itemsTaken;
  start->state = p.state;
  start->onGround = p.onGround;
  start->facing = p.facing;
  start->crouching = p.crouching;
  start->deathTimer = p.deathTimer;
  if (game->itemsPlaced) {
    for (const Item& item : game->items) {
      if (item.type == 0) continue;
      // A hidden flag holds its map record's number until a set-up makes it 1.
      start->items[start->itemCount++] = {item.type, item.tileX, item.tileY, item.hidden != 0, item.changes};
    }
  }
  start->heldAtStart = HeldMask(sys->input);
  start->setupInput = ReadRawInput(sys->input);
}

void ApplyAttemptStart(System* sys, const AttemptStart* start) {
  GameState* game = sys->game;
  Player& p = game->player;
  game->level = start->level;
  p.lives = start->lives;
  p.magic = start->magic;
  p.score = start->score;
  p.fireBonus = start->fireBonus;
  game->itemsPlaced = start->itemsPlaced;
  game->itemsTotal = start->itemsTotal;
  game->itemsTaken = start->itemsTaken;
  p.state = start->state;
  p.onGround = start->onGround;
  p.facing = start->facing;
  p.crouching = start->crouching;
  p.deathTimer = start->deathTimer;
  std::memset(game->items, 0, sizeof(game->items));
  for (int i = 0; i < start->itemCount && i < kItemSlots; i++) {
    const RecordedItem& r = start->items[i];
    Item& item = game->items[i];
    item.type = r.type;
    item.tileX = r.tileX;
    item.tileY = r.tileY;
    item.hidden = r.hidden;
    item.changes = r.changes;
  }
  for (int i = 0; i < kInputCount; i++) sys->input->held[i] = (start->heldAtStart >> i) & 1;
}
