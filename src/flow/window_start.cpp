// What must be settled before the video and the joystick start: the window's
// size and full screen from the command line or the settings, and the pad
// layout; the settings read for it are kept for the game.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "config/keyword_map.h"
#include "flow/comforts.h"
#include "flow/setting_values.h"
#include "input/pad.h"

namespace {

// The start's own state for the whole run: PrepareWindow sets it, the game
// takes the settings once (TakeSettings); the program starts once.
struct WindowStart {
  int wantFullScreen;  // from the command line; -1: as the settings say
  // The settings as read before the video started, kept for the game so that
  // the file is read once; `preparedFound` says whether the file could be opened.
  KeywordMap* preparedSettings;
  int preparedFound;
};
WindowStart start = {-1, nullptr, 0};

}  // namespace

void PrepareWindow(int argc, char** argv) {
  int scale = 0;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--fullscreen") == 0) start.wantFullScreen = 1;
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc)
      scale = ParseSetting("--scale", argv[++i], 1, kMaxWindowScale, 0);
  }
  // Read quietly: a missing file is told when the game takes the settings.
  DestroyKeywordMap(start.preparedSettings);
  start.preparedSettings = CreateKeywordMap(256);
  FILE* file = OpenRegularFile(kConfigPath);
  start.preparedFound = file != nullptr;
  if (file) {
    LoadKeywordStream(start.preparedSettings, file);
    std::fclose(file);
  }
  if (scale == 0) scale = ReadSetting(start.preparedSettings, "scale", 1, kMaxWindowScale, 1);
  const char* layout = GetKeyword(start.preparedSettings, "pad_layout");
  if (!layout || std::strcmp(layout, "raw") != 0) RequestStandardPadLayout();
  if (scale <= 1) return;
  char factor[16];
  std::snprintf(factor, sizeof factor, "%d", scale);
  setenv("SDL12COMPAT_WINDOW_SCALING", factor, 0);  // the player's own choice wins
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

int WantedFullScreen() { return start.wantFullScreen; }

KeywordMap* TakeSettings() {
  KeywordMap* settings = start.preparedSettings;
  start.preparedSettings = nullptr;
  if (settings && !start.preparedFound) ReportDiagnostic(msg::MsgConfigOpen, kConfigPath);
  if (!settings && (settings = CreateKeywordMap(256))) LoadKeywordFile(settings, kConfigPath);
  return settings;
}
