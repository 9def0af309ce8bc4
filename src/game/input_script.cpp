// Input scripts: a recording's inputs written as text, and read back.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/recording.h"

namespace {

// Script letters by input bit: 0 Up ... 7 ButtonV.
constexpr char kScriptLetters[] = "UDLRZXCV";

}  // namespace

long ParseInputScript(const char* text, uint8_t* out, size_t capacity) {
  size_t count = 0;
  const char* p = text;
  while (*p) {
    if (*p == '#') {
      while (*p && *p != '\n') p++;
      continue;
    }
    if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == ',') {
      p++;
      continue;
    }
    uint8_t mask = 0;
    bool letters = false;
    for (;; p++) {
      if (*p == '.') {
        letters = true;
        continue;
      }
      const char* letter = *p ? std::strchr(kScriptLetters, *p) : nullptr;
      if (!letter) break;
      mask |= static_cast<uint8_t>(1u << (letter - kScriptLetters));
      letters = true;
    }
    if (!letters) return -1;
    long repeat = 1;
    if (*p >= '0' && *p <= '9') {
      char* end = nullptr;
      repeat = std::strtol(p, &end, 10);
      p = end;
      if (repeat < 1 || repeat > 1000000) return -1;
    }
    for (long i = 0; i < repeat && count < capacity; i++) out[count++] = mask;
  }
  return static_cast<long>(count);
}

size_t FormatInputScript(const uint8_t* inputs, size_t count, char* out, size_t capacity) {
  size_t length = 0;
  auto put = [&](char c) {
    if (length + 1 < capacity) out[length] = c;
    length++;
  };
  for (size_t i = 0; i < count;) {
    size_t j = i;
    while (j < count && inputs[j] == inputs[i]) j++;
    if (i > 0) put(' ');
    for (int bit = 0; bit < 8; bit++)
      if (inputs[i] & (1u << bit)) put(kScriptLetters[bit]);
    if (inputs[i] == 0) put('.');
    if (j - i > 1) {
      char digits[24];
      std::snprintf(digits, sizeof digits, "%zu", j - i);
      for (const char* d = digits; *d; d++) put(*d);
    }
    i = j;
  }
  if (capacity > 0) out[length < capacity ? length : capacity - 1] = '\0';
  return length;
}
