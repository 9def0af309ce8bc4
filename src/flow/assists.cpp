#include "flow/assists.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"

namespace {

// Reset by LoadAssists at start; only the setters change it afterwards.
AssistSettings assists = {1,
                          0,
                          0,
                          {kPadButtonDefault, kPadButtonDefault, kPadButtonDefault, kPadButtonDefault,
                           kPadButtonDefault, kPadButtonDefault, kPadButtonDefault, kPadButtonDefault},
                          0};

int ReadFlag(const KeywordMap* config, const char* key, int fallback) {
  const char* text = GetKeyword(config, key);
  if (!text) return fallback;
  if (std::strcmp(text, "0") == 0 || std::strcmp(text, "1") == 0) return text[0] - '0';
  ReportDiagnostic(msg::MsgConfigNotAFlag, key, text, fallback);
  return fallback;
}

int ReadButton(const KeywordMap* config, const char* key) {
  const char* text = GetKeyword(config, key);
  if (!text) return kPadButtonDefault;
  if (std::strcmp(text, "none") == 0) return kPadButtonNone;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end != text && *end == '\0' && value >= 0 && value <= kMaxPadButton) return static_cast<int>(value);
  ReportDiagnostic(msg::MsgConfigNotAButton, key, text, kMaxPadButton);
  return kPadButtonDefault;
}

void WriteFlag(KeywordMap* config, const char* key, int on) {
  if (config) SetKeyword(config, key, on ? "1" : "0");
}

}  // namespace

AssistSettings* GetAssists() { return &assists; }

void LoadAssists(const KeywordMap* config) {
  assists.focusPause = ReadFlag(config, "focus_pause", 1);
  assists.magicMarker = ReadFlag(config, "magic_marker", 0);
  assists.backgroundMute = ReadFlag(config, "background_mute", 0);
  for (int i = 0; i < kInputCount; i++) assists.padButtons[i] = ReadButton(config, kPadSettings[i]);
  assists.padLayoutRaw = 0;
  if (const char* layout = GetKeyword(config, "pad_layout")) {
    if (std::strcmp(layout, "raw") == 0) {
      assists.padLayoutRaw = 1;
    } else if (std::strcmp(layout, "standard") != 0) {
      ReportDiagnostic(msg::MsgConfigNotALayout, layout);
    }
  }
}

void SetFocusPause(KeywordMap* config, int on) {
  assists.focusPause = on ? 1 : 0;
  WriteFlag(config, "focus_pause", on);
}

void SetMagicMarker(KeywordMap* config, int on) {
  assists.magicMarker = on ? 1 : 0;
  WriteFlag(config, "magic_marker", on);
}

void SetBackgroundMute(KeywordMap* config, int on) {
  assists.backgroundMute = on ? 1 : 0;
  WriteFlag(config, "background_mute", on);
}

void SetPadButton(KeywordMap* config, int input, int button) {
  if (input < 0 || input >= kInputCount || button < kPadButtonNone || button > kMaxPadButton) return;
  assists.padButtons[input] = button;
  if (!config) return;
  char text[16];
  if (button == kPadButtonNone) {
    std::snprintf(text, sizeof text, "none");
  } else {
    std::snprintf(text, sizeof text, "%d", button);
  }
  SetKeyword(config, kPadSettings[input], text);
}

int GetPadButton(int input, int standardLayout) {
  if (input < 0 || input >= kInputCount) return kPadButtonNone;
  return ResolvePadButton(assists.padButtons[input], input, standardLayout);
}
