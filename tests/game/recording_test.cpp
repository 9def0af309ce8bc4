#include "game/recording.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Serialized(const AttemptStart& start, const std::vector<uint8_t>& inputs) {
  Recording recording{};
  recording.version = kRecordingVersion;
  recording.start = start;
  recording.inputs = const_cast<uint8_t*>(inputs.data());
  recording.inputCount = inputs.size();
  size_t size = 0;
  uint8_t* image = SerializeRecording(&recording, &size);
  std::vector<uint8_t> bytes(image, image + size);
  std::free(image);
  return bytes;
}

// Items are cells of the grid and types the game has; a replay placed a
// sprite at column * 48, which overflowed for a column read as -1409286134.
TEST(Recording, ItemsOutsideTheGridOrOfNoTypeAreRefused) {
  AttemptStart start;
  NewGameAttemptStart(&start, 2);
  start.itemsPlaced = 1;
  start.itemCount = 2;
  start.items[0] = {3, 5, 18, 0, 0};
  start.items[1] = {18, 19, 0, 1, 2};
  const std::vector<uint8_t> inputs = {8, 8, 9};
  Recording parsed;
  char error[128] = "";
  const std::vector<uint8_t> valid = Serialized(start, inputs);
  ASSERT_EQ(ParseRecording(valid.data(), valid.size(), &parsed, error, sizeof error), 0) << error;
  EXPECT_EQ(parsed.start.items[1].tileX, 19);
  FreeRecording(&parsed);

  const RecordedItem impossible[] = {
      {3, -1409286134, 0, 0, 0}, {3, 20, 0, 0, 0}, {3, 0, -1, 0, 0}, {0, 1, 1, 0, 0}, {19, 1, 1, 0, 0}};
  for (const RecordedItem& item : impossible) {
    start.items[1] = item;
    const std::vector<uint8_t> bytes = Serialized(start, inputs);
    EXPECT_EQ(ParseRecording(bytes.data(), bytes.size(), &parsed, error, sizeof error), -1);
    EXPECT_STREQ(error, "recording holds an impossible item");
    EXPECT_EQ(parsed.inputs, nullptr);
  }
}

}  // namespace
