#include "game/game_flow.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "config/keyword_map.h"
#include "engine/game_resources.h"
#include "engine/scene.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "game/level_frame.h"
#include "input/input.h"
#include "support/game_folder.h"
#include "support/level_harness.h"

namespace {

// A level whose player starts beside a crawler: every life ends at once.
std::string DeadlyMap() {
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.enemies = {"1 2 18 0 0"};
  return MapText(layout);
}

// A level whose player starts on the key and the door: cleared at once.
std::string ClearedMap() {
  MapSpec layout = RoomSpec();
  layout.playerCol = layout.keyCol = layout.doorCol = 3;
  layout.playerRow = layout.keyRow = layout.doorRow = 18;
  return MapText(layout);
}

// The whole game flow in a temporary folder, driven by a script that looks
// at what is on the screen each time the game reads its input.
class GameFlowTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    SetInputSource(sys->input, Source, this);
    SetScenePassHook(Watch, this);
  }
  bool InLevel() const { return sys->updateLayer[1] == UpdateGameFrame; }
  bool OnTitle() const { return sys->updateLayer[2] == UpdateTitleMenu; }

  static uint8_t Source(InputState*, void* context) {
    auto* self = static_cast<GameFlowTest*>(context);
    const uint32_t frame = self->sys->timer.frameCount;
    if (self->OnTitle() && frame == 0) self->titleVisits++;
    if (self->InLevel()) self->levelsSeen.insert(self->game->mapPath);
    // A qualifying result is confirmed at once, and its ranking left.
    if (self->sys->updateLayer[2] == UpdateNameEntry) return frame == 5 ? kC : 0;
    if (self->sys->updateLayer[2] == UpdateRanking) return frame == 5 ? kZ : 0;
    return self->script ? self->script() : 0;
  }
  static void Watch(System* sys, void* context) {
    auto* self = static_cast<GameFlowTest*>(context);
    if (self->watch) self->watch();
    (void)sys;
  }

  int titleVisits = 0;
  std::set<std::string> levelsSeen;
  std::function<uint8_t()> script;
  std::function<void()> watch;
};

TEST_F(GameFlowTest, LosingTheLastLifeStoresTheLevelAndContinueStartsThereAfresh) {
  WriteMap(3, DeadlyMap());
  SetKeyword(game->config, "level", "2");
  int firstLives = -1, firstMagic = -1, firstScore = -1;
  script = [&]() -> uint8_t {
    if (InLevel() && firstLives < 0) {
      firstLives = game->player.lives;
      firstMagic = game->player.magic;
      firstScore = game->player.score;
    }
    if (OnTitle() && titleVisits == 2) sys->quit = 1;
    return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;  // Continue is preselected
  };
  RunGameFlow(sys.get());
  EXPECT_EQ(levelsSeen, (std::set<std::string>{"./Media/map/map3.map"}));
  EXPECT_EQ(firstLives, 3);
  EXPECT_EQ(firstMagic, 5);
  EXPECT_EQ(firstScore, 0);
  ASSERT_NE(GetKeyword(game->config, "level"), nullptr);
  EXPECT_STREQ(GetKeyword(game->config, "level"), "2");
}

TEST_F(GameFlowTest, ClearingALevelAddsLifeOverAHundredToTheScore) {
  WriteMap(1, ClearedMap());
  WriteMap(2, DeadlyMap());
  script = [&]() -> uint8_t {
    // The first poll of the level comes before the key and door are checked.
    if (InLevel() && game->level == 0 && game->player.life > 4321) game->player.life = 4321;
    if (InLevel() && game->level == 1) sys->quit = 1;
    return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;
  };
  RunGameFlow(sys.get());
  EXPECT_EQ(game->player.score, 43);
  EXPECT_EQ(game->level, 1);
  EXPECT_EQ(game->player.lives, 3) << "quitting costs no life";
}

TEST_F(GameFlowTest, ClearingTheEighthLevelShowsTheEndingAndKeepsTheStoredLevel) {
  WriteMap(8, ClearedMap());
  SetKeyword(game->config, "level", "7");
  bool ending = false;
  watch = [&] {
    const SpriteList* top = sys->layers[2];
    for (int i = 0; i < top->capacity; i++)
      if (top->sprites[i].inUse && top->sprites[i].frame == 163 && top->sprites[i].bitmaps == game->sysBitmaps)
        ending = true;
  };
  script = [&]() -> uint8_t {
    if (OnTitle() && titleVisits == 2) sys->quit = 1;
    return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;
  };
  RunGameFlow(sys.get());
  EXPECT_TRUE(ending);
  EXPECT_STREQ(GetKeyword(game->config, "level"), "7");
}

TEST_F(GameFlowTest, EscapeInALevelCostsNoLifeAndStillReachesTheNameEntry) {
  WriteMap(1, DeadlyMap());
  std::string rows;
  for (const char* name : {"AAA", "BBB", "CCC", "DDD", "EEE"}) rows += std::string(name) + " 0 0 0\n";
  WriteFile(dir.File("Media/data/sc"), rows);
  bool nameEntry = false;
  watch = [&] { nameEntry |= sys->updateLayer[2] == UpdateNameEntry; };
  script = [&]() -> uint8_t {
    if (InLevel()) sys->quit = 1;  // as if Escape had been pressed
    return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;
  };
  RunGameFlow(sys.get());
  EXPECT_EQ(game->player.lives, 3);
  EXPECT_TRUE(nameEntry);
  EXPECT_EQ(ReadFile(dir.File("Media/data/sc")), rows) << "saved again, unchanged";
}

TEST_F(GameFlowTest, AStoredLevelOutsideTheGameIsClampedOnContinue) {
  EXPECT_EQ(ContinueLevel("12"), 7);
  EXPECT_EQ(ContinueLevel("-3"), 0);
  EXPECT_EQ(ContinueLevel("abc"), 0);
  EXPECT_EQ(ContinueLevel(nullptr), 0);
  EXPECT_EQ(ContinueLevel("5"), 5);
  WriteMap(8, DeadlyMap());
  SetKeyword(game->config, "level", "99");
  script = [&]() -> uint8_t {
    if (InLevel()) sys->quit = 1;
    return OnTitle() && sys->timer.frameCount == 5 ? kZ : 0;
  };
  RunGameFlow(sys.get());
  EXPECT_EQ(levelsSeen, (std::set<std::string>{"./Media/map/map8.map"}));
}

TEST_F(GameFlowTest, ExitEndsTheFlowAndRankingReturnsToTheTitle) {
  script = [&]() -> uint8_t {
    const uint32_t f = sys->timer.frameCount;
    if (OnTitle() && titleVisits == 1) return f == 2 || f == 14 ? kDown : f == 30 ? kZ : 0;  // Ranking
    if (OnTitle()) return f == 2 || f == 14 || f == 26 ? kDown : f == 40 ? kZ : 0;           // Exit
    return 0;
  };
  RunGameFlow(sys.get());
  EXPECT_EQ(titleVisits, 2);
  EXPECT_EQ(game->menuChoice, 3);
  EXPECT_EQ(sys->quit, 0);
  EXPECT_TRUE(levelsSeen.empty());
}

}  // namespace
