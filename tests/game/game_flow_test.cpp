// The whole game flow in a game folder of its own, steered by a script that
// looks at the screen each time the game reads its input: results confirm
// their name at once and leave the ranking at once.
#include "flow/game_flow.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "config/keyword_map.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "game/level_frame.h"
#include "support/game_harness.h"

namespace {

// A level whose player starts beside a crawler: every life ends at once.
std::string DeadlyMap() {
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.enemies = {"1 2 18 0 0"};
  return MapText(layout);
}

class GameFlowTest : public testing::Test {
 protected:
  void SetUp() override {
    harness.UseGameFolder();
    harness.script = [this]() -> uint8_t {
      const uint32_t frame = sys->timer.frameCount;
      if (OnTitle() && frame == 0) titleVisits++;
      if (InLevel()) levelsSeen.insert(game->mapPath);
      if (sys->updateLayer[2] == UpdateNameEntry) return frame == 5 ? kC : 0;
      if (sys->updateLayer[2] == UpdateRanking) return frame == 5 ? kZ : 0;
      return play ? play() : 0;
    };
  }
  bool InLevel() const { return sys->updateLayer[1] == UpdateGameFrame; }
  bool OnTitle() const { return sys->updateLayer[2] == UpdateTitleMenu; }
  // Chooses the preselected entry on every title visit before the `last`,
  // quits on that one, and runs `inLevel` while a level plays.
  void Run(int last, std::function<uint8_t()> inLevel = nullptr) {
    play = [this, last, inLevel]() -> uint8_t {
      if (OnTitle() && titleVisits >= last) sys->quit = 1;
      if (InLevel() && inLevel) return inLevel();
      return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;
    };
    RunGameFlow(sys);
  }

  GameHarness harness;
  System* sys = harness.sys();
  GameState* game = harness.game();
  std::function<uint8_t()> play;
  int titleVisits = 0;
  std::set<std::string> levelsSeen;
};

TEST_F(GameFlowTest, LosingTheLastLifeStoresTheLevelAndContinueStartsThereAfresh) {
  harness.WriteMap(3, DeadlyMap());
  SetKeyword(game->config, "level", "2");
  int firstLives = -1, firstMagic = -1, firstScore = -1;
  Run(2, [&]() -> uint8_t {
    if (firstLives < 0) {
      firstLives = game->player.lives;
      firstMagic = game->player.magic;
      firstScore = game->player.score;
    }
    return 0;
  });
  EXPECT_EQ(levelsSeen, (std::set<std::string>{"./Media/map/map3.map"}));
  EXPECT_EQ(firstLives, 3);
  EXPECT_EQ(firstMagic, 5);
  EXPECT_EQ(firstScore, 0);
  EXPECT_STREQ(GetKeyword(game->config, "level"), "2");
}

TEST_F(GameFlowTest, EscapeInALevelCostsNoLifeAndStillReachesTheNameEntry) {
  harness.WriteMap(1, DeadlyMap());
  std::string rows;
  for (const char* name : {"AAA", "BBB", "CCC", "DDD", "EEE"}) rows += std::string(name) + " 0 0 0\n";
  WriteFile("Media/data/sc", rows);
  bool nameEntry = false;
  harness.watch = [&] { nameEntry |= sys->updateLayer[2] == UpdateNameEntry; };
  Run(2, [&]() -> uint8_t {
    sys->quit = 1;  // as if Escape had been pressed
    return 0;
  });
  EXPECT_EQ(game->player.lives, 3);
  EXPECT_TRUE(nameEntry);
  EXPECT_EQ(ReadFile("Media/data/sc"), rows) << "saved again, unchanged";
}

TEST(ContinueLevel, AStoredLevelOutsideTheGameIsClamped) {
  const std::pair<const char*, int> stored[] = {{"12", 7}, {"-3", 0}, {"abc", 0}, {nullptr, 0}, {"5", 5}};
  for (const auto& [text, level] : stored) EXPECT_EQ(ContinueLevel(text), level) << (text ? text : "null");
}

}  // namespace
