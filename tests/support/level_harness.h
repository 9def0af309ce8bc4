// Plays a level given as map text, frame by frame, the way the scene loop
// runs it, with scripted input; exposes the game state to the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/system.h"
#include "game/game_state.h"
#include "support/test_system.h"

inline constexpr uint8_t kUp = 1u << 0, kDown = 1u << 1, kLeft = 1u << 2, kRight = 1u << 3, kZ = 1u << 4, kX = 1u << 5,
                         kC = 1u << 6, kV = 1u << 7;

// A map file from 20 rows of 20 characters ('#' wall, 'B' block, 'C' cracked
// block, 'N' magic-proof, '.' empty, '0'-'9' scenery), the header cells, item
// records "type col row hidden" and enemy lines.
struct MapSpec {
  std::vector<std::string> rows;
  int playerCol = 2, playerRow = 17;
  int doorCol = 17, doorRow = 17;
  int keyCol = 15, keyRow = 2;
  std::vector<std::string> items;
  std::vector<std::string> enemies;
};
std::string MapText(const MapSpec& layout);

// A room walled on all sides with an empty inside.
std::vector<std::string> EmptyRoom();
inline MapSpec RoomSpec() {
  MapSpec layout;
  layout.rows = EmptyRoom();
  return layout;
}

class LevelHarness {
 public:
  LevelHarness();
  ~LevelHarness();

  // Sets the level up as the game flow does; without the intro the world is
  // unfrozen at once (the intro changes nothing of the level's state). A
  // retry keeps the items of the attempt before, as after a death.
  void Load(const std::string& mapText, bool withIntro = false, bool retry = false);
  void LoadSpec(const MapSpec& layout) { Load(MapText(layout)); }
  // The player standing settled on the floor of a room (empty unless given),
  // at column 2, with these item records.
  void LoadRoom(std::vector<std::string> rows = EmptyRoom(), std::vector<std::string> items = {});
  // These enemy lines in a room (empty unless given), the player parked in
  // the top-left corner out of their way.
  void LoadEnemyRoom(std::vector<std::string> enemies = {}, std::vector<std::string> rows = EmptyRoom());
  // The same with a map file as it is, found where the game looks for it.
  void LoadFile(const std::string& path, bool withIntro = false, bool retry = false);
  // One scene-loop pass with these inputs held.
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

  System* sys() const { return system_.get(); }
  GameState* game() const { return game_; }
  Player& player() const { return game_->player; }
  int Code(int column, int row) const;
  void SetCode(int column, int row, int code);
  int PixelX() const { return game_->player.x >> 12; }
  int PixelY() const { return game_->player.y >> 12; }
  // Places the player at a pixel position, standing still.
  void PlacePlayer(int px, int py);
  std::vector<int> sounds;  // one-shot sounds since the last Load
  bool sceneEnded = false;  // a pass since the last Load asked to end the scene
  int CountSound(int slot) const;

 private:
  static uint8_t Source(InputState*, void* context);
  FakeClock clock_;
  TestSystem system_;
  GameState* game_;
  TempDir dir_;
  uint8_t input_ = 0;
};
