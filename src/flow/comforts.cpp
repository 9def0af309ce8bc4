#include "flow/comforts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/focus.h"
#include "flow/game_resources.h"
#include "game/game_state.h"
#include "game/magic_marker.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "input/pad.h"
#include "sound/sound_bank.h"

namespace {

// The comforts' own state for the whole run; nothing resets it: each field
// is set where it says, and the program starts once.
struct Comforts {
  int wantFullScreen;  // from the command line (PrepareWindow); -1: as the settings say
  // The settings as read before the video started, kept for the game so that
  // the file is read once (PrepareWindow makes them, the game takes them);
  // `preparedFound` says whether the file could be opened.
  KeywordMap* preparedSettings;
  int preparedFound;
  Sprite* shown;  // the comfort text showing, while its serial is still this
  uint32_t shownSerial;
};
Comforts comforts = {-1, nullptr, 0, nullptr, 0};

// The value when `text` is a whole number from `low` to `high`; otherwise
// `fallback`, after naming `name` (a missing value is not a fault).
int ParseSetting(const char* name, const char* text, int low, int high, int fallback) {
  if (!text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high) {
    ReportDiagnostic(msg::MsgConfigNotANumber, name, text, low, high, fallback);
    return fallback;
  }
  return static_cast<int>(value);
}

int ReadSetting(const KeywordMap* config, const char* key, int low, int high, int fallback) {
  return ParseSetting(key, GetKeyword(config, key), low, high, fallback);
}

void WriteSetting(KeywordMap* config, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetKeyword(config, key, text);
}

// The one line of comfort text, in the top layer's top-right corner for a
// moment; a new value replaces the one showing.
void ShowComfortText(System* sys, const char* text) {
  Sprite*& shown = comforts.shown;
  SpriteList* top = sys->layers[LayerTop];
  if (!top || !sys->font) return;
  if (shown && shown->inUse && shown->serial == comforts.shownSerial) FreeSprite(top, shown);
  shown = AllocTextSprite(top, sys->font, 0);
  if (!shown) return;
  comforts.shownSerial = shown->serial;
  std::snprintf(shown->text, sizeof shown->text, "%s", text);
  const int width = static_cast<int>(std::strlen(shown->text)) * sys->font->advance;
  SetSpritePos(shown, kScreenWidth - width - 8, 8);
  shown->visible = 1;
  shown->life = kComfortTextFrames;
}

void ShowVolumes(System* sys) {
  const SoundBank* bank = sys->sound;
  char text[48];
  if (bank->muted) {
    std::snprintf(text, sizeof text, "Sound off");
  } else {
    std::snprintf(text, sizeof text, "Sound %d  Music %d", bank->soundVolume, bank->musicVolume);
  }
  ShowComfortText(sys, text);
}

void DrawAssistsOverLevel(System* sys) {
  if (GetAssists()->magicMarker) DrawMagicMarker(sys);
}

void ToggleFullScreen(System* sys) {
  if (!sys->screen || !SDL_WM_ToggleFullScreen(sys->screen)) return;
  if (KeywordMap* config = sys->game ? sys->game->config : nullptr)
    WriteSetting(config, "fullscreen", (sys->screen->flags & SDL_FULLSCREEN) ? 1 : 0);
}

}  // namespace

void PrepareWindow(int argc, char** argv) {
  int scale = 0;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--fullscreen") == 0) comforts.wantFullScreen = 1;
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc)
      scale = ParseSetting("--scale", argv[++i], 1, kMaxWindowScale, 0);
  }
  // Read quietly: a missing file is told when the game takes the settings.
  DestroyKeywordMap(comforts.preparedSettings);
  comforts.preparedSettings = CreateKeywordMap(256);
  FILE* file = OpenRegularFile(kConfigPath);
  comforts.preparedFound = file != nullptr;
  if (file) {
    LoadKeywordStream(comforts.preparedSettings, file);
    std::fclose(file);
  }
  if (scale == 0) scale = ReadSetting(comforts.preparedSettings, "scale", 1, kMaxWindowScale, 1);
  const char* layout = GetKeyword(comforts.preparedSettings, "pad_layout");
  if (!layout || std::strcmp(layout, "raw") != 0) RequestStandardPadLayout();
  if (scale <= 1) return;
  char factor[16];
  std::snprintf(factor, sizeof factor, "%d", scale);
  setenv("SDL12COMPAT_WINDOW_SCALING", factor, 0);  // the player's own choice wins
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

KeywordMap* TakeSettings() {
  KeywordMap* settings = comforts.preparedSettings;
  comforts.preparedSettings = nullptr;
  if (settings && !comforts.preparedFound) ReportDiagnostic(msg::MsgConfigOpen, kConfigPath);
  if (!settings && (settings = CreateKeywordMap(256))) LoadKeywordFile(settings, kConfigPath);
  return settings;
}

void LoadComforts(System* sys) {
  const KeywordMap* config = sys->game ? sys->game->config : nullptr;
  if (config && sys->sound) {
    SetVolumes(sys->sound, ReadSetting(config, "sound_volume", 0, MIX_MAX_VOLUME, MIX_MAX_VOLUME),
               ReadSetting(config, "music_volume", 0, MIX_MAX_VOLUME, MIX_MAX_VOLUME), 0);
  }
  const int fullScreen = comforts.wantFullScreen >= 0 ? comforts.wantFullScreen
                         : config                     ? ReadSetting(config, "fullscreen", 0, 1, 0)
                                                      : 0;
  if (fullScreen == 1 && sys->screen && !(sys->screen->flags & SDL_FULLSCREEN)) SDL_WM_ToggleFullScreen(sys->screen);
  static_assert(kKeySettingCount == kInputCount, "a key setting for every input");
  for (int i = 0; config && sys->input && i < kInputCount; i++) {
    const char* name = GetKeyword(config, kKeySettings[i]);
    if (name && SetInputKey(sys->input, i, name) != 0)
      ReportDiagnostic(msg::MsgConfigNotAKey, kKeySettings[i], name, SDL_GetKeyName(sys->input->keys[i]));
  }
  LoadAssists(config);
  if (sys->input) sys->input->padChoices = GetAssists()->padButtons;
  SetSceneKeyHook(HandleComfortKey);
  SetSceneFocusHook(HandleFocusChange);
  SetLayerOverlay(LayerWorld, DrawAssistsOverLevel);
}

void HandleComfortKey(System* sys, const SDL_keysym* key) {
  const bool alt = (key->mod & KMOD_ALT) != 0;
  if (key->sym == SDLK_F11 || (alt && (key->sym == SDLK_RETURN || key->sym == SDLK_KP_ENTER))) {
    ToggleFullScreen(sys);
    return;
  }
  SoundBank* bank = sys->sound;
  if (!bank) return;
  int step = 0;
  if (key->sym == SDLK_MINUS || key->sym == SDLK_KP_MINUS) step = -kVolumeStep;
  if (key->sym == SDLK_PLUS || key->sym == SDLK_EQUALS || key->sym == SDLK_KP_PLUS) step = kVolumeStep;
  if (key->sym == SDLK_m) {
    SetVolumes(bank, bank->soundVolume, bank->musicVolume, !bank->muted);
  } else if (step != 0) {
    // A change of volume is meant to be heard.
    SetVolumes(bank, bank->soundVolume + step, bank->musicVolume + step, 0);
    if (KeywordMap* config = sys->game ? sys->game->config : nullptr) {
      WriteSetting(config, "sound_volume", bank->soundVolume);
      WriteSetting(config, "music_volume", bank->musicVolume);
    }
  } else {
    return;
  }
  ShowVolumes(sys);
}
