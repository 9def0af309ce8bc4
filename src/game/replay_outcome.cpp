// The outcome of a replay as the replay tools print it.
#include <cinttypes>
#include <cstdio>

#include "game/replay.h"

void PrintReplayOutcome(FILE* out, int level, const ReplayOutcome* outcome) {
  static const char* const kResults[] = {"cleared", "died", "ran out", "quit"};
  std::fprintf(out, "level %d: %s\nframes %d\nlife %d\nlives %d\nscore %d\nitems %d of %d\nchecksum %016" PRIx64 "\n",
               level + 1, kResults[outcome->result], outcome->frames, outcome->life, outcome->lives, outcome->score,
               outcome->itemsTaken, outcome->itemsTotal, outcome->checksum);
}
