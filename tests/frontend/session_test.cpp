// A whole session through every screen, pinned pass by pass like the
// replays: the title three ways, the ranking from the menu and after each
// entry, the lives screen, the level intro, a level cleared, deaths, the
// game over, a name typed in, and the ending. When a change to a screen is
// meant, run this test once with RUNEBLOCK_WRITE_GOLDEN=1 to write the list
// again, and say why in the commit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/keyword_map.h"
#include "flow/game_flow.h"
#include "frontend/high_scores.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "game/state_hash.h"
#include "support/game_harness.h"

namespace {

constexpr char kGolden[] = "tests/data/session.hashes";

TEST(Session, EveryScreenShowsWhatItShowedWhenPinned) {
  const std::string goldenPath = std::filesystem::absolute(kGolden);
  GameHarness harness;
  harness.UseGameFolder();
  MapSpec cleared = RoomSpec();  // the player starts on the key and the door
  cleared.playerCol = cleared.keyCol = cleared.doorCol = 3;
  cleared.playerRow = cleared.keyRow = cleared.doorRow = 18;
  MapSpec deadly = RoomSpec();  // the player starts beside a crawler
  deadly.playerRow = 18;
  deadly.enemies = {"1 2 18 0 0"};
  harness.WriteMap(1, MapText(cleared));
  harness.WriteMap(2, MapText(deadly));
  harness.WriteMap(8, MapText(cleared));

  System* sys = harness.sys();
  int titleVisits = 0;
  bool storedOnLoss = false;
  // Held keys, keys held together, keys while a slide runs or the screen
  // closes, as well as the plain presses that lead from screen to screen.
  harness.script = [&]() -> uint8_t {
    const uint32_t f = sys->timer.frameCount;
    const SceneCallback screen = sys->updateLayer[2];
    if (screen == UpdateTitleMenu) {
      if (f == 0) titleVisits++;
      switch (titleVisits) {
        case 1:                                           // Ranking, the long way
          if (f < 10 || (f > 70 && f <= 80)) return kUp;  // Up on Start; Up while the menu closes
          return f < 25 ? kDown : f == 40 ? kUp | kDown : f == 52 || f == 58 ? kDown : f == 70 ? kZ : 0;
        case 2:  // Start, with a move in the frame of the choice
          return f == 5 ? kZ | kDown : 0;
        case 3:  // Continue, preselected
          return f == 5 ? kZ : 0;
        default:  // Exit, two entries below Continue, then Down on Exit
          return f == 2 || f == 14 ? kDown : f >= 30 && f <= 40 ? kDown : f == 50 ? kZ : 0;
      }
    }
    if (screen == UpdateNameEntry) {
      if (titleVisits == 3) return f == 5 ? kC : 0;
      return f <= 16 ? kDown : f < 60 ? kRight : f == 60 ? kUp : f == 70 || f == 80 ? kC : f == 85 ? kDown : 0;
    }
    if (screen == UpdateRanking) return f == 10 ? kX | kC | kUp : f == 20 ? kZ : 0;
    return 0;
  };
  std::vector<uint32_t> hashes;
  size_t heard = 0;
  harness.watch = [&] {
    hashes.push_back(PassHash(sys, harness.sounds.data() + heard, static_cast<int>(harness.sounds.size() - heard)));
    heard = harness.sounds.size();
    // The game over stored the level it was lost on (index 1); after the
    // entry, continue from the last level instead.
    if (titleVisits == 2 && sys->updateLayer[2] == UpdateRanking) {
      if (std::string(GetKeyword(harness.game()->config, "level")) == "1") storedOnLoss = true;
      SetKeyword(harness.game()->config, "level", "7");
    }
  };
  RunGameFlow(sys);
  EXPECT_EQ(titleVisits, 4);
  EXPECT_TRUE(storedOnLoss);
  EXPECT_EQ(harness.game()->menuChoice, MenuExit);
  std::string names;
  for (const HighScoreEntry& row : TheHighScores()->rows) names += std::string(row.name) + " ";
  EXPECT_NE(names.find("C_B"), std::string::npos) << "typed after the game over: " << names;
  EXPECT_NE(names.find("___"), std::string::npos) << "left untouched after the ending: " << names;

  if (std::getenv("RUNEBLOCK_WRITE_GOLDEN")) {
    std::string text;
    char line[16];
    for (uint32_t hash : hashes) text += (std::snprintf(line, sizeof line, "%08x\n", hash), line);
    WriteFile(goldenPath, text);
    std::printf("wrote %zu passes to %s: nothing compared\n", hashes.size(), goldenPath.c_str());
    return;
  }
  const std::vector<std::string> expected = ReadLines(goldenPath);
  for (size_t pass = 0; pass < std::min(expected.size(), hashes.size()); pass++)
    ASSERT_EQ(std::stoul(expected[pass], nullptr, 16), hashes[pass]) << "the screens first differ after pass " << pass;
  EXPECT_EQ(hashes.size(), expected.size()) << "passes run";
}

}  // namespace
