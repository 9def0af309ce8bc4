// Every committed recording replays pass for pass as it was recorded: the
// fingerprint of the whole game state after each pass (player, grid, enemies,
// items, fireballs, every sprite's frame and place, the sounds) must match
// the list beside it. The solutions are also their scripts, start a new game
// and clear their levels. The shipped levels' solutions come from the
// solver; the retired first levels, with every kind of enemy in them, keep
// their solutions and explorations as goldens of the rules. When a change to
// the rules or a map is meant, write the lists again with `replay --hashes`
// (see the README) and say why in the commit. A clear ends on a screen that
// shows the wipe and nothing of the level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "game/recording.h"
#include "game/replay.h"
#include "game/state_hash.h"
#include "graphics/bitmap_set.h"
#include "support/game_harness.h"

namespace {

namespace fs = std::filesystem;

constexpr char kRetiredMaps[] = "tests/data/retired/maps/";

// Every recording on disk, read when the tests are listed (from the source folder).
std::vector<std::string> RecordingsOnDisk() {
  std::vector<std::string> recordings;
  for (const char* dir : {"tests/data/solutions", "tests/data/retired/solutions", "tests/data/retired/explore"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error))
      if (entry.path().extension() == ".rbr") recordings.push_back(entry.path().string());
  }
  std::sort(recordings.begin(), recordings.end());
  return recordings;
}

TEST(Replays, EveryLevelHasASolutionAndTwoRetiredRecordings) { EXPECT_EQ(RecordingsOnDisk().size(), 3u * kLevelCount); }

class ReplaysTo : public testing::TestWithParam<std::string> {};

// One test a recording, so one mismatch hides no other.
TEST_P(ReplaysTo, ItsCommittedFingerprints) {
  fs::path path = GetParam();
  GameHarness harness;
  Recording recording;
  char error[128] = "";
  ASSERT_EQ(LoadRecordingFile(path.c_str(), &recording, error, sizeof error), 0) << error;
  std::vector<uint32_t> hashes;
  const ReplayObserver observer = {
      [](System* sys, int, const int* sounds, int count, void* context) {
        static_cast<std::vector<uint32_t>*>(context)->push_back(PassHash(sys, sounds, count));
      },
      &hashes, 0};
  const bool retired = path.string().find("/retired/") != std::string::npos;
  if (retired) std::snprintf(harness.sys()->game->mapDir, sizeof harness.sys()->game->mapDir, "%s", kRetiredMaps);
  ReplayOutcome outcome{};
  RunReplay(harness.sys(), &recording, &observer, &outcome);

  const std::vector<std::string> expected = ReadLines(path.replace_extension(".hashes"));
  for (size_t pass = 0; pass < std::min(expected.size(), hashes.size()); pass++)
    ASSERT_EQ(std::stoul(expected[pass], nullptr, 16), hashes[pass]) << "the state first differs after pass " << pass;
  EXPECT_EQ(hashes.size(), expected.size()) << "passes replayed";

  if (path.parent_path().filename() == "solutions") {
    std::vector<uint8_t> scripted(1 << 16);
    const long count =
        ParseInputScript(ReadFile(path.replace_extension(".script")).c_str(), scripted.data(), scripted.size());
    ASSERT_GT(count, 0);
    scripted.resize(static_cast<size_t>(count));
    EXPECT_EQ(std::vector<uint8_t>(recording.inputs, recording.inputs + recording.inputCount), scripted);
    // A new game's first attempt: three lives, five charges, nothing taken.
    AttemptStart fresh{};
    NewGameAttemptStart(&fresh, recording.start.level);
    EXPECT_EQ(std::memcmp(&recording.start, &fresh, sizeof fresh), 0);
    EXPECT_EQ(outcome.result, ReplayCleared);
  }
  FreeRecording(&recording);
}

INSTANTIATE_TEST_SUITE_P(Recordings, ReplaysTo, testing::ValuesIn(RecordingsOnDisk()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(std::strlen("tests/data/"));
                           name.resize(name.size() - std::strlen(".rbr"));
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// A pixel's colour, whatever the surface's depth (x86 is little-endian).
void PixelRgb(const SDL_Surface* surface, int x, int y, Uint8 rgb[3]) {
  const int bytes = surface->format->BytesPerPixel;
  Uint32 pixel = 0;
  std::memcpy(&pixel, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes, bytes);
  SDL_GetRGB(pixel, surface->format, &rgb[0], &rgb[1], &rgb[2]);
}

// How far the screen strays from the wipe square's picture laid over it.
int WorstDistanceFromWipe(System* sys) {
  SDL_Surface* screen = sys->screen;
  const SDL_Surface* square = GetBitmap(sys->game->sysBitmaps, FrameWipe);
  if (!square) return 255;
  int worst = 0;
  SDL_LockSurface(screen);
  for (int y = 0; y < screen->h; y++)
    for (int x = 0; x < screen->w; x++) {
      Uint8 shown[3], wanted[3];
      PixelRgb(screen, x, y, shown);
      PixelRgb(square, x % square->w, y % square->h, wanted);
      for (int c = 0; c < 3; c++) worst = std::max(worst, std::abs(shown[c] - wanted[c]));
    }
  SDL_UnlockSurface(screen);
  return worst;
}

// On the last drawn pass of a clear every square has faded in to alpha 229
// over the whole screen: what shows is the square's picture, with at most
// 26/255 of the level bleeding through, and 16-bit rounding on top.
TEST(Replays, TheClearWipeCoversTheWholeScreenOnTheLastPass) {
  GameHarness harness;
  harness.LoadPictures();
  Recording recording;
  char error[128] = "";
  ASSERT_EQ(LoadRecordingFile("tests/data/solutions/level1.rbr", &recording, error, sizeof error), 0) << error;
  std::vector<int> worst;
  const ReplayObserver observer = {[](System* sys, int, const int*, int, void* context) {
                                     if (sys->game->player.clearTimer != 1 || sys->sceneEnd) return;
                                     DrawSceneLayers(sys);
                                     static_cast<std::vector<int>*>(context)->push_back(WorstDistanceFromWipe(sys));
                                   },
                                   &worst, 0};
  ReplayOutcome outcome{};
  RunReplay(harness.sys(), &recording, &observer, &outcome);
  EXPECT_EQ(outcome.result, ReplayCleared);
  ASSERT_EQ(worst.size(), 1u);
  EXPECT_LE(worst[0], 26 + 8);
  FreeRecording(&recording);
}

}  // namespace
