#include "flow/comforts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/focus.h"
#include "flow/game_resources.h"
#include "flow/setting_values.h"
#include "game/game_state.h"
#include "game/magic_marker.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "input/pad.h"
#include "sound/sound_bank.h"

namespace {

// The comfort text showing, kept for the whole run: each new text replaces
// the one before, which its serial tells apart from a reused sprite.
struct ComfortText {
  Sprite* shown;
  uint32_t shownSerial;
};
ComfortText comforts = {nullptr, 0};

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
  WriteSetting(GameSettings(sys), "fullscreen", (sys->screen->flags & SDL_FULLSCREEN) ? 1 : 0);
}

}  // namespace

void LoadComforts(System* sys) {
  const KeywordMap* config = GameSettings(sys);
  if (config && sys->sound) {
    SetVolumes(sys->sound, ReadSetting(config, "sound_volume", 0, MIX_MAX_VOLUME, MIX_MAX_VOLUME),
               ReadSetting(config, "music_volume", 0, MIX_MAX_VOLUME, MIX_MAX_VOLUME), 0);
  }
  const int fullScreen = WantedFullScreen() >= 0 ? WantedFullScreen()
                         : config                ? ReadSetting(config, "fullscreen", 0, 1, 0)
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
    ChangeVolumes(sys, bank->soundVolume + step, bank->musicVolume + step);
  } else {
    return;
  }
  ShowVolumes(sys);
}

KeywordMap* GameSettings(System* sys) { return sys->game ? sys->game->config : nullptr; }

void ChangeVolumes(System* sys, int sound, int music) {
  SoundBank* bank = sys->sound;
  if (!bank) return;
  // A change of volume is meant to be heard.
  SetVolumes(bank, sound, music, 0);
  WriteSetting(GameSettings(sys), "sound_volume", bank->soundVolume);
  WriteSetting(GameSettings(sys), "music_volume", bank->musicVolume);
}

int IsFullScreen(System* sys) {
  if (sys->screen && (sys->screen->flags & SDL_FULLSCREEN)) return 1;
  const char* wish = GetKeyword(GameSettings(sys), "fullscreen");  // a bad value was named at start
  return wish && std::strcmp(wish, "1") == 0;
}

void ChangeFullScreen(System* sys, int on) {
  on = on ? 1 : 0;
  if (sys->screen && ((sys->screen->flags & SDL_FULLSCREEN) != 0) != (on != 0)) SDL_WM_ToggleFullScreen(sys->screen);
  // The wish is kept even where this window cannot switch: the next start asks again.
  WriteSetting(GameSettings(sys), "fullscreen", on);
}
