// The player's assists and the pad's buttons: settings of their own in the
// configuration file, each off (or the pad layout's own numbering) until the
// player changes it, so a game with none set plays as it always has.
#pragma once

#include "config/keyword_map.h"
#include "input/input.h"
#include "input/pad.h"

inline constexpr const char* kPadSettings[kInputCount] = {"pad_up", "pad_down", "pad_left", "pad_right",
                                                          "pad_z",  "pad_x",    "pad_c",    "pad_v"};

// Everything the settings say about assists and the pad; LoadAssists fills
// it at start, the options screen changes it through the setters.
struct AssistSettings {
  int focusPause;               // 1: losing the window's focus in a level pauses it
  int magicMarker;              // 1: a marker shows the cell block magic would act on
  int backgroundMute;           // 1: no sound while the window is in the background
  int padButtons[kInputCount];  // button number, kPadButtonNone or kPadButtonDefault
  int padLayoutRaw;             // 1: the pad's buttons as its maker numbered them (no standard layout)
};

// The one set of assists of this run; LoadAssists resets it at start.
AssistSettings* GetAssists();
// Reads focus_pause, magic_marker, background_mute (0/1), pad_up ... pad_v
// (0-31 or "none") and pad_layout ("standard" or "raw"); a bad value is
// named and the default kept. Null settings give the defaults.
void LoadAssists(const KeywordMap* config);
// Each setter changes the record and writes its key into `config` (may be null).
void SetFocusPause(KeywordMap* config, int on);
void SetMagicMarker(KeywordMap* config, int on);
void SetBackgroundMute(KeywordMap* config, int on);
void SetPadButton(KeywordMap* config, int input, int button);
// The button that gives `input` in the layout in use: the player's, else the
// layout's own (standard: south, east, west, north for Z, X, C, V and the
// D-pad for the directions; raw: buttons 0-3 for Z, X, C, V, no direction).
int GetPadButton(int input, int standardLayout);
