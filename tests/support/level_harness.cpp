#include "support/level_harness.h"

#include <algorithm>
#include <cstring>

#include "engine/scene.h"
#include "game/grid.h"
#include "game/level_attempt.h"
#include "graphics/bitmap_set.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

int CodeOf(char c) {
  switch (c) {
    case '#':
      return TileWall;
    case 'B':
      return TileBlock;
    case 'C':
      return TileCracked;
    case 'N':
      return TileNoMagic;
    case '~':
      return TileChange;
    default:
      return c >= '1' && c <= '9' ? c - '0' : TileEmpty;
  }
}

void RecordSound(int slot, void* context) { static_cast<std::vector<int>*>(context)->push_back(slot); }

}  // namespace

std::vector<std::string> EmptyRoom() {
  std::vector<std::string> rows(20, "#..................#");
  rows[0] = rows[19] = std::string(20, '#');
  return rows;
}

std::string MapText(const MapSpec& layout) {
  std::string text;
  for (const std::string& row : layout.rows) {
    for (size_t i = 0; i < row.size(); i++) text += std::to_string(CodeOf(row[i])) + (i + 1 < row.size() ? " " : "\n");
  }
  text += std::to_string(layout.playerCol) + " " + std::to_string(layout.playerRow) + " " +
          std::to_string(layout.doorCol) + " " + std::to_string(layout.doorRow) + " " + std::to_string(layout.keyCol) +
          " " + std::to_string(layout.keyRow) + "\n";
  for (const std::string& item : layout.items) text += item + "\n";
  text += "-1 0 0 0\n";
  for (const std::string& enemy : layout.enemies) text += enemy + "\n";
  return text;
}

LevelHarness::LevelHarness() {
  clock_.Install();
  game_ = TheGameState();
  std::memset(game_, 0, sizeof(GameState));
  System* sys = system_.get();
  sys->game = game_;
  game_->world = sys->layers[1];
  game_->sysBitmaps = CreateBitmapSet(256);
  game_->charBitmaps = CreateBitmapSet(256);
  game_->enemyBitmaps = CreateBitmapSet(256);
  game_->player.lives = 3;
  game_->player.magic = 5;
  SetInputSource(sys->input, Source, this);
  SetSoundObserver(RecordSound, &sounds);
}

LevelHarness::~LevelHarness() {
  SetSoundObserver(nullptr, nullptr);
  SetScenePassHook(nullptr, nullptr);
  ClearAllScenes(system_.get());
  DestroyBitmapSet(game_->sysBitmaps);
  DestroyBitmapSet(game_->charBitmaps);
  DestroyBitmapSet(game_->enemyBitmaps);
  std::memset(game_, 0, sizeof(GameState));
  FakeClock::Uninstall();
}

uint8_t LevelHarness::Source(InputState*, void* context) { return static_cast<LevelHarness*>(context)->input_; }

void LevelHarness::Load(const std::string& mapText, bool withIntro, bool retry) {
  const std::string path = dir_.File("level.map");
  WriteFile(path, mapText);
  LoadFile(path, withIntro, retry);
}

void LevelHarness::LoadFile(const std::string& path, bool withIntro, bool retry) {
  System* sys = system_.get();
  if (!retry) game_->itemsPlaced = 0;
  ClearScene(sys, 1);
  ClearScene(sys, 2);
  std::snprintf(game_->mapPath, sizeof game_->mapPath, "%s", path.c_str());
  game_->levelCleared = 0;
  input_ = 0;
  sounds.clear();
  sceneEnded = false;
  sys->timer.frameCount = 0;
  SetUpLevelAttempt(sys);
  if (!withIntro) {
    ResetLayerFlags(sys, 1);
    ClearScene(sys, 2);
  }
}

void LevelHarness::LoadRoom(std::vector<std::string> rows, std::vector<std::string> items) {
  MapSpec layout;
  layout.rows = std::move(rows);
  layout.playerRow = 18;
  layout.items = std::move(items);
  LoadSpec(layout);
  Frames(2);
}

void LevelHarness::LoadEnemyRoom(std::vector<std::string> enemies, std::vector<std::string> rows) {
  MapSpec layout;
  layout.rows = std::move(rows);
  layout.playerCol = 1;
  layout.playerRow = 1;
  layout.enemies = std::move(enemies);
  LoadSpec(layout);
}

void LevelHarness::Frame(uint8_t input) {
  input_ = input;
  RunScenePass(system_.get());
  if (system_->sceneEnd) sceneEnded = true;
  system_->sceneEnd = 0;
  system_->timer.frameCount += 1;
}

void LevelHarness::Frames(int count, uint8_t input) {
  for (int i = 0; i < count; i++) Frame(input);
}

int LevelHarness::Code(int column, int row) const { return TileCodeAt(game_, column, row); }

void LevelHarness::SetCode(int column, int row, int code) { game_->tiles[column][row]->frame = code; }

void LevelHarness::PlacePlayer(int px, int py) {
  Player& p = game_->player;
  p.x = px << 12;
  p.y = py << 12;
  p.vx = p.vy = 0;
}

int LevelHarness::CountSound(int slot) const {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), slot));
}
