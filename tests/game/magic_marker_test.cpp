// The magic marker frames the very cell the next Z acts on, in front or low
// when crouching, and drawing it changes nothing of the play: a solution
// replays to its committed fingerprints with it showing.
#include "game/magic_marker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/comforts.h"
#include "game/recording.h"
#include "game/replay.h"
#include "game/state_hash.h"
#include "support/game_harness.h"

namespace {

std::vector<uint8_t> ScreenBytes(System* sys) {
  DrawSceneLayers(sys);
  const SDL_Surface* screen = sys->screen;
  const auto* pixels = static_cast<const uint8_t*>(screen->pixels);
  return std::vector<uint8_t>(pixels, pixels + screen->pitch * screen->h);
}

struct Cell {
  int column = -1, row = -1;
  bool operator==(const Cell&) const = default;
};

// Where the marker shows: the cell of the top-left pixel that differs
// between the screen drawn with it and without it; none when none does.
Cell MarkerCell(System* sys) {
  SetMagicMarker(nullptr, 1);
  const std::vector<uint8_t> with = ScreenBytes(sys);
  SetMagicMarker(nullptr, 0);
  const std::vector<uint8_t> without = ScreenBytes(sys);
  const int pitch = sys->screen->pitch, bytes = sys->screen->format->BytesPerPixel;
  int left = kScreenWidth, top = kScreenHeight;
  for (size_t i = 0; i < with.size(); i++)
    if (with[i] != without[i]) {
      left = std::min(left, static_cast<int>(i % pitch) / bytes);
      top = std::min(top, static_cast<int>(i / pitch));
    }
  if (left == kScreenWidth) return {};
  const SpriteList* world = sys->layers[LayerWorld];
  return {(left + FixedToPixels(world->cameraX)) / kCellSize, (top + FixedToPixels(world->cameraY)) / kCellSize};
}

TEST(MagicMarker, ItFramesTheCellTheNextZMakesOrBreaksInFrontAndLowWithDown) {
  GameHarness harness;
  harness.LoadPictures();
  MapSpec layout = RoomSpec();
  layout.rows[19][3] = 'B';
  layout.playerRow = 18;
  harness.LoadSpec(layout);
  LoadComforts(harness.sys());
  harness.Frames(20);
  EXPECT_EQ(MarkerCell(harness.sys()), (Cell{3, 18}));
  harness.Frame(kZ);
  harness.Frames(40);
  EXPECT_EQ(harness.Code(3, 18), TileBlock);

  harness.Frames(3, kDown);
  EXPECT_EQ(MarkerCell(harness.sys()), (Cell{3, 19}));
  harness.Frame(kDown | kZ);
  harness.Frames(40, kDown);
  EXPECT_EQ(harness.Code(3, 19), TileEmpty);

  harness.Frame(kC);
  EXPECT_EQ(MarkerCell(harness.sys()), Cell{}) << "not over a paused level";
  SetSceneKeyHook(nullptr);
  SetSceneFocusHook(nullptr);
  SetLayerOverlay(LayerWorld, nullptr);
}

TEST(MagicMarker, ASolutionReplaysToItsFingerprintsWithTheMarkerShowing) {
  GameHarness harness;
  harness.LoadPictures();
  LoadComforts(harness.sys());
  Recording recording;
  char error[128] = "";
  ASSERT_EQ(LoadRecordingFile("tests/data/solutions/level4.rbr", &recording, error, sizeof error), 0) << error;
  struct Watch {
    std::vector<uint32_t> hashes;
    int shown = 0;
  } watch;
  const ReplayObserver observer = {[](System* sys, int, const int* sounds, int count, void* context) {
                                     auto* seen = static_cast<Watch*>(context);
                                     if (seen->hashes.size() % 5 == 0) {  // drawing is slow here; a fifth will do
                                       seen->shown += !(MarkerCell(sys) == Cell{});
                                       SetMagicMarker(nullptr, 1);
                                     }
                                     seen->hashes.push_back(PassHash(sys, sounds, count));
                                   },
                                   &watch, 0};
  SetMagicMarker(nullptr, 1);
  ReplayOutcome outcome{};
  RunReplay(harness.sys(), &recording, &observer, &outcome);
  EXPECT_EQ(outcome.result, ReplayCleared);
  EXPECT_GT(watch.shown, 200) << "the marker showed through the play";
  const std::vector<std::string> expected = ReadLines("tests/data/solutions/level4.hashes");
  ASSERT_EQ(watch.hashes.size(), expected.size());
  for (size_t pass = 0; pass < expected.size(); pass++)
    ASSERT_EQ(std::stoul(expected[pass], nullptr, 16), watch.hashes[pass]) << "after pass " << pass;
  FreeRecording(&recording);
  SetSceneKeyHook(nullptr);
  SetSceneFocusHook(nullptr);
  SetLayerOverlay(LayerWorld, nullptr);
  SetMagicMarker(nullptr, 0);
}

}  // namespace
