// The score file: whatever loads writes back in a form that loads to the
// same table, and a new result goes into the table it came from.
#include "frontend/high_scores.h"
#include "fuzz_support.h"

namespace {

size_t Write(char** text) {
  size_t size = 0;
  FILE* out = open_memstream(text, &size);
  if (!out || WriteHighScoresStream(out) != 0) std::abort();
  std::fclose(out);
  return size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ClearHighScores();
  {
    ByteStream in(data, size);
    LoadHighScoresStream(in.get());
  }
  char* first = nullptr;
  const size_t firstSize = Write(&first);
  ClearHighScores();
  {
    ByteStream in(reinterpret_cast<const uint8_t*>(first), firstSize);
    LoadHighScoresStream(in.get());
  }
  char* second = nullptr;
  const size_t secondSize = Write(&second);
  if (firstSize != secondSize || std::memcmp(first, second, firstSize) != 0) {
    std::fprintf(stderr, "a saved score table loads back differently\n");
    std::abort();
  }
  std::free(first);
  std::free(second);

  const int score = size ? static_cast<int>(Fnv32(data, size)) : 0;
  const bool qualifies = HighScoreQualifies(score);
  InsertHighScore("A B", score, 50, 7);
  bool found = false;
  for (const HighScoreEntry& row : TheHighScores()->rows) found |= row.score == score && row.scoreTail == 7;
  if (qualifies && !found) std::abort();
  return 0;
}
