// Recordings and their replays: a trace checked against values worked out
// by hand from the rules, an attempt of the real game replayed to the same
// state, the live recorder's files, and the file format with its refusals.
#include "game/replay.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "engine/scene.h"
#include "flow/game_flow.h"
#include "frontend/title_menu.h"
#include "game/level_frame.h"
#include "game/recording.h"
#include "input/input.h"
#include "support/game_harness.h"

namespace {

Recording FromScript(int level, const char* script, std::vector<uint8_t>* inputs) {
  Recording recording{};
  recording.version = kRecordingVersion;
  NewGameAttemptStart(&recording.start, level);
  inputs->resize(100000);
  const long count = ParseInputScript(script, inputs->data(), inputs->size());
  EXPECT_GE(count, 0);
  recording.inputs = inputs->data();
  recording.inputCount = static_cast<size_t>(count);
  return recording;
}

// The trace lines of a replay, one per pass.
std::vector<std::string> TraceLines(System* sys, const Recording& recording, ReplayOutcome* outcome) {
  TempDir dir;
  FILE* out = std::fopen(dir.File("trace").c_str(), "wb");
  const ReplayObserver observer = {[](System* s, int f, const int* sounds, int count, void* context) {
                                     WriteTraceRecord(static_cast<FILE*>(context), s, f, sounds, count);
                                   },
                                   out, 0};
  RunReplay(sys, &recording, &observer, outcome);
  std::fclose(out);
  return ReadLines(dir.File("trace"));
}

// The number after "name": in the JSON object that follows "object": (the
// tests only read flat number fields).
long Field(const std::string& line, const std::string& object, const std::string& name) {
  const size_t start = line.find("\"" + object + "\":");
  const size_t at = line.find("\"" + name + "\":", start);
  if (start == std::string::npos || at == std::string::npos) return -999999;
  return std::strtol(line.c_str() + at + name.size() + 3, nullptr, 10);
}

long Tile(const std::string& line, int column, int row) {
  size_t at = line.find("\"tiles\":[") + 9;
  for (int i = 0; i < row * kGridSize + column; i++) at = line.find(',', at) + 1;
  return std::strtol(line.c_str() + at, nullptr, 10);
}

TEST(Replay, TheTraceFollowsTheRulesFrameByFrame) {
  GameHarness harness;
  harness.UseGameFolder();
  MapSpec layout = RoomSpec();
  layout.playerCol = 4;
  layout.playerRow = 18;
  layout.enemies = {"1 16 18 256 0"};
  harness.WriteMap(1, MapText(layout));
  std::vector<uint8_t> inputs;
  ReplayOutcome outcome{};
  // The intro, Right for three frames, a rest, then block magic.
  const std::vector<std::string> lines =
      TraceLines(harness.sys(), FromScript(0, ".132 R3 .10 Z .120", &inputs), &outcome);
  ASSERT_EQ(lines.size(), 267u);
  EXPECT_EQ(outcome.frames, 266);
  EXPECT_EQ(outcome.result, ReplayRanOut);
  TraceLines(harness.sys(), FromScript(0, "", &inputs), &outcome);
  EXPECT_EQ(outcome.result, ReplayRanOut) << "a recording without input runs out at once";
  const long x0 = 4 * 48 * 4096;
  EXPECT_EQ(Field(lines[0], "player", "x"), x0);
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
  const int column = (stopped >> 12) % 48 >= 24 ? 6 : 5;
  EXPECT_EQ(Tile(lines[145], column, 18), 0);
  for (int f = 146; f <= 161; f++) ASSERT_EQ(Tile(lines[f], column, 18), 13) << f;
  EXPECT_EQ(Tile(lines[162], column, 18), 11);
  EXPECT_NE(lines[146].find("\"sounds\":[11]"), std::string::npos);
  // The crawler starts at x 768 and moves a pixel a pass once the world is
  // free (pass 133). At 869 it looks ahead to 870, more than 5 pixels into
  // cell 18 with the wall beyond: it turns up, snapped to 869, and climbs.
  EXPECT_EQ(Field(lines[132], "enemies", "x"), 768 * 4096);
  EXPECT_EQ(Field(lines[233], "enemies", "x"), 869 * 4096);
  EXPECT_EQ(Field(lines[234], "enemies", "x"), 869 * 4096);
  EXPECT_EQ(Field(lines[234], "enemies", "vx"), 0);
  EXPECT_EQ(Field(lines[234], "enemies", "vy"), -4096);
  EXPECT_EQ(Field(lines[234], "enemies", "y"), 863 * 4096);
}

TEST(Replay, AnAttemptRecordedFromTheRealGameReplaysToTheSameState) {
  GameHarness harness;
  harness.UseGameFolder();
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.rows[18][8] = 'B';
  layout.items = {"3 6 18 0", "9 12 18 0", "5 8 18 1"};
  layout.enemies = {"1 9 18 128 1", "3 18 17 0 1", "2 10 2 64 0"};
  harness.WriteMap(1, MapText(layout));
  mkdir(harness.dir().File("records").c_str(), 0700);
  setenv("RUNEBLOCK_RECORD", harness.dir().File("records").c_str(), 1);
  // Start from the title; walk, jump, make blocks and fire until the
  // crawler and the turret's shots have taken every life; then quit.
  System* sys = harness.sys();
  harness.script = [sys]() -> uint8_t {
    const uint32_t f = sys->timer.frameCount;
    if (sys->updateLayer[2] == UpdateTitleMenu) {
      if (LastRecordingPath()[0] != '\0') sys->quit = 1;
      return f == 5 ? kZ : 0;
    }
    if (sys->updateLayer[1] != UpdateGameFrame || f < 140) return 0;
    const uint32_t t = f % 97;
    return static_cast<uint8_t>((t < 40   ? kRight
                                 : t < 60 ? kLeft
                                          : 0) |
                                (t == 41 ? kUp : 0) | (t == 70 ? kZ : 0) | (t == 80 ? kX : 0));
  };
  // Another user's hook and the presentation switch outlive the recorder and the replay.
  long passes = 0;
  const ScenePassHook count = [](System*, void* context) { ++*static_cast<long*>(context); };
  ASSERT_EQ(AddScenePassHook(count, &passes), 0);
  RunGameFlow(sys);
  unsetenv("RUNEBLOCK_RECORD");
  ASSERT_STRNE(LastRecordingPath(), "");
  const ReplayOutcome live = *LastRecordedOutcome();
  Recording recording;
  char error[128];
  ASSERT_EQ(LoadRecordingFile(LastRecordingPath(), &recording, error, sizeof error), 0) << error;
  harness.ResetGame();
  ReplayOutcome replayed{};
  SetFramePresentation(0);
  const long before = passes;
  RunReplay(sys, &recording, nullptr, &replayed);
  FreeRecording(&recording);
  EXPECT_EQ(passes - before, replayed.frames);
  EXPECT_EQ(GetFramePresentation(), 0);
  SetFramePresentation(1);
  RemoveScenePassHook(count, &passes);
  RunScenePass(sys);
  EXPECT_EQ(passes - before, replayed.frames) << "removed, it runs no more";
  EXPECT_EQ(replayed.frames, live.frames);
  EXPECT_EQ(replayed.checksum, live.checksum);
  EXPECT_EQ(replayed.score, live.score);
  EXPECT_EQ(replayed.lives, live.lives);
}

// Two starts of the game into one folder, with a link taking the next name
// while the second runs: no file is replaced or written through, and the
// numbers go on past the highest. Each attempt's score tells its file.
TEST(Replay, AnotherStartNumbersOnAndNeverReplacesAFile) {
  GameHarness harness;
  const std::string runs = harness.dir().File("runs");
  mkdir(runs.c_str(), 0700);
  WriteFile(harness.dir().File("elsewhere"), "keep");
  setenv("RUNEBLOCK_RECORD", runs.c_str(), 1);
  auto attempt = [&](int score) {
    harness.game()->player.score = score;
    BeginAttemptRecording(harness.sys());
    EndAttemptRecording(harness.sys());
  };
  ResetAttemptRecorder();
  attempt(1);
  attempt(2);
  ResetAttemptRecorder();  // the game starts again
  // Only "attempt-" with a number and a dash counts, and no number too long.
  for (const char* other : {"attempt-0003-old", "attempt-0009", "attempt-100000000-a", "attempt--7-", "my-attempt-8-"})
    WriteFile(runs + "/" + other, "");
  attempt(4);
  ASSERT_EQ(symlink(harness.dir().File("elsewhere").c_str(), (runs + "/attempt-0005-level1.rbr").c_str()), 0);
  attempt(6);
  unsetenv("RUNEBLOCK_RECORD");
  EXPECT_EQ(std::string(LastRecordingPath()), runs + "/attempt-0006-level1.rbr");
  ResetAttemptRecorder();
  EXPECT_STREQ(LastRecordingPath(), "");
  EXPECT_EQ(ReadFile(harness.dir().File("elsewhere")), "keep");
  for (int number : {1, 2, 4, 6}) {
    char name[64];
    std::snprintf(name, sizeof name, "/attempt-%04d-level1.rbr", number);
    Recording recording;
    char error[128] = "";
    ASSERT_EQ(LoadRecordingFile((runs + name).c_str(), &recording, error, sizeof error), 0) << name << ": " << error;
    EXPECT_EQ(recording.start.score, number) << name;
    FreeRecording(&recording);
  }
}

std::vector<uint8_t> Serialized(const Recording& recording) {
  size_t size = 0;
  uint8_t* image = SerializeRecording(&recording, &size);
  std::vector<uint8_t> bytes(image, image + size);
  std::free(image);
  return bytes;
}

TEST(RecordingFormat, ScriptsRoundTripsAndEveryRefusalWithItsReason) {
  uint8_t inputs[64];
  EXPECT_EQ(ParseInputScript("R3 UZ .2 # comment\nX", inputs, sizeof inputs), 7);
  EXPECT_EQ(std::vector<uint8_t>(inputs, inputs + 7),
            (std::vector<uint8_t>{kRight, kRight, kRight, kUp | kZ, 0, 0, kX}));
  char text[2048];
  EXPECT_EQ(FormatInputScript(inputs, 7, text, 5), 10u) << "the whole length, cut to fit";
  EXPECT_STREQ(text, "R3 U");
  EXPECT_EQ(FormatInputScript(inputs, 7, text, sizeof text), 10u);
  EXPECT_STREQ(text, "R3 UZ .2 X");
  // Every mask, once or in runs, reads back as it was written.
  uint8_t every[512], readBack[512];
  for (int i = 0; i < 512; i++) every[i] = static_cast<uint8_t>(i / 2 + (i % 4 == 1));
  ASSERT_LT(FormatInputScript(every, 512, text, sizeof text), sizeof text);
  ASSERT_EQ(ParseInputScript(text, readBack, sizeof readBack), 512) << text;
  EXPECT_EQ(std::memcmp(readBack, every, 512), 0) << text;
  EXPECT_EQ(ParseInputScript("R3 Q", inputs, sizeof inputs), -1);
  EXPECT_EQ(ParseInputScript("R0", inputs, sizeof inputs), -1);
  EXPECT_EQ(ParseInputScript("R100", inputs, 10), 10) << "no more than fits";
  EXPECT_EQ(ParseInputScript("U1", inputs, 10), 1);
  EXPECT_EQ(ParseInputScript("\tL,R\r\n#x", readBack, 4), 2);
  EXPECT_EQ(ParseInputScript("R1000000", readBack, 4), 4);
  for (const char* bad : {"R1000001", "5", "R-2", "r"}) EXPECT_EQ(ParseInputScript(bad, readBack, 4), -1) << bad;

  Recording recording{};
  recording.version = kRecordingVersion;
  NewGameAttemptStart(&recording.start, 4);
  recording.start.itemCount = 2;
  recording.start.items[0] = {7, 3, 4, 1, 0};
  recording.start.items[1] = {18, 19, 19, 0, 1};
  recording.start.heldAtStart = 0x11;
  recording.start.setupInput = 0x24;
  recording.inputs = inputs;
  recording.inputCount = 7;
  const std::vector<uint8_t> whole = Serialized(recording);
  Recording back;
  char error[128] = "";
  ASSERT_EQ(ParseRecording(whole.data(), whole.size(), &back, error, sizeof error), 0) << error;
  EXPECT_EQ(std::memcmp(&back.start, &recording.start, sizeof back.start), 0);
  EXPECT_EQ(back.inputCount, 7u);
  EXPECT_EQ(std::memcmp(back.inputs, inputs, 7), 0);
  FreeRecording(&back);
  Recording empty = recording;  // no item and no input: the count ends the file
  empty.start.itemCount = 0;
  empty.inputCount = 0;
  const std::vector<uint8_t> bare = Serialized(empty);
  ASSERT_EQ(ParseRecording(bare.data(), bare.size(), &back, error, sizeof error), 0) << error;
  EXPECT_EQ(back.inputCount, 0u);
  FreeRecording(&back);

  std::vector<std::pair<std::vector<uint8_t>, std::string>> refused;
  for (size_t cut : {size_t{0}, size_t{3}, size_t{5}, size_t{40}, whole.size() - 8, whole.size() - 1})
    refused.push_back(
        {{whole.begin(), whole.begin() + static_cast<long>(cut)}, cut < 5 ? "not a Runeblock" : "truncated"});
  refused.push_back({whole, "trailing"});
  refused.back().first.push_back(0);
  refused.push_back({whole, "unknown recording version 9"});
  refused.back().first[4] = 9;
  refused.push_back({whole, "no level"});
  refused.back().first[5] = 12;
  // Values no game reaches, some of which once overflowed in a replay, each
  // refused with its value: {field, value}, the fields in order level, lives,
  // magic, score, fire bonus, items placed, item total, items taken, state,
  // on ground, facing, crouching, death timer.
  const int impossible[][2] = {{1, 0}, {1, INT_MIN}, {2, INT_MAX}, {3, INT_MAX},     {4, INT_MAX}, {5, 2},   {6, -1},
                               {7, 3}, {8, 7},       {9, 2},       {10, 1000000000}, {11, 2},      {12, 201}};
  for (const auto& [field, value] : impossible) {
    char named[32];
    std::snprintf(named, sizeof named, "(%d)", value);
    refused.push_back({whole, named});
    WriteLittleEndian(&refused.back().first[5 + 4 * field], static_cast<uint32_t>(value), 4);
  }
  for (RecordedItem item : {RecordedItem{3, -1409286134, 0, 0, 0},
                            {3, 20, 0, 0, 0},
                            {3, 0, -1, 0, 0},
                            {3, 0, 20, 0, 0},
                            {0, 1, 1, 0, 0},
                            {19, 1, 1, 0, 0},
                            {3, 1, 1, 2, 0},
                            {3, 1, 1, 0, -1}}) {
    // A column read as -1409286134 once overflowed column * 48 in a replay.
    Recording impossible = recording;
    impossible.start.items[1] = item;
    refused.push_back({Serialized(impossible), "recording holds an impossible item"});
  }
  refused.push_back({whole, "impossible number of items"});
  WriteLittleEndian(&refused.back().first[5 + 4 * 13], kItemSlots + 1, 4);  // the item count
  recording.start.itemCount = kItemSlots + 1;
  size_t size = 0;
  EXPECT_EQ(SerializeRecording(&recording, &size), nullptr) << "more items than the table would read past it";
  for (const auto& [bytes, reason] : refused) {
    Recording r;
    char why[128] = "";
    EXPECT_EQ(ParseRecording(bytes.data(), bytes.size(), &r, why, sizeof why), -1) << reason;
    EXPECT_NE(std::string(why).find(reason), std::string::npos) << reason << ": " << why;
    EXPECT_EQ(r.inputs, nullptr);
  }

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

TEST(ReplayTool, ABrokenOrMissingRecordingGivesAMessageAndAFailingStatus) {
  TempDir dir;
  WriteFile(dir.File("bad.rbr"), "RBRP\x02\x01");
  const std::string tool = RUNEBLOCK_REPLAY_TOOL;
  EXPECT_NE(std::system((tool + " " + dir.File("bad.rbr") + " 2>" + dir.File("err") + " >/dev/null").c_str()), 0);
  EXPECT_NE(ReadFile(dir.File("err")).find("truncated"), std::string::npos) << ReadFile(dir.File("err"));
  EXPECT_NE(std::system((tool + " " + dir.File("none.rbr") + " 2>/dev/null").c_str()), 0);
}

// On a UTF-8 terminal the tool's messages are the game's, converted as the
// game converts them, and its report is all its standard output says: it
// opens no joystick, so there is no notice of a missing one in front.
TEST(ReplayTool, SpeaksTheTerminalsLanguageAndReportsFirst) {
  TempDir dir;  // no maps: the level's map does not open
  const std::string command = "env -u LC_ALL -u LC_CTYPE LANG=C.UTF-8 " + std::string(RUNEBLOCK_REPLAY_TOOL) +
                              " --maps " + dir.path() + "/ tests/data/solutions/level1.rbr >" + dir.File("out") +
                              " 2>" + dir.File("err");
  ASSERT_NE(std::system(command.c_str()), -1);
  EXPECT_EQ(ReadFile(dir.File("out")).rfind("level 1: ", 0), 0u) << ReadFile(dir.File("out"));
  // "オープン失敗 " and the map's path
  const std::string opened = "\xE3\x82\xAA\xE3\x83\xBC\xE3\x83\x97\xE3\x83\xB3\xE5\xA4\xB1\xE6\x95\x97 ";
  EXPECT_NE(ReadFile(dir.File("err")).find(opened + dir.path() + "/map1.map\n"), std::string::npos)
      << ReadFile(dir.File("err"));
}

}  // namespace
