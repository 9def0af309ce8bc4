#include "config/keyword_map.h"

#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/safe_save.h"
#include "base/text_lines.h"

namespace {

// Keys and values longer than their buffers are cut, never overrun.
void CopyCut(char* buffer, const char* text) {
  std::strncpy(buffer, text, kKeywordBufferSize - 1);
  buffer[kKeywordBufferSize - 1] = '\0';
}

void FreeBuffers(char** buffers, int count) {
  if (!buffers) return;
  for (int i = 0; i < count; i++) std::free(buffers[i]);
  std::free(buffers);
}

int WriteKeywords(FILE* file, const KeywordMap* map) {
  if (std::fputs("#\n", file) < 0) return -1;
  for (int i = 0; i < map->capacity; i++) {
    if (map->keys[i][0] == '\0') continue;
    if (std::fprintf(file, "%s\t\t\t\t%s\n", map->keys[i], map->values[i]) < 0) return -1;
  }
  if (map->overflowSize > 0 && std::fwrite(map->overflow, 1, map->overflowSize, file) != map->overflowSize) return -1;
  return 0;
}

// Keeps a line whose key found no slot, ended by a line feed.
void KeepOverflowLine(KeywordMap* map, const char* line) {
  const size_t length = std::strlen(line);
  const bool ended = length > 0 && line[length - 1] == '\n';
  const size_t size = map->overflowSize + length + (ended ? 0 : 1);
  char* grown = size <= kMaxOverflowBytes ? static_cast<char*>(std::realloc(map->overflow, size)) : nullptr;
  if (!grown) {
    map->overflowLost = 1;
    return;
  }
  std::memcpy(grown + map->overflowSize, line, length);
  if (!ended) grown[size - 1] = '\n';
  map->overflow = grown;
  map->overflowSize = size;
}

// Once, not once per line or per setting that found the map full.
void ReportOverflow(KeywordMap* map) {
  if (!map->overflowReported) ReportDiagnostic("%s", msg::MsgKeywordOverflow);
  map->overflowReported = 1;
}

bool IsKeySetting(const char* key) {
  for (const char* name : kKeySettings)
    if (std::strcmp(key, name) == 0) return true;
  return false;
}

// A key setting's value: the words from `from` up to the line's end or a
// '#', one blank between them, cut to fit.
void JoinWords(char* buffer, const char* from) {
  int length = 0;
  for (const char* c = from; *c && *c != '#' && *c != '\r' && *c != '\n' && length < kKeywordBufferSize - 1; c++) {
    const bool blank = *c == ' ' || *c == '\t';
    if (!blank) {
      buffer[length++] = *c;
    } else if (length > 0 && buffer[length - 1] != ' ') {
      buffer[length++] = ' ';
    }
  }
  while (length > 0 && buffer[length - 1] == ' ') length--;
  buffer[length] = '\0';
}

// The slot the key now holds the value in, or -1 as SetKeyword fails.
int StoreKeyword(KeywordMap* map, const char* key, const char* value) {
  if (!map) return -1;
  if (!key) {
    ReportDiagnostic("%s", msg::MsgKeywordFailed);
    return -1;
  }
  char cutKey[kKeywordBufferSize];
  CopyCut(cutKey, key);
  int slot = FindKeyword(map, cutKey);
  if (slot < 0) slot = FindFreeKeyword(map);
  if (slot < 0) {
    ReportOverflow(map);
    return -1;
  }
  std::memcpy(map->keys[slot], cutKey, kKeywordBufferSize);
  CopyCut(map->values[slot], value ? value : "");
  return slot;
}

// A save's merge: the file as it stands, read into `merged`, with the keys
// `run` set written over it.
struct KeywordMerge {
  const KeywordMap* run;
  KeywordMap* merged;
};

int MergeKeywords(FILE* current, void* context) {
  const auto* merge = static_cast<KeywordMerge*>(context);
  KeywordMap* merged = merge->merged;
  merged->overflowReported = merge->run->overflowReported;
  if (current) LoadKeywordStream(merged, current);
  if (merged->overflowLost) return -1;
  for (int i = 0; i < merge->run->capacity; i++)
    if (merge->run->setHere[i] && SetKeyword(merged, merge->run->keys[i], merge->run->values[i]) != 0) return -1;
  return 0;
}

int WriteMerged(FILE* file, void* context) { return WriteKeywords(file, static_cast<KeywordMerge*>(context)->merged); }

void DropOverflow(KeywordMap* map) {
  std::free(map->overflow);
  map->overflow = nullptr;
  map->overflowSize = 0;
  map->overflowLost = 0;
  map->overflowReported = 0;
}

}  // namespace

KeywordMap* CreateKeywordMap(int capacity) {
  if (capacity < 0) return nullptr;
  auto* map = static_cast<KeywordMap*>(std::calloc(1, sizeof(KeywordMap)));
  if (!map) {
    ReportDiagnostic("%s", msg::MsgNoMemoryKeywordMap);
    return nullptr;
  }
  map->capacity = capacity;
  const size_t slots = capacity > 0 ? capacity : 1;
  map->keys = static_cast<char**>(std::calloc(slots, sizeof(char*)));
  map->values = static_cast<char**>(std::calloc(slots, sizeof(char*)));
  map->setHere = static_cast<char*>(std::calloc(slots, 1));
  bool ok = map->keys && map->values && map->setHere;
  for (int i = 0; ok && i < capacity; i++) ok = (map->keys[i] = static_cast<char*>(std::malloc(kKeywordBufferSize)));
  for (int i = 0; ok && i < capacity; i++) ok = (map->values[i] = static_cast<char*>(std::malloc(kKeywordBufferSize)));
  if (!ok) {
    DestroyKeywordMap(map);
    return nullptr;
  }
  ClearKeywordMap(map);
  return map;
}

void DestroyKeywordMap(KeywordMap* map) {
  if (!map) return;
  FreeBuffers(map->values, map->capacity);
  FreeBuffers(map->keys, map->capacity);
  std::free(map->setHere);
  std::free(map->overflow);
  std::free(map);
}

void ClearKeywordMap(KeywordMap* map) {
  if (!map) return;
  for (int i = 0; i < map->capacity; i++) {
    map->keys[i][0] = '\0';
    map->values[i][0] = '\0';
    map->setHere[i] = 0;
  }
  DropOverflow(map);
}

int FindKeyword(const KeywordMap* map, const char* key) {
  if (!map || !key) return -1;
  for (int i = 0; i < map->capacity; i++)
    if (std::strcmp(map->keys[i], key) == 0) return i;
  return -1;
}

int FindFreeKeyword(const KeywordMap* map) {
  if (!map) return -1;
  for (int i = 0; i < map->capacity; i++)
    if (map->keys[i][0] == '\0') return i;
  return -1;
}

const char* GetKeyword(const KeywordMap* map, const char* key) {
  const int slot = FindKeyword(map, key);
  return slot < 0 ? nullptr : map->values[slot];
}

int SetKeyword(KeywordMap* map, const char* key, const char* value) {
  const int slot = StoreKeyword(map, key, value);
  if (slot < 0) return -1;
  map->setHere[slot] = 1;
  return 0;
}

int LoadKeywordStream(KeywordMap* map, FILE* file) {
  LineReader reader;
  reader.file = file;
  while (char* line = ReadLine(&reader)) {
    if (IsSkippedLine(line)) continue;
    char raw[kLineBufferSize];
    std::memcpy(raw, line, std::strlen(line) + 1);
    char* tokens[2] = {nullptr, nullptr};
    SplitTokens(line, tokens, 2);
    char key[kKeywordBufferSize];
    if (map && tokens[0]) CopyCut(key, tokens[0]);
    if (map && tokens[0] && FindKeyword(map, key) < 0 && FindFreeKeyword(map) < 0) {
      ReportOverflow(map);
      KeepOverflowLine(map, raw);
      continue;
    }
    char words[kKeywordBufferSize];
    const char* value = tokens[1];
    if (value && IsKeySetting(tokens[0])) {
      JoinWords(words, raw + (value - line));
      value = words;
    }
    const int slot = StoreKeyword(map, tokens[0], value);
    if (slot >= 0) map->setHere[slot] = 0;
  }
  return 0;
}

int LoadKeywordFile(KeywordMap* map, const char* path) {
  if (!map) return -1;
  FILE* file = OpenRegularFile(path);
  if (!file) {
    ReportDiagnostic(msg::MsgConfigOpen, path);
    return -1;
  }
  LoadKeywordStream(map, file);
  std::fclose(file);
  return 0;
}

int WriteKeywordStream(const KeywordMap* map, FILE* file) { return map ? WriteKeywords(file, map) : -1; }

int SaveKeywordFile(const KeywordMap* map, const char* path) {
  if (!map) return -1;
  KeywordMerge merge{map, CreateKeywordMap(map->capacity)};
  const int result = merge.merged ? SaveFileSafely(path, MergeKeywords, WriteMerged, &merge) : -1;
  DestroyKeywordMap(merge.merged);
  if (result != 0) ReportDiagnostic(msg::MsgCannotCreate, path);
  return result;
}
