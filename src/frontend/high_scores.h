// The five best results, their default rows and the score file they are
// kept in between runs.
#pragma once

#include <cstdio>

#include "base/media_paths.h"

inline constexpr int kHighScoreRows = 5;
inline constexpr int kNameLength = 3;

struct HighScoreEntry {
  char name[kNameLength + 1];
  int score;
  int itemPercent;
  int scoreTail;
};

// Row 0 is the best; all five rows always exist.
struct HighScoreTable {
  HighScoreEntry rows[kHighScoreRows];
};

// The one table every high-score screen fills and reads.
HighScoreTable* TheHighScores();

// Every user empties the table before loading it.
void ClearHighScores();

// Missing file: the default rows. Rows or fields the file does not hold
// stay as they were. A file whose last save failed reads as the table that
// save held. Always 0.
int LoadHighScores(const char* path);
// Reads rows from an open stream into the table, as LoadHighScores does for
// a file that opened. Always 0.
int LoadHighScoresStream(FILE* file);
// Writes the table, replacing the old file only once the new one is complete.
// A failure prints the score-save message and keeps the old file. Always 0.
int SaveHighScores(const char* path);
// What SaveHighScores writes, onto an open stream; 0 or -1.
int WriteHighScoresStream(FILE* file);

// Goes above the first row whose score is not greater; row 4 drops out.
void InsertHighScore(const char* name, int score, int itemPercent, int scoreTail);
// 1 when a result of this score enters the loaded table.
int HighScoreQualifies(int score);

// The file the screens load and save; kScoreFilePath unless a tool or test
// points them elsewhere (null restores the default). Forgets unsaved tables.
void SetScoreFilePath(const char* path);
const char* ScoreFilePath();
