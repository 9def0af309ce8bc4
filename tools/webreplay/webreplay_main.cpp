// webreplay: the replay tool of the browser build, run under node to show
// the WebAssembly game plays a recording as the desktop one does. No screen,
// pictures or sound (node has no canvas): what a recording decides does not
// depend on them. Prints what `replay` prints; --hashes and --trace write
// the same per-pass fingerprints and trace.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "flow/headless.h"
#include "game/replay.h"
#include "game/state_hash.h"

namespace {

struct Outputs {
  FILE* hashes;
  FILE* trace;
};

void AfterPass(System* sys, int f, const int* sounds, int soundCount, void* context) {
  const auto* out = static_cast<Outputs*>(context);
  if (out->hashes) std::fprintf(out->hashes, "%08x\n", PassHash(sys, sounds, soundCount));
  if (out->trace) WriteTraceRecord(out->trace, sys, f, sounds, soundCount);
}

}  // namespace

int main(int argc, char** argv) {
  const char* paths[2] = {nullptr, nullptr};  // --hashes, --trace
  const char* recordingPath = nullptr;
  for (int i = 1; i < argc; i++) {
    const bool hashes = std::strcmp(argv[i], "--hashes") == 0;
    if ((hashes || std::strcmp(argv[i], "--trace") == 0) && i + 1 < argc)
      paths[hashes ? 0 : 1] = argv[++i];
    else if (!recordingPath && argv[i][0] != '-')
      recordingPath = argv[i];
    else
      recordingPath = nullptr, i = argc;
  }
  if (!recordingPath) {
    std::fprintf(stderr, "usage: webreplay [--hashes FILE] [--trace FILE] RECORDING\n");
    return 2;
  }
  Recording recording;
  char error[128];
  if (LoadRecordingFile(recordingPath, &recording, error, sizeof error) != 0) {
    std::fprintf(stderr, "webreplay: %s: %s\n", recordingPath, error);
    return 1;
  }
  Outputs out = {paths[0] ? std::fopen(paths[0], "wb") : nullptr, paths[1] ? std::fopen(paths[1], "wb") : nullptr};
  System* sys = StartHeadlessGame(HeadlessScreenless | HeadlessConsole);
  int status = 0;
  if (!sys || (paths[0] && !out.hashes) || (paths[1] && !out.trace)) {
    std::fprintf(stderr, "webreplay: cannot start or create the output files\n");
    status = 1;
  } else {
    const ReplayObserver observer = {AfterPass, &out, 0};
    ReplayOutcome outcome{};
    RunReplay(sys, &recording, &observer, &outcome);
    PrintReplayOutcome(stdout, recording.start.level, &outcome);
  }
  for (FILE* file : {out.hashes, out.trace})
    if (file) std::fclose(file);
  if (sys) StopHeadlessGame(sys);
  FreeRecording(&recording);
  return status;
}
