// The one fixture for tests that run real frames: a headless System on a
// fake clock, the zeroed game state with empty picture sets and a settings
// map, input held per frame or read from a script, and every one-shot sound.
// Levels load from map text and step pass by pass; screens and the game flow
// run their own scene loops, steered by `script` and watched by `watch`.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/system.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "support/test_system.h"

inline constexpr uint8_t kUp = 1u << 0, kDown = 1u << 1, kLeft = 1u << 2, kRight = 1u << 3, kZ = 1u << 4, kX = 1u << 5,
                         kC = 1u << 6, kV = 1u << 7;

// A map file from 20 rows of 20 characters ('#' wall, 'B' block, 'C' cracked
// block, 'N' magic-proof, '~' changing, '.' empty, '1'-'9' scenery), the
// header cells, item records "type col row hidden" and enemy lines.
struct MapSpec {
  std::vector<std::string> rows;
  int playerCol = 2, playerRow = 17;
  int doorCol = 17, doorRow = 17;
  int keyCol = 15, keyRow = 2;
  std::vector<std::string> items;
  std::vector<std::string> enemies;
};
std::string MapText(const MapSpec& layout);
// A room walled on all sides with an empty inside, and a map of it.
std::vector<std::string> EmptyRoom();
MapSpec RoomSpec();

class GameHarness {
 public:
  GameHarness();
  ~GameHarness();
  GameHarness(const GameHarness&) = delete;
  GameHarness& operator=(const GameHarness&) = delete;

  // Makes a temporary folder laid out as the game's (Media/map/, Media/data/;
  // with the real pictures, sounds and maps linked in when asked) the working
  // folder until the harness goes.
  void UseGameFolder(bool linkMedia = false);
  void WriteMap(int level, const std::string& text);
  // The game's own pictures in the harness's sets, for tests that draw.
  void LoadPictures();
  const TempDir& dir() const { return dir_; }
  // A new game's state on the harness's pictures and settings.
  void ResetGame() { ResetHeadlessGame(sys_); }

  // Sets a level up as the game flow does; without the intro the world is
  // unfrozen at once. A retry keeps the items of the attempt before.
  void Load(const std::string& mapText, bool withIntro = false, bool retry = false);
  void LoadSpec(const MapSpec& layout) { Load(MapText(layout)); }
  void LoadFile(const std::string& path, bool withIntro = false, bool retry = false);
  // These enemy lines in a room, the player parked in the top-left corner.
  void LoadEnemyRoom(std::vector<std::string> enemies = {}, std::vector<std::string> rows = EmptyRoom());

  // One scene-loop pass with these inputs held (when no script is set).
  void Frame(uint8_t input = 0);
  void Frames(int count, uint8_t input = 0);
  // Frames until the predicate holds (at most `limit`); returns frames run.
  template <typename Predicate>
  int RunUntil(Predicate done, int limit, uint8_t input = 0) {
    for (int i = 0; i < limit; i++) {
      if (done()) return i;
      Frame(input);
    }
    return limit;
  }

  System* sys() const { return sys_; }
  GameState* game() const { return game_; }
  Player& player() const { return game_->player; }
  int PixelX() const { return FixedToPixels(game_->player.x); }
  int PixelY() const { return FixedToPixels(game_->player.y); }
  int Code(int column, int row) const;
  // Places the player at a pixel position, standing still.
  void PlacePlayer(int px, int py);
  // An enemy made the way the game makes them, standing in a cell and
  // walking in `dir` at `speed`; null when no slot or sprite is free.
  Enemy* PlaceEnemy(int type, int column, int row, int speed, int dir);
  int CountEnemies(int type) const;
  Enemy* FirstEnemy(int type) const;

  std::function<uint8_t()> script;  // when set, what every input poll reads
  std::function<void()> watch;      // after every scene-loop pass
  std::vector<int> sounds;          // one-shot sounds since the last Load
  bool sceneEnded = false;          // a pass since the last Load ended the scene

 private:
  static uint8_t Source(InputState*, void* context);
  static void AfterPass(System* sys, void* context);

  FakeClock clock_;
  TempDir dir_;
  System* sys_;  // with empty picture sets
  GameState* game_;
  KeywordMap* config_;
  char oldDir_[4096] = "";
  uint8_t held_ = 0;
};
