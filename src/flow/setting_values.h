// Numbers in the settings file: read with a bad value named and refused,
// and written back as the player changed them.
#pragma once

#include "config/keyword_map.h"

// The value when `text` is a whole number from `low` to `high`; otherwise
// `fallback`, after naming `name` (a missing value is not a fault).
int ParseSetting(const char* name, const char* text, int low, int high, int fallback);
// The same for the key's value in the settings.
int ReadSetting(const KeywordMap* config, const char* key, int low, int high, int fallback);
// Sets the key to the number; a null map is left alone.
void WriteSetting(KeywordMap* config, const char* key, int value);
