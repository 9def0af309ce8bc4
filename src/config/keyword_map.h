// A fixed-capacity key/value store and the configuration file it is read
// from and written back to.
#pragma once

#include <cstdio>

inline constexpr int kKeywordBufferSize = 200;

struct KeywordMap {
  int capacity;
  char** keys;
  char** values;
};

KeywordMap* CreateKeywordMap(int capacity);
void DestroyKeywordMap(KeywordMap* map);
void ClearKeywordMap(KeywordMap* map);
int FindKeyword(const KeywordMap* map, const char* key);
int FindFreeKeyword(const KeywordMap* map);
const char* GetKeyword(const KeywordMap* map, const char* key);
int SetKeyword(KeywordMap* map, const char* key, const char* value);
int LoadKeywordFile(KeywordMap* map, const char* path);
int LoadKeywordStream(KeywordMap* map, FILE* file);
int SaveKeywordFile(const KeywordMap* map, const char* path);
// What SaveKeywordFile writes, onto an open stream; 0 or -1.
int WriteKeywordStream(const KeywordMap* map, FILE* file);
