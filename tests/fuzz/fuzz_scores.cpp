// The score file: whatever loads writes back in a form that loads to the
// same table, and a new result goes into the table it came from.
#include "frontend/high_scores.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExpectSavesLoadBack(
      data, size,
      [](FILE* in) {
        ClearHighScores();
        LoadHighScoresStream(in);
      },
      [](FILE* out) { return WriteHighScoresStream(out); }, "score table");
  const int score = size ? static_cast<int>(Fnv32(data, size)) : 0;
  const bool qualifies = HighScoreQualifies(score);
  InsertHighScore("A B", score, 50, 7);
  bool found = false;
  for (const HighScoreEntry& row : TheHighScores()->rows) found |= row.score == score && row.scoreTail == 7;
  if (qualifies && !found) std::abort();
  return 0;
}
