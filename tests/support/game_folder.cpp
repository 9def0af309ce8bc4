#include "support/game_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "engine/game_resources.h"
#include "engine/scene.h"

void GameFolderTest::SetUp() {
  clock.Install();
  ASSERT_EQ(getcwd(oldDir, sizeof oldDir), oldDir);
  for (const char* folder : {"Media", "Media/map", "Media/data"}) mkdir(dir.File(folder).c_str(), 0700);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  game = TheGameState();
  std::memset(game, 0, sizeof(GameState));
  sys->game = game;
  LoadGameResources(sys.get());
}

void GameFolderTest::TearDown() {
  SetScenePassHook(nullptr, nullptr);
  UnloadGameResources(sys.get());
  ClearAllScenes(sys.get());
  FakeClock::Uninstall();
  ASSERT_EQ(chdir(oldDir), 0);
}

void GameFolderTest::WriteMap(int level, const std::string& text) {
  WriteFile(dir.File("Media/map/map" + std::to_string(level) + ".map"), text);
}
