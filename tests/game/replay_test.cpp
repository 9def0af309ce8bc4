#include "game/replay.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/keyword_map.h"
#include "engine/game_resources.h"
#include "engine/scene.h"
#include "frontend/title_menu.h"
#include "game/game_flow.h"
#include "game/level_frame.h"
#include "game/recording.h"
#include "input/input.h"
#include "support/game_folder.h"
#include "support/level_harness.h"

namespace {

// Runs replays in a temporary folder holding the level maps a test writes.
class ReplayTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    mkdir(dir.File("records").c_str(), 0700);
  }
  void TearDown() override {
    unsetenv("RUNEBLOCK_RECORD");
    GameFolderTest::TearDown();
  }
  void WriteMap(int level, const MapSpec& layout) { GameFolderTest::WriteMap(level, MapText(layout)); }
  // A fresh game state (keeping the loaded resources) for a replay.
  void ResetGame() {
    sys->quit = 0;
    GameState kept = *game;
    std::memset(game, 0, sizeof(GameState));
    game->sysBitmaps = kept.sysBitmaps;
    game->charBitmaps = kept.charBitmaps;
    game->enemyBitmaps = kept.enemyBitmaps;
    game->config = kept.config;
    std::snprintf(game->mapDir, sizeof game->mapDir, "./Media/map/");
  }
  ReplayOutcome Replay(const Recording& recording, std::string* trace = nullptr) {
    ResetGame();
    ReplayOutcome outcome{};
    char* text = nullptr;
    size_t size = 0;
    FILE* out = trace ? open_memstream(&text, &size) : nullptr;
    const ReplayObserver observer = {[](System* s, int f, const int* sounds, int count, void* context) {
                                       WriteTraceRecord(static_cast<FILE*>(context), s, f, sounds, count);
                                     },
                                     out, 0};
    RunReplay(sys.get(), &recording, out ? &observer : nullptr, &outcome);
    if (out) {
      std::fclose(out);
      *trace = std::string(text, size);
      std::free(text);
    }
    return outcome;
  }
  Recording FromScript(int level, const char* script) {
    Recording recording{};
    recording.version = kRecordingVersion;
    NewGameAttemptStart(&recording.start, level);
    scriptInputs.resize(100000);
    const long count = ParseInputScript(script, scriptInputs.data(), scriptInputs.size());
    EXPECT_GE(count, 0);
    recording.inputs = scriptInputs.data();
    recording.inputCount = static_cast<size_t>(count);
    return recording;
  }

  std::vector<uint8_t> scriptInputs;
};

// The value of "name": in the JSON object that follows `object` in one
// trace line (the tests only look at flat number fields).
long Field(const std::string& line, const std::string& object, const std::string& name) {
  const size_t start = object.empty() ? 0 : line.find("\"" + object + "\":");
  const size_t at = line.find("\"" + name + "\":", start);
  if (start == std::string::npos || at == std::string::npos) return -999999;
  return std::strtol(line.c_str() + at + name.size() + 3, nullptr, 10);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

long Tile(const std::string& line, int column, int row) {
  size_t at = line.find("\"tiles\":[") + 9;
  for (int i = 0; i < row * 20 + column; i++) at = line.find(',', at) + 1;
  return std::strtol(line.c_str() + at, nullptr, 10);
}

TEST_F(ReplayTest, TheTraceFollowsTheRulesFrameByFrame) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 4;
  layout.playerRow = 18;
  layout.enemies = {"1 16 18 256 0"};
  WriteMap(1, layout);
  // Intro, then Right for three frames, a rest, then block magic.
  std::string trace;
  const ReplayOutcome outcome = Replay(FromScript(0, ".132 R3 .10 Z .120"), &trace);
  const std::vector<std::string> lines = Lines(trace);
  ASSERT_EQ(lines.size(), 267u);
  EXPECT_EQ(outcome.frames, 266);
  EXPECT_EQ(outcome.result, ReplayRanOut);
  const long x0 = 4 * 48 * 4096;
  EXPECT_EQ(Field(lines[0], "player", "x"), x0);
  EXPECT_EQ(Field(lines[0], "player", "life"), 9999);
  EXPECT_EQ(Field(lines[132], "player", "life"), 9999) << "still the intro";
  EXPECT_EQ(Field(lines[133], "player", "life"), 9998);
  EXPECT_EQ(Field(lines[133], "player", "vx"), 128);
  EXPECT_EQ(Field(lines[133], "player", "x"), x0 + 2048);
  EXPECT_EQ(Field(lines[135], "player", "vx"), 384);
  EXPECT_EQ(Field(lines[135], "player", "x"), x0 + 12288);
  // Friction brings it to a stop six frames later.
  const long stopped = Field(lines[141], "player", "x");
  EXPECT_EQ(Field(lines[141], "player", "vx"), 0);
  EXPECT_EQ(stopped, x0 + 12288 + 16 * (320 + 256 + 192 + 128 + 64));
  // The Z pass (146) makes a block two columns on: the player stands past the middle of cell 4.
  const int column = static_cast<int>((stopped >> 12) % 48 >= 24 ? 6 : 5);
  EXPECT_EQ(Tile(lines[145], column, 18), 0);
  for (int f = 146; f <= 161; f++) ASSERT_EQ(Tile(lines[f], column, 18), 13) << f;
  EXPECT_EQ(Tile(lines[162], column, 18), 11);
  EXPECT_NE(lines[146].find("\"sounds\":[11]"), std::string::npos);
  // The crawler starts at x 768 and moves a pixel a pass once the world is
  // free (pass 133). At 869 it looks ahead to 870, more than 5 pixels into
  // cell 18 with the wall beyond: it turns up, snapped to 869, and climbs.
  EXPECT_EQ(Field(lines[132], "enemies", "x"), 768 * 4096);
  EXPECT_EQ(Field(lines[233], "enemies", "x"), 869 * 4096);
  EXPECT_EQ(Field(lines[233], "enemies", "vx"), 4096);
  EXPECT_EQ(Field(lines[234], "enemies", "x"), 869 * 4096);
  EXPECT_EQ(Field(lines[234], "enemies", "vx"), 0);
  EXPECT_EQ(Field(lines[234], "enemies", "vy"), -4096);
  EXPECT_EQ(Field(lines[234], "enemies", "y"), 863 * 4096);
}

TEST_F(ReplayTest, AnAttemptRecordedFromTheRealGameReplaysToTheSameState) {
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.rows[18][8] = 'B';
  layout.items = {"3 6 18 0", "9 12 18 0", "5 8 18 1"};
  layout.enemies = {"1 9 18 128 1", "3 18 17 0 1", "2 10 2 64 0"};
  WriteMap(1, layout);
  setenv("RUNEBLOCK_RECORD", dir.File("records").c_str(), 1);
  // Title: Start, and after the game the title quits. In the level: walk,
  // jump, magic and fire until the crawler and the turret's shots have
  // taken every life.
  SetInputSource(
      sys->input,
      [](InputState*, void* context) -> uint8_t {
        auto* s = static_cast<System*>(context);
        const uint32_t f = s->timer.frameCount;
        if (s->updateLayer[2] == UpdateTitleMenu) {
          if (LastRecordingPath()[0] != '\0') s->quit = 1;
          return f == 5 ? kZ : 0;
        }
        if (s->updateLayer[1] != UpdateGameFrame || f < 140) return 0;
        const uint32_t t = f % 97;
        return static_cast<uint8_t>((t < 40   ? kRight
                                     : t < 60 ? kLeft
                                              : 0) |
                                    (t == 41 ? kUp : 0) | (t == 70 ? kZ : 0) | (t == 80 ? kX : 0));
      },
      sys.get());
  RunGameFlow(sys.get());
  SetInputSource(sys->input, nullptr, nullptr);
  // Gather what was written: the last recording is the one noted last.
  ASSERT_STRNE(LastRecordingPath(), "");
  std::vector<uint8_t> data;
  {
    FILE* file = std::fopen(LastRecordingPath(), "rb");
    ASSERT_NE(file, nullptr);
    int c;
    while ((c = std::fgetc(file)) != EOF) data.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
  }
  const ReplayOutcome live = *LastRecordedOutcome();
  Recording recording;
  char error[128];
  ASSERT_EQ(ParseRecording(data.data(), data.size(), &recording, error, sizeof error), 0) << error;
  const ReplayOutcome replayed = Replay(recording);
  EXPECT_EQ(replayed.frames, live.frames);
  EXPECT_EQ(replayed.checksum, live.checksum);
  EXPECT_EQ(replayed.score, live.score);
  EXPECT_EQ(replayed.lives, live.lives);
  FreeRecording(&recording);
}

TEST(RecordingFormat, ScriptsRoundTripAndBadFilesAreRefusedWithAReason) {
  uint8_t inputs[64];
  EXPECT_EQ(ParseInputScript("R3 UZ .2 # comment\nX", inputs, sizeof inputs), 7);
  EXPECT_EQ(inputs[0], 1u << Right);
  EXPECT_EQ(inputs[3], (1u << Up) | (1u << ButtonZ));
  EXPECT_EQ(inputs[4], 0);
  EXPECT_EQ(inputs[6], 1u << ButtonX);
  EXPECT_EQ(ParseInputScript("R3 Q", inputs, sizeof inputs), -1);
  EXPECT_EQ(ParseInputScript("R0", inputs, sizeof inputs), -1);

  Recording recording{};
  recording.version = kRecordingVersion;
  NewGameAttemptStart(&recording.start, 4);
  recording.start.itemCount = 1;
  recording.start.items[0] = {7, 3, 4, 1, 0};
  recording.start.heldAtStart = 0x11;
  recording.inputs = inputs;
  recording.inputCount = 7;
  size_t size = 0;
  uint8_t* image = SerializeRecording(&recording, &size);
  ASSERT_NE(image, nullptr);
  Recording back;
  char error[128] = "";
  ASSERT_EQ(ParseRecording(image, size, &back, error, sizeof error), 0) << error;
  EXPECT_EQ(back.start.level, 4);
  EXPECT_EQ(back.start.items[0].tileY, 4);
  EXPECT_EQ(back.start.heldAtStart, 0x11);
  EXPECT_EQ(back.inputCount, 7u);
  EXPECT_EQ(std::memcmp(back.inputs, inputs, 7), 0);
  FreeRecording(&back);

  auto refuse = [&](std::vector<uint8_t> bytes, const char* reason) {
    Recording r;
    char why[128] = "";
    EXPECT_EQ(ParseRecording(bytes.data(), bytes.size(), &r, why, sizeof why), -1) << reason;
    EXPECT_NE(std::string(why).find(reason), std::string::npos) << why;
  };
  const std::vector<uint8_t> whole(image, image + size);
  for (size_t cut : {size_t{0}, size_t{3}, size_t{5}, size_t{40}, size - 1})
    refuse(std::vector<uint8_t>(whole.begin(), whole.begin() + cut), cut < 5 ? "not a Runeblock" : "truncated");
  std::vector<uint8_t> longer = whole;
  longer.push_back(0);
  refuse(longer, "trailing");
  std::vector<uint8_t> version = whole;
  version[4] = 9;
  refuse(version, "unknown recording version 9");
  std::vector<uint8_t> level = whole;
  level[5] = 12;
  refuse(level, "no level");
  std::free(image);

  // The first format (magic, version 1, level, inputs) still reads.
  const std::vector<uint8_t> old = {'R', 'B', 'R', 'P', 1, 2, 8, 8, 0};
  Recording first;
  ASSERT_EQ(ParseRecording(old.data(), old.size(), &first, error, sizeof error), 0) << error;
  EXPECT_EQ(first.version, 1);
  EXPECT_EQ(first.start.level, 2);
  EXPECT_EQ(first.start.lives, 3);
  EXPECT_EQ(first.inputCount, 3u);
  FreeRecording(&first);
}

TEST(ReplayTool, ABrokenRecordingGivesAMessageAndAFailingStatus) {
  TempDir dir;
  WriteFile(dir.File("bad.rbr"), "RBRP\x02\x01");
  const std::string command =
      std::string(RUNEBLOCK_REPLAY_TOOL) + " " + dir.File("bad.rbr") + " 2>" + dir.File("err.txt") + " >/dev/null";
  const int status = std::system(command.c_str());
  EXPECT_NE(status, 0);
  EXPECT_NE(ReadFile(dir.File("err.txt")).find("truncated"), std::string::npos) << ReadFile(dir.File("err.txt"));
  const std::string missing = std::string(RUNEBLOCK_REPLAY_TOOL) + " " + dir.File("none.rbr") + " 2>/dev/null";
  EXPECT_NE(std::system(missing.c_str()), 0);
}

}  // namespace
