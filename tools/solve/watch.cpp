#include "solve/watch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "base/media_slots.h"
#include "game/enemy_kinds.h"
#include "game/items.h"
#include "game/level_frame.h"
#include "input/input.h"
#include "solve/ideas.h"

namespace {

const char* EnemyName(int type) { return EnemyKindOf(type).name; }

uint32_t SoundBit(int sound) { return sound >= 10 && sound < 42 ? 1u << (sound - 10) : 0; }

// The camera as the game centres it on the player, clamped to the level.
void CameraAt(const Player& p, int* x, int* y) {
  *x = ClampCameraAxis(FixedToPixels(p.x) - (kScreenWidth - kCellSize) / 2, kScreenWidth);
  *y = ClampCameraAxis(FixedToPixels(p.y) - (kScreenHeight - kCellSize) / 2, kScreenHeight);
}

int CodeAt(const GameState* g, int c, int r) { return g->tiles[c][r] ? g->tiles[c][r]->frame : TileWall; }

}  // namespace

std::string KindName(int type, int maker) {
  if (type == EnemyShot || type == EnemyStrike) {
    const std::string what = type == EnemyShot ? "shot" : "strike";
    return maker ? std::string("a ") + EnemyName(maker) + "'s " + what : "a " + what;
  }
  return std::string("a ") + EnemyName(type);
}

std::string KindList(uint64_t kinds) {
  std::string list;
  auto add = [&](const std::string& name) { list += (list.empty() ? "" : ", ") + name; };
  for (int type = 1; type < kEnemyTypeCount; type++)
    if (type != EnemyShot && type != EnemyStrike && type != EnemySentryStunned && (kinds & KindBit(type, 0)))
      add(KindName(type, 0));
  for (int maker = 0; maker < kEnemyTypeCount; maker++) {
    if (kinds & KindBit(EnemyShot, maker)) add(KindName(EnemyShot, maker) + "s");
    if (kinds & KindBit(EnemyStrike, maker)) add(KindName(EnemyStrike, maker) + "s");
  }
  return list;
}

const char* ItemName(int type) { return ItemKindOf(type).name; }

void PassWatch::Reset(const System* sys, const std::vector<uint8_t>& tracking, int pass) {
  const GameState* g = sys->game;
  pass_ = pass;
  ideasUsed = 0;
  died = false;
  death = Death{};
  kindsMet = 0;
  taken.fill(0);
  changes.clear();
  ideaCounts.fill(0);
  tracked_.fill({});
  used_ = kEnemySlots;
  for (size_t at = 0; at + 1 + sizeof(Tracked) <= tracking.size(); at += 1 + sizeof(Tracked))
    std::memcpy(&tracked_[tracking[at]], &tracking[at + 1], sizeof(Tracked));
  Refresh(g);
  Track(sys);
}

void PassWatch::SaveTracking(std::vector<uint8_t>* out) const {
  out->clear();
  for (int slot = 0; slot < kEnemySlots; slot++) {
    if (!tracked_[slot].serial) continue;
    out->push_back(static_cast<uint8_t>(slot));
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&tracked_[slot]);
    out->insert(out->end(), bytes, bytes + sizeof(Tracked));
  }
}

void PassWatch::Refresh(const GameState* g) {
  if (!(ideas_ & IdeaBump) && !report_) return;
  for (int c = 0; c < kGridSize; c++)
    for (int r = 0; r < kGridSize; r++) codes_[c * kGridSize + r] = static_cast<uint8_t>(CodeAt(g, c, r));
  for (int i = 0; i < kItemSlots; i++) items_[i] = static_cast<uint8_t>(g->items[i].type);
}

void PassWatch::Heard(int sound) { heard_ |= SoundBit(sound); }

void PassWatch::Before(const System* sys, uint8_t input) {
  const GameState* g = sys->game;
  heard_ = 0;
  magic_ = g->player.magic;
  dying_ = g->player.dying;
  sentries_.clear();
  if ((ideas_ & IdeaStun) || report_)
    if (input & (1u << ButtonZ))
      for (int i = 0; i < kEnemySlots; i++)
        if (g->enemies[i].type == EnemySentry) sentries_.push_back(i);
}

void PassWatch::After(const System* sys) {
  const GameState* g = sys->game;
  const Player& p = g->player;
  const uint32_t watched = report_ ? ~0u : ideas_;
  uint32_t used = 0;
  if (p.magic < magic_) used |= IdeaFire;
  if (heard_ & SoundBit(SndMakeBlock)) used |= IdeaMake;
  if (heard_ & SoundBit(SndMagicBreak)) used |= IdeaBreak;
  const bool cast = p.state == Cast && p.actionTimer == 16 && sys->input->pressed[ButtonZ];
  if (cast && p.crouching) used |= IdeaLow;
  for (int slot : sentries_)
    if (g->enemies[slot].type == EnemySentryStunned) used |= IdeaStun;
  if ((watched & IdeaBump) && (heard_ & SoundBit(SndBlockHit))) {
    // Only a knock of the head cracks a block, or breaks a cracked one
    // without the change frame between.
    for (int c = 0; c < kGridSize; c++)
      for (int r = 0; r < kGridSize; r++) {
        const int was = codes_[c * kGridSize + r], now = CodeAt(g, c, r);
        if ((now == TileCracked && (was == TileBlock || was == TileChange)) || (now == TileEmpty && was == TileCracked))
          used |= IdeaBump;
      }
  }
  used &= watched;
  ideasUsed |= used;
  if (report_) {
    for (size_t i = 0; i < std::size(kIdeaNames); i++) ideaCounts[i] += (used & kIdeaNames[i].idea) != 0;
    for (int i = 0; i < kItemSlots; i++) {
      const int was = items_[i], now = g->items[i].type;
      if (was == now || was == 0) continue;
      if (now == 0) {
        taken[was <= 18 ? was : 0]++;
      } else {
        changes.push_back({pass_ + 1, g->items[i].tileX, g->items[i].tileY, was, now});
      }
    }
  }
  if (heard_ || report_) Refresh(g);

  died = p.dying && !dying_ && p.deathTimer == kDeathFrames;
  if (died) {
    death = Death{};
    if (p.life > 0) {
      const std::array<Tracked, kEnemySlots> before = tracked_;
      Track(sys);
      FindKiller(sys, before.data());
    }
  } else {
    Track(sys);
  }
  pass_++;
}

// Notes new enemies (and what made a new shot or strike) and those now on screen.
void PassWatch::Track(const System* sys) {
  const GameState* g = sys->game;
  const uint32_t now = sys->timer.frameCount + 1;
  int camX, camY;
  CameraAt(g->player, &camX, &camY);
  // An enemy takes the lowest free slot, so past the last one live before
  // new ones follow on one after another: the walk stops a few free slots
  // past both.
  constexpr int kSlack = 4;
  int last = -1;
  for (int slot = 0; slot < kEnemySlots && (slot < used_ + kSlack || slot <= last + kSlack); slot++) {
    const Enemy& enemy = g->enemies[slot];
    Tracked& t = tracked_[slot];
    if (enemy.type == 0 || !enemy.sprite) {
      t.serial = 0;
      continue;
    }
    last = slot;
    const int ex = FixedToPixels(enemy.sprite->x), ey = FixedToPixels(enemy.sprite->y);
    if (t.serial != enemy.spriteSerial) {
      t = {enemy.spriteSerial, 0, static_cast<uint8_t>(enemy.type), 0};
      // A shot starts on its shooter; a strike a cell before its striker.
      for (int other = 0; other < kEnemySlots && (enemy.type == EnemyShot || enemy.type == EnemyStrike); other++) {
        const Enemy& maker = g->enemies[other];
        if (!maker.sprite || other == slot) continue;
        const int mx = FixedToPixels(maker.sprite->x), my = FixedToPixels(maker.sprite->y);
        const bool shooter = (maker.type == EnemyTurret || maker.type == EnemyGunner) && mx == ex && my == ey;
        const bool striker =
            (maker.type == EnemyBrawler || maker.type == EnemyGuard) && my == ey && std::abs(mx - ex) == kCellSize;
        if ((enemy.type == EnemyShot && shooter) || (enemy.type == EnemyStrike && striker)) {
          t.maker = static_cast<uint8_t>(maker.type);
          t.seenAt = tracked_[other].serial == maker.spriteSerial ? tracked_[other].seenAt : 0;
          break;
        }
      }
    }
    t.type = static_cast<uint8_t>(enemy.type);
    if (ex + kCellSize > camX && ex < camX + kScreenWidth && ey + kCellSize > camY && ey < camY + kScreenHeight) {
      if (!t.seenAt) t.seenAt = now;
      if (report_) kindsMet |= KindBit(enemy.type, t.maker);
    }
  }
  used_ = last + 1;
}

// The enemy whose touch started the death: the nearest live one over the
// player, else one that went in the same pass (a shot that also hit a wall).
bool PassWatch::FindKiller(const System* sys, const Tracked* before) {
  const GameState* g = sys->game;
  // Passes on screen before this one: 0 for never.
  auto seenFor = [&](const Tracked& t) {
    return t.seenAt ? static_cast<int>(sys->timer.frameCount + 1 - t.seenAt) : 0;
  };
  const int px = FixedToPixels(g->player.x), py = FixedToPixels(g->player.y);
  death.column = (px + kCellSize / 2) / kCellSize;
  death.row = (py + kCellSize / 2) / kCellSize;
  int best = -1, bestDistance = 0;
  for (int slot = 0; slot < kEnemySlots; slot++) {
    const Enemy& enemy = g->enemies[slot];
    if (enemy.type == 0 || !enemy.sprite || enemy.sprite->frame == 0) continue;
    const int dx = std::abs(FixedToPixels(enemy.sprite->x) - px), dy = std::abs(FixedToPixels(enemy.sprite->y) - py);
    if (dx > 48 || dy > 52) continue;
    if (best < 0 || dx + dy < bestDistance) best = slot, bestDistance = dx + dy;
  }
  if (best >= 0) {
    const Enemy& enemy = g->enemies[best];
    const bool known = before[best].serial == enemy.spriteSerial;
    death.killer = enemy.type;
    death.maker = tracked_[best].maker;
    death.seenFor = known ? seenFor(before[best]) : 0;
    return true;
  }
  for (int slot = 0; slot < kEnemySlots; slot++)
    if (before[slot].serial && g->enemies[slot].spriteSerial != before[slot].serial) {
      death.killer = before[slot].type;
      death.maker = before[slot].maker;
      death.seenFor = seenFor(before[slot]);
      return true;
    }
  return false;
}
