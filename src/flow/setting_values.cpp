#include "flow/setting_values.h"

#include <cstdio>
#include <cstdlib>

#include "base/diagnostics.h"
#include "base/messages.h"

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
  if (!config) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  SetKeyword(config, key, text);
}
