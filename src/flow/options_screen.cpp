#include "flow/options_screen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/media_paths.h"
#include "base/media_slots.h"
#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/comforts.h"
#include "flow/setting_values.h"
#include "game/game_state.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kLabelX = 64;
constexpr int kValueX[2] = {280, 444};
constexpr int kBarInset = 8;  // the bar starts this far left of its value
constexpr int kBarAbove = 2;  // and this far above the text
constexpr int kStatusY = 430;
constexpr int kBarFrames = 6;     // the bar's glide from one value to the next
constexpr int kStandStill = 300;  // a long zero-length glide: placed, not moving
constexpr int kValueChars = 12;   // a value's room, in glyphs

constexpr const char* kLabels[kOptionsRows] = {
    "Sound volume", "Music volume", "Full screen",     "Window scale", "Up",       "Down",
    "Left",         "Right",        "Z  magic",        "X  fire",      "C  pause", "V  give up",
    "Focus pause",  "Magic marker", "Background mute", "Back"};
constexpr const char* kInputNames[kInputCount] = {"Up", "Down", "Left", "Right", "Z", "X", "C", "V"};
constexpr const char* kStandardNames[kStandardPadButtons] = {
    "south",          "east",     "west",       "north",       "back",
    "guide",          "start",    "left stick", "right stick", "left shoulder",
    "right shoulder", "D-pad up", "D-pad down", "D-pad left",  "D-pad right"};

constexpr uint8_t kDirections = (1u << Up) | (1u << Down) | (1u << Left) | (1u << Right);

// The one options screen; SetUpOptions resets it on the screen's first frame.
OptionsScreen options;

int RowY(int row) {
  if (row < OptFirstInput) return 68 + 20 * row;
  if (row < OptFocusPause) return 172 + 20 * (row - OptFirstInput);
  if (row < OptBack) return 336 + 20 * (row - OptFocusPause);
  return 408;
}

bool IsInputRow(int row) { return row >= OptFirstInput && row < OptFocusPause; }

// The layout the pad is read in, or will be once one is plugged in.
int Standard(System* sys) {
  if (sys->input && sys->input->joystick) return sys->input->padStandard;
  return GetAssists()->padLayoutRaw ? 0 : 1;
}

// The scale asked for at the next start; a bad value was named then.
int WindowScale(System* sys) {
  const char* text = GetKeyword(GameSettings(sys), "scale");
  const int scale = text ? std::atoi(text) : 1;
  return scale >= 1 && scale <= kMaxWindowScale ? scale : 1;
}

void SetStatus(const char* text) { std::snprintf(options.status, sizeof options.status, "%s", text); }

// What the status line says of the row the cursor is on.
void SetRowHint() {
  switch (options.row) {
    case OptSound:
    case OptMusic:
      SetStatus("Left / Right  turn it down or up");
      break;
    case OptFullScreen:
      SetStatus("Z or Left / Right  switch");
      break;
    case OptScale:
      SetStatus("Left / Right  the window's size at the next start");
      break;
    case OptFocusPause:
      SetStatus("Leaving the window pauses the level");
      break;
    case OptMarker:
      SetStatus("A gold frame where Z makes or breaks");
      break;
    case OptMute:
      SetStatus("No sound while the window is in the background");
      break;
    case OptBack:
      SetStatus("Z saves and goes back to the title");
      break;
    default:
      SetStatus(options.column == OptKeyColumn ? "Z, then the new key" : "Z, then the pad's new button");
      break;
  }
}

void PlaceBar() {
  if (!options.bar) return;
  const int column = IsInputRow(options.row) ? options.column : OptKeyColumn;
  const int x = kValueX[column] - kBarInset, y = RowY(options.row) - kBarAbove;
  const int fromX = FixedToPixels(options.bar->x), fromY = FixedToPixels(options.bar->y);
  MoveSpriteTo(options.bar, fromX, fromY, x, y, kBarFrames);
}

void RefreshTexts(System* sys) {
  for (int row = 0; row < kOptionsRows; row++)
    for (int column = 0; column < 2; column++)
      if (Sprite* value = options.values[row][column])
        FormatOptionText(sys, row, column, value->text, sizeof value->text);
  if (Sprite* line = options.statusLine) {
    std::snprintf(line->text, sizeof line->text, "%s", options.status);
    const int width = static_cast<int>(std::strlen(line->text)) * kFontAdvance;
    SetSpritePos(line, (kScreenWidth - width) / 2, kStatusY);
  }
}

Sprite* PlaceText(System* sys, int x, int y) {
  Sprite* text = AllocTextSprite(sys->layers[LayerScreens], sys->font, 0);
  if (!text) return nullptr;
  text->visible = 1;
  SetSpritePos(text, x, y);
  return text;
}

void SetUpOptions(System* sys) {
  options = OptionsScreen{};
  SpriteList* layer = sys->layers[LayerScreens];
  BitmapSet* pictures = sys->game ? sys->game->sysBitmaps : nullptr;
  // Drawn in slot order: the picture, the bar, then the texts over them.
  if ((options.picture = AllocSprite(layer, pictures, 0))) {
    options.picture->frame = FrameOptions;
    options.picture->visible = 1;
    SetSpritePos(options.picture, 0, 0);
  }
  if ((options.bar = AllocSprite(layer, pictures, 0))) {
    options.bar->frame = FrameOptionsBar;
    options.bar->visible = 1;
    const int x = kValueX[0] - kBarInset, y = RowY(0) - kBarAbove;
    MoveSpriteTo(options.bar, x, y, x, y, kStandStill);
  }
  for (int row = 0; row < kOptionsRows; row++) {
    if ((options.labels[row] = PlaceText(sys, kLabelX, RowY(row))))
      FormatOptionText(sys, row, -1, options.labels[row]->text, sizeof options.labels[row]->text);
    options.values[row][0] = row == OptBack ? nullptr : PlaceText(sys, kValueX[0], RowY(row));
    options.values[row][1] = IsInputRow(row) ? PlaceText(sys, kValueX[1], RowY(row)) : nullptr;
  }
  options.statusLine = PlaceText(sys, 0, kStatusY);
  if (sys->input) {
    std::memcpy(options.padWas, sys->input->padDown, sizeof options.padWas);
    // The key that opened the screen is still down: it acts once let go and pressed again.
    options.held = 0xff;
  }
  SetRowHint();
  RefreshTexts(sys);
}

// The inputs to act on this frame: those that went down, and a direction held
// long enough to repeat.
uint8_t TakeInputs(InputState* input) {
  uint8_t down = 0;
  for (int i = 0; i < kInputCount; i++)
    if (input->held[i]) down |= 1u << i;
  uint8_t act = down & ~options.held;
  if ((down & kDirections) != 0 && (down & kDirections) == (options.held & kDirections)) {
    options.heldFrames += 1;
    const int over = options.heldFrames - kOptionsRepeatDelay;
    if (over >= 0 && over % kOptionsRepeatStep == 0) act |= down & kDirections;
  } else {
    options.heldFrames = 0;
  }
  options.held = down;
  return act;
}

void StopWaiting(InputState* input) {
  options.waiting = OptWaitNone;
  input->keyCapture = 0;
}

void SaveAndLeave(System* sys) {
  if (KeywordMap* config = GameSettings(sys)) SaveKeywordFile(config, kConfigPath);
  PlaySound(sys->sound, SndMenuSelect);
  sys->sceneEnd = 1;
}

void BindKey(System* sys, int index, SDLKey key) {
  InputState* input = sys->input;
  const char* name = SDL_GetKeyName(key);
  char text[kOptionsTextSize];
  if (IsReservedKey(key)) {
    std::snprintf(text, sizeof text, "%.20s is kept for the game", name);
    SetStatus(text);
    return;  // still waiting
  }
  if (!name || std::strcmp(name, "unknown key") == 0) {
    SetStatus("That key has no name: choose another");
    return;
  }
  StopWaiting(input);
  const SDLKey old = input->keys[index];
  if (old == key) {
    std::snprintf(text, sizeof text, "%s keeps %.20s", kInputNames[index], name);
    SetStatus(text);
    return;
  }
  KeywordMap* config = GameSettings(sys);
  int swapped = -1;
  for (int j = 0; j < kInputCount; j++)
    if (j != index && input->keys[j] == key) swapped = j;
  if (swapped >= 0) {
    input->keys[swapped] = old;
    SetKeyword(config, kKeySettings[swapped], SDL_GetKeyName(old));
  }
  input->keys[index] = key;
  SetKeyword(config, kKeySettings[index], name);
  if (swapped >= 0) {
    std::snprintf(text, sizeof text, "%s is now %.16s, %s took %.16s", kInputNames[index], name, kInputNames[swapped],
                  SDL_GetKeyName(old));
  } else {
    std::snprintf(text, sizeof text, "%s is now %.20s", kInputNames[index], name);
  }
  SetStatus(text);
}

void BindPadButton(System* sys, int index, int button) {
  StopWaiting(sys->input);
  const int standard = Standard(sys);
  const int old = GetPadButton(index, standard);
  KeywordMap* config = GameSettings(sys);
  int swapped = -1;
  for (int j = 0; j < kInputCount; j++)
    if (j != index && GetPadButton(j, standard) == button) swapped = j;
  if (swapped >= 0) SetPadButton(config, swapped, old);
  SetPadButton(config, index, button);
  char name[24], oldName[24], text[kOptionsTextSize];
  FormatPadButton(button, standard, name, sizeof name);
  FormatPadButton(old, standard, oldName, sizeof oldName);
  if (swapped >= 0) {
    std::snprintf(text, sizeof text, "%s is now %s, %s took %s", kInputNames[index], name, kInputNames[swapped],
                  oldName);
  } else {
    std::snprintf(text, sizeof text, "%s is now %s", kInputNames[index], name);
  }
  SetStatus(text);
}

// While a key or a button is awaited, nothing else acts.
void Wait(System* sys) {
  InputState* input = sys->input;
  const int index = options.row - OptFirstInput;
  const SDLKey typed = input->typedKey;
  input->typedKey = SDLK_UNKNOWN;
  if (options.waiting == OptWaitKey) {
    if (typed != SDLK_UNKNOWN) BindKey(sys, index, typed);
  } else if (typed != SDLK_UNKNOWN) {
    StopWaiting(input);
    SetStatus("No change");
  } else {
    for (int b = 0; b < static_cast<int>(sizeof input->padDown); b++)
      if (input->padDown[b] && !options.padWas[b]) {
        BindPadButton(sys, index, b);
        break;
      }
  }
  std::memcpy(options.padWas, input->padDown, sizeof options.padWas);
}

void StartWaiting(System* sys) {
  InputState* input = sys->input;
  const int index = options.row - OptFirstInput;
  char text[kOptionsTextSize];
  options.waiting = options.column == OptKeyColumn ? OptWaitKey : OptWaitPad;
  input->typedKey = SDLK_UNKNOWN;
  input->keyCapture = 1;
  std::memcpy(options.padWas, input->padDown, sizeof options.padWas);
  if (options.waiting == OptWaitKey) {
    std::snprintf(text, sizeof text, "Press the new key for %s", kInputNames[index]);
  } else {
    std::snprintf(text, sizeof text, "Press the pad's button for %s (a key cancels)", kInputNames[index]);
  }
  SetStatus(text);
}

// Left (-1), Right (+1) or Z (0) on the row the cursor is on.
void Change(System* sys, int step) {
  const SoundBank* bank = sys->sound;
  KeywordMap* config = GameSettings(sys);
  AssistSettings* assists = GetAssists();
  switch (options.row) {
    case OptSound:
      if (bank && step != 0) ChangeVolumes(sys, bank->soundVolume + step * kVolumeStep, bank->musicVolume);
      break;
    case OptMusic:
      if (bank && step != 0) ChangeVolumes(sys, bank->soundVolume, bank->musicVolume + step * kVolumeStep);
      break;
    case OptFullScreen:
      ChangeFullScreen(sys, !IsFullScreen(sys));
      break;
    case OptScale: {
      int scale = WindowScale(sys) + (step == 0 ? 1 : step);
      if (step == 0 && scale > kMaxWindowScale) scale = 1;
      if (scale >= 1 && scale <= kMaxWindowScale) WriteSetting(config, "scale", scale);
      break;
    }
    case OptFocusPause:
      SetFocusPause(config, !assists->focusPause);
      break;
    case OptMarker:
      SetMagicMarker(config, !assists->magicMarker);
      break;
    case OptMute:
      SetBackgroundMute(config, !assists->backgroundMute);
      break;
    case OptBack:
      if (step == 0) SaveAndLeave(sys);
      break;
    default:
      if (step == 0) {
        StartWaiting(sys);
      } else {
        options.column = step < 0 ? OptKeyColumn : OptPadColumn;
        SetRowHint();
        PlaceBar();
      }
      break;
  }
}

void MoveCursor(int step) {
  const int row = options.row + step;
  if (row < 0 || row >= kOptionsRows) return;
  options.row = row;
  SetRowHint();
  PlaceBar();
}

}  // namespace

OptionsScreen* TheOptionsScreen() { return &options; }

int IsReservedKey(SDLKey key) {
  switch (key) {
    case SDLK_ESCAPE:
    case SDLK_F11:
    case SDLK_MINUS:
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_MINUS:
    case SDLK_KP_PLUS:
    case SDLK_m:
      return 1;
    default:
      return 0;
  }
}

void FormatPadButton(int button, int standard, char* out, size_t size) {
  if (button == kPadButtonNone) {
    std::snprintf(out, size, "none");
  } else if (standard && button >= 0 && button < kStandardPadButtons) {
    std::snprintf(out, size, "%s", kStandardNames[button]);
  } else {
    std::snprintf(out, size, "button %d", button);
  }
}

void FormatOptionText(System* sys, int row, int column, char* out, size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  if (row < 0 || row >= kOptionsRows) return;
  if (column < 0) {
    std::snprintf(out, size, "%s", kLabels[row]);
    return;
  }
  const AssistSettings* assists = GetAssists();
  const SoundBank* bank = sys->sound;
  auto onOff = [out, size](int on) { std::snprintf(out, size, "%s", on ? "on" : "off"); };
  const bool awaited = options.waiting != OptWaitNone && row == options.row && column == options.column;
  switch (row) {
    case OptSound:
    case OptMusic:
      if (column == 0 && bank) std::snprintf(out, size, "%d", row == OptSound ? bank->soundVolume : bank->musicVolume);
      break;
    case OptFullScreen:
      if (column == 0) onOff(IsFullScreen(sys));
      break;
    case OptScale:
      if (column == 0) std::snprintf(out, size, "%dx", WindowScale(sys));
      break;
    case OptFocusPause:
      if (column == 0) onOff(assists->focusPause);
      break;
    case OptMarker:
      if (column == 0) onOff(assists->magicMarker);
      break;
    case OptMute:
      if (column == 0) onOff(assists->backgroundMute);
      break;
    case OptBack:
      break;
    default: {
      const int index = row - OptFirstInput;
      if (awaited) {
        std::snprintf(out, size, "%s", column == OptKeyColumn ? "press a key" : "press button");
      } else if (column == OptKeyColumn && sys->input) {
        std::snprintf(out, size, "%.*s", kValueChars, SDL_GetKeyName(sys->input->keys[index]));
      } else if (column == OptPadColumn) {
        char name[24];
        FormatPadButton(GetPadButton(index, Standard(sys)), Standard(sys), name, sizeof name);
        std::snprintf(out, size, "%.*s", kValueChars, name);
      }
      break;
    }
  }
}

void UpdateOptions(System* sys) {
  if (sys->timer.frameCount == 0) SetUpOptions(sys);
  InputState* input = sys->input;
  PollInput(input);
  if (options.waiting != OptWaitNone) {
    Wait(sys);
    TakeInputs(input);
    // What was pressed to bind may also be an input: it acts only once let go.
    if (options.waiting == OptWaitNone) options.held = 0xff;
    RefreshTexts(sys);
    return;
  }
  input->typedKey = SDLK_UNKNOWN;
  const uint8_t act = TakeInputs(input);
  if (act & (1u << ButtonX) || input->backPressed) {
    SaveAndLeave(sys);
    return;
  }
  if (act & (1u << Up)) {
    MoveCursor(-1);
  } else if (act & (1u << Down)) {
    MoveCursor(1);
  } else if (act & ((1u << Left) | (1u << Right))) {
    Change(sys, act & (1u << Left) ? -1 : 1);
    // Heard at the new volume, on the rows whose value changes.
    if (!IsInputRow(options.row) && options.row != OptBack) PlaySound(sys->sound, SndMenuSelect);
  } else if (act & (1u << ButtonZ) || input->enterPressed) {
    if (options.row != OptBack) PlaySound(sys->sound, SndMenuSelect);
    Change(sys, 0);
  }
  RefreshTexts(sys);
}

void ShowOptions(System* sys) {
  ClearScene(sys, LayerScreens);
  sys->updateLayer[LayerScreens] = UpdateOptions;
  RunScene(sys);
  if (sys->input) {
    sys->input->keyCapture = 0;
    sys->input->typedKey = SDLK_UNKNOWN;
  }
  ClearScene(sys, LayerScreens);
}
