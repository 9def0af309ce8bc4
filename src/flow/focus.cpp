#include "flow/focus.h"

#include "engine/scene.h"
#include "flow/assists.h"
#include "game/game_state.h"
#include "game/level_frame.h"
#include "game/player.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

constexpr uint8_t kPauseBit = 1u << ButtonC;

// The focus pause and mute, for the whole run: set as the focus goes, cleared
// as the pause is made or the focus comes back.
struct FocusState {
  int pauseOwed;  // 1: the focus went during a level that has not paused for it yet
  int mutedAway;  // 1: the sound was muted for the focus and is given back on return
};
FocusState focus = {0, 0};

bool LevelRunning(const System* sys) { return sys->game && sys->updateLayer[LayerWorld] == UpdateGameFrame; }

// Where C would pause: the level updating (not in its intro nor paused), the
// player neither dying nor through the door.
bool LevelInPlay(const System* sys) {
  const Player& player = sys->game->player;
  return LevelRunning(sys) && !(sys->layerFlags[LayerWorld] & LayerNoUpdate) && !player.dying &&
         player.clearTimer == 0 && !sys->game->levelCleared;
}

void MuteAway(System* sys, int away) {
  SoundBank* bank = sys->sound;
  if (!bank) return;
  if (away && GetAssists()->backgroundMute && !bank->muted) {
    SetVolumes(bank, bank->soundVolume, bank->musicVolume, 1);
    focus.mutedAway = 1;
  } else if (!away && focus.mutedAway) {
    if (bank->muted) SetVolumes(bank, bank->soundVolume, bank->musicVolume, 0);
    focus.mutedAway = 0;
  }
}

}  // namespace

void HandleFocusChange(System* sys, int gained) {
  if (gained == 0) {
    focus.pauseOwed = GetAssists()->focusPause && LevelRunning(sys) && sys->updateLayer[LayerScreens] != PauseUpdate;
    MuteAway(sys, 1);
  } else if (gained == 1) {
    focus.pauseOwed = 0;
    MuteAway(sys, 0);
  }
  InputState* input = sys->input;
  if (!input || input->source) return;
  if (input->forced & kPauseBit) {
    if (!LevelInPlay(sys)) input->forced &= static_cast<uint8_t>(~kPauseBit);  // taken, or too late
  } else if (focus.pauseOwed && LevelInPlay(sys) && !input->held[ButtonC]) {
    // Held from a release, the player's next look at the input sees C go down.
    input->forced |= kPauseBit;
    focus.pauseOwed = 0;
  } else if (focus.pauseOwed && !LevelRunning(sys)) {
    focus.pauseOwed = 0;
  }
}
