// A fixed-capacity key/value store and the configuration file it is read
// from and written back to.
#pragma once

#include <cstdio>

inline constexpr int kKeywordBufferSize = 200;

// Lines of a file that found no free slot are kept as they were read and
// written back after the map's own, so a save never drops a setting.
inline constexpr size_t kMaxOverflowBytes = 4 << 20;

// The settings whose values are key names, in the order of the game's inputs.
// A key name may hold blanks ("right shift"), so their values run to the end
// of the line or a '#'; every other value is one word.
inline constexpr int kKeySettingCount = 8;
inline constexpr const char* kKeySettings[kKeySettingCount] = {"key_up", "key_down", "key_left", "key_right",
                                                               "key_z",  "key_x",    "key_c",    "key_v"};

struct KeywordMap {
  int capacity;
  char** keys;
  char** values;
  char* setHere;         // per slot: 1 once this run set the key, 0 while it holds what a file said
  char* overflow;        // the lines that did not fit, as read; null when none
  size_t overflowSize;   // bytes
  int overflowLost;      // 1 when lines did not fit even there: saving would lose them
  int overflowReported;  // 1 once the overflow message was printed: a full map says so once
};

KeywordMap* CreateKeywordMap(int capacity);
void DestroyKeywordMap(KeywordMap* map);
void ClearKeywordMap(KeywordMap* map);
// The key's slot, or -1 when it is absent (or the map or key is null).
int FindKeyword(const KeywordMap* map, const char* key);
// The first slot without a key, or -1 when the map is full.
int FindFreeKeyword(const KeywordMap* map);
// The key's value, or null when the key is absent.
const char* GetKeyword(const KeywordMap* map, const char* key);
// Sets or adds the key, both cut to 199 characters (a null value stores ""); 0, or -1 when the
// key is null or the map full, after printing the keyword message or the map's one overflow message.
int SetKeyword(KeywordMap* map, const char* key, const char* value);
// Sets every key the file's lines hold; 0, or -1 for a null map or, after the open message, no file.
int LoadKeywordFile(KeywordMap* map, const char* path);
// The same from an open stream; always 0. A key with no free slot prints the overflow message
// unless the map already did, and its line is kept for the save.
int LoadKeywordStream(KeywordMap* map, FILE* file);
// Writes the keys this run set over the file as it stands, which keeps its other lines, values
// and order; the file is replaced only once the new one is complete. 0, or -1 after printing the
// cannot-create message (the old file stays), also when the file as it stands would lose lines.
int SaveKeywordFile(const KeywordMap* map, const char* path);
// What SaveKeywordFile writes, onto an open stream; 0 or -1.
int WriteKeywordStream(const KeywordMap* map, FILE* file);
