// The game flow's rules the pinned session does not reach: Escape in the
// middle of a level, and a stored level outside the game.
#include "flow/game_flow.h"

#include <gtest/gtest.h>

#include <string>

#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "game/level_frame.h"
#include "support/game_harness.h"

namespace {

TEST(GameFlow, EscapeInALevelCostsNoLifeAndStillReachesTheNameEntry) {
  GameHarness harness;
  harness.UseGameFolder();
  MapSpec deadly = RoomSpec();  // the player starts beside a crawler
  deadly.playerRow = 18;
  deadly.enemies = {"1 2 18 0 0"};
  harness.WriteMap(1, MapText(deadly));
  const std::string rows = "AAA 0 0 0\nBBB 0 0 0\nCCC 0 0 0\nDDD 0 0 0\nEEE 0 0 0\n";
  WriteFile("Media/data/sc", rows);
  System* sys = harness.sys();
  bool nameEntry = false;
  harness.watch = [&] { nameEntry |= sys->updateLayer[LayerScreens] == UpdateNameEntry; };
  harness.script = [&]() -> uint8_t {
    if (sys->updateLayer[LayerWorld] == UpdateGameFrame) sys->quit = 1;  // as if Escape had been pressed
    return sys->updateLayer[LayerScreens] == UpdateTitleMenu && sys->timer.frameCount == 5 ? kZ : 0;
  };
  RunGameFlow(sys);
  EXPECT_EQ(harness.game()->player.lives, 3);
  EXPECT_TRUE(nameEntry);
  EXPECT_EQ(ReadFile("Media/data/sc"), rows) << "saved again, unchanged";
}

TEST(GameFlow, AStoredLevelOutsideTheGameIsClamped) {
  const std::pair<const char*, int> stored[] = {{"12", 7}, {"-3", 0}, {"abc", 0}, {nullptr, 0}, {"5", 5}};
  for (const auto& [text, level] : stored) EXPECT_EQ(ContinueLevel(text), level) << (text ? text : "null");
}

}  // namespace
