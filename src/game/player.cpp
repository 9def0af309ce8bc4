#include "game/player.h"

#include <cstdio>

#include "engine/scene.h"
#include "game/grid.h"
#include "game/items.h"
#include "game/level_frame.h"
#include "game/magic.h"
#include "graphics/sprite_update.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kWalkAccel = 128;
constexpr int kFriction = 64;
constexpr int kMaxRun = 384;
constexpr int kGravity = 64;
constexpr int kMaxFall = 768;
constexpr int kJumpSpeed = -1248;
constexpr int kJumpWindUp = 12;
constexpr int kLandPose = 10;
constexpr int kCastPose = 16;
constexpr int kGiveUpLineGap = 24;       // pixels from "Paused" down to the line under it
constexpr int kHeadStop = kCellFar + 1;  // a rising head stops this far into the cell below a block
// A ring left open lets the player walk out of the grid and on for as long as
// the clock lasts. The position stops this far outside (273 levels' width),
// where the camera and every cell lookup see it outside all the same, long
// before it could overflow.
constexpr Fixed12 kFarOutside = PixelsToFixed(1 << 18);

Fixed12 WithinReach(Fixed12 position) {
  constexpr Fixed12 kLow = -kFarOutside, kHigh = PixelsToFixed(kLevelPixels) + kFarOutside;
  return position < kLow ? kLow : position > kHigh ? kHigh : position;
}

void Animate(Sprite* sprite, const int (*steps)[2], int count, int terminator) {
  ResetSpriteAnim(sprite);
  for (int i = 0; i < count; i++) AddSpriteAnimStep(sprite, steps[i][0], steps[i][1], terminator);
}

// The death hop: up first, then down and out of the level.
int DeathHopSpeed(int deathTimer) {
  if (deathTimer > 190) return -12288;
  if (deathTimer > 180) return -6144;
  if (deathTimer > 170) return 6144;
  if (deathTimer > 160) return 12288;
  return 24576;
}

void Steer(System* sys, Player* p, int facing) {
  if (!(p->state == Walk && p->facing == facing)) {
    p->facing = facing;
    p->state = Walk;
    SetPlayerAnim(sys);
  }
  if (!p->onGround) {
    p->state = Air;
    SetPlayerAnim(sys);
  }
}

void StartPause(System* sys) {
  FreezeLayer(sys, LayerWorld);
  sys->updateLayer[LayerScreens] = PauseUpdate;
  Sprite* text = AllocTextSprite(sys->layers[LayerScreens], sys->font, 1800);
  if (!text) return;
  std::snprintf(text->text, sizeof text->text, "Paused");
  SetSpritePos(text, 130, 100);
  SetSpriteBlink(text, 100);
  if (Sprite* way = AllocTextSprite(sys->layers[LayerScreens], sys->font, 1800)) {
    std::snprintf(way->text, sizeof way->text, "V gives up this try for a life");
    SetSpritePos(way, 130, 100 + kGiveUpLineGap);
    way->visible = 1;
  }
}

void BumpHead(System* sys, int column, int row) {
  Sprite* tile = TileAt(sys->game, column, row);
  if (tile && tile->frame == TileBlock) {
    tile->frame = TileCracked;
  } else if (tile && tile->frame == TileCracked) {
    tile->frame = TileEmpty;
    RevealItemAt(sys, column, row);
  }
  PlaySound(sys->sound, SndBlockHit);
}

void CollideWithTiles(System* sys, Player* p) {
  const GameState* g = sys->game;
  auto solid = [g](int column, int row) { return IsSolidCell(g, column, row); };
  // The corner of the body where this frame's motion will take it.
  CellProbe at = ProbeAt(FixedToPixels(p->x + 16 * p->vx), FixedToPixels(p->y + 16 * p->vy));

  if (p->vx < 0 && at.fx > kCellHalf) {
    if ((solid(at.c, at.r) && at.fy < kCellFar && at.fx < kCellFar) ||
        (at.fy > kCellInset && solid(at.c, at.r + 1) && at.fx < kCellFar)) {
      p->x = PixelsToFixed(kCellSize * at.c + kCellFar);
      p->vx = 0;
      at.fx = kCellFar;
    }
  }
  if (p->vx > 0 && at.fx < kCellHalf) {
    if ((at.fy > kCellInset && solid(at.c + 1, at.r + 1) && at.fx > kCellInset) ||
        (solid(at.c + 1, at.r) && at.fy < kCellFar && at.fx > kCellInset)) {
      p->x = PixelsToFixed(kCellSize * at.c + kCellInset);
      p->vx = 0;
      at.fx = kCellInset;
    }
  }
  if (p->vy > 0) {
    if ((solid(at.c, at.r + 1) && at.fx < kCellFar) || (solid(at.c + 1, at.r + 1) && at.fx > kCellInset)) {
      p->y = PixelsToFixed(kCellSize * at.r);
      if (p->state != JumpStart) p->onGround = 1;
      if (p->vy == kMaxFall) {
        p->actionTimer = kLandPose;
        p->state = Land;
        SetPlayerAnim(sys);
      } else if (p->state != Walk) {
        p->state = Stand;
        SetPlayerAnim(sys);
      }
      p->vy = 0;
    } else {
      p->onGround = 0;
    }
  }
  if (p->vy < 0 && at.fy < kHeadStop) {
    const bool left = solid(at.c, at.r) && at.fx < kCellFar;
    const bool right = solid(at.c + 1, at.r) && at.fx > kCellInset;
    if (left || right) {
      const int column = (right && !left) || (left && right && at.fx > kCellHalf) ? at.c + 1 : at.c;
      BumpHead(sys, column, at.r);
      p->y = PixelsToFixed(kCellSize * at.r + kHeadStop);
      p->vy = 0;
    }
  }
}

}  // namespace

int UpdatePlayer(System* sys) {
  GameState* game = sys->game;
  Player* p = &game->player;
  Sprite* sprite = p->sprite;
  if (p->clearTimer != 0) return 0;
  if (p->dying) {
    if (sprite) sprite->vy = DeathHopSpeed(p->deathTimer);
    return 0;
  }
  if (p->actionTimer > 0) {
    p->actionTimer -= 1;
    if (p->actionTimer == 0) {
      if (p->state == JumpStart) {
        p->vy = kJumpSpeed;
        p->state = Air;
        SetPlayerAnim(sys);
      } else {
        p->state = Stand;
      }
    }
    return 0;
  }

  PollInput(sys->input);
  const int* in = sys->input->pressed;
  if (in[Up] && p->onGround) {
    p->state = JumpStart;
    SetPlayerAnim(sys);
    p->actionTimer = kJumpWindUp;
    p->onGround = 0;
  }
  if (p->actionTimer == 0 && p->onGround && in[Down]) {
    p->crouching = 1;
    if (sprite) sprite->frame = p->facing * kPlayerLeft + FramePlayerCrouch;
    p->state = Stand;
    SetPlayerAnim(sys);
  } else if (p->crouching == 1) {
    if (sprite) sprite->frame = p->facing * kPlayerLeft + FramePlayerStand;
    p->crouching = 0;
  }
  int dir = 0;
  if (p->actionTimer == 0 && in[Right]) {
    dir = 1;
    Steer(sys, p, 0);
  }
  if (p->actionTimer == 0 && in[Left]) {
    dir = -1;
    Steer(sys, p, 1);
  }
  if (p->actionTimer == 0 && in[ButtonC]) StartPause(sys);
  if (p->actionTimer == 0 && in[ButtonZ]) {
    p->state = Cast;
    p->actionTimer = kCastPose;
    UseBlockMagic(sys);
    SetPlayerAnim(sys);
  }
  if (p->actionTimer == 0 && in[ButtonX]) {
    p->state = Cast;
    p->actionTimer = kCastPose;
    ShootFireball(sys);
    SetPlayerAnim(sys);
  }
  if (p->actionTimer == 0) p->vx += kWalkAccel * dir;
  if (p->vx == 0 && p->state == Walk) {
    p->state = Stand;
    SetPlayerAnim(sys);
  }
  if (p->actionTimer == 0 && dir == 0) {
    if (p->vx < 0) p->vx += kFriction;
    if (p->vx > 0) p->vx -= kFriction;
  }
  if (p->actionTimer == 0) p->vy += kGravity;
  if (p->vx < -kMaxRun) p->vx = -kMaxRun;
  if (p->vx > kMaxRun) p->vx = kMaxRun;
  if (p->vy > kMaxFall) p->vy = kMaxFall;

  CollideWithTiles(sys, p);

  if (sprite) sprite->visible = 1;
  if (p->actionTimer == 0) {
    p->x = WithinReach(p->x + 16 * p->vx);
    p->y = WithinReach(p->y + 16 * p->vy);
  }
  if (sprite) {
    sprite->x = p->x + (p->state == Cast && p->facing == 1 ? PixelsToFixed(-12) : 0);
    sprite->y = p->y;
  }
  return 1;
}

void SetPlayerAnim(System* sys) {
  Player* p = &sys->game->player;
  Sprite* sprite = p->sprite;
  if (!sprite) return;
  const int base = p->facing * kPlayerLeft;
  switch (p->state) {
    case Stand:
      ResetSpriteAnim(sprite);
      sprite->frame = base + (p->crouching ? FramePlayerCrouch : FramePlayerStand);
      break;
    case Walk:
    case WalkFast: {
      const int ticks = p->state == Walk ? 8 : 4;
      const int steps[][2] = {
          {base + FramePlayerStand, ticks}, {base + FramePlayerStride, ticks}, {base + FramePlayerStand, 1}};
      Animate(sprite, steps, 3, AnimLoop);
      break;
    }
    case JumpStart:
    case Land:
      ResetSpriteAnim(sprite);
      sprite->frame = base + FramePlayerSquat;
      break;
    case Air:
      ResetSpriteAnim(sprite);
      sprite->frame = base + FramePlayerStride;
      break;
    case Cast: {
      const int first = base + (p->crouching ? FramePlayerCrouchCharge : FramePlayerCharge);
      const int steps[][2] = {{first, 8}, {first + 1, 8}, {base + FramePlayerStand, 1}};
      Animate(sprite, steps, 3, AnimStop);
      break;
    }
    default:
      break;
  }
}

void PlayDeathAnim(System* sys) {
  Sprite* sprite = sys->game->player.sprite;
  if (!sprite) return;
  const int steps[][2] = {{FramePlayerDeath, 4},
                          {FramePlayerDeath + 1, 4},
                          {FramePlayerDeath + 2, 4},
                          {FramePlayerDeath + 3, 4},
                          {FramePlayerDeath, 1}};
  Animate(sprite, steps, 5, AnimLoop);
}

void PauseUpdate(System* sys) {
  PollInput(sys->input);
  const int* in = sys->input->pressed;
  Player* player = &sys->game->player;
  if (in[ButtonV] && !player->dying && !sys->game->levelCleared) {
    // A player stuck where nothing leads on need not wait for the clock: the
    // clock is run out now, and the next frame starts the death it brings.
    player->life = 0;
    ResetLayerFlags(sys, LayerWorld);
    ClearScene(sys, LayerScreens);
    return;
  }
  if (in[ButtonC]) {
    ResetLayerFlags(sys, LayerWorld);
    ClearScene(sys, LayerScreens);
  }
  const int dy = in[Down] ? 1 : in[Up] ? -1 : 0;
  const int dx = in[Right] ? 1 : in[Left] ? -1 : 0;
  SpriteList* world = sys->layers[LayerWorld];
  if (!world) return;
  const int w = sys->screen ? sys->screen->w : kScreenWidth;
  const int h = sys->screen ? sys->screen->h : kScreenHeight;
  const int camX = ClampCameraAxis(FixedToPixels(world->cameraX) + dx, w);
  const int camY = ClampCameraAxis(FixedToPixels(world->cameraY) + dy, h);
  world->cameraX = PixelsToFixed(camX);
  world->cameraY = PixelsToFixed(camY);
}
