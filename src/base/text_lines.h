// The reading rule shared by every text data file of the game: lines of at
// most 4095 characters, first-character comments, five separator characters.
#pragma once

#include <cstdio>

inline constexpr int kLineBufferSize = 4096;
inline constexpr int kPathBufferSize = 4096;

struct LineReader {
  FILE* file;
  char line[kLineBufferSize];
};

// Next line (without the rest of an overlong one) into reader->line, or null
// at the end of the file. A line longer than 4095 characters is skipped whole
// rather than read as several lines.
char* ReadLine(LineReader* reader);

// 1 when the line is a comment or blank line by the first-character rule.
int IsSkippedLine(const char* line);

// Splits the line in place at runs of CR, tab, LF, blank and '#'. Returns the
// number of tokens stored (at most maxTokens).
int SplitTokens(char* line, char** tokens, int maxTokens);

// Reads a slot list, the format of the picture and sound lists: lines of a
// slot number, a file name in `dir` and, for pictures, a third field. Lines
// with no file name, or whose path would not fit, are passed over; `load` is
// called with every other line's slot, path and field count (2 or 3). A slot
// that is not a number is -1, one beyond the integer's range its nearest end.
using SlotFileLoader = void (*)(void* context, int slot, const char* path, int fields);
void ReadSlotList(FILE* list, const char* dir, SlotFileLoader load, void* context);

// Joins directory and file name into out ("%s%s"); -1 when the result would
// not fit in kPathBufferSize bytes, after printing the path-length message.
int JoinPath(char* out, const char* dir, const char* name);
