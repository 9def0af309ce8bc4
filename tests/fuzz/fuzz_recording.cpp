// Attempt recordings: parsed, written back and parsed again to the same
// bytes, then played against the seed maps through the intro and ten
// seconds of play beyond it.
#include "fuzz_support.h"
#include "game/recording.h"
#include "game/replay.h"

namespace {

constexpr size_t kIntroPasses = 131;  // the world stands still through these
constexpr size_t kMaxPasses = kIntroPasses + kPlayPasses;
HeadlessGame* headless;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  headless = new HeadlessGame;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Recording recording;
  char error[128];
  if (ParseRecording(data, size, &recording, error, sizeof error) != 0) {
    if (recording.inputs || recording.inputCount) std::abort();  // a failed parse holds nothing
    return 0;
  }
  size_t imageSize = 0;
  uint8_t* image = SerializeRecording(&recording, &imageSize);
  Recording again;
  if (!image || ParseRecording(image, imageSize, &again, error, sizeof error) != 0) {
    std::fprintf(stderr, "a written recording does not read back: %s\n", error);
    std::abort();
  }
  size_t againSize = 0;
  uint8_t* image2 = SerializeRecording(&again, &againSize);
  if (!image2 || againSize != imageSize || std::memcmp(image, image2, imageSize) != 0) {
    std::fprintf(stderr, "a recording read back writes different bytes\n");
    std::abort();
  }
  std::free(image);
  std::free(image2);
  FreeRecording(&again);

  headless->Reset(Fnv32(data, size));
  std::snprintf(headless->game()->mapDir, sizeof headless->game()->mapDir, "%smap/", kCorpusDir);
  if (recording.inputCount > kMaxPasses) recording.inputCount = kMaxPasses;
  ReplayOutcome outcome{};
  RunReplay(headless->sys(), &recording, nullptr, &outcome);
  FreeRecording(&recording);
  return 0;
}
