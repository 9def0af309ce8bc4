#include "support/game_harness.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/game_resources.h"
#include "flow/headless.h"
#include "frontend/high_scores.h"
#include "game/enemy_anim.h"
#include "game/enemy_table.h"
#include "game/grid.h"
#include "game/level_attempt.h"
#include "graphics/bitmap_set.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

// A screen that never ends fails its test instead of hanging the suite.
constexpr uint32_t kRunawayFrames = 20000;

int CodeOf(char c) {
  static const std::string kMarks = "#BCN~";
  static const int kCodes[] = {TileWall, TileBlock, TileCracked, TileNoMagic, TileChange};
  const size_t mark = kMarks.find(c);
  if (mark != std::string::npos) return kCodes[mark];
  return c >= '1' && c <= '9' ? c - '0' : TileEmpty;
}

void RecordSound(int slot, void* context) { static_cast<std::vector<int>*>(context)->push_back(slot); }

}  // namespace

std::vector<std::string> EmptyRoom() {
  std::vector<std::string> rows(kGridSize, "#..................#");
  rows.front() = rows.back() = std::string(kGridSize, '#');
  return rows;
}

MapSpec RoomSpec() {
  MapSpec layout;
  layout.rows = EmptyRoom();
  return layout;
}

std::string MapText(const MapSpec& layout) {
  std::string text;
  for (const std::string& row : layout.rows) {
    for (size_t i = 0; i < row.size(); i++) text += std::to_string(CodeOf(row[i])) + (i + 1 < row.size() ? " " : "\n");
  }
  for (int cell : {layout.playerCol, layout.playerRow, layout.doorCol, layout.doorRow, layout.keyCol, layout.keyRow})
    text += std::to_string(cell) + " ";
  text += "\n";
  for (const std::string& item : layout.items) text += item + "\n";
  text += "-1 0 0 0\n";
  for (const std::string& enemy : layout.enemies) text += enemy + "\n";
  return text;
}

GameHarness::GameHarness() : sys_(StartHeadlessGame(0)), game_(sys_->game) {
  clock_.Install();
  ReleaseAllKeys();
  SDL_Event stale;
  while (SDL_PollEvent(&stale)) {
  }
  game_->config = config_ = CreateKeywordMap(256);
  SetInputSource(sys_->input, Source, this);
  SetSoundObserver(RecordSound, &sounds);
  AddScenePassHook(AfterPass, this);
  SetScoreFilePath(nullptr);
}

GameHarness::~GameHarness() {
  SetSoundObserver(nullptr, nullptr);
  RemoveScenePassHook(AfterPass, this);
  SetScoreFilePath(nullptr);
  DestroyKeywordMap(config_);
  game_->config = nullptr;
  StopHeadlessGame(sys_);
  ReleaseAllKeys();
  FakeClock::Uninstall();
  if (oldDir_[0] && chdir(oldDir_) != 0) ADD_FAILURE() << "cannot return to " << oldDir_;
}

void GameHarness::UseGameFolder(bool linkMedia) {
  ASSERT_EQ(getcwd(oldDir_, sizeof oldDir_), oldDir_);
  mkdir(dir_.File("Media").c_str(), 0700);
  for (const char* sub : {"bmp", "wav", "map"}) {
    const std::string path = dir_.File(std::string("Media/") + sub);
    if (linkMedia) {
      ASSERT_EQ(symlink((std::string(oldDir_) + "/Media/" + sub).c_str(), path.c_str()), 0);
    } else if (sub == std::string("map")) {
      mkdir(path.c_str(), 0700);
    }
  }
  mkdir(dir_.File("Media/data").c_str(), 0700);
  ASSERT_EQ(chdir(dir_.path().c_str()), 0);
}

void GameHarness::LoadPictures() {
  for (auto [set, dir] : {std::pair{game_->sysBitmaps, kSysBitmapDir},
                          {game_->charBitmaps, kCharBitmapDir},
                          {game_->enemyBitmaps, kEnemyBitmapDir},
                          {game_->sysBitmaps, kMapDir}})
    LoadBitmapDir(set, dir);
}

void GameHarness::WriteMap(int level, const std::string& text) {
  WriteFile(dir_.File("Media/map/map" + std::to_string(level) + ".map"), text);
}

uint8_t GameHarness::Source(InputState*, void* context) {
  auto* self = static_cast<GameHarness*>(context);
  return self->script ? self->script() : self->held_;
}

void GameHarness::AfterPass(System* sys, void* context) {
  auto* self = static_cast<GameHarness*>(context);
  if (self->watch) self->watch();
  if (sys->timer.frameCount > kRunawayFrames && !sys->quit) {
    ADD_FAILURE() << "scene still running after " << kRunawayFrames << " frames";
    sys->quit = 1;
  }
}

void GameHarness::Load(const std::string& mapText, bool withIntro, bool retry) {
  const std::string path = dir_.File("level.map");
  WriteFile(path, mapText);
  LoadFile(path, withIntro, retry);
}

void GameHarness::LoadFile(const std::string& path, bool withIntro, bool retry) {
  System* sys = sys_;
  if (!retry) game_->itemsPlaced = 0;
  ClearScene(sys, 1);
  ClearScene(sys, 2);
  std::snprintf(game_->mapPath, sizeof game_->mapPath, "%s", path.c_str());
  game_->levelCleared = 0;
  held_ = 0;
  sounds.clear();
  sceneEnded = false;
  sys->timer.frameCount = 0;
  SetUpLevelAttempt(sys);
  if (!withIntro) {
    ResetLayerFlags(sys, 1);
    ClearScene(sys, 2);
  }
}

void GameHarness::LoadEnemyRoom(std::vector<std::string> enemies, std::vector<std::string> rows) {
  MapSpec layout;
  layout.rows = std::move(rows);
  layout.playerCol = layout.playerRow = 1;
  layout.enemies = std::move(enemies);
  LoadSpec(layout);
}

void GameHarness::Frame(uint8_t input) {
  held_ = input;
  System* sys = sys_;
  RunScenePass(sys);
  if (sys->sceneEnd) sceneEnded = true;
  sys->sceneEnd = 0;
  sys->timer.frameCount += 1;
}

void GameHarness::Frames(int count, uint8_t input) {
  for (int i = 0; i < count; i++) Frame(input);
}

int GameHarness::Code(int column, int row) const { return TileCodeAt(game_, column, row); }

void GameHarness::PlacePlayer(int px, int py) {
  Player& p = game_->player;
  p.x = PixelsToFixed(px);
  p.y = PixelsToFixed(py);
  p.vx = p.vy = 0;
  if (p.sprite) {
    p.sprite->x = p.x;
    p.sprite->y = p.y;
  }
}

Enemy* GameHarness::PlaceEnemy(int type, int column, int row, int speed, int dir) {
  System* sys = sys_;
  const int slot = FindFreeEnemy(sys);
  if (slot < 0) return nullptr;
  Enemy* enemy = &game_->enemies[slot];
  if (!TakeEnemySprite(sys, enemy)) return nullptr;
  enemy->type = type;
  enemy->speed = speed;
  enemy->dir = dir;
  Sprite* sprite = enemy->sprite;
  SetSpritePos(sprite, column * kCellSize, row * kCellSize);
  sprite->vx = speed * 16 * DirectionX(dir);
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  SetEnemyAnim(sys, enemy);
  return enemy;
}

int GameHarness::CountEnemies(int type) const {
  return static_cast<int>(std::count_if(std::begin(game_->enemies), std::end(game_->enemies),
                                        [&](const Enemy& e) { return e.type == type; }));
}

Enemy* GameHarness::FirstEnemy(int type) const {
  for (Enemy& enemy : game_->enemies)
    if (enemy.type == type) return &enemy;
  return nullptr;
}
