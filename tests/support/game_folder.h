// A test fixture that plays in a temporary folder laid out as the game
// expects it (Media/map/, Media/data/), made the working folder, with a
// headless System whose resources are loaded from there on a fake clock.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"
#include "support/test_system.h"

class GameFolderTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void WriteMap(int level, const std::string& text);

  FakeClock clock;
  TempDir dir;
  char oldDir[4096] = {};
  TestSystem sys;
  GameState* game = nullptr;
};
